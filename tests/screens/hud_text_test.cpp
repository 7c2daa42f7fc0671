// The HUD's text lines, the points drain and the exit prompt, checked on the back
// surface against the same texts drawn by a canvas of their own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game.h"
#include "media/canvas.h"
#include "tests/screens/hud_fixture.h"
#include "tests/support/language_scope.h"

namespace {

struct Line {
    int x, y;
    std::string text;
    int size = 12;
};

class HudTextTest : public HudFixture {
protected:
    void SetUp() override {
        HudFixture::SetUp();
        World& w = world();
        w.Stage_No = 2;
        w.Difficulty = 2;
        w.Difficulty_Name = "Nomal";
        w.Robo_HP = 300;
        w.Boss_HP = 300;
        w.Score = 650000;
        w.Frame_ms = 0;
    }

    // The back surface after one Draw_Text over black.
    void Draw() {
        form().DXDraw.FillSurface(0);
        Draw_Text(screen());
    }

    // The lines as they should look: white on black, at their places.
    const TDirectDrawSurface& Expected(const std::vector<Line>& lines) {
        expected_.SetSize(W(), H());
        expected_.Fill(0);
        reference_.Brush.Style = TBrushStyle::Clear;
        reference_.Font.Color = 0xFFFFFF;
        for (const Line& line : lines) {
            reference_.Font.Size = line.size;
            reference_.TextOut(line.x, line.y, line.text);
        }
        return expected_;
    }

    // The first pixel where the back surface differs from the expected picture.
    ::testing::AssertionResult ShowsExactly(const std::vector<Line>& lines) {
        const TDirectDrawSurface& expected = Expected(lines);
        for (int y = 0; y < H(); ++y)
            for (int x = 0; x < W(); ++x)
                if (Back().Pixel(x, y) != expected.Pixel(x, y))
                    return ::testing::AssertionFailure()
                           << "differs at (" << x << ", " << y << "): " << std::hex
                           << Back().Pixel(x, y) << " instead of " << expected.Pixel(x, y);
        return ::testing::AssertionSuccess();
    }

    std::vector<Line> Lines(const std::string& display, const std::string& time,
                            const std::string& points) {
        std::vector<Line> lines = {{10, 54, "Stage2：Nomal"}, {10, 68, display}, {10, 82, time}};
        if (!points.empty()) lines.push_back({10, 96, points});
        return lines;
    }

    TDirectDrawSurface expected_;
    TSurfaceCanvas reference_{expected_}; // one canvas: its fonts open once
};

// The milliseconds always have three digits: "15秒29" would read as 15.29 seconds.
TEST_F(HudTextTest, TimeLineIsMinutesSecondsAndThreeDigitMilliseconds) {
    OpenFullScreen(640, 480);
    const std::vector<std::pair<int32_t, std::string>> cases = {
        {0, "0分0秒000"},      {65007, "1分5秒007"},     {59999, "0分59秒999"},
        {15029, "0分15秒029"}, {999, "0分0秒999"},       {1010, "0分1秒010"},
        {60000, "1分0秒000"},  {3599999, "59分59秒999"}, {3600000, "60分0秒000"},
    };
    for (const auto& [play_time, text] : cases) {
        world().Play_Time = play_time;
        world().Score = 650000;
        Draw();
        EXPECT_TRUE(ShowsExactly(Lines("640 * 480：0FPS", text, "Point：650000"))) << text;
    }
}

TEST_F(HudTextTest, DisplayLineNamesTheSizeOrTheWindowWithTheTimersFrameRate) {
    OpenFullScreen(800, 600);
    RunTimerAtThirtyFrames();
    ASSERT_EQ(form().DXTimer.FramesPerSecond(), 30);
    Draw();
    EXPECT_TRUE(ShowsExactly(Lines("800 * 600：30FPS", "0分0秒000", "Point：650000")));

    form().DXDraw.FinalizeDisplay();
    OpenWindow();
    Draw();
    EXPECT_TRUE(ShowsExactly(Lines("Window Mode：30FPS", "0分0秒000", "Point：650000")));
    // Drawn between the steps: the pictures a second measured on the drawing clock.
    form().BetweenSteps.measured = 144;
    Draw();
    EXPECT_TRUE(ShowsExactly(Lines("Window Mode：144FPS", "0分0秒000", "Point：650000")));
}

TEST_F(HudTextTest, PointsDrainEveryFrameInEveryDifficultyButShowOnlyOutsidePracticeAndTimeAttack) {
    OpenFullScreen(1024, 768);
    const std::vector<std::string> names = {"Practice", "Eazy",      "Nomal",
                                            "Hard",     "Very Hard", "Time Attack"};
    for (int difficulty = 0; difficulty <= 5; ++difficulty) {
        World& w = world();
        w.Difficulty = difficulty;
        w.Difficulty_Name = names[static_cast<size_t>(difficulty)];
        w.Score = 1000;
        w.Frame_ms = 33;
        w.Play_Time = 1033;
        RunHudStep(screen());
        Draw();
        Draw(); // drawing changes nothing: a picture between steps shows the same
        EXPECT_EQ(w.Score, 967) << difficulty;
        const bool shown = difficulty != 0 && difficulty != 5;
        std::vector<Line> lines = {{10, 54, "Stage2：" + names[static_cast<size_t>(difficulty)]},
                                   {10, 68, "1024 * 768：0FPS"},
                                   {10, 82, "0分1秒033"}};
        if (shown) lines.push_back({10, 96, "Point：967"});
        EXPECT_TRUE(ShowsExactly(lines)) << difficulty;
    }
}

TEST_F(HudTextTest, PointsBelowZeroShowTheirMinusSignAndALongPauseDrainsAtOnce) {
    OpenFullScreen(640, 480);
    world().Score = 10;
    world().Frame_ms = 33;
    RunHudStep(screen());
    Draw();
    EXPECT_EQ(world().Score, -23);
    EXPECT_TRUE(ShowsExactly(Lines("640 * 480：0FPS", "0分0秒000", "Point：-23")));

    world().Score = 650000;
    world().Frame_ms = 5000; // the game was away for five seconds
    RunHudStep(screen());
    EXPECT_EQ(world().Score, 645000);
}

TEST_F(HudTextTest, ExitPromptOnlyAfterThePlayersDefeatWhileTheBossLives) {
    for (auto [width, height] : {std::pair{640, 480}, std::pair{1024, 768}}) {
        OpenFullScreen(width, height);
        const std::vector<Line> base =
            Lines(std::to_string(width) + " * " + std::to_string(height) + "：0FPS", "0分0秒000",
                  "Point：650000");
        std::vector<Line> with_prompt = base;
        with_prompt.push_back({(width - 317) / 2, height / 2 + 40, "Press ESC To Exit!", 30});
        struct Case {
            int robo_hp, boss_hp;
            bool prompt;
        };
        for (const Case& c : {Case{0, 300, true}, Case{-12, 1, true}, Case{0, -5, true},
                              Case{1, 300, false}, Case{0, 0, false}, Case{-12, 0, false}}) {
            world().Robo_HP = c.robo_hp;
            world().Boss_HP = c.boss_hp;
            world().Score = 650000;
            Draw();
            EXPECT_TRUE(ShowsExactly(c.prompt ? with_prompt : base))
                << width << " Robo_HP " << c.robo_hp << " Boss_HP " << c.boss_hp;
        }
        form().DXDraw.FinalizeDisplay();
    }
}

// In English the lines keep their places and digits; the words and the difficulty's name
// are English ("Nomal" and "Eazy" are the game's own spellings in Japanese only).
TEST_F(HudTextTest, InEnglishTheLinesHaveEnglishWordsAndTheSameDigits) {
    LanguageScope english(Language::English);
    OpenFullScreen(800, 600);
    RunTimerAtThirtyFrames();
    const struct {
        std::string name, shown;
        int32_t play_time;
        std::string time;
    } rows[] = {{"Nomal", "Normal", 65007, "1m5s007"},
                {"Eazy", "Easy", 15029, "0m15s029"},
                {"Hard", "Hard", 60000, "1m0s000"},
                {"Very Hard", "Very Hard", 59999, "0m59s999"}};
    for (const auto& [name, shown, play_time, time] : rows) {
        world().Difficulty_Name = name;
        world().Play_Time = play_time;
        world().Score = 650000;
        Draw();
        EXPECT_TRUE(ShowsExactly({{10, 54, "Stage 2: " + shown},
                                  {10, 68, "800 * 600: 30 FPS"},
                                  {10, 82, time},
                                  {10, 96, "Points: 650000"}}))
            << name;
    }
    form().DXDraw.FinalizeDisplay();
    OpenWindow();
    world().Play_Time = 3600000;
    world().Robo_HP = 0;
    Draw();
    EXPECT_TRUE(ShowsExactly({{10, 54, "Stage 2: Very Hard"},
                              {10, 68, "Window Mode: 30 FPS"},
                              {10, 82, "60m0s000"},
                              {10, 96, "Points: 650000"},
                              {(W() - 317) / 2, H() / 2 + 40, "Press ESC To Exit!", 30}}));
}

} // namespace
