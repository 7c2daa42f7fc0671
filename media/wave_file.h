// Reading RIFF/WAVE recordings: mono or stereo, 8 or 16-bit PCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WaveData {
    int channels = 1;
    int bits = 8; // 8: unsigned samples, 16: signed little-endian
    int sample_rate = 11025;
    std::vector<uint8_t> samples; // whole frames only

    int FrameBytes() const { return channels * bits / 8; }
    double Seconds() const {
        return static_cast<double>(samples.size()) / FrameBytes() / sample_rate;
    }
};

// Parses a wave file's bytes. Raises EInvalidWave "<name>: 不正な Wave です" for anything
// that is not an uncompressed mono or stereo 8 or 16-bit recording, or is cut short.
WaveData ParseWave(const std::vector<uint8_t>& bytes, const std::string& name);
