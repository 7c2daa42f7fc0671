// One playing sound's volume stage, before the sounds are mixed: the samples are scaled by
// the volume of the sound's kind (music or effects). A new volume is reached along a smooth
// ramp, sample by sample, that starts and ends with no change of slope, so that dragging a
// slider or muting in the middle of a sound makes no click. At full volume the samples pass
// untouched, bit for bit; at zero they are silence.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The gain of a volume from 0 to 100 %: its square, so that equal steps of the slider sound
// like roughly equal steps of loudness; 100 % is exactly 1.
constexpr float VolumeGain(int percent) {
    const float v = static_cast<float>(percent < 0 ? 0 : (percent > 100 ? 100 : percent)) / 100.0f;
    return v * v;
}

class VolumeRamp {
public:
    static constexpr double RampSeconds = 0.03;

    // A sound starting at this gain (its kind's volume when it starts).
    VolumeRamp(int rate, float gain);

    // Scales interleaved 16-bit frames in place, moving towards target.
    void Process(std::span<int16_t> samples, int channels, float target);
    float Gain() const { return gain_; }

private:
    size_t length_; // frames a ramp lasts
    float from_, to_, gain_;
    size_t step_;
};
