// Demos through the replay tool: a scripted fight recorded with 'record' plays back with
// 'play' to the same state.jsonl, byte for byte; the committed demo plays to the states it
// was recorded with, whatever compiler built this; bad files and test levers are refused.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "demo/demo_file.h"
#include "game/white_flash.h"
#include "tests/support/replay_fixture.h"

namespace {

namespace fs = std::filesystem;

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// The digest the committed digest files hold: FNV-1a, 64 bits, as 16 hex digits.
std::string Digest(const std::string& line) {
    uint64_t h = 0xCBF29CE484222325ull;
    for (const char c : line) h = (h ^ static_cast<uint8_t>(c)) * 0x100000001B3ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

class DemoReplayTest : public ReplayFixture {
protected:
    // Runs a script; the script error's message, empty when it ran.
    std::string Replay(const std::string& script, const std::string& out) {
        Run(script, out);
        return message_;
    }

    std::string Fight() const { return FileText(fs::path(DEMO_DIR) / "stage1_fight.txt"); }
    std::string Path(const char* name) const { return (home_ / name).string(); }
    std::string States(const char* out) const { return FileText(home_ / out / "state.jsonl"); }
};

TEST_F(DemoReplayTest, AScriptedFightPlaysBackToTheSameStates) {
    const std::string demo = Path("fight.bnd");
    ASSERT_EQ(Replay("record " + demo + "\n" + Fight(), "recorded"), "");
    const std::string recorded = States("recorded");
    const std::vector<std::string> lines = Lines(recorded);
    ASSERT_EQ(lines.size(), 505u);
    // A real fight: a zako falls to the robot's shots, the robot to the enemies'.
    EXPECT_NE(recorded.find("敵爆発"), std::string::npos);
    EXPECT_NE(recorded.find("自機爆発"), std::string::npos);
    EXPECT_NE(lines[437].find("\"Robo_HP\":30,"), std::string::npos);
    EXPECT_NE(lines[439].find("\"Robo_HP\":0,"), std::string::npos);

    // On another day: nothing of the recording's settings or records on disk. The player
    // went back to the panel after the last frame; the playback closes there.
    fs::remove_all(home_ / "config");
    fs::remove_all(home_ / "data");
    ASSERT_EQ(Replay("play " + demo + "\n", "played"), "");
    const std::vector<std::string> played = Lines(States("played"));
    ASSERT_EQ(played.size(), lines.size());
    EXPECT_EQ(std::vector(played.begin(), played.end() - 1),
              std::vector(lines.begin(), lines.end() - 1));
    EXPECT_NE(lines.back().find("\"screen\":\"panel\""), std::string::npos);
    EXPECT_NE(played.back().find("\"screen\":\"closed\""), std::string::npos);
    EXPECT_EQ(FileText(home_ / "played" / "dialogs.jsonl"), "");
    EXPECT_FALSE(fs::exists(home_ / "config" / "brannock" / "bn.ini")) << "playing stored settings";
}

// The fight again, and then the fallen robot stands still for 300 frames under fire: it
// takes no more hits, and no more than three white flashes come in any 31 frames.
TEST_F(DemoReplayTest, ADownedRobotIsNotHitAndFlashesStayWithinTheLimit) {
    const std::string fight = Fight();
    ASSERT_EQ(Replay(fight.substr(0, fight.find("frames 1 Escape")) + "frames 300\n", "out"), "");
    std::vector<nlohmann::json> game;
    for (const std::string& line : Lines(States("out")))
        if (auto state = nlohmann::json::parse(line); state["screen"] == "game")
            game.push_back(state);
    const auto down =
        std::find_if(game.begin(), game.end(), [](auto& s) { return s["Robo_HP"] <= 0; });
    ASSERT_GE(game.end() - down, 300);
    std::vector<size_t> flashes;
    for (auto s = game.begin(); s != game.end(); ++s) {
        if ((*s)["Flash_Ages"][0] == 0) flashes.push_back(static_cast<size_t>(s - game.begin()));
        if (s <= down) continue;
        EXPECT_EQ((*s)["Robo_HP"], (*down)["Robo_HP"]) << (*s)["frame"];
        EXPECT_EQ(std::count((*s)["sounds"].begin(), (*s)["sounds"].end(), "自機爆発"), 0);
    }
    ASSERT_FALSE(flashes.empty()) << "the hits before the fall flash";
    EXPECT_LT(flashes.back(), static_cast<size_t>(down - game.begin()) + 1)
        << "none after the fall";
    for (size_t k = MaxWhiteFlashes; k < flashes.size(); ++k)
        EXPECT_GE(flashes[k] - flashes[k - MaxWhiteFlashes], size_t{WhiteFlashWindowFrames});
}

// Built by one compiler or another, at any optimisation, the committed demo plays to the
// states it was recorded with.
TEST_F(DemoReplayTest, TheCommittedDemoPlaysToItsRecordedStates) {
    const fs::path demo = fs::path(DEMO_DIR) / "stage1_fight.bnd";
    ASSERT_EQ(Replay("play " + demo.string() + "\n", "played"), "");
    const std::vector<std::string> played = Lines(States("played"));
    const std::vector<std::string> expected =
        Lines(FileText(fs::path(DEMO_DIR) / "stage1_fight.digests"));
    ASSERT_EQ(expected.size(), 504u);
    ASSERT_EQ(played.size(), expected.size() + 1) << "the frames, then the program closes";
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(Digest(played[i]), expected[i]) << "frame " << i + 1 << ": " << played[i];
    EXPECT_NE(played.back().find("\"screen\":\"closed\""), std::string::npos);
}

TEST_F(DemoReplayTest, ACutDemoPlaysUpToWhereItEndsThenSaysSo) {
    const std::string demo = Path("fight.bnd");
    ASSERT_EQ(Replay("record " + demo + "\n" + Fight(), "recorded"), "");
    const std::string bytes = FileText(demo);
    // Cut inside the 201st entry: 200 whole frames remain.
    const Demo whole = ReadDemo(demo);
    size_t at = DemoHeaderBytes(whole.game_version, whole.settings).size();
    for (size_t i = 0; i < 200; ++i) at += DemoFrameBytes(whole.frames[i]).size();
    const std::string cut = Path("cut.bnd");
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, at + 5);

    testing::internal::CaptureStderr();
    const std::string error = Replay("play " + cut + "\n", "played");
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_EQ(error, "");
    EXPECT_EQ(said,
              "brannock: " + cut +
                  ": played up to frame 200; the demo cut short in the middle of frame 201\n");
    const std::vector<std::string> recorded = Lines(States("recorded"));
    const std::vector<std::string> played = Lines(States("played"));
    ASSERT_EQ(played.size(), 201u) << "200 frames, then the program closes";
    for (size_t i = 0; i < 200; ++i) ASSERT_EQ(played[i], recorded[i]) << "frame " << i + 1;
    EXPECT_NE(played[200].find("\"screen\":\"closed\""), std::string::npos);
}

TEST_F(DemoReplayTest, BadDemoFilesAreScriptErrorsNamingTheLineTheFileAndTheReason) {
    const std::string text = Path("notes.txt");
    std::ofstream(text) << "not a demo";
    EXPECT_EQ(Replay("# a demo\nplay " + text + "\n", "a"),
              "script line 2: " + text + ": not a Brannock demo");
    const std::string missing = Path("missing.bnd");
    EXPECT_EQ(Replay("play " + missing + "\n", "b")
                  .rfind("script line 1: " + missing + " を読めません", 0),
              0u);
    const std::string other = Path("other.bnd");
    {
        std::vector<uint8_t> bytes = DemoHeaderBytes("0.1", DemoSettings{});
        bytes.push_back(DemoEndMark);
        std::ofstream(other, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    EXPECT_EQ(Replay("play " + other + "\n", "c"),
              "script line 1: " + other + ": recorded by brannock 0.1; this is brannock " +
                  GameVersion());
    EXPECT_EQ(Replay("play\n", "d"), "script line 1: expected a demo file name");
    EXPECT_EQ(Replay("record\n", "e"), "script line 1: expected a demo file name");
}

TEST_F(DemoReplayTest, RecordingAndTestLeversDoNotMix) {
    const std::string demo = Path("x.bnd");
    EXPECT_EQ(Replay("check RadioButton18\nclick Button1\nframes 2\nrecord " + demo, "a"),
              "script line 4: 'record' must come before START (click Button1)");
    EXPECT_EQ(Replay("set Energy 10\nrecord " + demo, "b"),
              "script line 2: this run used test levers (set, place, timer): its demo would not "
              "play back the same");
    for (const char* lever : {"set Energy 10", "place robo 0 0", "timer DXTimer"}) {
        const std::string error = Replay(
            "record " + demo + "\ncheck RadioButton18\nclick Button1\nframes 4 Z\n" + lever + "\n",
            "c");
        const std::string command = std::string(lever).substr(0, std::string(lever).find(' '));
        EXPECT_EQ(error, "script line 5: '" + command +
                             "' is a test lever: the demo recorded since line 1 would not play "
                             "back the same");
    }
    EXPECT_EQ(Replay("record " + demo + "\nrecord " + demo + "\n", "d"),
              "script line 2: one demo per run");
    EXPECT_EQ(Replay("check RadioButton18\nclick Button1\nplay " + demo + "\n", "e"),
              "script line 3: 'play' must come before START (click Button1)");
}

} // namespace
