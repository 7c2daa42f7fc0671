#include "tools/assetgen/snd_wave.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "tools/assetgen/little_endian.h"

namespace assetgen {
namespace {

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

Pcm8 ToPcm8(const Signal& signal, int rate, float peak, int fade_in, int fade_out) {
    float largest = 0;
    for (float v : signal) largest = std::max(largest, std::abs(v));
    const float gain = largest > 0 ? peak / largest : 0.0f;
    Pcm8 out;
    out.rate = rate;
    out.samples.resize(signal.size());
    const size_t n = signal.size();
    for (size_t i = 0; i < n; ++i) {
        float v = signal[i] * gain;
        // Raised-cosine ramps at the edges.
        if (static_cast<int>(i) < fade_in)
            v *= 0.5f -
                 0.5f * std::cos(3.14159265f * static_cast<float>(i) / static_cast<float>(fade_in));
        const size_t from_end = n - 1 - i;
        if (static_cast<int>(from_end) < fade_out)
            v *= 0.5f - 0.5f * std::cos(3.14159265f * static_cast<float>(from_end) /
                                        static_cast<float>(fade_out));
        const long q = std::lround(128.0f + v * 127.0f);
        out.samples[i] = static_cast<uint8_t>(std::clamp(q, 1L, 255L));
    }
    return out;
}

void WriteWav(const std::string& path, const Pcm8& wave) {
    const uint32_t data_bytes = static_cast<uint32_t>(wave.samples.size());
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, 36 + data_bytes + (data_bytes & 1));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1); // mono
    Put32(out, static_cast<uint32_t>(wave.rate));
    Put32(out, static_cast<uint32_t>(wave.rate)); // bytes per second
    Put16(out, 1);                                // block align
    Put16(out, 8);                                // bits per sample
    PutTag(out, "data");
    Put32(out, data_bytes);
    out.insert(out.end(), wave.samples.begin(), wave.samples.end());
    if (data_bytes & 1) out.push_back(128); // chunks are padded to even length
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

} // namespace assetgen
