#include "media/output_limiter.h"

#include <algorithm>
#include <cmath>
#include <numeric>

OutputLimiter::OutputLimiter(int rate, int channels, float makeup)
    : channels_(std::max(channels, 1)), makeup_(makeup),
      look_ahead_(std::max<size_t>(1, static_cast<size_t>(std::lround(rate * LookAheadSeconds)))),
      release_step_(static_cast<float>(1.0 - std::exp(-1.0 / (ReleaseSeconds * rate)))),
      fade_step_(static_cast<float>(1.0 / (FadeOutSeconds * rate))),
      delay_(look_ahead_ * static_cast<size_t>(channels_), 0.0f), envelope_ring_(look_ahead_, 1.0f),
      envelope_sum_(static_cast<double>(look_ahead_)) {}

float OutputLimiter::GainFor(float required) {
    // The least gain any frame of the window needs: this frame and the look_ahead_ before
    // it, among them the one that leaves the delay now.
    while (!window_min_.empty() && window_min_.back().second >= required) window_min_.pop_back();
    window_min_.emplace_back(frame_, required);
    if (window_min_.front().first + look_ahead_ < frame_) window_min_.pop_front();
    ++frame_;
    // Down at once to what the window needs, back up slowly.
    envelope_ =
        std::min(window_min_.front().second, envelope_ + (1.0f - envelope_) * release_step_);
    // Averaged over the look-ahead, a step down becomes a ramp that ends at the frame that
    // needs it; every value averaged saw that frame in its window, so the average never
    // lets it through louder than it may be.
    envelope_sum_ += envelope_ - envelope_ring_[ring_at_];
    envelope_ring_[ring_at_] = envelope_;
    if (++ring_at_ == look_ahead_) {
        ring_at_ = 0;
        // A fresh sum now and then keeps rounding from piling up over hours of play.
        envelope_sum_ = std::accumulate(envelope_ring_.begin(), envelope_ring_.end(), 0.0);
    }
    return static_cast<float>(envelope_sum_ / static_cast<double>(look_ahead_));
}

void OutputLimiter::Process(std::span<int16_t> samples) {
    const bool fading = fade_requested_.load();
    const bool down = fading || held_.load();
    const auto channels = static_cast<size_t>(channels_);
    bool silent = true;
    for (size_t i = 0; i + channels <= samples.size(); i += channels) {
        float peak = 0;
        for (size_t c = 0; c < channels; ++c)
            peak = std::max(peak, std::fabs(static_cast<float>(samples[i + c]) * makeup_));
        float gain = GainFor(peak > Ceiling ? Ceiling / peak : 1.0f);
        if (down)
            fade_gain_ = std::max(0.0f, fade_gain_ - fade_step_);
        else
            fade_gain_ = std::min(1.0f, fade_gain_ + fade_step_);
        gain *= fade_gain_;
        float* delayed = &delay_[delay_at_ * channels];
        for (size_t c = 0; c < channels; ++c) {
            const long out = std::lround(delayed[c] * gain);
            delayed[c] = static_cast<float>(samples[i + c]) * makeup_;
            samples[i + c] = static_cast<int16_t>(std::clamp(out, -32768L, 32767L));
            silent = silent && out == 0;
        }
        if (++delay_at_ == look_ahead_) delay_at_ = 0;
    }
    if (down && fade_gain_ <= 0.0f) {
        if (silent_after_fade_) {
            silenced_.store(true);
            if (fading) faded_out_.store(true);
        }
        silent_after_fade_ = true;
    } else {
        silent_after_fade_ = false;
        silenced_.store(false);
    }
    last_silent_.store(silent);
}
