#include "media/volume_ramp.h"

#include <algorithm>
#include <cmath>

VolumeRamp::VolumeRamp(int rate, float gain)
    : length_(std::max<size_t>(1, static_cast<size_t>(std::lround(rate * RampSeconds)))),
      from_(gain), to_(gain), gain_(gain), step_(length_) {}

void VolumeRamp::Process(std::span<int16_t> samples, int channels, float target) {
    const auto width = static_cast<size_t>(std::max(channels, 1));
    if (target != to_) {
        // A new ramp from wherever the gain is now.
        from_ = gain_;
        to_ = target;
        step_ = 0;
    }
    for (size_t i = 0; i + width <= samples.size(); i += width) {
        if (step_ < length_) {
            ++step_;
            const float t = static_cast<float>(step_) / static_cast<float>(length_);
            // Smoothstep: the gain leaves and reaches its values with zero slope.
            gain_ = step_ == length_ ? to_ : from_ + (to_ - from_) * t * t * (3.0f - 2.0f * t);
        }
        if (gain_ == 1.0f) continue; // full volume: the samples as they are
        for (size_t c = 0; c < width; ++c)
            samples[i + c] =
                static_cast<int16_t>(std::lround(static_cast<float>(samples[i + c]) * gain_));
    }
}
