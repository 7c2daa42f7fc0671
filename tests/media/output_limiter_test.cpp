// The output stage on made-up buffers: nothing ever reaches full scale, a mix that fits
// comes out as it went in (only delayed), the gain moves smoothly, and the fade at the end
// ramps down to silence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <vector>

#include "media/output_limiter.h"

namespace {

constexpr int Rate = 44100;
constexpr float Makeup = 8;
constexpr size_t Buffer = 1024; // frames per call, as the device asks

// Runs a stereo signal (left and right the same, value(frame)) through the limiter in
// device-sized calls; returns the left channel of the output.
std::vector<int16_t> Limit(OutputLimiter& limiter, size_t frames,
                           const std::function<int16_t(size_t)>& value) {
    std::vector<int16_t> out;
    std::vector<int16_t> buffer(2 * Buffer);
    for (size_t start = 0; start < frames; start += Buffer) {
        for (size_t i = 0; i < Buffer; ++i) buffer[2 * i] = buffer[2 * i + 1] = value(start + i);
        limiter.Process(buffer);
        for (size_t i = 0; i < Buffer; ++i) out.push_back(buffer[2 * i]);
    }
    return out;
}

int16_t Sine(size_t frame, double amplitude, double hertz = 440) {
    return static_cast<int16_t>(std::lround(
        amplitude * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(frame) / Rate)));
}

TEST(OutputLimiterTest, NeverAboveTheCeilingAndAMixThatFitsPassesUntouched) {
    struct Case {
        const char* what;
        double amplitude; // of the mix made with headroom
        bool fits;
    };
    const Case cases[] = {
        {"quiet", 500, true},
        {"just under the ceiling", OutputLimiter::Ceiling / Makeup - 2, true},
        {"just over the ceiling", OutputLimiter::Ceiling / Makeup + 40, false},
        {"three times full scale", 3 * 32767 / Makeup, false},
        {"the loudest the mixer can hold", 32767, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OutputLimiter limiter(Rate, 2, Makeup);
        const size_t delay = limiter.LookAheadFrames();
        const auto in = [&](size_t frame) { return Sine(frame, c.amplitude); };
        const std::vector<int16_t> out = Limit(limiter, Rate / 2, in);
        int peak = 0;
        long largest_change = 0;
        for (size_t k = delay; k < out.size(); ++k) {
            peak = std::max(peak, std::abs(static_cast<int>(out[k])));
            const long expected = std::lround(in(k - delay) * Makeup);
            largest_change = std::max(largest_change, std::labs(out[k] - expected));
        }
        EXPECT_LE(peak, OutputLimiter::Ceiling);
        if (c.fits)
            EXPECT_EQ(largest_change, 0) << "a mix that fits is passed at its own level";
        else
            EXPECT_GT(peak, OutputLimiter::Ceiling * 0.97) << "limited, not muted";
    }
}

TEST(OutputLimiterTest, TheGainComesDownBeforeABurstAndRecoversSmoothly) {
    // A steady tone at half the ceiling; for a tenth of a second a burst four times as loud.
    OutputLimiter limiter(Rate, 2, Makeup);
    const double quiet = OutputLimiter::Ceiling / Makeup / 2;
    const size_t burst_start = Rate / 2, burst_end = burst_start + Rate / 10;
    const auto level = [&](size_t frame) {
        return frame >= burst_start && frame < burst_end ? 4 * quiet : quiet;
    };
    // A constant level (a square wave of one sign per half second) shows the gain itself.
    const std::vector<int16_t> out =
        Limit(limiter, Rate * 2, [&](size_t frame) { return static_cast<int16_t>(level(frame)); });
    const size_t delay = limiter.LookAheadFrames();
    double previous = 1;
    double largest_step = 0;
    for (size_t k = delay; k < out.size(); ++k) {
        const double gain = out[k] / (level(k - delay) * Makeup);
        EXPECT_LE(out[k], OutputLimiter::Ceiling) << k;
        if (k > delay) largest_step = std::max(largest_step, std::fabs(gain - previous));
        previous = gain;
    }
    // Coming down takes the look-ahead; going up the release: no step is a click.
    EXPECT_LT(largest_step, 1.0 / static_cast<double>(delay) + 0.01);
    const double gain_during = out[burst_end - 1 + delay] / (4 * quiet * Makeup);
    EXPECT_NEAR(gain_during, 0.5, 0.01);
    const auto gain_after = [&](double seconds) {
        const auto k = burst_end + delay + static_cast<size_t>(seconds * Rate);
        return out[k] / (quiet * Makeup);
    };
    EXPECT_LT(gain_after(0.02), 0.9) << "no sudden jump back";
    EXPECT_GT(gain_after(0.5), 0.99) << "back to the quiet level within half a second";
}

TEST(OutputLimiterTest, TheFadeOutRampsToSilenceInThirtyMilliseconds) {
    OutputLimiter limiter(Rate, 2, Makeup);
    const auto tone = [](size_t frame) { return Sine(frame, 2000, 100); };
    Limit(limiter, Rate / 4, tone);
    EXPECT_FALSE(limiter.LastOutputSilent());
    limiter.StartFadeOut();
    const std::vector<int16_t> out = Limit(limiter, 4 * Buffer, tone);
    const auto fade = static_cast<size_t>(OutputLimiter::FadeOutSeconds * Rate);
    int start_level = 0;
    for (size_t k = 0; k < out.size(); ++k) {
        const double envelope = std::max(0.0, 1.0 - static_cast<double>(k + 1) / fade);
        EXPECT_LE(std::abs(out[k]), 2000 * Makeup * envelope + 3) << k;
        if (k < 441) start_level = std::max(start_level, std::abs(static_cast<int>(out[k])));
    }
    // Within the first period of the tone the fade has taken off no more than a third.
    EXPECT_GT(start_level, 2000 * Makeup * 0.66) << "the fade starts from the full level";
    EXPECT_TRUE(limiter.LastOutputSilent());
    EXPECT_TRUE(limiter.FadedOut());
}

} // namespace
