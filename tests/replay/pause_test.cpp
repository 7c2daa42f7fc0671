// Pause and the way back to the panel, through the replay tool: the paused screen stops
// the game's time while the clock goes on, Escape and P pause and resume, Escape on
// "GAME OVER" goes back to the panel, which comes back as a fresh launch shows it, and a
// second game plays as the first did; the designed settings close the program instead.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "demo/demo_file.h"
#include "tests/support/replay_fixture.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// From the options panel into the first game frame, in a window.
const char* const StartGame = "check RadioButton18\nclick Button1\nframes 3\nframes 1 Z\n";

class PauseTest : public ReplayFixture {
protected:
    void WriteSettings(const std::string& lines) const {
        fs::create_directories(home_ / "config" / "brannock");
        std::ofstream(home_ / "config" / "brannock" / "bn.ini") << "[Brannock]\n" << lines;
    }
    std::string FileBytes(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
};

// A row without what only says when and how it was drawn: the clock's own readings
// (absolute), the frame number, the screen and the frame rate, the sounds of the frame.
json GameVariables(json row) {
    for (const char* key : {"t", "frame", "screen", "fps", "sounds", "stopped", "Tick_Now",
                            "Tick_Last", "Clock_Start"})
        row.erase(key);
    return row;
}

TEST_F(PauseTest, ThreeHundredPausedFramesCostTheGameNothing) {
    ASSERT_EQ(Run(std::string("check RadioButton18\nclick Button1\nframes 3\n") +
                  "frames 1 Escape\nframes 2\nframes 1 Escape\n" // the title pauses, resumes
                  "frames 1 Z\nframes 30 Up\npress P\nframes 300\npress P\nframes 5 Up\n"),
              0)
        << message_;
    const std::vector<json> rows = States();
    ASSERT_EQ(rows.size(), 3u + 4 + 1 + 30 + 300 + 5);
    EXPECT_EQ(rows[3]["screen"], "paused");
    EXPECT_EQ(rows[5]["screen"], "paused");
    EXPECT_EQ(rows[6]["screen"], "opening");
    EXPECT_EQ(rows[6]["Blink_Level"], rows[2]["Blink_Level"].get<int>() + 25)
        << "the title blinks on from where it stood";

    const size_t last = 7 + 30; // the last game frame before P
    const json& before = rows[last];
    ASSERT_EQ(before["screen"], "game");
    for (size_t i = last + 1; i <= last + 300; ++i) {
        ASSERT_EQ(rows[i]["screen"], "paused") << i;
        EXPECT_EQ(rows[i]["t"].get<int>(), rows[i - 1]["t"].get<int>() + 33) << "the clock goes on";
        ASSERT_EQ(GameVariables(rows[i]), GameVariables(before)) << "frame " << i + 1;
        EXPECT_EQ(rows[i]["Tick_Now"], before["Tick_Now"]);
    }
    const json& after = rows[last + 301];
    ASSERT_EQ(after["screen"], "game");
    EXPECT_EQ(after["Play_Time"].get<int>(), before["Play_Time"].get<int>() + 33)
        << "the play time goes on from where it stopped";
    EXPECT_EQ(after["Tick_Now"].get<uint32_t>(), before["Tick_Now"].get<uint32_t>() + 33);
    EXPECT_NE(after["robo"], before["robo"]) << "and the robot walks on";
}

// Escape on "GAME OVER" goes back to the panel: the demo being recorded ends with that
// game, and a second START plays a game that is the first one again, frame for frame.
TEST_F(PauseTest, AfterGameOverTheNextGameIsTheFirstOneAgain) {
    const std::string demo = (home_ / "first.bnd").string();
    std::ostringstream game;
    game << StartGame << "frames 60 Up\nframes 40 Up+Z\nframes 40 Left+Z\nframes 60 Up\n"
         << "frames 120 Z\nframes 60 Up+Z\nframes 60 Right\nframes 60 Up+X\n";
    ASSERT_EQ(
        Run("record " + demo + "\n" + game.str() + "frames 1 Escape\nframes 2\n" + game.str()), 0)
        << message_;
    const std::vector<json> rows = States();
    const size_t frames = 504; // the title's 4, then the game's
    ASSERT_EQ(rows.size(), 2 * frames + 3);
    EXPECT_LT(rows[frames - 1]["Robo_HP"].get<int>(), 1) << "the robot is down";
    EXPECT_EQ(rows[frames]["screen"], "panel");
    for (size_t i = 0; i < frames; ++i)
        ASSERT_EQ(GameVariables(rows[frames + 3 + i]), GameVariables(rows[i])) << "frame " << i + 1;
    const Demo recorded = ReadDemo(demo);
    EXPECT_TRUE(recorded.complete);
    EXPECT_EQ(recorded.frames.size(), frames) << "one game only";
}

// The panel after a game is the panel of a fresh launch with the same bn.ini: the same
// world and the same picture.
TEST_F(PauseTest, ThePanelComesBackAsAFreshLaunchShowsIt) {
    ASSERT_EQ(Run(std::string(StartGame) + "frames 5\nset Robo_HP 0\nframes 1\n" +
                      "frames 1 Escape\nframes 2\nshot panel\n",
                  "after"),
              0)
        << message_;
    ASSERT_EQ(Run("frames 3\nshot panel\n", "fresh"), 0) << message_;
    const json after = JsonLines("state.jsonl", "after").back();
    const json fresh = JsonLines("state.jsonl", "fresh").back();
    EXPECT_EQ(after["screen"], "panel");
    EXPECT_EQ(GameVariables(after), GameVariables(fresh));
    EXPECT_EQ(FileBytes(home_ / "after" / "panel.png"), FileBytes(home_ / "fresh" / "panel.png"));
}

// The pause menu by keys; Escape and the end of a game with bn.ini's designed settings.
TEST_F(PauseTest, MenuChoicesAndTheDesignedSettings) {
    const std::string ending = std::string(StartGame) + "timer EndingTimer\nframes 1 X\n" +
                               "answer -\nanswer ok\nframes 1\n";
    const struct {
        const char* what;
        const char* settings;
        std::string script;
        const char* last_screen;
    } rows[] = {
        {"resume", "", std::string(StartGame) + "press P\nframes 2\npress Return\nframes 1\n",
         "game"},
        {"back to the panel", "",
         std::string(StartGame) + "press P\nframes 1\npress Down\npress Return\nframes 1\n",
         "panel"},
        {"quit, round the top", "",
         std::string(StartGame) + "frames 1 Escape\npress Up\npress Space\nframes 1\n", "closed"},
        {"Escape pauses", "", std::string(StartGame) + "frames 1 Escape\n", "paused"},
        {"Escape quits at once", "ESCで即終了=1\n", std::string(StartGame) + "frames 1 Escape\n",
         "closed"},
        {"the panel after the ending", "", ending, "panel"},
        {"quit after a game", "ゲーム後に終了=1\n", ending, "closed"},
        {"the designed keys, whatever bn.ini binds", "操作_ボタン1=Q\n", StartGame, "game"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(home_ / "config");
        fs::remove_all(home_ / "data");
        WriteSettings(row.settings);
        ASSERT_EQ(Run(row.script), 0) << message_;
        EXPECT_EQ(States().back()["screen"], row.last_screen);
    }
}

} // namespace
