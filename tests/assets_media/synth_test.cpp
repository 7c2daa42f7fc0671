// The sound generator's building blocks: note data, the decimator and the loop echo.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tools/assetgen/snd_dsp.h"
#include "tools/assetgen/snd_music.h"

namespace {

using namespace assetgen;

TEST(NoteData, LengthsDotsOctavesAndRests) {
    const auto notes = ParseMml("o4 l8 c d4 e4. r2 > c16 < b- a+");
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_FLOAT_EQ(notes[0].note, 60); // C4
    EXPECT_DOUBLE_EQ(notes[0].length, 0.5);
    EXPECT_FLOAT_EQ(notes[1].note, 62);
    EXPECT_DOUBLE_EQ(notes[1].start, 0.5);
    EXPECT_DOUBLE_EQ(notes[1].length, 1.0);
    EXPECT_DOUBLE_EQ(notes[2].length, 1.5);                  // dotted quarter
    EXPECT_DOUBLE_EQ(notes[3].start, 0.5 + 1.0 + 1.5 + 2.0); // after the half rest
    EXPECT_FLOAT_EQ(notes[3].note, 72);                      // C5
    EXPECT_DOUBLE_EQ(notes[3].length, 0.25);
    EXPECT_FLOAT_EQ(notes[4].note, 70); // B flat 4
    EXPECT_FLOAT_EQ(notes[5].note, 70); // A sharp 4 sounds the same
}

TEST(NoteData, TiesChordsGateAndVelocity) {
    const auto notes = ParseMml("l4 q4 v12 c & c2 [ce>g]8 d");
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_DOUBLE_EQ(notes[0].length, 0.5 + 2.0); // gated quarter, then the tied half
    EXPECT_FLOAT_EQ(notes[0].velocity, 12.0f / 15.0f);
    for (size_t i = 1; i <= 3; ++i) {
        EXPECT_DOUBLE_EQ(notes[i].start, 3.0);
        EXPECT_DOUBLE_EQ(notes[i].length, 0.25);
    }
    EXPECT_FLOAT_EQ(notes[3].note, 67 + 12); // the octave change stays inside the chord
    EXPECT_FLOAT_EQ(notes[4].note, 62);
    EXPECT_DOUBLE_EQ(notes[4].start, 3.5);
}

TEST(NoteData, UnknownSymbolIsAnError) {
    EXPECT_THROW(ParseMml("c d x"), std::runtime_error);
}

Signal Tone(float frequency, float rate, size_t n) {
    Signal s(n);
    for (size_t i = 0; i < n; ++i)
        s[i] =
            std::sin(2.0f * std::numbers::pi_v<float> * frequency * static_cast<float>(i) / rate);
    return s;
}

float Peak(const Signal& s, size_t from, size_t to) {
    float m = 0;
    for (size_t i = from; i < to; ++i) m = std::max(m, std::abs(s[i]));
    return m;
}

TEST(Decimator, PassesTheBandAndRemovesWhatWouldFoldBack) {
    // 32 kHz down to 8 kHz: 1 kHz stays whole, 5 kHz (above the new 4 kHz limit) is gone.
    const Signal low = Decimate(Tone(1000, 32000, 32000), 4, 0.9f, false);
    ASSERT_EQ(low.size(), 8000u);
    EXPECT_NEAR(Peak(low, 500, 7500), 1.0f, 0.02f);
    const Signal high = Decimate(Tone(5000, 32000, 32000), 4, 0.9f, false);
    EXPECT_LT(Peak(high, 500, 7500), 0.003f);
}

TEST(Decimator, CircularSignalHasNoEdgeDip) {
    // 1 kHz at 32 kHz fits a 32000-sample loop exactly: its ends must stay at full level.
    const Signal loop = Decimate(Tone(1000, 32000, 32000), 4, 0.9f, true);
    EXPECT_NEAR(Peak(loop, 0, 20), 1.0f, 0.02f);
    EXPECT_NEAR(Peak(loop, loop.size() - 20, loop.size()), 1.0f, 0.02f);
}

TEST(EchoEffect, LoopEchoWrapsToTheStart) {
    Signal s(100, 0.0f);
    s[90] = 1.0f;
    Echo(s, 20, 0.0f, 0.5f, true);
    EXPECT_FLOAT_EQ(s[10], 0.5f); // 90 + 20 wraps round to 10
    Signal once(100, 0.0f);
    once[90] = 1.0f;
    Echo(once, 20, 0.0f, 0.5f, false);
    EXPECT_FLOAT_EQ(once[10], 0.0f);
}

TEST(Oscillators, PulseWidthSetsTheDutyCycleWithoutOffset) {
    Oscillator o;
    int high = 0;
    double sum = 0;
    for (int i = 0; i < 44100; ++i) {
        const float v = o.Pulse(441.0f, 44100.0f, 0.25f);
        if (v > 0.5f) ++high; // midway between the two levels, 1.5 and -0.5
        sum += v;
    }
    EXPECT_NEAR(high / 44100.0, 0.25, 0.01);
    EXPECT_NEAR(sum / 44100.0, 0.0, 0.01); // an offset would shift the music off centre
}

} // namespace
