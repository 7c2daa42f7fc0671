#include "demo/demo_file.h"

#include <cstring>

#include "media/language.h"
#include "media/read_file.h"

namespace {

constexpr size_t MagicLength = sizeof(DemoMagic) - 1;
constexpr int StateCount = 36;
// An hour of frames is a few megabytes: a demo is read as a game file, refused beyond
// MaxGameFileSize.

std::string CannotWrite(const std::string& path, const std::string& reason) {
    return Format(Tr("%s に書き込めません（%s）"), path.c_str(), reason.c_str());
}

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutU64(std::vector<uint8_t>& out, uint64_t v) {
    for (int shift = 0; shift < 64; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// Reads little-endian values; running out of bytes is a Cut.
class Bytes {
public:
    struct Cut {};
    explicit Bytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ == bytes_.size(); }
    size_t Offset() const { return at_; }
    uint8_t U8() {
        Need(1);
        return bytes_[at_++];
    }
    uint16_t U16() {
        Need(2);
        const uint16_t v = ReadLE16(bytes_.data() + at_);
        at_ += 2;
        return v;
    }
    uint32_t U32() {
        Need(4);
        const uint32_t v = ReadLE32(bytes_.data() + at_);
        at_ += 4;
        return v;
    }
    uint64_t U64() {
        Need(8);
        const uint64_t v =
            ReadLE32(bytes_.data() + at_) | (uint64_t{ReadLE32(bytes_.data() + at_ + 4)} << 32);
        at_ += 8;
        return v;
    }
    std::string Text(size_t n) {
        Need(n);
        std::string text(reinterpret_cast<const char*>(bytes_.data() + at_), n);
        at_ += n;
        return text;
    }

private:
    void Need(size_t n) const {
        if (bytes_.size() - at_ < n) throw Cut{};
    }
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
};

DemoFrame ReadFrame(Bytes& in, uint8_t screen, size_t number) {
    DemoFrame frame;
    frame.screen = static_cast<DemoScreen>(screen);
    frame.regains = in.U8();
    frame.states = in.U64();
    if ((frame.states >> StateCount) != 0)
        throw DemoError("damaged: frame " + std::to_string(number) +
                        " holds input states the game does not have");
    const uint16_t count = in.U16();
    frame.readings.reserve(count);
    for (uint16_t i = 0; i < count; ++i) frame.readings.push_back(in.U32());
    return frame;
}

} // namespace

const char* DemoScreenName(DemoScreen screen) {
    switch (screen) {
    case DemoScreen::Title:
        return "title";
    case DemoScreen::Game:
        return "game";
    case DemoScreen::Transition:
        return "transition";
    case DemoScreen::Ending:
        return "ending";
    }
    return "?";
}

std::vector<uint8_t> DemoHeaderBytes(const std::string& game_version, const DemoSettings& settings,
                                     uint16_t format_version) {
    std::vector<uint8_t> out(DemoMagic, DemoMagic + MagicLength);
    PutU16(out, format_version);
    const size_t length = std::min<size_t>(game_version.size(), 255);
    out.push_back(static_cast<uint8_t>(length));
    out.insert(out.end(), game_version.begin(),
               game_version.begin() + static_cast<std::ptrdiff_t>(length));
    for (const int32_t value : settings.values) PutU32(out, static_cast<uint32_t>(value));
    return out;
}

std::vector<uint8_t> DemoFrameBytes(const DemoFrame& frame) {
    std::vector<uint8_t> out;
    out.push_back(static_cast<uint8_t>(frame.screen));
    out.push_back(frame.regains);
    PutU64(out, frame.states);
    // More readings than an entry holds would only come from a frame that never ends; the
    // count says how many follow, so the file stays readable either way.
    const size_t count = std::min<size_t>(frame.readings.size(), UINT16_MAX);
    PutU16(out, static_cast<uint16_t>(count));
    for (size_t i = 0; i < count; ++i) PutU32(out, frame.readings[i]);
    return out;
}

Demo ParseDemo(std::span<const uint8_t> bytes) {
    if (bytes.size() < MagicLength || std::memcmp(bytes.data(), DemoMagic, MagicLength) != 0)
        throw DemoError("not a Brannock demo");
    Bytes in(bytes.subspan(MagicLength));
    Demo demo;
    try {
        const uint16_t version = in.U16();
        if (version != DemoFormatVersion)
            throw DemoError("demo format version " + std::to_string(version) +
                            "; this game plays version " + std::to_string(DemoFormatVersion));
        demo.game_version = in.Text(in.U8());
        for (size_t i = 0; i < DemoOptionCount; ++i) {
            const OptionRow& row = OptionTable[i];
            const auto value = static_cast<int32_t>(in.U32());
            if (value < row.min || value > row.max)
                throw DemoError(std::string("damaged: ") + row.name + " is " +
                                std::to_string(value));
            demo.settings.values[i] = value;
        }
    } catch (const Bytes::Cut&) {
        throw DemoError("cut short inside its header");
    }
    while (!in.AtEnd()) {
        const size_t number = demo.frames.size() + 1;
        const uint8_t screen = in.U8();
        if (screen == DemoEndMark) {
            if (!in.AtEnd())
                throw DemoError("damaged: data after the end mark at byte " +
                                std::to_string(MagicLength + in.Offset() - 1));
            demo.complete = true;
            return demo;
        }
        if (screen < static_cast<uint8_t>(DemoScreen::Title) ||
            screen > static_cast<uint8_t>(DemoScreen::Ending))
            throw DemoError("damaged: frame " + std::to_string(number) + " names screen " +
                            std::to_string(screen));
        try {
            demo.frames.push_back(ReadFrame(in, screen, number));
        } catch (const Bytes::Cut&) {
            demo.cut = "cut short in the middle of frame " + std::to_string(number);
            return demo;
        }
    }
    demo.cut = "ends without its end mark after frame " + std::to_string(demo.frames.size());
    return demo;
}

Demo ReadDemo(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (const std::optional<FileProblem> problem = ReadFileWithin(path, MaxGameFileSize, bytes))
        throw DemoError(Format(Tr("%s を読めません（%s）"), path.c_str(), problem->reason.c_str()));
    try {
        return ParseDemo(bytes);
    } catch (const DemoError& e) {
        throw DemoError(path + ": " + e.what());
    }
}

DemoWriter::DemoWriter(const std::string& path) : path_(path) {
    std::string reason;
    if (!file_.Open(path, reason)) throw DemoError(CannotWrite(path, reason));
}

DemoWriter::~DemoWriter() {
    Finish();
}

void DemoWriter::Put(const std::vector<uint8_t>& bytes) {
    if (finished_ || !failure_.empty()) return;
    std::string reason;
    if (!file_.Append({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, reason))
        failure_ = CannotWrite(path_, reason);
}

void DemoWriter::WriteHeader(const std::string& game_version, const DemoSettings& settings) {
    if (header_written_) return;
    Put(DemoHeaderBytes(game_version, settings));
    header_written_ = true;
    // A demo that has its header is a demo: it takes the old file's place from now on.
    std::string reason;
    if (failure_.empty() && !file_.Publish(reason)) failure_ = CannotWrite(path_, reason);
}

void DemoWriter::WriteFrame(const DemoFrame& frame) {
    if (header_written_) Put(DemoFrameBytes(frame));
}

void DemoWriter::Finish() {
    if (finished_) return;
    if (header_written_) Put({DemoEndMark});
    file_.Close(); // removes a file that never had its header: an old demo stays
    finished_ = true;
}
