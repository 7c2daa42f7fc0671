#include <gtest/gtest.h>

#include <set>

#include "app/game.h"
#include "screens/screens.h"
#include "tests/support/form_fixture.h"

namespace {

using WorldTest = FormFixture;

// What a fresh form leaves is what the first game plays from: START, the title's button 1,
// and in the first game frame the robot walks, a missile salvo (full energy) flies and the
// camera switches, each on its first press.
TEST_F(WorldTest, TheFirstGameStartsAtFullStrengthAndTakesEveryFirstPress) {
    constexpr uint32_t KeyUp = 38, KeyZ = 90, KeyX = 88, KeyG = 71; // InUp, buttons 1, 2, 4
    Button1Click(form());
    form().DXInput1.SetScriptedKeys(std::set<uint32_t>{KeyZ});
    OPTimerTimer(screen());
    ASSERT_TRUE(form().DXTimer.Enabled());
    World& w = world();
    const int32_t camera = w.Camera_Mode;
    const rm::Vector start = w.Robo_Frame->GetPosition(nullptr);
    form().DXInput1.SetScriptedKeys(std::set<uint32_t>{KeyUp, KeyZ, KeyX, KeyG});
    DXTimerTimer(screen());
    EXPECT_NE(w.Robo_Frame->GetPosition(nullptr).x, start.x);
    EXPECT_NE(w.Missile[0].Life, 0);
    EXPECT_EQ(w.Energy, 0.0) << "the salvo took the full gauge";
    EXPECT_NE(w.Camera_Mode, camera);
}

TEST_F(WorldTest, ResetAddsThePlayTimeAndRestoresTheStage) {
    World& w = world();
    w.Difficulty = 2;
    w.Stage_No = 2;
    w.Total_Time = 61000;
    w.Play_Time = 45000;
    w.Prev_Play_Time = 44967;
    w.Frame_ms = 33;
    w.Boss_Active = w.Gate_Open = true;
    w.Pose_Step = 30;
    w.Robo_HP = -20;
    w.Energy = 12.5;
    w.Boss_HP = 0;
    w.Boss_Down_Frames = 240;
    for (TParts& zako : w.Zako) zako.Life = 0;
    reset_game(screen());

    EXPECT_EQ(w.Total_Time, 106000);
    EXPECT_EQ(w.Play_Time, 0);
    EXPECT_EQ(w.Prev_Play_Time, 0);
    EXPECT_EQ(w.Frame_ms, 0);
    EXPECT_FALSE(w.Boss_Active);
    EXPECT_FALSE(w.Gate_Open);
    EXPECT_EQ(w.Pose_Step, 0);
    EXPECT_EQ(w.Robo_HP, 300);
    EXPECT_EQ(w.Energy, 300.0);
    EXPECT_EQ(w.Boss_HP, 300);
    EXPECT_EQ(w.Boss_Down_Frames, 0);
    EXPECT_EQ(w.Zako[4].Life, 2);
    EXPECT_EQ(w.GH[4].Life, 4);
    EXPECT_EQ(w.Map_Image, &form().Image2);
    EXPECT_EQ(w.Wall_Image, &form().Image5);
}

// Very Hard alone keeps an empty energy gauge empty.
TEST_F(WorldTest, StageAllowanceByDifficulty) {
    struct Case {
        int difficulty, score_before, score_after, missiles, zako_life, walker_life;
        double energy;
    };
    const Case cases[] = {
        {0, 123456, 0, 9999, 2, 4, 300},    {1, 120000, 620000, 9999, 1, 2, 300},
        {2, 1000, 651000, 9999, 2, 4, 300}, {3, -5000, 795000, 9999, 3, 6, 300},
        {4, 10, 990010, 0, 4, 8, 0},        {5, 777, 0, 9999, 2, 4, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.difficulty);
        World& w = world();
        w.Difficulty = c.difficulty;
        w.Score = c.score_before;
        w.Missile_Stock = 3;
        w.Energy = 0.0;
        reset_game(screen());
        EXPECT_EQ(w.Score, c.score_after);
        EXPECT_EQ(w.Missile_Stock, c.missiles);
        EXPECT_EQ(w.Zako[0].Life, c.zako_life);
        EXPECT_EQ(w.GH[0].Life, c.walker_life);
        EXPECT_EQ(w.Energy, c.energy);
    }
}

TEST_F(WorldTest, AnUnknownStageKeepsTheMapsAndAnUnknownDifficultyTheScore) {
    World& w = world();
    w.Stage_No = 3;
    reset_game(screen());
    EXPECT_EQ(w.Map_Image, &form().Image3);
    w.Stage_No = 4;
    w.Difficulty = 9;
    w.Score = 42;
    reset_game(screen());
    EXPECT_EQ(w.Map_Image, &form().Image3);
    EXPECT_EQ(w.Wall_Image, &form().Image6);
    EXPECT_EQ(w.Score, 42);
}

TEST_F(WorldTest, ResetRestoresStartPlacesButKeepsOtherZakoY) {
    World& w = world();
    w.Zako[0].Y = 7.0;
    w.Zako[0].X = 1;
    w.Zako[1].Y = 0.0;
    reset_game(screen());
    EXPECT_EQ(w.Zako[0].X, 120);
    EXPECT_EQ(w.Zako[0].Y, 7.0);
    EXPECT_EQ(w.Zako[1].Y, 1.0);
}

} // namespace
