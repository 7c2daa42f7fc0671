// The output stage on made-up buffers: nothing reaches full scale, a mix that fits comes
// out as it went in (only delayed), the gain moves without steps, and the fade at the end
// ramps down to silence.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "media/output_limiter.h"

namespace {

constexpr int Rate = 44100;
constexpr float Makeup = 8;

// Both channels value(frame), through the limiter in the device's 1024-frame calls; the
// left channel of the output.
std::vector<int16_t> Limit(OutputLimiter& limiter, size_t frames,
                           const std::function<double(size_t)>& value) {
    std::vector<int16_t> out, buffer(2048);
    for (size_t start = 0; start < frames; start += 1024) {
        for (size_t i = 0; i < 1024; ++i)
            buffer[2 * i] = buffer[2 * i + 1] = static_cast<int16_t>(std::lround(value(start + i)));
        limiter.Process(buffer);
        for (size_t i = 0; i < 1024; ++i) out.push_back(buffer[2 * i]);
    }
    return out;
}

TEST(OutputLimiterTest, NothingClipsAMixThatFitsPassesAndTheGainMovesSmoothly) {
    // A tone at `level` times the ceiling, four times as loud for a tenth of a second (2.0
    // is as loud as the mixer holds).
    for (const auto& row : {std::pair{0.05, true}, {0.99, true}, {1.02, false}, {2.0, false}}) {
        const double level = row.first; // a plain local: lambdas below capture it
        const bool fits = row.second;
        SCOPED_TRACE(level);
        const auto loud = [](size_t f) { return f >= Rate / 2 && f < Rate * 6 / 10 ? 4.0 : 1.0; };
        const auto in = [&](size_t f) {
            return std::round(level * OutputLimiter::Ceiling / Makeup * loud(f) *
                              std::sin(2 * std::numbers::pi * 440 * static_cast<double>(f) / Rate));
        };
        OutputLimiter limiter(Rate, 2, Makeup);
        const std::vector<int16_t> out = Limit(limiter, Rate, in);
        const size_t delay = limiter.LookAheadFrames();
        double peak = 0, worst_step = 0, previous_gain = -1; // none yet
        for (size_t k = delay; k < Rate / 2; ++k) {          // before the burst: the tone alone
            peak = std::max(peak, std::fabs(out[k]));
            ASSERT_TRUE(!fits || out[k] == in(k - delay) * Makeup) << "changed at " << k;
        }
        for (size_t k = delay; k < out.size(); ++k) {
            ASSERT_LE(std::abs(out[k]), OutputLimiter::Ceiling) << k;
            const double x = in(k - delay) * Makeup;
            if (std::fabs(x) < 2000) continue; // the gain shows where the tone is strong
            if (previous_gain >= 0)
                worst_step = std::max(worst_step, std::fabs(out[k] / x - previous_gain));
            previous_gain = out[k] / x;
        }
        EXPECT_TRUE(fits || peak > OutputLimiter::Ceiling * 0.97) << "limited, not muted";
        EXPECT_LT(worst_step, 0.02) << "no step in the gain: no click";
    }
}

TEST(OutputLimiterTest, TheFadeOutRampsToSilenceInThirtyMilliseconds) {
    OutputLimiter limiter(Rate, 2, Makeup);
    Limit(limiter, Rate / 4, [](size_t) { return 2000.0; });
    limiter.StartFadeOut();
    const std::vector<int16_t> out = Limit(limiter, 4096, [](size_t) { return 2000.0; });
    const double fade = OutputLimiter::FadeOutSeconds * Rate;
    for (size_t k = 0; k < out.size(); ++k)
        EXPECT_NEAR(out[k], 16000 * std::max(0.0, 1 - static_cast<double>(k + 1) / fade), 3) << k;
    EXPECT_TRUE(limiter.LastOutputSilent());
    EXPECT_TRUE(limiter.FadedOut());
}

// A pause: held, the output ramps to silence as the fade-out does; let go, it ramps back
// up over the same time to the level it had, never by more than one step a frame.
TEST(OutputLimiterTest, AHoldFadesToSilenceAndBackWithoutSteps) {
    OutputLimiter limiter(Rate, 2, Makeup);
    const auto tone = [](size_t) { return 2000.0; };
    Limit(limiter, Rate / 4, tone);
    limiter.SetHeld(true);
    const std::vector<int16_t> down = Limit(limiter, 4096, tone);
    EXPECT_TRUE(limiter.Silenced());
    EXPECT_FALSE(limiter.FadedOut()) << "a hold is no fade-out: the device stays open";
    limiter.SetHeld(false);
    const std::vector<int16_t> up = Limit(limiter, 4096, tone);
    EXPECT_FALSE(limiter.Silenced());
    const double fade = OutputLimiter::FadeOutSeconds * Rate;
    for (size_t k = 0; k < up.size(); ++k) {
        EXPECT_NEAR(down[k], 16000 * std::max(0.0, 1 - static_cast<double>(k + 1) / fade), 3);
        EXPECT_NEAR(up[k], 16000 * std::min(1.0, static_cast<double>(k + 1) / fade), 3) << k;
    }
}

// After a loud moment the gain comes back with a time constant of a tenth of a second:
// after that long it has made up all but 1/e of what it gave away, not at once and not
// much later.
TEST(OutputLimiterTest, TheGainRecoversOverTheReleaseTimeAfterALoudMoment) {
    // A steady level needing half the gain for a tenth of a second, then half the ceiling.
    const double quiet = 0.5 * OutputLimiter::Ceiling / Makeup;
    const size_t loud_end = Rate / 2;
    const auto in = [&](size_t f) { return f >= Rate / 4 && f < loud_end ? 4 * quiet : quiet; };
    OutputLimiter limiter(Rate, 2, Makeup);
    const std::vector<int16_t> out = Limit(limiter, Rate, in);
    const size_t delay = limiter.LookAheadFrames();
    // The required gain rises a look-ahead after the loud frames leave, and the gain is its
    // average over one look-ahead more: the recovery starts one and a half look-aheads on.
    const double start = static_cast<double>(loud_end) + 1.5 * static_cast<double>(delay);
    for (const double seconds : {0.02, 0.05, 0.1, 0.2, 0.3}) {
        const auto k = static_cast<size_t>(start + seconds * Rate);
        const double gain = out[k] / (in(k - delay) * Makeup);
        EXPECT_NEAR(gain, 1 - 0.5 * std::exp(-seconds / 0.1), 0.01)
            << seconds << " s after the loud moment";
    }
}

} // namespace
