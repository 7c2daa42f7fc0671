#include "tools/assetgen/snd_dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// The polynomial correction that removes most of a step's aliasing.
float PolyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

} // namespace

float Noise::Next() {
    return Uniform01() * 2.0f - 1.0f;
}

float Noise::Uniform01() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(state_ >> 8) / 16777216.0f;
}

float Oscillator::Advance(float frequency, float rate) {
    const float dt = std::clamp(frequency / rate, 0.0f, 0.5f);
    phase_ += dt;
    if (phase_ >= 1.0f) phase_ -= std::floor(phase_);
    return dt;
}

float Oscillator::Saw(float frequency, float rate) {
    const float dt = Advance(frequency, rate);
    return 2.0f * phase_ - 1.0f - PolyBlep(phase_, dt);
}

float Oscillator::Pulse(float frequency, float rate, float width) {
    const float dt = Advance(frequency, rate);
    float v = phase_ < width ? 1.0f : -1.0f;
    v += PolyBlep(phase_, dt);
    float shifted = phase_ + 1.0f - width;
    shifted -= std::floor(shifted);
    v -= PolyBlep(shifted, dt);
    return v - (2.0f * width - 1.0f); // no offset at any width
}

float Oscillator::Triangle(float frequency, float rate) {
    Advance(frequency, rate);
    return 1.0f - 4.0f * std::abs(phase_ - 0.5f);
}

float Oscillator::Sine(float frequency, float rate) {
    Advance(frequency, rate);
    return std::sin(2.0f * Pi * phase_);
}

void Svf::Tune(float cutoff, float rate, float q) {
    const float fc = std::clamp(cutoff, 10.0f, rate * 0.45f);
    const float g = std::tan(Pi * fc / rate);
    k_ = 1.0f / std::max(q, 0.1f);
    a1_ = 1.0f / (1.0f + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

Svf::Out Svf::Process(float x) {
    const float v3 = x - ic2_;
    const float v1 = a1_ * ic1_ + a2_ * v3;
    const float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0f * v1 - ic1_;
    ic2_ = 2.0f * v2 - ic2_;
    return {v2, v1, x - k_ * v1 - v2};
}

Svf::Out Svf::Process(float x, float cutoff, float rate, float q) {
    Tune(cutoff, rate, q);
    return Process(x);
}

float Adsr(float t, float gate, float attack, float decay, float sustain, float release) {
    if (t < 0) return 0;
    auto held = [&](float u) {
        if (u < attack) return u / attack;
        return sustain + (1.0f - sustain) * std::exp(-(u - attack) / std::max(decay, 1e-4f));
    };
    if (t < gate) return held(t);
    return held(gate) * std::exp(-(t - gate) / std::max(release, 1e-4f));
}

float Decay(float t, float tau) {
    return t < 0 ? 0.0f : std::exp(-t / tau);
}

float Cents(float cents) {
    return std::pow(2.0f, cents / 1200.0f);
}

float NoteFrequency(float note) {
    return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

Signal Decimate(const Signal& in, int factor, float cutoff_fraction, bool circular) {
    // Blackman-windowed sinc; the cutoff is a fraction of the output's Nyquist frequency.
    const int taps = 64 * factor + 1;
    const int half = taps / 2;
    const float fc = cutoff_fraction * 0.5f / static_cast<float>(factor); // of the input rate
    std::vector<float> h(static_cast<size_t>(taps));
    float sum = 0;
    for (int i = 0; i < taps; ++i) {
        const float n = static_cast<float>(i - half);
        const float sinc = n == 0 ? 2.0f * fc : std::sin(2.0f * Pi * fc * n) / (Pi * n);
        const float w =
            0.42f -
            0.5f * std::cos(2.0f * Pi * static_cast<float>(i) / static_cast<float>(taps - 1)) +
            0.08f * std::cos(4.0f * Pi * static_cast<float>(i) / static_cast<float>(taps - 1));
        h[static_cast<size_t>(i)] = sinc * w;
        sum += sinc * w;
    }
    for (float& v : h) v /= sum;
    const int n = static_cast<int>(in.size());
    Signal out(static_cast<size_t>(n / factor));
    for (size_t o = 0; o < out.size(); ++o) {
        const int centre = static_cast<int>(o) * factor;
        float acc = 0;
        if (centre - half >= 0 && centre + half < n) { // the common case: no edge in reach
            const float* x = in.data() + (centre - half);
            for (int i = 0; i < taps; ++i) acc += h[static_cast<size_t>(i)] * x[i];
            out[o] = acc;
            continue;
        }
        for (int i = 0; i < taps; ++i) {
            int j = centre + i - half;
            if (circular) {
                j = ((j % n) + n) % n;
            } else if (j < 0 || j >= n) {
                continue;
            }
            acc += h[static_cast<size_t>(i)] * in[static_cast<size_t>(j)];
        }
        out[o] = acc;
    }
    return out;
}

void Echo(Signal& signal, int delay, float feedback, float mix, bool circular) {
    if (delay <= 0 || signal.empty()) return;
    std::vector<float> line(static_cast<size_t>(delay), 0.0f);
    size_t pos = 0;
    const Signal dry = signal;
    // A looped signal runs through the delay twice; the first pass only fills the line
    // with the echo of the loop's end.
    for (int pass = circular ? 0 : 1; pass < 2; ++pass)
        for (size_t i = 0; i < dry.size(); ++i) {
            const float echoed = line[pos];
            line[pos] = dry[i] + echoed * feedback;
            pos = (pos + 1) % line.size();
            if (pass == 1) signal[i] = dry[i] + echoed * mix;
        }
}

} // namespace assetgen
