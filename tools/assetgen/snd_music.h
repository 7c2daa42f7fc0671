// A small sequencer: note data in an MML-like text, subtractive and FM instruments, and
// synthesised drums, rendered into an oversampled buffer.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/snd_dsp.h"

namespace assetgen {

struct Instrument {
    enum class Wave { Saw, Pulse, Triangle, Sine, Fm };
    Wave wave = Wave::Saw;
    float pulse_width = 0.5f;
    int unison = 1;        // detuned copies of the oscillator
    float detune = 0;      // cents between the outermost copies
    float attack = 0.005f; // envelope, seconds
    float decay = 0.2f;
    float sustain = 0.7f;
    float release = 0.08f;
    float cutoff = 3000;  // low-pass, Hz
    float cutoff_env = 0; // added at the note's start, decaying
    float cutoff_decay = 0.2f;
    float key_track = 0; // cutoff follows pitch: Hz added per Hz of the note
    float resonance = 0.7f;
    float vibrato = 0; // cents
    float vibrato_rate = 5.5f;
    float vibrato_delay = 0.25f;
    float fm_ratio = 2;   // FM: modulator frequency / carrier frequency
    float fm_index = 0;   // modulation index at the start
    float fm_sustain = 0; // index that remains
    float fm_decay = 0.3f;
    float level = 1;
};

struct NoteEvent {
    double start = 0;  // beats
    double length = 0; // beats the note is held
    float note = 60;   // MIDI number (60 = C4)
    float velocity = 1;
};

// Notation: notes c d e f g a b with + or # (sharp) and - (flat), an optional length
// (1 whole, 2 half, 4 quarter, 8, 16, 32; dots extend), r rest, o<n> octave, < and > an
// octave down or up, l<n> default length, v<n> velocity 0..15, q<n> held part in
// eighths, & ties to the next note, [ceg]4 a chord. Spaces and | are ignored.
std::vector<NoteEvent> ParseMml(const std::string& text, double start_beat = 0);

// Where beats fall in the buffer. A looped timeline wraps everything that sounds past
// its end round to its start.
struct Timeline {
    float bpm = 120;
    float rate = 32000;       // the oversampled rendering rate
    float output_rate = 8000; // the file's rate, which bounds the brightest sounds
    size_t length = 0;
    bool loop = false;

    double Seconds(double beats) const { return beats * 60.0 / bpm; }
    long Sample(double beats) const;
    // Adds v at sample index i (wrapped for loops, dropped past the end otherwise).
    void Add(Signal& out, long i, float v) const;
};

void RenderNotes(Signal& out, const Timeline& timeline, const Instrument& instrument,
                 const std::vector<NoteEvent>& notes, float gain);

enum class Drum { Kick, Snare, ClosedHat, OpenHat, TomHigh, TomLow, Crash };
void RenderDrum(Signal& out, const Timeline& timeline, Drum drum, double beat, float gain,
                Noise& noise);
// One lane of a drum pattern: 16 steps a bar, '.' rest, 'x' hit, 'X' accent, 'o' soft;
// bars may be separated by '|'.
void RenderDrumLane(Signal& out, const Timeline& timeline, Drum drum, const std::string& steps,
                    double start_beat, float gain, Noise& noise);

} // namespace assetgen
