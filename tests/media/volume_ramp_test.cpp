// The volume stage each playing sound goes through before the mix: full volume leaves the
// mix bit for bit as it was, zero is silence, and a volume that changes while a sound plays
// never makes a step larger than the sound's own largest one (no click).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

#include "media/mixer.h"
#include "media/output_limiter.h"
#include "media/volume_ramp.h"

namespace {

constexpr int Rate = 44100;
constexpr int Channels = 2;
constexpr size_t Frames = Rate / 2;
constexpr size_t Block = 1024; // frames the device asks for at a time

struct Wave {
    const char* name;
    std::function<double(size_t)> value; // -1 .. 1 at each frame
};

double Sine(size_t i, double hz) {
    return std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(i) / Rate);
}

const Wave Waves[] = {
    {"a 30 Hz hum", [](size_t i) { return Sine(i, 30); }},
    {"a 440 Hz tone", [](size_t i) { return 0.9 * Sine(i, 440); }},
    {"a 5 kHz whistle", [](size_t i) { return 0.5 * Sine(i, 5000); }},
    {"a 100 Hz square", [](size_t i) { return Sine(i, 100) >= 0 ? 0.6 : -0.6; }},
};

std::vector<int16_t> Samples(const Wave& wave) {
    std::vector<int16_t> out;
    for (size_t i = 0; i < Frames; ++i) {
        const auto v = static_cast<int16_t>(std::lround(30000.0 * wave.value(i)));
        out.insert(out.end(), Channels, v);
    }
    return out;
}

// The wave through a volume stage starting at `start`, the target switching to `then`
// a third of the way in, in blocks as the device asks for them.
std::vector<int16_t> ThroughStage(std::vector<int16_t> s, float start, float then) {
    VolumeRamp ramp(Rate, start);
    for (size_t at = 0; at < Frames; at += Block) {
        const size_t n = std::min(Block, Frames - at);
        const float target = at < Frames / 3 ? start : then;
        ramp.Process(std::span(s).subspan(at * Channels, n * Channels), Channels, target);
    }
    return s;
}

// The output path after the stages: every wave with the mixer's headroom, summed, then the
// output limiter.
std::vector<int16_t> Mix(const std::vector<std::vector<int16_t>>& waves) {
    std::vector<int16_t> out(Frames * Channels, 0);
    for (const auto& w : waves)
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = static_cast<int16_t>(std::clamp(out[i] + w[i] / MixHeadroom, -32768, 32767));
    OutputLimiter limiter(Rate, Channels, static_cast<float>(MixHeadroom));
    limiter.Process(out);
    return out;
}

int LargestStep(const std::vector<int16_t>& s) {
    int largest = 0;
    for (size_t i = Channels; i < s.size(); ++i)
        largest = std::max(largest, std::abs(s[i] - s[i - Channels]));
    return largest;
}

} // namespace

TEST(VolumeStage, FullVolumeIsTheMixAsItWasAndZeroIsSilence) {
    std::vector<std::vector<int16_t>> bypassed, full, silent;
    for (const Wave& wave : Waves) {
        bypassed.push_back(Samples(wave));
        full.push_back(ThroughStage(Samples(wave), VolumeGain(100), VolumeGain(100)));
        silent.push_back(ThroughStage(Samples(wave), VolumeGain(0), VolumeGain(0)));
    }
    EXPECT_EQ(Mix(full), Mix(bypassed));
    const std::vector<int16_t> nothing = Mix(silent);
    EXPECT_TRUE(std::all_of(nothing.begin(), nothing.end(), [](int16_t v) { return v == 0; }));
}

TEST(VolumeStage, AVolumeChangedDuringASoundMakesNoStepLargerThanTheSoundsOwn) {
    const struct {
        int from, to; // percent
    } changes[] = {{100, 0}, {0, 100}, {100, 30}, {30, 100}, {75, 74}, {50, 0}};
    for (const Wave& wave : Waves) {
        const std::vector<int16_t> own = Samples(wave);
        for (const auto& change : changes) {
            const std::vector<int16_t> out =
                ThroughStage(own, VolumeGain(change.from), VolumeGain(change.to));
            EXPECT_LE(LargestStep(out), std::max(LargestStep(own), 1))
                << wave.name << ", " << change.from << " % to " << change.to << " %";
            // It did arrive at the new volume.
            const size_t last = out.size() - 1;
            EXPECT_NEAR(out[last], own[last] * VolumeGain(change.to), 1.0) << wave.name;
        }
    }
}
