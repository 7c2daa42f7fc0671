// What actually reaches the speaker: SDL's disk audio driver writes the mixed output to a
// file, and the tests read it back. Every wave must play to its last sample, whatever its
// rate and format, a looped wave must join its end to its start without a gap or step,
// and the game's loudest moments must not clip.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "media/read_file.h"
#include "media/sound.h"
#include "media/wave_file.h"
#include "tests/support/env_scope.h"
#include "tests/support/little_endian.h"

namespace {

constexpr int OutputRate = 44100; // the rate the device is opened at
// Buffers mixed but not yet written, and a little silence after the sound.
constexpr size_t MarginFrames = 8192;

// A wave file whose every channel carries value(frame) scaled to the sample size (value in
// -1 .. 1).
template <typename Value>
std::vector<uint8_t> WaveOf(int rate, int bits, int channels, int frames, Value value) {
    std::vector<uint8_t> data;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
            const double v = value(i);
            if (bits == 8)
                data.push_back(static_cast<uint8_t>(std::lround(128.0 + 100.0 * v)));
            else
                Put16(data, static_cast<uint16_t>(static_cast<int16_t>(std::lround(20000.0 * v))));
        }
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    Put32(out, static_cast<uint32_t>(36 + data.size()));
    for (char ch : std::string("WAVEfmt ")) out.push_back(static_cast<uint8_t>(ch));
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(channels));
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate * channels * bits / 8));
    Put16(out, static_cast<uint32_t>(channels * bits / 8));
    Put16(out, static_cast<uint32_t>(bits));
    for (char ch : std::string("data")) out.push_back(static_cast<uint8_t>(ch));
    Put32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// Opens the sound device on the disk driver for the fixture's lifetime and reads back the
// left channel of what it wrote.
class SoundOnDiskDevice : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("brannock-mix-" + std::to_string(::getpid()) + ".raw");
        driver_.emplace("SDL_AUDIODRIVER", "disk");
        file_.emplace("SDL_DISKAUDIOFILE", path_.c_str());
        ASSERT_TRUE(sound.Initialize()) << "the disk audio driver did not open";
        int rate = 0;
        uint16_t format = 0;
        int channels = 0;
        ASSERT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);
        ASSERT_EQ(rate, OutputRate);
        ASSERT_EQ(format, AUDIO_S16SYS);
        ASSERT_EQ(channels, 2);
    }
    void TearDown() override {
        sound.Finalize();
        std::filesystem::remove(path_);
    }
    // Closes the device (so the file is complete) and returns the left channel.
    std::vector<int16_t> CloseAndRead() {
        sound.Finalize();
        std::ifstream in(path_, std::ios::binary);
        std::vector<int16_t> left;
        int16_t frame[2];
        while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) left.push_back(frame[0]);
        return left;
    }
    // Waits until the device has written this many frames more than when asked (the
    // driver keeps to real time, which a busy machine may slow down).
    void WaitForFrames(size_t frames) {
        const size_t target = WrittenFrames() + frames + MarginFrames;
        for (int i = 0; i < 2000 && WrittenFrames() < target; ++i) SDL_Delay(5);
    }
    size_t WrittenFrames() const {
        std::error_code ec;
        const auto bytes = std::filesystem::file_size(path_, ec);
        return ec ? 0 : static_cast<size_t>(bytes / 4);
    }
    TWaveCollectionItem& Add(const std::vector<uint8_t>& wave, bool looped = false) {
        TWaveCollectionItem& item = list.Add();
        item.Looped = looped;
        item.LoadFromBytes(wave, "test.wav");
        return item;
    }

    TDXSound sound;
    TDXWaveList list{sound};

private:
    std::filesystem::path path_;
    std::optional<EnvScope> driver_, file_;
};

// First and last output frame whose level is above the threshold.
std::pair<int, int> LoudSpan(const std::vector<int16_t>& out, int threshold) {
    int first = -1;
    int last = -1;
    for (size_t i = 0; i < out.size(); ++i)
        if (std::abs(out[i]) > threshold) {
            if (first < 0) first = static_cast<int>(i);
            last = static_cast<int>(i);
        }
    return {first, last};
}

struct Format {
    int rate;
    int bits;
    int channels;
};

class WholeWaves : public SoundOnDiskDevice, public ::testing::WithParamInterface<Format> {};

} // namespace

// A steady level of 0.1 s plays for exactly 0.1 s of output, converted from any rate.
TEST_P(WholeWaves, ASteadyLevelPlaysForItsWholeLength) {
    const Format f = GetParam();
    const int frames = f.rate / 10;
    TWaveCollectionItem& item =
        Add(WaveOf(f.rate, f.bits, f.channels, frames, [](int) { return 0.5; }));
    item.Play(false);
    WaitForFrames(static_cast<size_t>(OutputRate / 10));
    const auto [first, last] = LoudSpan(CloseAndRead(), 2000);
    ASSERT_GE(first, 0) << "nothing was heard";
    EXPECT_NEAR(last - first + 1, OutputRate / 10, 3);
}

INSTANTIATE_TEST_SUITE_P(Formats, WholeWaves,
                         ::testing::Values(Format{11025, 8, 1}, Format{22050, 16, 1},
                                           Format{22050, 16, 2}, Format{44100, 16, 2},
                                           Format{8000, 8, 2}, Format{48000, 16, 1}));

// Each playing sound has its kind's volume from its first sample: muted, nothing at all.
TEST_F(SoundOnDiskDevice, AtZeroVolumeNotASampleIsHeard) {
    sound.SetVolumes(0.0f, 0.0f);
    TWaveCollectionItem& item = Add(WaveOf(22050, 16, 2, 2205, [](int) { return 0.5; }));
    item.Play(false);
    sound.MessageBeep();
    WaitForFrames(static_cast<size_t>(OutputRate / 10));
    EXPECT_EQ(LoudSpan(CloseAndRead(), 0).first, -1);
}

TEST_F(SoundOnDiskDevice, TheBeepPlaysItsWholeHundredAndTwentyMilliseconds) {
    sound.MessageBeep();
    WaitForFrames(static_cast<size_t>(OutputRate * 120 / 1000));
    const auto out = CloseAndRead();
    const auto [first, last] = LoudSpan(out, 0);
    ASSERT_GE(first, 0) << "nothing was heard";
    EXPECT_NEAR(last - first + 1, OutputRate * 120 / 1000, 3);
    // It fades out: the last tenth of a millisecond is quiet.
    for (int i = last - 4; i <= last; ++i) EXPECT_LT(std::abs(out[static_cast<size_t>(i)]), 600);
}

// A looped sine of whole periods at half the output rate: in the output every period must
// last the same, and no step may exceed the sine's own steepest one.
TEST_F(SoundOnDiskDevice, ALoopJoinsItsEndToItsStartWithoutGapOrStep) {
    constexpr int SourceRate = 22050;
    constexpr int Period = 49; // frames at the source rate
    constexpr int Frames = Period * 23;
    TWaveCollectionItem& music =
        Add(WaveOf(SourceRate, 16, 1, Frames,
                   [](int i) { return std::sin(2.0 * std::numbers::pi * i / Period); }),
            true);
    music.Play(false);
    const int loop = Frames * OutputRate / SourceRate;
    WaitForFrames(static_cast<size_t>(6 * loop));
    music.Stop();
    const auto out = CloseAndRead();
    const auto [first, last] = LoudSpan(out, 0);
    ASSERT_GE(first, 0) << "nothing was heard";
    // Looked at until the fifth join; stopping it cuts it short later on.
    const int end = first + 5 * loop + Period;
    ASSERT_GT(last, end) << "fewer than five loops were heard";

    const double steepest = 20000.0 * 2.0 * std::numbers::pi / (2.0 * Period);
    int largest_step = 0;
    std::vector<int> rises; // frames where the output rises through zero
    for (int i = first + 1; i <= end; ++i) {
        const auto at = static_cast<size_t>(i);
        largest_step = std::max(largest_step, std::abs(out[at] - out[at - 1]));
        if (out[at - 1] < 0 && out[at] >= 0) rises.push_back(i);
    }
    EXPECT_LT(largest_step, steepest * 1.5) << "a step where the loop joins";
    ASSERT_GT(rises.size(), 50u);
    for (size_t k = 1; k < rises.size(); ++k)
        EXPECT_NEAR(rises[k] - rises[k - 1], 2 * Period, 1) << "period " << k;
}

// The game's own waves: one hit alone keeps the level of its 8-bit recording; a wall of
// explosions over the stage music never clips.
TEST_F(SoundOnDiskDevice, OneSoundKeepsItsLevelAndAWallOfExplosionsNeverClips) {
    std::vector<TWaveCollectionItem*> waves;
    for (const char* name : {"敵当たり.wav", "GameBGM.wav", "敵爆発.wav", "自機爆発.wav"}) {
        waves.push_back(&list.Add());
        waves.back()->LoadFromFile(name);
    }
    waves[1]->Looped = true;
    waves[0]->Play(false);
    WaitForFrames(static_cast<size_t>(OutputRate * 0.6));
    const auto heavy_start = static_cast<long>(WrittenFrames());
    for (const int w : {1, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3})
        waves[static_cast<size_t>(w)]->Play(false);
    WaitForFrames(static_cast<size_t>(OutputRate * 1.0));
    const std::vector<int16_t> out = CloseAndRead();
    const auto peak = [&](long from, long to) {
        const auto [low, high] = std::minmax_element(out.begin() + from, out.begin() + to);
        return std::max(-static_cast<int>(*low), static_cast<int>(*high));
    };
    const std::vector<uint8_t> hit = ParseWave(ReadBinaryFile("敵当たり.wav"), "").samples;
    const auto [low, high] = std::minmax_element(hit.begin(), hit.end());
    const int own = std::max(128 - *low, *high - 128) * 256;
    EXPECT_NEAR(20 * std::log10(peak(0, heavy_start) / double(own)), 0.0, 0.5) << own;
    EXPECT_GT(peak(heavy_start, static_cast<long>(out.size())), 30000) << "loud enough to clip";
    EXPECT_EQ(
        std::count_if(out.begin(), out.end(), [](int16_t s) { return s == 32767 || s == -32768; }),
        0);
}
