// The generated wave recordings as the wave list plays them: format, rate and length,
// clean loop points and endings, no clipping, sensible levels, band-limited music.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <string>
#include <vector>

#include "tests/assets_media/media_files.h"

namespace {

using media_files::ReadWav;
using media_files::Wav;

struct SoundCase {
    const char* name;
    int rate;
    double seconds;
    bool loop;
    bool music;
};

const SoundCase Sounds[] = {
    {"ダッシュ", 11025, 1.07, false, false},        {"自機ショット", 11025, 0.56, false, false},
    {"自機爆発", 22050, 1.20, false, false},        {"敵ショット", 22050, 0.31, false, false},
    {"BossBGM", 11025, 8.13, true, true},           {"ミサイル", 8000, 1.00, false, false},
    {"GameBGM", 8000, 26.50, true, true},           {"敵当たり", 8000, 0.54, false, false},
    {"敵爆発", 8000, 1.90, false, false},           {"Boss大爆発", 8000, 5.25, false, false},
    {"ゲームクリア", 11025, 6.00, false, true},     {"ENDING", 11025, 18.79, false, true},
    {"スイングブレード", 8000, 0.85, false, false},
};

void PrintTo(const SoundCase& c, std::ostream* os) {
    *os << c.name;
}

Wav Load(const SoundCase& c) {
    return ReadWav(std::string(c.name) + ".wav");
}

int Deviation(uint8_t s) {
    return std::abs(static_cast<int>(s) - 128);
}

// Loudness of the loudest 50 ms of a recording, in dB of full scale.
double LoudestWindowDb(const Wav& w) {
    const size_t window = static_cast<size_t>(w.rate / 20);
    double best = 0;
    for (size_t start = 0; start + window <= w.samples.size(); start += window / 2) {
        double sum = 0;
        for (size_t i = start; i < start + window; ++i) {
            const double v = (w.samples[i] - 128.0) / 128.0;
            sum += v * v;
        }
        best = std::max(best, sum / static_cast<double>(window));
    }
    return 10.0 * std::log10(best + 1e-12);
}

class SoundFile : public testing::TestWithParam<SoundCase> {};

TEST_P(SoundFile, MonoEightBitPcmAtTheListedRateAndLength) {
    const SoundCase& c = GetParam();
    const Wav w = Load(c);
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bits, 8);
    EXPECT_EQ(w.rate, c.rate);
    const double seconds = static_cast<double>(w.samples.size()) / w.rate;
    EXPECT_NEAR(seconds, c.seconds, c.seconds * 0.03);
}

TEST_P(SoundFile, StartsAndEndsAtTheCentreLevel) {
    // Looped items restart without a click, so both ends sit at the centre; the others
    // may strike at once but must not stop with a click.
    const SoundCase& c = GetParam();
    const Wav w = Load(c);
    ASSERT_GT(w.samples.size(), 8u);
    EXPECT_LE(Deviation(w.samples.front()), 1);
    for (size_t i = 0; i < 3; ++i) {
        if (c.loop) {
            EXPECT_LE(Deviation(w.samples[i]), 1) << "sample " << i;
        }
        EXPECT_LE(Deviation(w.samples[w.samples.size() - 1 - i]), 1) << "sample -" << i + 1;
    }
}

TEST_P(SoundFile, AudibleWithoutClippingOrOffset) {
    const Wav w = Load(GetParam());
    const int peak = std::accumulate(w.samples.begin(), w.samples.end(), 0,
                                     [](int m, uint8_t s) { return std::max(m, Deviation(s)); });
    EXPECT_GE(peak, 40) << "too quiet to hear over the game";
    size_t run = 0, longest = 0;
    double sum = 0;
    for (uint8_t s : w.samples) {
        run = (s == 0 || s == 255) ? run + 1 : 0;
        longest = std::max(longest, run);
        sum += s;
    }
    EXPECT_LE(longest, 3u) << "clipped";
    // An offset from the centre would thump whenever the sound starts or stops.
    EXPECT_NEAR(sum / static_cast<double>(w.samples.size()), 128.0, 1.5);
}

INSTANTIATE_TEST_SUITE_P(Generated, SoundFile, testing::ValuesIn(Sounds));

TEST(SoundLevels, EffectsNeitherDrownTheMusicNorVanishUnderIt) {
    const double music = LoudestWindowDb(Load(Sounds[6])); // GameBGM
    for (const SoundCase& c : Sounds) {
        if (c.music) continue;
        const double effect = LoudestWindowDb(Load(c));
        EXPECT_LE(effect, music + 6.0) << c.name;
        EXPECT_GE(effect, music - 10.0) << c.name;
    }
}

TEST(SoundLevels, ExplosionsAreTheLoudestEffects) {
    const double shot = LoudestWindowDb(Load(Sounds[1]));
    const double enemy_shot = LoudestWindowDb(Load(Sounds[3]));
    const double boss_blast = LoudestWindowDb(Load(Sounds[9]));
    const double enemy_blast = LoudestWindowDb(Load(Sounds[8]));
    EXPECT_GT(boss_blast, shot);
    EXPECT_GT(enemy_blast, enemy_shot);
}

// Share of the power spectrum in the top 4 % below half the rate, over the whole file.
double TopBandShare(const Wav& w) {
    constexpr size_t N = 1024;
    std::vector<double> power(N / 2, 0.0);
    std::vector<std::complex<double>> a(N);
    for (size_t start = 0; start + N <= w.samples.size(); start += N / 2) {
        for (size_t i = 0; i < N; ++i) {
            const double hann =
                0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / N);
            a[i] = (w.samples[start + i] - 128.0) * hann;
        }
        for (size_t i = 1, j = 0; i < N; ++i) { // in-place radix-2 FFT
            size_t bit = N >> 1;
            for (; j & bit; bit >>= 1) j ^= bit;
            j ^= bit;
            if (i < j) std::swap(a[i], a[j]);
        }
        for (size_t len = 2; len <= N; len <<= 1) {
            const std::complex<double> step =
                std::polar(1.0, -2 * std::numbers::pi / static_cast<double>(len));
            for (size_t i = 0; i < N; i += len) {
                std::complex<double> tw(1);
                for (size_t k = 0; k < len / 2; ++k, tw *= step) {
                    const auto u = a[i + k], v = a[i + k + len / 2] * tw;
                    a[i + k] = u + v;
                    a[i + k + len / 2] = u - v;
                }
            }
        }
        for (size_t k = 0; k < N / 2; ++k) power[k] += std::norm(a[k]);
    }
    double total = 0, top = 0;
    for (size_t k = 1; k < N / 2; ++k) {
        total += power[k];
        if (k >= N / 2 * 96 / 100) top += power[k];
    }
    return top / total;
}

TEST(Music, BandLimitedBelowHalfTheRate) {
    // Content folded back from above half the rate would fill the top of the band; what
    // is left there is 8-bit quantisation noise.
    for (size_t index : {4u, 6u, 10u, 11u}) {
        const double share = TopBandShare(Load(Sounds[index]));
        EXPECT_LT(share, 2e-3) << Sounds[index].name;
    }
}

} // namespace
