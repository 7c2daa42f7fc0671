// The replay tool's dialog lines: answers from the script, dialogs.jsonl, pictures of a
// dialog while it is up, the help document recorded instead of opened.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "options/record_table.h"
#include "tests/support/replay_fixture.h"

namespace {

namespace fs = std::filesystem;

class ReplayDialogsTest : public ReplayFixture {
protected:
    fs::path DataFile(const char* name) const { return home_ / "data" / "brannock" / name; }
};

TEST_F(ReplayDialogsTest, TheRecordButtonsAreAnsweredFromTheScript) {
    ASSERT_EQ(Run("click Button5\n"
                  "answer no\n"
                  "click Button4\n"
                  "shot table\n"
                  "answer ok\n"
                  "answer yes\n" // waits for the next dialog
                  "click Button7\n"
                  "click Button3\n"),
              0)
        << message_;
    const auto dialogs = JsonLines("dialogs.jsonl");
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[0]["dialog"], "MessageBox");
    EXPECT_EQ(dialogs[0]["caption"], "ハイスコアクリアの確認");
    EXPECT_EQ(dialogs[0]["texts"][0], "ハイスコアを消去しますか？");
    EXPECT_EQ(dialogs[0]["answer"], "no");
    EXPECT_EQ(dialogs[1]["dialog"], "TfrmScore");
    EXPECT_EQ(dialogs[1]["highlight"], 0);
    ASSERT_EQ(dialogs[1]["rows"].size(), 10u);
    EXPECT_EQ(dialogs[1]["rows"][9], (nlohmann::json{"10", "NoBody", "0"}));
    EXPECT_EQ(dialogs[2]["answer"], "yes");
    EXPECT_EQ(dialogs[3]["dialog"], "help");
    const std::string document = dialogs[3]["document"];
    EXPECT_EQ(document.substr(document.size() - 11), "/index.html");
    EXPECT_TRUE(fs::exists(home_ / "out" / "table.png"));
    EXPECT_TRUE(fs::exists(DataFile("bnscore.dat"))) << "shown, so created";
    EXPECT_TRUE(fs::exists(DataFile("bntime2.dat"))) << "cleared on yes";
}

TEST_F(ReplayDialogsTest, AWaitingDialogTakesOnlyShotsTypingAndAnswers) {
    EXPECT_EQ(Run("click Button4\nframes 1\n"), 2);
    EXPECT_NE(message_.find("TfrmScore"), std::string::npos) << message_;
    EXPECT_EQ(Run("click Button5\n# thinking\nanswer maybe\n"), 3);
    EXPECT_NE(message_.find("yes"), std::string::npos) << message_;
    EXPECT_EQ(Run("click Button4\nanswer Taro\n"), 2) << "a table is closed with ok";
    EXPECT_EQ(Run("timer EndingTimer\n"), 1) << "no display yet";
    EXPECT_EQ(Run("click Button4\n"), 0) << "the script's end closes the dialog";
    EXPECT_EQ(JsonLines("dialogs.jsonl").back()["answer"], "-");
}

TEST_F(ReplayDialogsTest, TheEndOfAGameAsksTheNameAndShowsTheTable) {
    ASSERT_EQ(Run("check RadioButton18\n"
                  "click Button1\n"
                  "frames 1 Z\n"
                  "frames 2\n"
                  "timer EndingTimer\n"
                  "frames 2\n"
                  "frames 1 X\n" // button 2: straight to the end
                  "type 太\n"
                  "shot name\n"
                  "answer 郎\n"
                  "shot table\n"),
              0)
        << message_;
    const auto dialogs = JsonLines("dialogs.jsonl");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0]["dialog"], "TfrmInput");
    EXPECT_EQ(dialogs[0]["name"], "太郎");
    EXPECT_EQ(dialogs[1]["dialog"], "TfrmScore");
    EXPECT_EQ(dialogs[1]["highlight"], 1);
    EXPECT_EQ(dialogs[1]["rows"][0][1], "太郎");
    EXPECT_EQ(dialogs[1]["answer"], "-") << "closed by the end of the script";
    EXPECT_TRUE(fs::exists(home_ / "out" / "name.png"));
    EXPECT_TRUE(fs::exists(home_ / "out" / "table.png"));

    const auto states = JsonLines("state.jsonl");
    ASSERT_GE(states.size(), 4u);
    EXPECT_EQ(states[states.size() - 2]["screen"], "ending");
    EXPECT_EQ(states.back()["screen"], "panel") << "the result entered, the panel is back";
    std::ifstream in(DataFile("bnscore.dat"), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    const std::optional<TRecordTable> table = ParseRecordTable(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ(NameBytes((*table)[0]), "\x91\xBE\x98\x59") << "太郎 in Shift-JIS";
}

// The example played on SDL's virtual pad alone: the panel's screen mode chosen and START
// with the d-pad and Start, the game paused by the pad pulled out and resumed by it plugged
// in again, a name picked letter by letter and the table closed with A.
TEST_F(ReplayDialogsTest, APadAloneStartsAGameEntersANameAndClosesTheTable) {
    std::ifstream script(PAD_ONLY_SCRIPT);
    ASSERT_TRUE(script) << PAD_ONLY_SCRIPT;
    std::stringstream text;
    text << script.rdbuf();
    ASSERT_EQ(Run(text.str()), 0) << message_;
    const auto dialogs = JsonLines("dialogs.jsonl");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0]["name"], "Pad");
    EXPECT_EQ(dialogs[0]["answer"], "pad");
    EXPECT_EQ(dialogs[1]["rows"][0][1], "Pad");
    EXPECT_EQ(dialogs[1]["answer"], "pad");

    const auto states = JsonLines("state.jsonl");
    std::vector<std::string> screens;
    for (const auto& s : states)
        if (screens.empty() || screens.back() != s["screen"]) screens.push_back(s["screen"]);
    const std::vector<std::string> expected = {"opening", "game",   "paused",
                                               "game",    "ending", "panel"};
    EXPECT_EQ(screens, expected);
    ASSERT_GT(states.size(), 5u);
    EXPECT_EQ(states[4]["input"], nlohmann::json::array({"InUp"})) << "the pad steers";
    EXPECT_EQ(states[4]["Display_Mode"], 3) << "the window mode the d-pad chose";
}

} // namespace
