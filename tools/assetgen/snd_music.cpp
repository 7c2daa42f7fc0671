#include "tools/assetgen/snd_music.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace assetgen {
namespace {

constexpr float Pi = std::numbers::pi_v<float>;

int Semitone(char letter) {
    switch (letter) {
    case 'c':
        return 0;
    case 'd':
        return 2;
    case 'e':
        return 4;
    case 'f':
        return 5;
    case 'g':
        return 7;
    case 'a':
        return 9;
    default:
        return 11; // b
    }
}

struct Reader {
    const std::string& text;
    size_t pos = 0;

    bool Done() const { return pos >= text.size(); }
    char Peek() const { return Done() ? '\0' : text[pos]; }
    int Number(int fallback) {
        if (!std::isdigit(static_cast<unsigned char>(Peek()))) return fallback;
        int v = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) v = v * 10 + (text[pos++] - '0');
        return v;
    }
    // A length in beats: number and dots, or the default.
    double Length(double fallback) {
        const int n = Number(0);
        double beats = n > 0 ? 4.0 / n : fallback;
        double add = beats / 2;
        while (Peek() == '.') {
            ++pos;
            beats += add;
            add /= 2;
        }
        return beats;
    }
    int Accidental() {
        int shift = 0;
        while (Peek() == '+' || Peek() == '#' || Peek() == '-')
            shift += text[pos++] == '-' ? -1 : 1;
        return shift;
    }
};

} // namespace

std::vector<NoteEvent> ParseMml(const std::string& text, double start_beat) {
    std::vector<NoteEvent> notes;
    Reader r{text};
    int octave = 4;
    double default_length = 1.0;
    float velocity = 1.0f;
    double gate = 1.0; // held fraction of each note
    double beat = start_beat;
    bool tie = false;
    auto note_number = [&](char letter, int shift) {
        return static_cast<float>((octave + 1) * 12 + Semitone(letter) + shift);
    };
    while (!r.Done()) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(r.text[r.pos++])));
        if (std::isspace(static_cast<unsigned char>(c)) || c == '|') continue;
        if (c == 'o') {
            octave = r.Number(octave);
        } else if (c == '<') {
            --octave;
        } else if (c == '>') {
            ++octave;
        } else if (c == 'l') {
            default_length = r.Length(default_length);
        } else if (c == 'v') {
            velocity = static_cast<float>(r.Number(15)) / 15.0f;
        } else if (c == 'q') {
            gate = r.Number(8) / 8.0;
        } else if (c == '&') {
            tie = true;
        } else if (c == 'r') {
            beat += r.Length(default_length);
        } else if (c >= 'a' && c <= 'g') {
            const float n = note_number(c, r.Accidental());
            const double length = r.Length(default_length);
            if (tie && !notes.empty()) {
                notes.back().length += length; // the tied note goes on sounding
            } else {
                notes.push_back({beat, length * gate, n, velocity});
            }
            tie = false;
            beat += length;
        } else if (c == '[') {
            std::vector<float> chord;
            int chord_octave = octave;
            while (!r.Done() && r.Peek() != ']') {
                const char d = r.text[r.pos++];
                if (d == '<')
                    --octave;
                else if (d == '>')
                    ++octave;
                else if (d >= 'a' && d <= 'g')
                    chord.push_back(note_number(d, r.Accidental()));
            }
            ++r.pos; // ']'
            octave = chord_octave;
            const double length = r.Length(default_length);
            for (float n : chord) notes.push_back({beat, length * gate, n, velocity});
            beat += length;
        } else {
            throw std::runtime_error(std::string("unknown note symbol '") + c + "'");
        }
    }
    return notes;
}

long Timeline::Sample(double beats) const {
    return std::lround(Seconds(beats) * static_cast<double>(rate));
}

void Timeline::Add(Signal& out, long i, float v) const {
    const long n = static_cast<long>(length);
    if (loop) {
        i = ((i % n) + n) % n;
    } else if (i < 0 || i >= n) {
        return;
    }
    out[static_cast<size_t>(i)] += v;
}

void RenderNotes(Signal& out, const Timeline& timeline, const Instrument& in,
                 const std::vector<NoteEvent>& notes, float gain) {
    const float rate = timeline.rate;
    const float brightest = timeline.output_rate * 0.45f;
    // Envelopes, vibrato and the filter move at a control rate of one step per Block
    // samples (under a millisecond), which keeps rendering fast.
    constexpr long Block = 16;
    std::vector<float> spread(static_cast<size_t>(in.unison));
    for (size_t k = 0; k < spread.size(); ++k)
        spread[k] =
            spread.size() > 1
                ? Cents((static_cast<float>(k) / static_cast<float>(spread.size() - 1) - 0.5f) *
                        in.detune)
                : 1.0f;
    for (const NoteEvent& note : notes) {
        const float freq = NoteFrequency(note.note);
        const float gate = static_cast<float>(timeline.Seconds(note.length));
        const long start = timeline.Sample(note.start);
        const long max_len = static_cast<long>((gate + in.release * 8.0f + 0.01f) * rate);
        std::vector<Oscillator> osc(static_cast<size_t>(in.unison));
        for (size_t k = 0; k < osc.size(); ++k)
            osc[k].Reset(static_cast<float>(k) * 0.37f); // spread the copies' phases
        Oscillator modulator;
        Svf filter;
        float env = 0, f = freq, index = 0;
        for (long i = 0; i < max_len; ++i) {
            if (i % Block == 0) {
                const float t = static_cast<float>(i) / rate;
                env = Adsr(t, gate, in.attack, in.decay, in.sustain, in.release);
                if (t > gate && env < 2e-3f) break; // below what 8 bits can hold
                const float vib_amount =
                    in.vibrato * std::clamp((t - in.vibrato_delay) / 0.3f, 0.0f, 1.0f);
                f = vib_amount > 0
                        ? freq * Cents(vib_amount * std::sin(2.0f * Pi * in.vibrato_rate * t))
                        : freq;
                index = in.fm_sustain + (in.fm_index - in.fm_sustain) * Decay(t, in.fm_decay);
                const float cutoff = std::min(brightest, in.cutoff + in.key_track * freq +
                                                             in.cutoff_env * note.velocity *
                                                                 Decay(t, in.cutoff_decay));
                filter.Tune(cutoff, rate, in.resonance);
            }
            float v = 0;
            for (size_t k = 0; k < osc.size(); ++k) {
                const float fk = f * spread[k];
                switch (in.wave) {
                case Instrument::Wave::Saw:
                    v += osc[k].Saw(fk, rate);
                    break;
                case Instrument::Wave::Pulse:
                    v += osc[k].Pulse(fk, rate, in.pulse_width);
                    break;
                case Instrument::Wave::Triangle:
                    v += osc[k].Triangle(fk, rate);
                    break;
                case Instrument::Wave::Sine:
                    v += osc[k].Sine(fk, rate);
                    break;
                case Instrument::Wave::Fm: {
                    const float m = modulator.Sine(fk * in.fm_ratio, rate);
                    osc[k].Sine(fk, rate);
                    v += std::sin(2.0f * Pi * osc[k].Phase() + index * m);
                    break;
                }
                }
            }
            v /= static_cast<float>(osc.size());
            v = filter.Process(v).low;
            timeline.Add(out, start + i, v * env * note.velocity * in.level * gain);
        }
    }
}

void RenderDrum(Signal& out, const Timeline& timeline, Drum drum, double beat, float gain,
                Noise& noise) {
    const float rate = timeline.rate;
    const long start = timeline.Sample(beat);
    const float bright = timeline.output_rate * 0.42f;
    Svf filter, filter2;
    Oscillator osc, osc2;
    float length = 0.3f;
    switch (drum) {
    case Drum::Kick:
        length = 0.45f;
        break;
    case Drum::Snare:
        length = 0.35f;
        break;
    case Drum::ClosedHat:
        length = 0.08f;
        break;
    case Drum::OpenHat:
        length = 0.45f;
        break;
    case Drum::TomHigh:
    case Drum::TomLow:
        length = 0.5f;
        break;
    case Drum::Crash:
        length = 2.0f;
        break;
    }
    const long n = static_cast<long>(length * rate);
    for (long i = 0; i < n; ++i) {
        const float t = static_cast<float>(i) / rate;
        float v = 0;
        switch (drum) {
        case Drum::Kick: {
            const float f = 48.0f + 110.0f * Decay(t, 0.035f);
            v = osc.Sine(f, rate) * Decay(t, 0.22f) * std::min(1.0f, t / 0.002f);
            v += filter.Process(noise.Next(), 1800, rate, 0.7f).low * Decay(t, 0.004f) * 0.6f;
            break;
        }
        case Drum::Snare: {
            const float tone = osc.Sine(185, rate) * 0.6f + osc2.Sine(330, rate) * 0.3f;
            const float hiss =
                filter.Process(noise.Next(), std::min(3200.0f, bright), rate, 0.8f).band;
            v = tone * Decay(t, 0.06f) + hiss * 1.6f * Decay(t, 0.11f);
            v *= std::min(1.0f, t / 0.001f);
            break;
        }
        case Drum::ClosedHat:
        case Drum::OpenHat: {
            const float tau = drum == Drum::ClosedHat ? 0.022f : 0.16f;
            const float x = filter.Process(noise.Next(), bright * 0.9f, rate, 1.2f).band;
            v = filter2.Process(x, bright * 0.55f, rate, 0.7f).high * Decay(t, tau) * 1.4f;
            break;
        }
        case Drum::TomHigh:
        case Drum::TomLow: {
            const float base = drum == Drum::TomHigh ? 170.0f : 110.0f;
            const float f = base * (1.0f + 0.5f * Decay(t, 0.05f));
            v = osc.Sine(f, rate) * Decay(t, 0.25f) * std::min(1.0f, t / 0.002f);
            v += filter.Process(noise.Next(), 1200, rate, 0.7f).low * Decay(t, 0.02f) * 0.4f;
            break;
        }
        case Drum::Crash: {
            const float x = filter.Process(noise.Next(), bright * 0.5f, rate, 0.7f).high;
            v = x * Decay(t, 0.7f) * std::min(1.0f, t / 0.003f) * 0.8f;
            break;
        }
        }
        timeline.Add(out, start + i, v * gain);
    }
}

void RenderDrumLane(Signal& out, const Timeline& timeline, Drum drum, const std::string& steps,
                    double start_beat, float gain, Noise& noise) {
    double beat = start_beat;
    for (char c : steps) {
        if (c == '|' || c == ' ') continue;
        if (c == 'x') RenderDrum(out, timeline, drum, beat, gain, noise);
        if (c == 'X') RenderDrum(out, timeline, drum, beat, gain * 1.35f, noise);
        if (c == 'o') RenderDrum(out, timeline, drum, beat, gain * 0.55f, noise);
        beat += 0.25;
    }
}

} // namespace assetgen
