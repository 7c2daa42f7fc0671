// The game's thirteen sounds, one maker each. Every maker renders at the oversampled
// rate of the format it is given and fills exactly format.length samples.
#pragma once

#include <cstddef>

#include "tools/assetgen/snd_dsp.h"

namespace assetgen {

struct SoundFormat {
    float rate = 0;        // rendering rate (a multiple of the file's rate)
    float output_rate = 0; // the file's rate
    size_t length = 0;     // samples at the rendering rate
};

// Effects.
Signal MakeDash(const SoundFormat& format);
Signal MakePlayerShot(const SoundFormat& format);
Signal MakePlayerExplosion(const SoundFormat& format);
Signal MakeEnemyShot(const SoundFormat& format);
Signal MakeMissile(const SoundFormat& format);
Signal MakeEnemyHit(const SoundFormat& format);
Signal MakeEnemyExplosion(const SoundFormat& format);
Signal MakeBossExplosion(const SoundFormat& format);
Signal MakeBladeSwing(const SoundFormat& format);

// Music. The two loops are rendered as one period of a loop.
Signal MakeGameBgm(const SoundFormat& format);
Signal MakeBossBgm(const SoundFormat& format);
Signal MakeGameClear(const SoundFormat& format);
Signal MakeEnding(const SoundFormat& format);

} // namespace assetgen
