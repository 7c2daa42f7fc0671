#include "media/wave_file.h"

#include <cstring>

#include "media/language.h"
#include "media/read_file.h"
#include "media/sound.h"

namespace {

constexpr uint16_t WavePcm = 1;
// Rates outside these are no sound anyone recorded; a rate of a few hertz would also make
// the mixer's copy of a short file last for hours.
constexpr uint32_t LowestRate = 1000;
constexpr uint32_t HighestRate = 384000;

[[noreturn]] void InvalidWave(const std::string& name) {
    throw EInvalidWave(Format(Tr("%s: 不正な Wave です"), name.c_str()));
}

bool HasId(const uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

} // namespace

WaveData ParseWave(const std::vector<uint8_t>& b, const std::string& name) {
    if (b.size() < 12 || !HasId(&b[0], "RIFF") || !HasId(&b[8], "WAVE")) InvalidWave(name);
    WaveData wave;
    bool have_format = false;
    bool have_data = false;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        const uint8_t* chunk = &b[at];
        const size_t size = ReadLE32(chunk + 4);
        const size_t body = at + 8;
        if (size > b.size() - body) InvalidWave(name); // cut short
        if (HasId(chunk, "fmt ")) {
            if (size < 16) InvalidWave(name);
            const uint8_t* f = &b[body];
            const uint16_t tag = ReadLE16(f);
            wave.channels = ReadLE16(f + 2);
            const uint32_t rate = ReadLE32(f + 4);
            const uint16_t block_align = ReadLE16(f + 12);
            wave.bits = ReadLE16(f + 14);
            if (tag != WavePcm || (wave.channels != 1 && wave.channels != 2) ||
                (wave.bits != 8 && wave.bits != 16) || rate < LowestRate || rate > HighestRate ||
                block_align != wave.FrameBytes())
                InvalidWave(name);
            wave.sample_rate = static_cast<int>(rate);
            have_format = true;
        } else if (HasId(chunk, "data") && !have_data) {
            wave.samples.assign(b.begin() + static_cast<std::ptrdiff_t>(body),
                                b.begin() + static_cast<std::ptrdiff_t>(body + size));
            have_data = true;
        }
        at = body + size + (size & 1); // chunks are padded to even lengths
    }
    if (!have_format || !have_data) InvalidWave(name);
    wave.samples.resize(wave.samples.size() / static_cast<size_t>(wave.FrameBytes()) *
                        static_cast<size_t>(wave.FrameBytes()));
    return wave;
}
