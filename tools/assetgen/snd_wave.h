// Mono 8-bit PCM wave files: level setting, the edges of loops, and the file itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/snd_dsp.h"

namespace assetgen {

struct Pcm8 {
    int rate = 0;
    std::vector<uint8_t> samples; // unsigned, 128 is silence
};

// Scales the signal so its largest magnitude is peak (0..1), ramps the first and last
// fade samples to silence (so a loop restarts without a click and an effect ends
// cleanly), and converts to unsigned 8 bits.
Pcm8 ToPcm8(const Signal& signal, int rate, float peak, int fade_in, int fade_out);
void WriteWav(const std::string& path, const Pcm8& wave);

} // namespace assetgen
