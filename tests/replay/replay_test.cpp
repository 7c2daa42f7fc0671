#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "tests/support/replay_fixture.h"

namespace {

using ReplayTest = ReplayFixture;

TEST_F(ReplayTest, ALineItCannotRunIsNamedByNumber) {
    EXPECT_EQ(Run("# a comment\n\nfly 3\n"), 3);
    EXPECT_NE(message_.find("script line 3"), std::string::npos);
    EXPECT_NE(message_.find("fly"), std::string::npos);
    EXPECT_EQ(Run("frames\n"), 1);
    EXPECT_EQ(Run("frames two\n"), 1);
    EXPECT_EQ(Run("frames -1\n"), 1);
    EXPECT_EQ(Run("frames 1 Up+Nokey\n"), 1);
    EXPECT_NE(message_.find("Nokey"), std::string::npos);
    EXPECT_EQ(Run("frames 1\nclick NoSuchButton\n"), 2);
    EXPECT_EQ(Run("check NoSuchControl\n"), 1);
    EXPECT_EQ(Run("trackbar x\n"), 1);
}

TEST_F(ReplayTest, KeyNamesMayHoldSpaces) {
    EXPECT_EQ(Run("frames 1 Keypad 5\n"), 0) << message_;
    EXPECT_EQ(Run("frames 1 Left + Keypad 5 \n"), 0) << message_;
    EXPECT_EQ(Run("frames 1 Keypad ++Up\n"), 0) << message_;
    EXPECT_EQ(Run("frames 1 Up+Keypad +\n"), 0) << message_;
    EXPECT_EQ(Run("frames 1 Keypad 55\n"), 1);
    EXPECT_NE(message_.find("'Keypad 55'"), std::string::npos) << message_;
    EXPECT_EQ(Run("frames 1 Left Right\n"), 1) << "two names need a '+'";
}

TEST_F(ReplayTest, PanelFramesWriteOneStateLineEach) {
    ASSERT_EQ(Run("frames 3\n"), 0) << message_;
    const auto states = States();
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0]["frame"], 1);
    EXPECT_EQ(states[2]["frame"], 3);
    EXPECT_EQ(states[0]["screen"], "panel");
    EXPECT_EQ(states[0]["Robo_HP"], 300);
    EXPECT_EQ(states[0]["Zako"].size(), 12u);
    EXPECT_TRUE(states[0]["sounds"].is_array());
}

TEST_F(ReplayTest, RealtimeFramesTakeTheirTimeAndGiveTheSameStates) {
    const std::string script =
        "check RadioButton18\nclick Button1\nframes 3\nframes 1 Z\nframes 10 Up\n";
    ASSERT_EQ(Run(script), 0) << message_;
    const auto paced_free = States();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Run("realtime\n" + script), 0) << message_;
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(States(), paced_free);
    // 14 frames of 33 ms on the wall clock.
    EXPECT_GE(took, std::chrono::milliseconds(13 * 33));
}

TEST_F(ReplayTest, EscapeClosesAndEndsTheRun) {
    ASSERT_EQ(Run("frames 5 Escape\nnonsense after the end\n"), 0) << message_;
    const auto states = States();
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back()["screen"], "closed");
    EXPECT_EQ(states.size(), 1u) << "the program closed in the first frame";
}

// From the options panel into the first game frame, in a window.
const char* const StartGame = "check RadioButton18\nclick Button1\nframes 3\nframes 1 Z\n";

TEST_F(ReplayTest, SetWritesScalarsAndRecordFieldsWithoutRunningAFrame) {
    ASSERT_EQ(Run("frames 1\n"
                  "set Energy 123.5\n"
                  "set Missile_Stock -3\n"
                  "set Guard_On 1\n"
                  "set Button_Latch 0\n"
                  "set Zako[11].Life 5\n"
                  "set Bakuhatu[0].Count 7\n"
                  "set Teki_Tama[5].Life 1\n"
                  "set Robo_ArmL1.RotX 4  # a comment after a lever\n"
                  "frames 1\n"),
              0)
        << message_;
    const auto states = States();
    ASSERT_EQ(states.size(), 2u) << "set lines run no frame of their own";
    const auto& before = states[0];
    const auto& after = states[1];
    EXPECT_NE(before["Energy"], 123.5);
    EXPECT_EQ(after["Energy"], 123.5);
    EXPECT_EQ(after["Missile_Stock"], -3);
    EXPECT_EQ(after["Guard_On"], true);
    EXPECT_EQ(after["Button_Latch"], false);
    EXPECT_NE(before["Zako"][11]["Life"], 5);
    EXPECT_EQ(after["Zako"][11]["Life"], 5);
    EXPECT_EQ(after["Zako"][10]["Life"], before["Zako"][10]["Life"]) << "only the named record";
    EXPECT_EQ(after["Bakuhatu"][0]["Count"], 7);
    EXPECT_EQ(after["Teki_Tama"][5]["Life"], 1);
}

TEST_F(ReplayTest, SetAndPlaceRejectWhatTheyCannotDoNamingTheLine) {
    const std::pair<const char*, const char*> bad[] = {
        {"set Enrgy 3", "Enrgy"},         // unknown scalar
        {"set Zako[12].Life 0", "range"}, // one past the last zako
        {"set Zako[-1].Life 0", "range"}, {"set Bakuhatu[15].Life 1", "range"},
        {"set Zako[x].Life 0", "'x'"},    {"set Boats[0].Life 1", "Boats"},
        {"set Zako[0].Speed 1", "Speed"}, {"set Robo_Tail.RotX 1", "Robo_Tail"},
        {"set Energy abc", "abc"},        {"set Energy 1e999", "1e999"},
        {"set Robo_HP 1.5", "1.5"}, // integers take whole numbers only
        {"set Guard_On 2", "'2'"},  // booleans are 0 or 1
        {"set Energy", "value"},          {"set Energy 1 2", "'2'"},
        {"place robo 0 0", "not built"},  {"place Tama[0] 0 0", "Tama[0]"},
        {"place robo x 0", "'x'"},
    };
    for (const auto& [line, named] : bad) {
        EXPECT_EQ(Run(std::string("frames 1\n") + line + "\n"), 2) << line;
        EXPECT_NE(message_.find(named), std::string::npos) << line << ": " << message_;
    }
}

TEST_F(ReplayTest, PlacePutsFramesOnTheGroundAndTurnsThem) {
    // Dead enemies stay where they are put, whatever their steps do.
    ASSERT_EQ(Run(std::string(StartGame) + "set Zako[2].Life 0\n"
                                           "set GH[5].Life 0\n"
                                           "place robo 12.5 -7 0 -2\n"
                                           "place Zako[2] 30 40\n"
                                           "place GH[5] -10 60 1 0\n"
                                           "place boss 50 90\n"
                                           "frames 1\n"
                                           "place Zako[12] 0 0\n"),
              12)
        << message_;
    EXPECT_NE(message_.find("range"), std::string::npos) << message_;
    const auto states = States();
    ASSERT_FALSE(states.empty());
    const auto& s = states.back();
    ASSERT_EQ(s["screen"], "game");
    EXPECT_FLOAT_EQ(s["robo"]["x"].get<float>(), 12.5f);
    EXPECT_FLOAT_EQ(s["robo"]["y"].get<float>(), 0.0f);
    EXPECT_FLOAT_EQ(s["robo"]["z"].get<float>(), -7.0f);
    EXPECT_NEAR(s["robo"]["dx"].get<float>(), 0.0f, 1e-5);
    EXPECT_NEAR(s["robo"]["dz"].get<float>(), -1.0f, 1e-5);
    EXPECT_FLOAT_EQ(s["Zako"][2]["x"].get<float>(), 30.0f);
    EXPECT_FLOAT_EQ(s["Zako"][2]["z"].get<float>(), 40.0f);
    EXPECT_FLOAT_EQ(s["GH"][5]["x"].get<float>(), -10.0f);
    EXPECT_FLOAT_EQ(s["boss"]["z"].get<float>(), 90.0f);
    EXPECT_EQ(Run(std::string(StartGame) + "place robo 0 0 0 0\n"), 5);
    EXPECT_EQ(Run(std::string(StartGame) + "place GH[0] 0 0 1\n"), 5);
}

TEST_F(ReplayTest, TheGunAndASalvoFromTheKeyboard) {
    ASSERT_EQ(Run(std::string(StartGame) +
                  "frames 1\n"
                  "frames 2 Z\n" // button 1: a shot in the second frame of the hold
                  "frames 1\n"
                  "set Energy 300\n"
                  "frames 1 Z+X\n"), // buttons 1 + 2 with a full gauge
              0)
        << message_;
    const auto states = States();
    ASSERT_GE(states.size(), 4u);
    const auto& shot = states[states.size() - 3];
    EXPECT_EQ(shot["Tama"][0]["Life"], 1);
    auto count = [](const nlohmann::json& sounds, const char* name) {
        return std::count(sounds.begin(), sounds.end(), nlohmann::json(name));
    };
    EXPECT_EQ(count(shot["sounds"], "自機ショット"), 1);
    const auto& salvo = states.back();
    EXPECT_EQ(salvo["Energy"], 0);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(salvo["Missile"][i]["Life"], 1) << i;
    EXPECT_EQ(count(salvo["sounds"], "ミサイル"), 1);
    EXPECT_EQ(count(salvo["sounds"], "自機ショット"), 0);
}

} // namespace
