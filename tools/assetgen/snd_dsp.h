// Building blocks of the sound synthesis: noise, band-limited oscillators, a state
// variable filter, envelopes and the decimator that brings the oversampled signal down to
// the file's rate without aliasing.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

using Signal = std::vector<float>;

// Deterministic white noise (xorshift), so every build writes the same files.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}
    float Next(); // -1 .. 1
    float Uniform01();

private:
    uint32_t state_;
};

// A phase accumulator with anti-aliased (PolyBLEP) saw, square and pulse outputs.
class Oscillator {
public:
    void Reset(float phase = 0) { phase_ = phase; }
    // Advances by one sample at frequency/rate and returns the wave at the new phase.
    float Saw(float frequency, float rate);
    float Pulse(float frequency, float rate, float width);
    float Triangle(float frequency, float rate);
    float Sine(float frequency, float rate);
    float Phase() const { return phase_; }

private:
    float Advance(float frequency, float rate);
    float phase_ = 0;
};

// Zero-delay-feedback state variable filter; the cutoff may change every sample.
class Svf {
public:
    struct Out {
        float low, band, high;
    };
    Out Process(float x, float cutoff, float rate, float q);
    // For callers that change the cutoff less often than every sample.
    void Tune(float cutoff, float rate, float q);
    Out Process(float x);

private:
    float ic1_ = 0, ic2_ = 0;
    float k_ = 1, a1_ = 0, a2_ = 0, a3_ = 0;
};

// Linear attack, exponential decay to the sustain level, exponential release after the
// gate closes. Times in seconds; t since the note began, gate the held length.
float Adsr(float t, float gate, float attack, float decay, float sustain, float release);
// exp(-t / tau) for t >= 0, 0 before.
float Decay(float t, float tau);
// Cents to a frequency ratio.
float Cents(float cents);
// Frequency of a MIDI note number.
float NoteFrequency(float note);

// Low-pass filters and keeps every factor-th sample. With circular set the signal is
// treated as one period of a loop, so its end flows into its start.
Signal Decimate(const Signal& in, int factor, float cutoff_fraction, bool circular);
// Feedback echo; with circular set, the echo of the loop's end sounds at its start.
void Echo(Signal& signal, int delay, float feedback, float mix, bool circular);

} // namespace assetgen
