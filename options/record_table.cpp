#include "options/record_table.h"

#include <iconv.h>

#include <algorithm>
#include <cstring>

#include "game/time_text.h"
#include "media/language.h"
#include "options/utf8.h"

namespace {

constexpr size_t ScoreOffset = RecordNameSize + RecordFillerSize; // 104

// One iconv conversion descriptor for the life of a call.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (Ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts one whole character; nullopt when it has no form in the target.
    std::optional<std::string> One(std::string_view in) {
        if (!Ok()) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        char out[16];
        char* src = const_cast<char*>(in.data());
        size_t src_left = in.size();
        char* dst = out;
        size_t dst_left = sizeof out;
        if (iconv(cd_, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1) ||
            src_left != 0)
            return std::nullopt;
        return std::string(out, static_cast<size_t>(dst - out));
    }

private:
    iconv_t cd_;
};

// Shift-JIS (code page 932) lead bytes of two-byte characters.
bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

} // namespace

TRecordTable ClearedTable() {
    TRecordTable table{};
    for (TRecord& record : table) SetName(record, EmptyRecordName);
    return table;
}

std::optional<TRecordTable> ParseRecordTable(std::span<const uint8_t> bytes) {
    if (bytes.size() != RecordTableSize) return std::nullopt;
    TRecordTable table{};
    for (size_t n = 0; n < RecordCount; ++n) {
        const uint8_t* at = bytes.data() + n * RecordSize;
        TRecord& record = table[n];
        std::memcpy(record.Name.data(), at, RecordNameSize);
        std::memcpy(record.Filler.data(), at + RecordNameSize, RecordFillerSize);
        const uint32_t raw = uint32_t{at[ScoreOffset]} | uint32_t{at[ScoreOffset + 1]} << 8 |
                             uint32_t{at[ScoreOffset + 2]} << 16 |
                             uint32_t{at[ScoreOffset + 3]} << 24;
        record.Score = static_cast<int32_t>(raw);
    }
    return table;
}

std::vector<uint8_t> SerializeRecordTable(const TRecordTable& table) {
    std::vector<uint8_t> bytes(RecordTableSize);
    for (size_t n = 0; n < RecordCount; ++n) {
        uint8_t* at = bytes.data() + n * RecordSize;
        const TRecord& record = table[n];
        std::memcpy(at, record.Name.data(), RecordNameSize);
        std::memcpy(at + RecordNameSize, record.Filler.data(), RecordFillerSize);
        const auto raw = static_cast<uint32_t>(record.Score);
        for (size_t k = 0; k < 4; ++k) at[ScoreOffset + k] = static_cast<uint8_t>(raw >> (8 * k));
    }
    return bytes;
}

int RankOf(const TRecordTable& table, int32_t value) {
    for (size_t n = 0; n < RecordCount; ++n)
        if (table[n].Score < value) return static_cast<int>(n) + 1;
    return NoRank;
}

void InsertAt(TRecordTable& table, int rank, int32_t value) {
    if (rank < 1 || rank > static_cast<int>(RecordCount)) return;
    const auto at = static_cast<size_t>(rank - 1);
    for (size_t n = RecordCount - 1; n > at; --n) table[n] = table[n - 1];
    table[at].Score = value;
}

void SetName(TRecord& record, std::string_view shift_jis) {
    const size_t length = std::min(shift_jis.size(), RecordNameSize - 1);
    std::memcpy(record.Name.data(), shift_jis.data(), length);
    record.Name[length] = 0;
}

std::string NameBytes(const TRecord& record) {
    const auto end = std::find(record.Name.begin(), record.Name.end(), uint8_t{0});
    return std::string(record.Name.begin(), end);
}

std::string NameToShiftJis(std::string_view utf8, size_t max_bytes) {
    Converter to_sjis("CP932", "UTF-8");
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const size_t length = Utf8Length(utf8, i);
        std::string bytes = "?";
        if (length != 0) {
            if (std::optional<std::string> converted = to_sjis.One(utf8.substr(i, length)))
                bytes = *converted;
        }
        if (out.size() + bytes.size() > max_bytes) break; // never half a character
        out += bytes;
        i += length == 0 ? 1 : length;
    }
    return out;
}

std::string NameFromShiftJis(std::string_view shift_jis) {
    Converter to_utf8("UTF-8", "CP932");
    std::string out;
    for (size_t i = 0; i < shift_jis.size();) {
        const auto c = static_cast<unsigned char>(shift_jis[i]);
        const size_t length = IsLeadByte(c) && i + 1 < shift_jis.size() ? 2 : 1;
        if (std::optional<std::string> converted = to_utf8.One(shift_jis.substr(i, length))) {
            out += *converted;
            i += length;
        } else {
            out += "?"; // the next byte may still start a character of its own
            ++i;
        }
    }
    return out;
}

std::string ScoreText(int32_t score, bool time_mode) {
    if (!time_mode) return std::to_string(score);
    return TimeText(int64_t{5999999} - score);
}
