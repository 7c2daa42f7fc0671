// Wave files and the wave list on SDL's dummy audio driver: overlapping copies, looped
// music, stopping, and playing silently without a device.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "media/read_file.h"
#include "media/sound.h"
#include "media/wave_file.h"
#include "tests/support/env_scope.h"
#include "tests/support/little_endian.h"

namespace {

void PutChunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& body) {
    out.insert(out.end(), id, id + 4);
    Put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) out.push_back(0);
}

struct WaveLayout {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 8000;
    uint16_t bits = 8;
    std::vector<uint8_t> samples;
    bool extra_chunk = false; // an odd-sized chunk the reader must skip
};

std::vector<uint8_t> BuildWave(const WaveLayout& w) {
    std::vector<uint8_t> format;
    Put16(format, w.tag);
    Put16(format, w.channels);
    Put32(format, w.rate);
    Put32(format, w.rate * w.channels * w.bits / 8);
    Put16(format, static_cast<uint32_t>(w.channels * w.bits / 8));
    Put16(format, w.bits);
    std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
    PutChunk(body, "fmt ", format);
    if (w.extra_chunk) PutChunk(body, "LIST", {'a', 'b', 'c'});
    PutChunk(body, "data", w.samples);
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    Put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A mono 8-bit tone of the given length at 8000 Hz.
std::vector<uint8_t> Tone(double seconds) {
    WaveLayout w;
    for (int i = 0; i < static_cast<int>(8000 * seconds); ++i)
        w.samples.push_back(static_cast<uint8_t>(i % 16 < 8 ? 96 : 160));
    return BuildWave(w);
}

std::string WaveError(const std::vector<uint8_t>& bytes, const std::string& name) {
    try {
        ParseWave(bytes, name);
    } catch (const EInvalidWave& e) {
        return e.what();
    }
    return "(no error)";
}

// Waits, up to a generous limit, until the item has no copy playing.
bool WaitUntilSilent(const TWaveCollectionItem& item) {
    for (int i = 0; i < 500 && item.PlayingCount() > 0; ++i) SDL_Delay(10);
    return item.PlayingCount() == 0;
}

} // namespace

TEST(WaveFiles, ReadsMonoAndStereoPcmSkippingOtherChunks) {
    WaveLayout mono;
    mono.samples = {1, 2, 3, 4, 5};
    WaveData wave = ParseWave(BuildWave(mono), "mono.wav");
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.bits, 8);
    EXPECT_EQ(wave.sample_rate, 8000);
    EXPECT_EQ(wave.samples, mono.samples);

    WaveLayout stereo;
    stereo.channels = 2;
    stereo.bits = 16;
    stereo.rate = 22050;
    stereo.extra_chunk = true;
    stereo.samples = {1, 2, 3, 4, 5, 6, 7, 8, 9}; // two whole frames and a stray byte
    wave = ParseWave(BuildWave(stereo), "stereo.wav");
    EXPECT_EQ(wave.channels, 2);
    EXPECT_EQ(wave.bits, 16);
    EXPECT_EQ(wave.sample_rate, 22050);
    EXPECT_EQ(wave.samples, std::vector<uint8_t>({1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(WaveFiles, AnythingButPlainPcmIsAnInvalidWaveNamingTheFile) {
    const std::string expected = "/game/敵爆発.wav: 不正な Wave です";
    EXPECT_EQ(WaveError({'R', 'I', 'F', 'F'}, "/game/敵爆発.wav"), expected);
    WaveLayout w;
    w.samples = {1, 2, 3, 4};
    w.tag = 2; // compressed
    EXPECT_EQ(WaveError(BuildWave(w), "/game/敵爆発.wav"), expected);
    w.tag = 1;
    w.bits = 24;
    EXPECT_EQ(WaveError(BuildWave(w), "a.wav"), "a.wav: 不正な Wave です");
    w.bits = 8;
    w.channels = 3;
    EXPECT_EQ(WaveError(BuildWave(w), "a.wav"), "a.wav: 不正な Wave です");
    w.channels = 1;
    w.rate = 999;
    EXPECT_EQ(WaveError(BuildWave(w), "slow.wav"), "slow.wav: 不正な Wave です");
    w.rate = 384001;
    EXPECT_EQ(WaveError(BuildWave(w), "fast.wav"), "fast.wav: 不正な Wave です");
    for (const uint32_t rate : {1000u, 384000u}) {
        w.rate = rate;
        EXPECT_EQ(WaveError(BuildWave(w), "edge.wav"), "(no error)") << rate << " Hz";
    }
    w.rate = 8000;
    auto cut = BuildWave(w);
    cut.resize(cut.size() - 2); // the data chunk says more than the file holds
    EXPECT_EQ(WaveError(cut, "cut.wav"), "cut.wav: 不正な Wave です");
    auto no_data = BuildWave(w);
    no_data.resize(12 + 8 + 16); // RIFF header and the format chunk only
    EXPECT_EQ(WaveError(no_data, "nodata.wav"), "nodata.wav: 不正な Wave です");
}

TEST(WaveFiles, AMissingFileIsNamedAndABrokenOneKeepsTheOldWave) {
    TDXSound sound;
    TDXWaveList list(sound);
    TWaveCollectionItem& item = list.Add();
    const std::string missing = "/nonexistent/ダッシュ.wav";
    try {
        item.LoadFromFile(missing);
        FAIL() << "a missing file loaded";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    EXPECT_FALSE(item.HasWave());
    item.LoadFromBytes(Tone(0.1), "good.wav");
    EXPECT_THROW(item.LoadFromBytes({'x'}, "bad.wav"), EInvalidWave);
    EXPECT_TRUE(item.HasWave());
}

TEST(SoundWithoutDevice, PlaysAreReportedButSilent) {
    TDXSound sound; // never initialised
    TDXWaveList list(sound);
    std::vector<int> played;
    list.OnPlay = [&](int index) { played.push_back(index); };
    list.Add().Name = "ダッシュ";
    TWaveCollectionItem& shot = list.Add();
    shot.Name = "自機ショット";
    shot.LoadFromBytes(Tone(0.5), "shot.wav");
    shot.Play(false);
    shot.Play(true); // must not wait for a sound that never started
    EXPECT_EQ(shot.PlayingCount(), 0);
    shot.Stop();
    sound.MessageBeep();
    EXPECT_EQ(played, std::vector<int>({1, 1}));
    EXPECT_EQ(list.IndexOf("自機ショット"), 1);
    EXPECT_EQ(list.IndexOf("nothing"), -1);
}

TEST(SoundWithoutDevice, AMissingDriverMakesInitializeReturnFalse) {
    const EnvScope audio("SDL_AUDIODRIVER", "no-such-driver");
    TDXSound sound;
    EXPECT_FALSE(sound.Initialize());
    EXPECT_FALSE(sound.Initialized());
}

class SoundOnDummyDevice : public ::testing::Test {
protected:
    void SetUp() override {
        audio_.emplace("SDL_AUDIODRIVER", "dummy", true);
        ASSERT_TRUE(sound.Initialize()) << "the dummy audio driver did not open";
        list.OnPlay = [this](int index) { played.push_back(index); };
    }
    TWaveCollectionItem& AddItem(const std::string& name, double seconds, bool looped = false) {
        TWaveCollectionItem& item = list.Add();
        item.Name = name;
        item.Looped = looped;
        item.LoadFromBytes(Tone(seconds), name + ".wav");
        return item;
    }
    std::optional<EnvScope> audio_; // outlives the sound
    TDXSound sound;
    TDXWaveList list{sound};
    std::vector<int> played;
};

TEST_F(SoundOnDummyDevice, TenShotsOverlapOnTenChannelsAndLaterShotsReuseFinishedOnes) {
    TWaveCollectionItem& shot = AddItem("自機ショット", 0.25);
    for (int i = 0; i < 10; ++i) shot.Play(false);
    EXPECT_EQ(shot.PlayingCount(), 10);
    EXPECT_EQ(Mix_Playing(-1), 10);
    const int channels = Mix_AllocateChannels(-1);
    EXPECT_GE(channels, 10);
    EXPECT_EQ(played.size(), 10u);

    ASSERT_TRUE(WaitUntilSilent(shot));
    for (int i = 0; i < 10; ++i) shot.Play(false);
    EXPECT_EQ(shot.PlayingCount(), 10);
    EXPECT_EQ(Mix_AllocateChannels(-1), channels) << "finished channels were not reused";
}

TEST_F(SoundOnDummyDevice, StopSilencesEveryCopyAtOnceAndLeavesOtherItemsAlone) {
    TWaveCollectionItem& missile = AddItem("ミサイル", 3.0);
    TWaveCollectionItem& hit = AddItem("敵当たり", 3.0);
    TWaveCollectionItem& never = AddItem("ENDING", 3.0);
    for (int i = 0; i < 4; ++i) missile.Play(false);
    hit.Play(false);
    never.Stop(); // never played: nothing happens
    EXPECT_EQ(Mix_Playing(-1), 5);
    missile.Stop();
    EXPECT_EQ(missile.PlayingCount(), 0);
    EXPECT_EQ(hit.PlayingCount(), 1);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(SoundOnDummyDevice, ALoopedItemRestartsInsteadOfOverlapping) {
    TWaveCollectionItem& music = AddItem("GameBGM", 0.05, true);
    music.Play(false);
    music.Play(false);
    music.Play(true); // a loop is never waited for
    EXPECT_EQ(music.PlayingCount(), 1);
    EXPECT_EQ(Mix_Playing(-1), 1);
    SDL_Delay(200); // several times its length: still looping
    EXPECT_EQ(music.PlayingCount(), 1);
    music.Stop();
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(played, std::vector<int>({0, 0, 0}));
}

TEST_F(SoundOnDummyDevice, ALimitReusesTheOldestCopy) {
    TWaveCollectionItem& dash = AddItem("ダッシュ", 3.0);
    dash.MaxPlayingCount = 2;
    for (int i = 0; i < 5; ++i) dash.Play(false);
    EXPECT_EQ(dash.PlayingCount(), 2);
    EXPECT_EQ(Mix_Playing(-1), 2);
}

TEST_F(SoundOnDummyDevice, WavesLoadedWithoutADevicePlayOnceOneOpens) {
    sound.Finalize();
    TWaveCollectionItem& clear = AddItem("ゲームクリア", 3.0);
    clear.Play(false);
    EXPECT_EQ(clear.PlayingCount(), 0);
    ASSERT_TRUE(sound.Initialize());
    clear.Play(false);
    EXPECT_EQ(clear.PlayingCount(), 1);
    sound.MessageBeep();
    EXPECT_EQ(Mix_Playing(-1), 2);
}

TEST_F(SoundOnDummyDevice, WaitingReturnsWhenASinglePlayEnds) {
    TWaveCollectionItem& swing = AddItem("スイングブレード", 0.05);
    swing.Play(true);
    EXPECT_EQ(swing.PlayingCount(), 0);
}
