// Writes the thirteen wave recordings: each is rendered four times oversampled, filtered
// down to its file rate (no aliasing, also at 8 kHz), levelled and stored as 8-bit PCM.
#include <chrono>
#include <cmath>
#include <iostream>
#include <iterator>

#include "game/waves.h"
#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/snd_items.h"
#include "tools/assetgen/snd_wave.h"

namespace assetgen {
namespace {

constexpr int Oversampling = 4;

struct SoundDesign {
    int wave; // the wave list's index: its file name and whether it loops
    int rate;
    double seconds;
    float peak; // loudest sample, of full scale: sets the balance between the sounds
    Signal (*make)(const SoundFormat&);
};

// In the wave list's order. Music peaks lower than the effects that play over it; the
// frequent small effects stay below the rare big explosions.
constexpr SoundDesign Designs[] = {
    {wave::Dash, 11025, 1.07, 0.45f, MakeDash},
    {wave::PlayerShot, 11025, 0.56, 0.55f, MakePlayerShot},
    {wave::PlayerExplosion, 22050, 1.20, 0.85f, MakePlayerExplosion},
    {wave::EnemyShot, 22050, 0.31, 0.42f, MakeEnemyShot},
    {wave::BossBGM, 11025, 8.13, 0.55f, MakeBossBgm},
    {wave::Missile, 8000, 1.00, 0.65f, MakeMissile},
    {wave::GameBGM, 8000, 26.50, 0.52f, MakeGameBgm},
    {wave::EnemyHit, 8000, 0.54, 0.55f, MakeEnemyHit},
    {wave::EnemyExplosion, 8000, 1.90, 0.78f, MakeEnemyExplosion},
    {wave::BossExplosion, 8000, 5.25, 0.90f, MakeBossExplosion},
    {wave::GameClear, 11025, 6.00, 0.62f, MakeGameClear},
    {wave::Ending, 11025, 18.79, 0.58f, MakeEnding},
    {wave::SwingBlade, 8000, 0.85, 0.60f, MakeBladeSwing},
};
static_assert(std::size(Designs) == wave::Count, "a sound for every wave");

} // namespace

void WriteSounds(const std::string& out_dir) {
    const auto start = std::chrono::steady_clock::now();
    for (const SoundDesign& d : Designs) {
        const wave::Design& item = wave::Designs[static_cast<size_t>(d.wave)];
        const size_t samples = static_cast<size_t>(std::lround(d.rate * d.seconds));
        SoundFormat format;
        format.output_rate = static_cast<float>(d.rate);
        format.rate = static_cast<float>(d.rate * Oversampling);
        format.length = samples * Oversampling;
        const Signal rendered = d.make(format);
        const Signal signal = Decimate(rendered, Oversampling, 0.9f, item.looped);
        // Loops meet the centre level at both ends; effects start at once and end softly.
        const int fade_in = item.looped ? d.rate / 400 : d.rate / 2000;
        const int fade_out = item.looped ? d.rate / 400 : d.rate / 50;
        WriteWav(out_dir + "/" + wave::FileOf(item),
                 ToPcm8(signal, d.rate, d.peak, fade_in, fade_out));
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::cout << "assetgen: sounds in " << ms << " ms\n";
}

} // namespace assetgen
