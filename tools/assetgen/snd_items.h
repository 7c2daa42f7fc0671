// The game's thirteen sounds, one maker each. Every maker renders at the oversampled
// rate of the spec it is given and fills exactly spec.length samples.
#pragma once

#include <cstddef>

#include "tools/assetgen/snd_dsp.h"

namespace assetgen {

struct SoundSpec {
    float rate = 0;        // rendering rate (a multiple of the file's rate)
    float output_rate = 0; // the file's rate
    size_t length = 0;     // samples at the rendering rate
};

// Effects.
Signal MakeDash(const SoundSpec& spec);
Signal MakePlayerShot(const SoundSpec& spec);
Signal MakePlayerExplosion(const SoundSpec& spec);
Signal MakeEnemyShot(const SoundSpec& spec);
Signal MakeMissile(const SoundSpec& spec);
Signal MakeEnemyHit(const SoundSpec& spec);
Signal MakeEnemyExplosion(const SoundSpec& spec);
Signal MakeBossExplosion(const SoundSpec& spec);
Signal MakeBladeSwing(const SoundSpec& spec);

// Music. The two loops are rendered as one period of a loop.
Signal MakeGameBgm(const SoundSpec& spec);
Signal MakeBossBgm(const SoundSpec& spec);
Signal MakeGameClear(const SoundSpec& spec);
Signal MakeEnding(const SoundSpec& spec);

} // namespace assetgen
