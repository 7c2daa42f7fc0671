// What the wave list and the beep need from SDL_mixer: sounds converted to the open
// device's format, and playing on a free channel, adding channels when all are busy.
#pragma once

#include <cstdint>
#include <vector>

#include "media/wave_file.h"

struct Mix_Chunk;

// Every sound plays at an eighth of its level, so that many loud ones at once add up
// inside the mixer without clipping (18 dB of headroom: the heaviest fight measured sums
// to 2.6 times full scale); the output stage gives the level back and keeps the sum below
// full scale (media/output_limiter.h).
constexpr int MixHeadroom = 8;

// A recording in the open device's format, ready to play. Owns its samples; the chunk
// only points at them.
class MixerSound {
public:
    MixerSound() = default;
    ~MixerSound() { Release(); }
    MixerSound(const MixerSound&) = delete;
    MixerSound& operator=(const MixerSound&) = delete;

    // Converts the wave for the open device; false when that fails or there is nothing.
    bool Build(const WaveData& wave);
    // Halts every channel playing it and frees it.
    void Release();
    Mix_Chunk* chunk() const { return chunk_; }

private:
    std::vector<uint8_t> samples_;
    Mix_Chunk* chunk_ = nullptr;
};

// The first channel playing nothing, adding a channel when every one is busy; -1 when none
// can be added.
int FreeChannel();

// True while the channel is playing exactly this chunk.
bool ChannelPlays(int channel, const Mix_Chunk* chunk);

// A short synthesised beep: 16-bit mono.
WaveData SynthesiseBeep();
