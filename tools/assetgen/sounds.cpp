// Writes the thirteen wave recordings: each is rendered four times oversampled, filtered
// down to its file rate (no aliasing, also at 8 kHz), levelled and stored as 8-bit PCM.
#include <chrono>
#include <cmath>
#include <iostream>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/snd_items.h"
#include "tools/assetgen/snd_wave.h"

namespace assetgen {
namespace {

constexpr int Oversampling = 4;

struct SoundDesign {
    const char* name;
    int rate;
    double seconds;
    bool loop;
    float peak; // loudest sample, of full scale: sets the balance between the sounds
    Signal (*make)(const SoundFormat&);
};

// In the wave list's order. Music peaks lower than the effects that play over it; the
// frequent small effects stay below the rare big explosions.
constexpr SoundDesign Designs[] = {
    {"ダッシュ", 11025, 1.07, false, 0.45f, MakeDash},
    {"自機ショット", 11025, 0.56, false, 0.55f, MakePlayerShot},
    {"自機爆発", 22050, 1.20, false, 0.85f, MakePlayerExplosion},
    {"敵ショット", 22050, 0.31, false, 0.42f, MakeEnemyShot},
    {"BossBGM", 11025, 8.13, true, 0.55f, MakeBossBgm},
    {"ミサイル", 8000, 1.00, false, 0.65f, MakeMissile},
    {"GameBGM", 8000, 26.50, true, 0.52f, MakeGameBgm},
    {"敵当たり", 8000, 0.54, false, 0.55f, MakeEnemyHit},
    {"敵爆発", 8000, 1.90, false, 0.78f, MakeEnemyExplosion},
    {"Boss大爆発", 8000, 5.25, false, 0.90f, MakeBossExplosion},
    {"ゲームクリア", 11025, 6.00, false, 0.62f, MakeGameClear},
    {"ENDING", 11025, 18.79, false, 0.58f, MakeEnding},
    {"スイングブレード", 8000, 0.85, false, 0.60f, MakeBladeSwing},
};

} // namespace

void WriteSounds(const std::string& out_dir) {
    const auto start = std::chrono::steady_clock::now();
    for (const SoundDesign& d : Designs) {
        const size_t samples = static_cast<size_t>(std::lround(d.rate * d.seconds));
        SoundFormat format;
        format.output_rate = static_cast<float>(d.rate);
        format.rate = static_cast<float>(d.rate * Oversampling);
        format.length = samples * Oversampling;
        const Signal rendered = d.make(format);
        const Signal signal = Decimate(rendered, Oversampling, 0.9f, d.loop);
        // Loops meet the centre level at both ends; effects start at once and end softly.
        const int fade_in = d.loop ? d.rate / 400 : d.rate / 2000;
        const int fade_out = d.loop ? d.rate / 400 : d.rate / 50;
        WriteWav(out_dir + "/" + d.name + ".wav",
                 ToPcm8(signal, d.rate, d.peak, fade_in, fade_out));
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::cout << "assetgen: sounds in " << ms << " ms\n";
}

} // namespace assetgen
