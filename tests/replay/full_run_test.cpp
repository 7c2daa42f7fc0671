// The example script that plays a whole game, START to the ending, through the replay tool:
// the stages follow one another with a transition screen between them, each with its own
// maps, and the music changes in the game's order.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/support/replay_fixture.h"

namespace {

using nlohmann::json;

class FullRunTest : public ReplayFixture {
protected:
    void SetUp() override {
        ReplayFixture::SetUp();
        std::ifstream script(FULL_RUN_SCRIPT);
        ASSERT_TRUE(script) << FULL_RUN_SCRIPT;
        std::stringstream text;
        text << script.rdbuf();
        ASSERT_EQ(Run(text.str()), 0) << message_;
        states = States();
    }

    // The screens in the order they were shown, each once per visit.
    std::vector<std::string> Screens() const {
        std::vector<std::string> visits;
        for (const json& s : states)
            if (visits.empty() || visits.back() != s["screen"]) visits.push_back(s["screen"]);
        return visits;
    }

    // Music and stage-end sounds in order; in a frame, what stopped comes before what
    // started (the boss room's door and the boss's fall both stop one tune for the next).
    std::vector<std::string> Music() const {
        const std::set<std::string> names = {"GameBGM", "BossBGM", "Boss大爆発", "ゲームクリア",
                                             "ENDING"};
        std::vector<std::string> events;
        for (const json& s : states) {
            for (const std::string name : s["stopped"])
                if (names.count(name)) events.push_back("stop " + name);
            for (const std::string name : s["sounds"])
                if (names.count(name)) events.push_back(name);
        }
        return events;
    }

    std::vector<json> states;
};

TEST_F(FullRunTest, ThreeStagesWithTransitionsThenTheEnding) {
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(Screens(), (std::vector<std::string>{"opening", "game", "transition", "game",
                                                   "transition", "game", "ending"}));

    // Each stage plays on its own maps; the transition already holds the next stage.
    std::vector<std::pair<int, std::string>> stages;
    for (const json& s : states) {
        if (s["screen"] != "game" && s["screen"] != "transition") continue;
        const std::pair<int, std::string> stage{s["Stage_No"], s["Map_Image"]};
        if (stages.empty() || stages.back() != stage) stages.push_back(stage);
    }
    EXPECT_EQ(stages, (std::vector<std::pair<int, std::string>>{
                          {1, "Image1"}, {2, "Image2"}, {3, "Image3"}}));

    int falls = 0;
    for (size_t i = 1; i < states.size(); ++i) {
        const json& s = states[i];
        const json& before = states[i - 1];
        if (before["Boss_HP"] > 0 && s["Boss_HP"] <= 0) {
            ++falls;
            EXPECT_EQ(s["Boss_HP"], 0) << "the defeat sets the boss's hit points to exactly 0";
            EXPECT_FALSE(s["Clock_Running"]) << "frame " << s["frame"];
        }
        // The transition screen: the next stage waits with a fresh boss, the clock stopped,
        // the prompt blinking.
        if (s["screen"] == "transition" && before["screen"] == "transition") {
            EXPECT_EQ(s["Boss_HP"], 300);
            EXPECT_EQ(s["Victory_Frames"], 0);
            EXPECT_EQ(s["Play_Time"], 0);
            EXPECT_NE(s["Blink_Level"], before["Blink_Level"]);
        }
        // Button 1 on the transition: the next stage's clock starts from 0.
        if (s["screen"] == "game" && before["screen"] == "transition") {
            ASSERT_LT(i + 1, states.size());
            EXPECT_TRUE(s["Clock_Running"]);
            EXPECT_LE(states[i + 1]["Play_Time"], 66);
        }
    }
    EXPECT_EQ(falls, 3);

    const std::vector<std::string> stage_music = {"stop GameBGM", "BossBGM", "stop BossBGM",
                                                  "Boss大爆発", "ゲームクリア"};
    std::vector<std::string> expected = {"GameBGM"};
    for (int stage = 1; stage <= 3; ++stage) {
        expected.insert(expected.end(), stage_music.begin(), stage_music.end());
        expected.push_back(stage < 3 ? "GameBGM" : "ENDING");
    }
    EXPECT_EQ(Music(), expected);
    EXPECT_EQ(states.back()["Stage_No"], 3);
    EXPECT_EQ(states.back()["Victory_Frames"], 240);
}

} // namespace
