// The transition screen between stages: its buttons, its pacing, the blinking prompt and
// what it shows.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/stage_flow_fixture.h"

namespace {

TEST_F(StageFlowTest, TransitionButtonRules) {
    BuildPlaying();
    DefeatBossAndRunVictory();
    ASSERT_TRUE(form().TunagiTimer.Enabled());
    World& wd = w();
    plays.clear();

    // Button 2 beeps once per press.
    Transition();
    Transition({KeyX});
    Transition({KeyX});
    EXPECT_EQ(beeps, 1);
    Transition();
    Transition({KeyX});
    EXPECT_EQ(beeps, 2);
    // Both buttons: only the beep, never the start.
    Transition();
    Transition({KeyX, KeyZ});
    Transition({KeyX, KeyZ});
    EXPECT_EQ(beeps, 3);
    EXPECT_TRUE(form().TunagiTimer.Enabled());
    // Button 2 released while button 1 stays held: the latch came back only with both up.
    Transition({KeyZ});
    EXPECT_TRUE(form().TunagiTimer.Enabled());

    Transition();
    const uint32_t now = clock_.Now();
    Transition({KeyZ});
    EXPECT_FALSE(form().TunagiTimer.Enabled());
    EXPECT_TRUE(form().DXTimer.Enabled());
    EXPECT_TRUE(wd.Clock_Running);
    EXPECT_GE(wd.Clock_Start, now);
    EXPECT_EQ(plays, std::vector<int>{wave::GameBGM});
}

TEST_F(StageFlowTest, ButtonOneHeldAsTheTransitionBeginsStartsAtOnce) {
    BuildPlaying();
    w().Button_Latch = true;
    DefeatBossAndRunVictory();
    Transition({KeyZ});
    EXPECT_TRUE(form().DXTimer.Enabled());
    EXPECT_FALSE(form().TunagiTimer.Enabled());
}

TEST_F(StageFlowTest, NextStagePlayTimeStartsWhenButtonOneIsPressed) {
    BuildPlaying();
    World& wd = w();
    DefeatBossAndRunVictory();
    wd.Button_Latch = false;
    for (int i = 0; i < 100; ++i) Transition(); // about 3.3 seconds waiting
    Transition({KeyZ});
    ASSERT_TRUE(form().DXTimer.Enabled());
    DXTimerTimer(screen());
    EXPECT_GT(wd.Play_Time, 0);
    EXPECT_LE(wd.Play_Time, 66);
    EXPECT_EQ(wd.Frame_ms, wd.Play_Time);
}

TEST_F(StageFlowTest, TransitionPacesToThirtyThreeMillisecondsWhateverTheFrameInterval) {
    BuildPlaying([](World& world) { world.Frame_Interval = 80; });
    DefeatBossAndRunVictory();
    Transition();
    const uint32_t first = w().Tick_Last;
    Transition();
    EXPECT_EQ(w().Tick_Last - first, 33u);
}

TEST_F(StageFlowTest, PromptBlinksWithATwentyOneFramePeriodCarriedOverFromTheTitle) {
    BuildPlaying();
    World& wd = w();
    DefeatBossAndRunVictory();
    wd.Blink_Level = 0;
    wd.Blink_Down = false;
    std::vector<int> levels;
    for (int i = 0; i < 22; ++i) {
        Transition();
        levels.push_back(wd.Blink_Level);
    }
    const std::vector<int> expected = {25,  50,  75,  100, 125, 150, 175, 200, 225, 255, 230,
                                       205, 180, 155, 130, 105, 80,  55,  30,  5,   0,   25};
    EXPECT_EQ(levels, expected);

    // Wherever the title left it, the level goes on from there.
    wd.Blink_Level = 105;
    wd.Blink_Down = true;
    Transition();
    EXPECT_EQ(wd.Blink_Level, 80);
}

TEST_F(StageFlowTest, TransitionScreenShowsTheTitleAndItsTexts) {
    BuildPlaying();
    DefeatBossAndRunVictory();
    w().Blink_Level = 225;
    w().Blink_Down = false;
    Transition(); // level 255: white text
    const TDirectDrawSurface& s = form().DXDraw.BackSurface();
    auto ink = [&s](int x0, int y0, int x1, int y1) {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) count += (s.Pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
        return count;
    };
    const int width = form().DXDraw.Width(), height = form().DXDraw.Height();
    EXPECT_GT(ink(10, 10, 160, 40), 20) << "Next Stage";
    EXPECT_GT(ink((width - 210) / 2, height - 80, (width + 210) / 2, height - 50), 20);
    // The title picture in the middle is not black.
    int lit = 0;
    for (int x = (width - 616) / 2; x < (width + 616) / 2; x += 4)
        lit += (s.Pixel(x, height / 2 - 10) & 0xFFFFFF) != 0;
    EXPECT_GT(lit, 10);
}

} // namespace
