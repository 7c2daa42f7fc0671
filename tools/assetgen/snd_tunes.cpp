// The four pieces of music: stage music, boss music, the stage-clear jingle and the
// ending. Melodies are note data; accompaniment is built from each piece's chord list.
#include <cmath>
#include <string>
#include <vector>

#include "tools/assetgen/snd_items.h"
#include "tools/assetgen/snd_music.h"

namespace assetgen {
namespace {

// A chord: MIDI notes, lowest first.
using Chord = std::vector<float>;

Timeline MakeTimeline(const SoundFormat& format, double beats, bool loop) {
    Timeline t;
    t.rate = format.rate;
    t.output_rate = format.output_rate;
    t.length = format.length;
    t.loop = loop;
    const double seconds = static_cast<double>(format.length) / format.rate;
    t.bpm = static_cast<float>(beats * 60.0 / seconds);
    return t;
}

// The first beat of a bar (4 beats each).
double BarStart(size_t bar) {
    return static_cast<double>(bar) * 4.0;
}

// Whole-bar chords (4 beats each) from bar 0.
std::vector<NoteEvent> PadNotes(const std::vector<Chord>& chords, double hold, float velocity) {
    std::vector<NoteEvent> out;
    for (size_t bar = 0; bar < chords.size(); ++bar)
        for (float n : chords[bar]) out.push_back({BarStart(bar), hold, n, velocity});
    return out;
}

// Broken chords: one note per step of the pattern (indices into the chord, +10 for the
// same tone an octave up), steps of the given length in beats.
std::vector<NoteEvent> Arpeggio(const std::vector<Chord>& chords, const std::vector<int>& pattern,
                                double step, double hold, float velocity, size_t first_bar,
                                size_t last_bar) {
    std::vector<NoteEvent> out;
    const int steps = static_cast<int>(4.0 / step);
    for (size_t bar = first_bar; bar < last_bar; ++bar)
        for (int s = 0; s < steps; ++s) {
            const int p = pattern[static_cast<size_t>(s) % pattern.size()];
            const Chord& c = chords[bar];
            const float n = c[static_cast<size_t>(p % 10) % c.size()] + (p >= 10 ? 12.0f : 0.0f);
            const float accent = s % 4 == 0 ? 1.0f : 0.8f;
            out.push_back({BarStart(bar) + s * step, hold, n, velocity * accent});
        }
    return out;
}

Instrument LeadPulse() {
    Instrument i;
    i.wave = Instrument::Wave::Pulse;
    i.pulse_width = 0.3f;
    i.attack = 0.006f;
    i.decay = 0.25f;
    i.sustain = 0.65f;
    i.release = 0.07f;
    i.cutoff = 1500;
    i.cutoff_env = 1800;
    i.cutoff_decay = 0.12f;
    i.vibrato = 14;
    i.vibrato_delay = 0.18f;
    return i;
}

Instrument BassSaw() {
    Instrument i;
    i.wave = Instrument::Wave::Saw;
    i.attack = 0.003f;
    i.decay = 0.12f;
    i.sustain = 0.55f;
    i.release = 0.03f;
    i.cutoff = 320;
    i.cutoff_env = 1300;
    i.cutoff_decay = 0.07f;
    i.resonance = 1.3f;
    return i;
}

Instrument PadStrings() {
    Instrument i;
    i.wave = Instrument::Wave::Saw;
    i.unison = 3;
    i.detune = 16;
    i.attack = 0.35f;
    i.decay = 1.0f;
    i.sustain = 0.8f;
    i.release = 0.25f;
    i.cutoff = 1100;
    i.key_track = 0.5f;
    return i;
}

Instrument Pluck() {
    Instrument i;
    i.wave = Instrument::Wave::Pulse;
    i.pulse_width = 0.25f;
    i.attack = 0.002f;
    i.decay = 0.09f;
    i.sustain = 0.0f;
    i.release = 0.05f;
    i.cutoff = 1200;
    i.cutoff_env = 2200;
    i.cutoff_decay = 0.05f;
    return i;
}

Instrument Brass() {
    Instrument i;
    i.wave = Instrument::Wave::Saw;
    i.unison = 2;
    i.detune = 10;
    i.attack = 0.03f;
    i.decay = 0.4f;
    i.sustain = 0.75f;
    i.release = 0.18f;
    i.cutoff = 700;
    i.cutoff_env = 2600;
    i.cutoff_decay = 0.18f;
    i.vibrato = 10;
    i.vibrato_delay = 0.35f;
    return i;
}

Instrument ElectricPiano() {
    Instrument i;
    i.wave = Instrument::Wave::Fm;
    i.fm_ratio = 1.0f;
    i.fm_index = 2.2f;
    i.fm_sustain = 0.3f;
    i.fm_decay = 0.25f;
    i.attack = 0.004f;
    i.decay = 0.9f;
    i.sustain = 0.25f;
    i.release = 0.35f;
    i.cutoff = 3800;
    return i;
}

Instrument SoftBass() {
    Instrument i;
    i.wave = Instrument::Wave::Triangle;
    i.attack = 0.01f;
    i.decay = 0.6f;
    i.sustain = 0.6f;
    i.release = 0.12f;
    i.cutoff = 900;
    return i;
}

void Mix(Signal& out, const Signal& track) {
    for (size_t i = 0; i < out.size(); ++i) out[i] += track[i];
}

} // namespace

Signal MakeGameBgm(const SoundFormat& format) {
    // D minor, 16 bars at about 145 beats a minute: a theme (bars 1-8) that ends on the
    // dominant, a brighter answer (bars 9-16) that turns back to the start.
    const Timeline tl = MakeTimeline(format, 64, true);
    const std::vector<Chord> chords = {
        {62, 65, 69}, {58, 62, 65}, {60, 64, 67}, {57, 60, 64}, // Dm Bb C Am
        {62, 65, 69}, {58, 62, 65}, {55, 58, 62}, {57, 61, 64}, // Dm Bb Gm A
        {58, 62, 65}, {60, 64, 67}, {62, 65, 69}, {60, 64, 67}, // Bb C Dm C
        {55, 58, 62}, {60, 64, 67}, {53, 57, 60}, {57, 61, 64}, // Gm C F A
    };
    const std::string melody = "o5 l8 q7"
                               "d4. e f4 a4 | g f d4 <b-4 >c d | e4. c <g4 >c e | a2 g f e c |"
                               "d4. e f4 a4 | >d4 c <b- a4 f4 | g a b- a g4 f g | e2 c+4 <a4 > |"
                               "f4 b-4 a g f4 | e4 g4 >c4. <b- | a4. f d4 f4 | g f e d e4 c4 |"
                               "d4 g4 b-4 a g | a4 g4 e4 c4 | f4. g a4 >c4 | <e4 a4 g f e c+";
    Signal lead(format.length, 0.0f);
    RenderNotes(lead, tl, LeadPulse(), ParseMml(melody), 0.30f);
    Echo(lead, static_cast<int>(tl.Seconds(0.75) * tl.rate), 0.3f, 0.35f, true);

    // Driving eighth-note bass: root, with the octave on the off-beats of beats 2 and 4.
    std::vector<NoteEvent> bass;
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        const float root = chords[bar][0] - 24;
        for (int e = 0; e < 8; ++e) {
            const float n = (e == 3 || e == 7) ? root + 12 : root;
            bass.push_back({BarStart(bar) + e * 0.5, 0.4, n, e % 2 == 0 ? 1.0f : 0.8f});
        }
    }
    Signal mix(format.length, 0.0f);
    RenderNotes(mix, tl, BassSaw(), bass, 0.32f);
    RenderNotes(mix, tl, PadStrings(), PadNotes(chords, 3.8, 1.0f), 0.07f);
    // Sixteenth-note arpeggio in the second half only, so the answer lifts.
    RenderNotes(mix, tl, Pluck(),
                Arpeggio(chords, {0, 1, 2, 10, 2, 1, 0, 1}, 0.25, 0.2, 1.0f, 8, 16), 0.07f);
    Mix(mix, lead);

    Noise noise(5);
    const std::string bar_a = "x.....x...x.....", fill_kick = "x.....x...x.x...";
    std::string kick, snare, hats;
    for (int bar = 0; bar < 16; ++bar) {
        const bool fill = bar == 7 || bar == 15;
        const bool second = bar >= 8;
        kick += fill ? fill_kick : second ? "x..x..x...x..x.." : bar_a;
        snare += fill ? "....x.......xoxX" : "....x.......x...";
        hats += fill ? "x.x.x.x.x.x....." : second ? "xoxoxoxoxoxoxoxo" : "x.x.x.x.x.x.x.x.";
    }
    RenderDrumLane(mix, tl, Drum::Kick, kick, 0, 0.55f, noise);
    RenderDrumLane(mix, tl, Drum::Snare, snare, 0, 0.30f, noise);
    RenderDrumLane(mix, tl, Drum::ClosedHat, hats, 0, 0.10f, noise);
    RenderDrum(mix, tl, Drum::Crash, 0, 0.16f, noise);
    RenderDrum(mix, tl, Drum::Crash, 32, 0.16f, noise);
    RenderDrumLane(mix, tl, Drum::TomHigh, "............x.x.", 60, 0.22f, noise);
    RenderDrumLane(mix, tl, Drum::TomLow, "..............x.", 60, 0.25f, noise);
    return mix;
}

Signal MakeBossBgm(const SoundFormat& format) {
    // E minor, 4 bars at about 118: a sixteenth-note bass ostinato under a slow,
    // menacing saw line, heavy four-on-the-floor drums. Ends on B to fall back into E.
    const Timeline tl = MakeTimeline(format, 16, true);
    const std::vector<Chord> chords = {{52, 55, 59}, {52, 55, 59}, {48, 52, 55}, {47, 51, 54}};
    const std::string bass = "o2 l16 q6"
                             "e e >e <e e e >e <e e e >e <e f e g f+ |"
                             "e e >e <e e e >e <e e e >e <e g f+ f d+ |"
                             "c c >c <c c c >c <c c c >c <c d c e d |"
                             "<b b >b <b b b >b <b b b >b <b >d+ d+ f+ f+";
    const std::string lead = "o4 l8 b4 >e4 g4. f+ | e f+ g a b2 | >c4. <b a4 g4 | f+4 d+4 <b2";
    Signal mix(format.length, 0.0f);
    RenderNotes(mix, tl, BassSaw(), ParseMml(bass), 0.30f);
    Instrument saw = Brass();
    saw.cutoff = 900;
    saw.cutoff_env = 1800;
    saw.resonance = 1.6f;
    saw.vibrato = 18;
    Signal line(format.length, 0.0f);
    RenderNotes(line, tl, saw, ParseMml(lead), 0.26f);
    Echo(line, static_cast<int>(tl.Seconds(0.75) * tl.rate), 0.25f, 0.3f, true);
    Mix(mix, line);
    std::vector<Chord> low = chords;
    for (Chord& c : low)
        for (float& n : c) n -= 12;
    RenderNotes(mix, tl, PadStrings(), PadNotes(low, 3.9, 1.0f), 0.08f);

    Noise noise(7);
    RenderDrumLane(mix, tl, Drum::Kick,
                   "x...x...x...x...|x...x...x...x...|x...x...x...x...|x...x...x.x.x.x.", 0, 0.55f,
                   noise);
    RenderDrumLane(mix, tl, Drum::Snare,
                   "....X.......X...|....X.......X...|....X.......X...|....X...X.X.XXXX", 0, 0.30f,
                   noise);
    RenderDrumLane(mix, tl, Drum::ClosedHat,
                   "xoxoxoxoxoxoxoxo|xoxoxoxoxoxoxoxo|xoxoxoxoxoxoxoxo|xoxoxoxo........", 0, 0.09f,
                   noise);
    RenderDrum(mix, tl, Drum::Crash, 0, 0.18f, noise);
    RenderDrumLane(mix, tl, Drum::TomLow, "x.......x.......", 8, 0.2f, noise);
    return mix;
}

Signal MakeGameClear(const SoundFormat& format) {
    // D major fanfare at 120: a rising call, an answering turn, then the held tonic chord
    // with a timpani roll that dies away before the end.
    const Timeline tl = MakeTimeline(format, 12, false);
    const std::string melody = "o5 l8 d d16 d16 f+ a >d4 <b a | g4 e f+ g4 a4 | q6 >d1";
    const std::string chords = "o4 l4 [df+a]2 [dgb] [df+a] | [<b>dg] [c+ea] [<b>dg] [c+ea] |"
                               "q6 [df+a>d]1";
    const std::string bass = "o2 l4 d d g f+ | e a g a | q6 d1";
    Signal mix(format.length, 0.0f);
    RenderNotes(mix, tl, Brass(), ParseMml(melody), 0.34f);
    RenderNotes(mix, tl, Brass(), ParseMml(chords), 0.13f);
    RenderNotes(mix, tl, BassSaw(), ParseMml(bass), 0.30f);
    Noise noise(9);
    RenderDrumLane(mix, tl, Drum::Snare, "x.xxx...x...x...|x...x...x...x.xx", 0, 0.18f, noise);
    RenderDrumLane(mix, tl, Drum::Kick, "x.......x...x...|x.......x...x...|x", 0, 0.45f, noise);
    // Timpani roll into the last chord.
    RenderDrumLane(mix, tl, Drum::TomLow, "........oooxxxxX", 4, 0.22f, noise);
    RenderDrum(mix, tl, Drum::Crash, 8, 0.25f, noise);
    RenderDrum(mix, tl, Drum::TomLow, 8, 0.4f, noise);
    Echo(mix, static_cast<int>(0.12 * tl.rate), 0.2f, 0.2f, false);
    return mix;
}

Signal MakeEnding(const SoundFormat& format) {
    // D major, 8 bars at about 102: a gentle electric-piano tune over strings, the
    // beat coming in for the middle, and a last chord that fades out with the credits.
    const Timeline tl = MakeTimeline(format, 32, false);
    const std::vector<Chord> chords = {
        {62, 66, 69}, {59, 62, 66}, {55, 59, 62}, {57, 61, 64}, // D Bm G A
        {54, 57, 61}, {55, 59, 62}, {52, 55, 59}, {62, 66, 69}, // F#m G Em D
    };
    const std::string melody = "o5 l4 f+. e8 d <a | >d f+ e. d8 | d <b >d g | f+2 e2 |"
                               "c+. d8 e a | b a g f+ | e g f+ e | q5 d1";
    Signal mix(format.length, 0.0f);
    Signal tune(format.length, 0.0f);
    RenderNotes(tune, tl, ElectricPiano(), ParseMml(melody), 0.34f);
    Echo(tune, static_cast<int>(tl.Seconds(0.75) * tl.rate), 0.3f, 0.3f, false);
    Mix(mix, tune);
    std::vector<Chord> low = chords;
    for (Chord& c : low)
        for (float& n : c) n -= 12;
    RenderNotes(mix, tl, ElectricPiano(),
                Arpeggio(low, {0, 1, 2, 10, 2, 1, 0, 2}, 0.5, 0.45, 0.8f, 0, 7), 0.10f);
    std::vector<NoteEvent> pad = PadNotes(chords, 3.9, 1.0f);
    for (NoteEvent& n : pad)
        if (n.start >= 28) n.length = 2.0; // the last chord lets go early to fade in time
    RenderNotes(mix, tl, PadStrings(), pad, 0.07f);
    std::vector<NoteEvent> bass;
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        const float root = chords[bar][0] - 24;
        const bool last = bar + 1 == chords.size();
        bass.push_back({BarStart(bar), last ? 2.0 : 1.9, root, 1.0f});
        if (!last) bass.push_back({BarStart(bar) + 2.5, 1.4, root + 7, 0.8f});
    }
    RenderNotes(mix, tl, SoftBass(), bass, 0.34f);
    Noise noise(13);
    std::string kick, hats;
    for (int bar = 0; bar < 8; ++bar) {
        const bool beat = bar >= 2 && bar < 7;
        kick += beat ? "x.......x.x....." : "................";
        hats += beat ? "..x...x...x...x." : "................";
    }
    RenderDrumLane(mix, tl, Drum::Kick, kick, 0, 0.32f, noise);
    RenderDrumLane(mix, tl, Drum::ClosedHat, hats, 0, 0.07f, noise);
    RenderDrum(mix, tl, Drum::Crash, 28, 0.10f, noise);
    return mix;
}

} // namespace assetgen
