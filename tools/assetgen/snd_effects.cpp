// The sound effects, each built from noise, oscillators, filters and envelopes.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/snd_items.h"

namespace assetgen {
namespace {

constexpr float Pi = std::numbers::pi_v<float>;

float Time(const SoundFormat& format, size_t i) {
    return static_cast<float>(i) / format.rate;
}

// Smoothly reaches 1 over the attack and falls to 0 at the very end of the sound, so no
// effect is cut off with a click.
float EndRamp(const SoundFormat& format, size_t i, float attack, float tail) {
    const float t = Time(format, i);
    const float total = static_cast<float>(format.length) / format.rate;
    return std::clamp(t / attack, 0.0f, 1.0f) * std::clamp((total - t) / tail, 0.0f, 1.0f);
}

// 1 until hold seconds, then an exponential decay with time constant tau.
float HoldDecay(float t, float hold, float tau) {
    return t < hold ? 1.0f : Decay(t - hold, tau);
}

// One explosion: a low thump, a noise body whose brightness falls as it dies away and a
// rumble. Added into out from sample start; size scales its duration.
void Blast(Signal& out, const SoundFormat& format, size_t start, float size, float gain,
           uint32_t seed) {
    Noise noise(seed);
    Svf body, rumble;
    Oscillator thump;
    const float bright = format.output_rate * 0.45f;
    const size_t n = std::min(out.size() - std::min(out.size(), start),
                              static_cast<size_t>(size * 2.2f * format.rate));
    float crackle = 0;
    for (size_t i = 0; i < n; ++i) {
        const float t = Time(format, i);
        const float attack = std::min(1.0f, t / 0.004f);
        const float f = 35.0f + 75.0f * Decay(t, 0.06f * size);
        const float low = thump.Sine(f, format.rate) * Decay(t, 0.18f * size) * 1.1f;
        const float cutoff = 180.0f + std::min(bright, 4200.0f) * Decay(t, 0.16f * size);
        const float x = noise.Next();
        const float mid = body.Process(x, cutoff, format.rate, 0.6f).low *
                          (0.35f * Decay(t, 0.07f * size) + 0.65f * Decay(t, 0.6f * size));
        const float deep =
            rumble.Process(x, 140.0f, format.rate, 0.9f).low * Decay(t, 0.9f * size) * 2.6f;
        // Crackles of debris, thinning out and fading with the blast.
        const float debris = Decay(t, 0.25f * size);
        if (noise.Uniform01() < 0.0012f * 32000.0f / format.rate * debris)
            crackle = 0.6f * debris * (noise.Uniform01() > 0.5f ? 1.0f : -1.0f);
        crackle *= 0.99f;
        out[start + i] += (low + mid * 2.4f + deep + crackle) * attack * gain;
    }
}

} // namespace

Signal MakeDash(const SoundFormat& format) {
    // A thruster burst: a band of hiss that swells up and settles, a low roar under it
    // and a short servo whine as the legs kick off.
    Signal out(format.length);
    Noise noise(11);
    Svf band, roar;
    Oscillator servo;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(format, i);
        const float swell = std::min(1.0f, t / 0.05f) * (0.35f + 0.65f * Decay(t, 0.28f));
        const float centre =
            700.0f + 1700.0f * HoldDecay(t, 0.04f, 0.22f) * std::min(1.0f, t / 0.04f);
        const float x = noise.Next();
        const float hiss = band.Process(x, centre, format.rate, 1.4f).band * 2.0f;
        const float low = roar.Process(x, 160.0f, format.rate, 0.8f).low * 2.5f;
        const float whine_f = 260.0f + 180.0f * std::min(1.0f, t / 0.12f);
        const float whine = servo.Pulse(whine_f, format.rate, 0.3f) * 0.10f * Decay(t, 0.09f);
        out[i] = (hiss * swell + low * swell * 0.8f + whine) * EndRamp(format, i, 0.004f, 0.25f);
    }
    return out;
}

Signal MakePlayerShot(const SoundFormat& format) {
    // The robot's gun: a sharp crack, a falling square "pew" and a short decaying tail of
    // filtered noise, like the report echoing off the walls.
    Signal out(format.length);
    Noise noise(23);
    Oscillator pew, sub;
    Svf tone, crack, tail;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(format, i);
        const float f = 180.0f + 1300.0f * Decay(t, 0.045f);
        const float square = pew.Pulse(f, format.rate, 0.4f);
        const float voiced =
            tone.Process(square, 2600.0f, format.rate, 0.9f).low * Decay(t, 0.09f) * 0.75f;
        const float body = sub.Sine(f * 0.5f, format.rate) * Decay(t, 0.06f) * 0.5f;
        const float x = noise.Next();
        const float snap =
            crack.Process(x, 3500.0f, format.rate, 0.7f).low * Decay(t, 0.012f) * 1.6f;
        const float echo = tail.Process(x, 900.0f, format.rate, 0.7f).low * Decay(t, 0.13f) * 0.9f;
        out[i] = (voiced + body + snap + echo) * EndRamp(format, i, 0.0008f, 0.1f);
    }
    return out;
}

Signal MakePlayerExplosion(const SoundFormat& format) {
    // The robot is hit: a heavy blast with a metallic clang of armour on top.
    Signal out(format.length, 0.0f);
    Blast(out, format, 0, 0.7f, 1.0f, 37);
    const float partials[] = {431.0f, 697.0f, 1063.0f, 1559.0f};
    const float weights[] = {0.5f, 0.35f, 0.25f, 0.15f};
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(format, i);
        float clang = 0;
        for (size_t k = 0; k < 4; ++k)
            clang += std::sin(2.0f * Pi * partials[k] * t) * weights[k] *
                     Decay(t, 0.22f / (1.0f + 0.4f * static_cast<float>(k)));
        out[i] = (out[i] + clang * 0.8f * std::min(1.0f, t / 0.002f)) *
                 EndRamp(format, i, 0.0005f, 0.3f);
    }
    return out;
}

Signal MakeEnemyShot(const SoundFormat& format) {
    // The enemies' energy bolt: a bright FM zap that drops fast, thinner and higher than
    // the player's gun so the two are told apart at once.
    Signal out(format.length);
    Oscillator carrier, modulator;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(format, i);
        const float f = 520.0f + 1900.0f * Decay(t, 0.06f);
        const float m = modulator.Sine(f * 1.5f, format.rate);
        carrier.Sine(f, format.rate);
        const float index = 2.5f * Decay(t, 0.08f) + 0.4f;
        const float v = std::sin(2.0f * Pi * carrier.Phase() + index * m);
        out[i] = v * Decay(t, 0.09f) * EndRamp(format, i, 0.001f, 0.08f);
    }
    return out;
}

Signal MakeMissile(const SoundFormat& format) {
    // A salvo leaves the launcher: an ignition pop, then a rushing hiss that rises and
    // recedes as the missiles fly off.
    Signal out(format.length);
    Noise noise(41);
    Svf rush, pop, rumble;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(format, i);
        const float x = noise.Next();
        const float ignition =
            pop.Process(x, 900.0f, format.rate, 0.7f).low * Decay(t, 0.03f) * 3.0f;
        const float rise = std::min(1.0f, t / 0.12f);
        const float cutoff = 400.0f + 2400.0f * rise * HoldDecay(t, 0.12f, 0.45f);
        const float hiss = rush.Process(x, cutoff, format.rate, 1.6f).band * 2.2f;
        const float low = rumble.Process(x, 120.0f, format.rate, 0.8f).low * 3.0f;
        const float env = rise * HoldDecay(t, 0.1f, 0.42f);
        out[i] = (ignition + hiss * env + low * env) * EndRamp(format, i, 0.002f, 0.2f);
    }
    return out;
}

Signal MakeEnemyHit(const SoundFormat& format) {
    // A shot strikes armour without destroying it: a hard metallic "clank" (inharmonic
    // partials of a struck plate) with a click.
    Signal out(format.length);
    Noise noise(53);
    Svf click;
    const float base = 360.0f;
    const float ratios[] = {1.0f, 1.59f, 2.14f, 2.65f, 3.91f};
    const float weights[] = {0.6f, 0.5f, 0.35f, 0.3f, 0.2f};
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(format, i);
        float ring = 0;
        for (size_t k = 0; k < 5; ++k)
            ring += std::sin(2.0f * Pi * base * ratios[k] * t) * weights[k] *
                    Decay(t, 0.16f / (1.0f + 0.5f * static_cast<float>(k)));
        const float hit =
            click.Process(noise.Next(), 2500.0f, format.rate, 0.7f).low * Decay(t, 0.008f) * 2.0f;
        out[i] = (ring + hit) * EndRamp(format, i, 0.0005f, 0.12f);
    }
    return out;
}

Signal MakeEnemyExplosion(const SoundFormat& format) {
    // An enemy blows apart: one blast and a smaller secondary one.
    Signal out(format.length, 0.0f);
    Blast(out, format, 0, 0.85f, 1.0f, 61);
    Blast(out, format, static_cast<size_t>(0.22f * format.rate), 0.45f, 0.45f, 67);
    for (size_t i = 0; i < out.size(); ++i) out[i] *= EndRamp(format, i, 0.0005f, 0.4f);
    return out;
}

Signal MakeBossExplosion(const SoundFormat& format) {
    // The boss goes down: a chain of blasts, growing, then a long rumble that dies away.
    Signal out(format.length, 0.0f);
    const float times[] = {0.0f, 0.32f, 0.61f, 0.98f, 1.30f, 1.75f};
    const float sizes[] = {0.6f, 0.55f, 0.7f, 0.6f, 0.9f, 1.6f};
    const float gains[] = {0.7f, 0.6f, 0.75f, 0.7f, 0.9f, 1.25f};
    for (size_t k = 0; k < 6; ++k)
        Blast(out, format, static_cast<size_t>(times[k] * format.rate), sizes[k], gains[k],
              static_cast<uint32_t>(71 + k));
    Noise noise(97);
    Svf rumble;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(format, i);
        const float tail = rumble.Process(noise.Next(), 110.0f, format.rate, 0.9f).low *
                           std::clamp((t - 1.7f) / 0.3f, 0.0f, 1.0f) * HoldDecay(t, 1.9f, 1.2f) *
                           2.5f;
        out[i] = (out[i] + tail) * EndRamp(format, i, 0.0005f, 0.8f);
    }
    return out;
}

Signal MakeBladeSwing(const SoundFormat& format) {
    // The laser blade sweeps past: a humming, buzzing tone whose pitch and brightness
    // swell and fall like a passing object, with a rush of air.
    Signal out(format.length);
    Noise noise(83);
    Oscillator hum1, hum2;
    Svf tone, air;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = Time(format, i);
        // Swing peaks at about 0.22 s.
        const float s = std::exp(-((t - 0.22f) * (t - 0.22f)) / (2.0f * 0.09f * 0.09f));
        const float after = t > 0.22f ? Decay(t - 0.22f, 0.25f) : s;
        const float pitch = 0.88f + 0.3f * s;
        const float buzz = hum1.Saw(98.0f * pitch, format.rate) * 0.6f +
                           hum2.Saw(147.5f * pitch, format.rate) * 0.4f;
        const float cutoff = 350.0f + 2600.0f * s;
        const float voiced = tone.Process(buzz, cutoff, format.rate, 2.2f).low;
        const float whoosh =
            air.Process(noise.Next(), 600.0f + 2200.0f * s, format.rate, 1.2f).band;
        const float env = std::max(s, after * 0.9f);
        out[i] = (voiced * 1.2f + whoosh * 0.9f * s) * env * EndRamp(format, i, 0.01f, 0.1f);
    }
    return out;
}

} // namespace assetgen
