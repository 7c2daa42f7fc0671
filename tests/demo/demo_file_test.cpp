// The demo file: what is written reads back the same, and every kind of bad file is
// refused with its reason, except a cut one, which plays up to its last whole entry.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "demo/demo_file.h"
#include "tests/support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

DemoSettings SomeSettings() {
    DemoSettings s;
    s[Option::PlayCount] = 10;
    s[Option::Special1] = 1;
    s[Option::Special2] = 1;
    s[Option::Light] = 1;
    s[Option::Translucency] = 0;
    s[Option::NoTexture] = 1;
    s[Option::ControlScheme] = 1;
    s[Option::Display] = 2;
    s[Option::Camera] = 3;
    s[Option::BackDistance] = 5;
    s[Option::Difficulty] = 5;
    return s;
}

std::vector<DemoFrame> SomeFrames() {
    return {{DemoScreen::Title, 0, 0, {1000, 1001, 1034}},
            {DemoScreen::Game, 2, (uint64_t{1} << 35) | 0x11, {4294967295u, 0}},
            {DemoScreen::Transition, 0, 0x10, {}},
            {DemoScreen::Ending, 255, 0xFFFFFFFFFull, {7}}};
}

Bytes Whole(const std::vector<DemoFrame>& frames, bool end_mark = true) {
    Bytes bytes = DemoHeaderBytes("0.5", SomeSettings());
    for (const DemoFrame& f : frames) {
        const Bytes entry = DemoFrameBytes(f);
        bytes.insert(bytes.end(), entry.begin(), entry.end());
    }
    if (end_mark) bytes.push_back(DemoEndMark);
    return bytes;
}

std::string Refusal(const Bytes& bytes) {
    try {
        ParseDemo(bytes);
    } catch (const DemoError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(DemoFileTest, WhatIsWrittenReadsBackTheSame) {
    const Demo demo = ParseDemo(Whole(SomeFrames()));
    EXPECT_EQ(demo.game_version, "0.5");
    EXPECT_EQ(demo.settings, SomeSettings());
    EXPECT_EQ(demo.frames, SomeFrames());
    EXPECT_TRUE(demo.complete);
    EXPECT_EQ(demo.cut, "");
    // Little-endian throughout: the format version right after the name, then a frame's
    // readings low byte first.
    const Bytes bytes = Whole(SomeFrames());
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "BRANDEMO");
    EXPECT_EQ(bytes[8], 1);
    EXPECT_EQ(bytes[9], 0);
    const Bytes first = DemoFrameBytes(SomeFrames()[0]);
    ASSERT_EQ(first.size(), 1u + 1 + 8 + 2 + 3 * 4);
    EXPECT_EQ(first[10], 3); // reading count
    EXPECT_EQ(first[12], 1000 & 0xFF);
    EXPECT_EQ(first[13], 1000 >> 8);
    // The settings follow the version text in the format's fixed order: play count, bonus
    // modes, lighting, translucency, no texture, control scheme, display, camera,
    // background distance, difficulty.
    const size_t settings_at = 8 + 2 + 1 + 3;
    std::vector<int32_t> stored;
    for (size_t at = settings_at; at < settings_at + 11 * 4; at += 4)
        stored.push_back(static_cast<int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                              bytes[at + 3] << 24));
    EXPECT_EQ(stored, (std::vector<int32_t>{10, 1, 1, 1, 0, 1, 1, 2, 3, 5, 5}));
}

TEST(DemoFileTest, ANegativePlayCountAndEveryLimitOfTheSettingsRead) {
    DemoSettings s;
    s[Option::PlayCount] = -7;
    s[Option::Difficulty] = 0;
    s[Option::BackDistance] = 0;
    EXPECT_EQ(ParseDemo(DemoHeaderBytes("0.5", s)).settings, s);
    s[Option::Difficulty] = 5;
    s[Option::BackDistance] = 5;
    s[Option::Display] = 3;
    s[Option::Camera] = 3;
    s[Option::Light] = 2;
    EXPECT_EQ(ParseDemo(DemoHeaderBytes("0.5", s)).settings, s);
}

TEST(DemoFileTest, SettingsOutsideWhatThePanelOffersAreDamage) {
    const auto with = [](Option id, int32_t value) {
        DemoSettings s;
        s[id] = value;
        return Refusal(DemoHeaderBytes("0.5", s));
    };
    EXPECT_EQ(with(Option::Difficulty, 6), "damaged: Difficulty is 6");
    EXPECT_EQ(with(Option::Difficulty, -1), "damaged: Difficulty is -1");
    EXPECT_EQ(with(Option::BackDistance, 6), "damaged: the background distance is 6");
    EXPECT_EQ(with(Option::Display, 4), "damaged: Display_Mode is 4");
    EXPECT_EQ(with(Option::Light, 3), "damaged: Light_Mode is 3");
    EXPECT_EQ(with(Option::Special2, 2), "damaged: Special2 is 2");
}

TEST(DemoFileTest, NotADemoOrAnotherFormatVersionIsRefused) {
    EXPECT_EQ(Refusal({}), "not a Brannock demo");
    EXPECT_EQ(Refusal({'B', 'R', 'A', 'N', 'D', 'E', 'M'}), "not a Brannock demo");
    Bytes other = Whole(SomeFrames());
    other[0] = 'b';
    EXPECT_EQ(Refusal(other), "not a Brannock demo");
    EXPECT_EQ(Refusal(Whole({}, true)).find("(accepted)"), 0u) << "an empty game is a demo";
    for (const int version : {0, 2, 256}) {
        SCOPED_TRACE(version);
        Bytes bytes = DemoHeaderBytes("0.5", SomeSettings(), static_cast<uint16_t>(version));
        bytes.push_back(DemoEndMark);
        EXPECT_EQ(Refusal(bytes),
                  "demo format version " + std::to_string(version) + "; this game plays version 1");
    }
}

TEST(DemoFileTest, AHeaderCutAnywhereIsRefused) {
    const Bytes header = DemoHeaderBytes("0.5", SomeSettings());
    for (size_t n = 8; n < header.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Refusal(Bytes(header.begin(), header.begin() + static_cast<long>(n))),
                  "cut short inside its header");
    }
    EXPECT_EQ(ParseDemo(header).frames.size(), 0u) << "the whole header, nothing after";
}

TEST(DemoFileTest, AFileCutInsideAnEntryPlaysTheEntriesBeforeIt) {
    const Bytes whole = Whole(SomeFrames(), /*end_mark=*/false);
    const size_t header = DemoHeaderBytes("0.5", SomeSettings()).size();
    const size_t first = DemoFrameBytes(SomeFrames()[0]).size();
    // Every cut inside the second entry: its screen byte alone, up to one byte short.
    const size_t second = DemoFrameBytes(SomeFrames()[1]).size();
    for (size_t keep = 1; keep < second; ++keep) {
        SCOPED_TRACE(keep);
        const Demo demo = ParseDemo(
            Bytes(whole.begin(), whole.begin() + static_cast<long>(header + first + keep)));
        ASSERT_EQ(demo.frames.size(), 1u);
        EXPECT_EQ(demo.frames[0], SomeFrames()[0]);
        EXPECT_FALSE(demo.complete);
        EXPECT_EQ(demo.cut, "cut short in the middle of frame 2");
    }
    // Whole entries but no end mark: the game stopped without closing the file.
    const Demo unended = ParseDemo(whole);
    EXPECT_EQ(unended.frames, SomeFrames());
    EXPECT_FALSE(unended.complete);
    EXPECT_EQ(unended.cut, "ends without its end mark after frame 4");
}

TEST(DemoFileTest, DamagedEntriesAreRefused) {
    const size_t header = DemoHeaderBytes("0.5", SomeSettings()).size();
    for (const int screen : {0, 5, 0xFE}) {
        Bytes bytes = Whole(SomeFrames());
        bytes[header] = static_cast<uint8_t>(screen);
        EXPECT_EQ(Refusal(bytes), "damaged: frame 1 names screen " + std::to_string(screen));
    }
    // State 35 is the last the game has; 36 is none.
    std::vector<DemoFrame> frames = SomeFrames();
    frames[2].states = uint64_t{1} << 35;
    EXPECT_EQ(ParseDemo(Whole(frames)).frames[2].states, uint64_t{1} << 35);
    frames[2].states = uint64_t{1} << 36;
    EXPECT_EQ(Refusal(Whole(frames)), "damaged: frame 3 holds input states the game does not have");
    Bytes trailing = Whole(SomeFrames());
    trailing.push_back(0);
    EXPECT_EQ(Refusal(trailing).rfind("damaged: data after the end mark at byte ", 0), 0u)
        << Refusal(trailing);
}

class DemoFileOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("brannock-demofile-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(DemoFileOnDiskTest, TheWriterPutsEachEntryInTheFileAtOnce) {
    const std::string path = (dir_ / "run.bnd").string();
    DemoWriter writer(path);
    writer.WriteFrame(SomeFrames()[0]); // before START: nothing to write yet
    EXPECT_FALSE(fs::exists(path));
    writer.WriteHeader("0.5", SomeSettings());
    for (const DemoFrame& f : SomeFrames()) writer.WriteFrame(f);
    // Readable while still being written, as after a crash.
    const Demo so_far = ReadDemo(path);
    EXPECT_EQ(so_far.frames, SomeFrames());
    EXPECT_FALSE(so_far.complete);
    writer.Finish();
    const Demo done = ReadDemo(path);
    EXPECT_TRUE(done.complete);
    EXPECT_EQ(done.frames, SomeFrames());
    EXPECT_EQ(writer.Failure(), "");
}

// A write that fails (the disk full in the middle of the third entry) is the writer's
// last: nothing more reaches the file, not even once there is room again, so it plays the
// entries before the failure.
TEST_F(DemoFileOnDiskTest, AfterAWriteFailureTheWriterWritesNothingMore) {
    const std::string path = (dir_ / "full.bnd").string();
    const std::vector<DemoFrame> frames = SomeFrames();
    const size_t room = Whole({frames[0], frames[1]}, false).size() + 3;
    DemoWriter writer(path);
    {
        FileSizeLimit limit(room);
        ASSERT_TRUE(limit.ok());
        writer.WriteHeader("0.5", SomeSettings());
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(writer.Failure(), "") << "before entry " << i;
            writer.WriteFrame(frames[i]);
        }
    }
    EXPECT_EQ(writer.Failure().rfind(path + " ", 0), 0u) << writer.Failure();
    writer.WriteFrame(frames[3]);
    writer.Finish();
    EXPECT_EQ(fs::file_size(path), room);
    const Demo played = ReadDemo(path);
    EXPECT_EQ(played.frames, (std::vector<DemoFrame>{frames[0], frames[1]}));
    EXPECT_FALSE(played.complete);
}

TEST_F(DemoFileOnDiskTest, AGameNeverStartedLeavesNoFileAndAnOldDemoAsItWas) {
    const std::string path = (dir_ / "none.bnd").string();
    for (const bool old : {false, true}) {
        if (old) std::ofstream(path) << "old";
        DemoWriter(path).Finish();
        EXPECT_EQ(fs::exists(path), old);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), old ? 1 : 0);
    }
}

TEST_F(DemoFileOnDiskTest, ErrorsNameThePath) {
    const std::string missing = (dir_ / "no" / "such.bnd").string();
    try {
        DemoWriter writer(missing);
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const DemoError& e) {
        EXPECT_EQ(std::string(e.what()), missing + " に書き込めません（ファイルがありません）");
    }
    const auto refusal = [](const std::string& path) {
        try {
            ReadDemo(path);
        } catch (const DemoError& e) {
            return std::string(e.what());
        }
        return std::string("(accepted)");
    };
    EXPECT_EQ(refusal(missing), missing + " を読めません（ファイルがありません）");
    EXPECT_EQ(refusal(dir_.string()), dir_.string() + " を読めません（フォルダーです）");
    const std::string text = (dir_ / "notes.txt").string();
    std::ofstream(text) << "hello";
    EXPECT_EQ(refusal(text), text + ": not a Brannock demo");
}

} // namespace
