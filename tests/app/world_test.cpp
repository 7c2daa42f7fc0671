#include <gtest/gtest.h>

#include "app/game.h"
#include "tests/support/form_fixture.h"

namespace {

using WorldTest = FormFixture;

TEST_F(WorldTest, FormCreateSetsTheStartValues) {
    const World& w = world();
    EXPECT_EQ(w.Energy, 300.0);
    EXPECT_TRUE(w.Button_Latch && w.Missile_Latch && w.Blade_Latch && w.Camera_Latch);
    EXPECT_EQ(w.Frame_Interval, 33);
    EXPECT_EQ(w.Robo_HP, 300);
    EXPECT_EQ(w.Pose_Step, 0);
    EXPECT_FALSE(w.App_Dir.empty());
    EXPECT_EQ(w.App_Dir.back(), '/');
    EXPECT_EQ(w.Score_File, w.Win_Dir + "/bnscore.dat");
    EXPECT_EQ(w.Time_File, w.Win_Dir + "/bntime2.dat");
    EXPECT_EQ(w.Win_Dir, (home_ / "data" / "brannock").string());
    // Values only START or the scene set stay at their load values.
    EXPECT_EQ(w.Stage_No, 0);
    EXPECT_EQ(w.Boss_HP, 0);
    EXPECT_FALSE(w.Clock_Running);
    EXPECT_FALSE(form().DXTimer.Enabled());
    EXPECT_FALSE(form().DXDraw.Initialized());
}

TEST_F(WorldTest, EnemiesStartAtTheirPlaces) {
    const World& w = world();
    EXPECT_EQ(w.Zako[0].X, 120);
    EXPECT_EQ(w.Zako[0].Z, 92);
    EXPECT_EQ(w.Zako[0].Y, 0.0) << "an unturned zako's Y is never set";
    EXPECT_EQ(w.Zako[1].Y, 1.0);
    EXPECT_EQ(w.Zako[11].X, 240);
    EXPECT_EQ(w.Zako[11].Z, 330);
    EXPECT_EQ(w.GH[3].X, 227);
    EXPECT_EQ(w.GH[3].Z, 202);
    EXPECT_EQ(w.GH[5].X, 27);
    EXPECT_EQ(w.GH[5].Z, 422);
    int turned = 0;
    for (const TParts& zako : w.Zako) turned += zako.Y == 1.0 ? 1 : 0;
    EXPECT_EQ(turned, 6);
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

TEST_F(WorldTest, StageAllowanceByDifficulty) {
    struct Case {
        int difficulty, score_before, score_after, missiles, zako_life, walker_life;
    };
    const Case cases[] = {
        {0, 123456, 0, 9999, 2, 4},    {1, 120000, 620000, 9999, 1, 2},
        {2, 1000, 651000, 9999, 2, 4}, {3, -5000, 795000, 9999, 3, 6},
        {4, 10, 990010, 0, 4, 8},      {5, 777, 0, 9999, 2, 4},
    };
    for (const Case& c : cases) {
        World& w = world();
        w.Difficulty = c.difficulty;
        w.Score = c.score_before;
        w.Missile_Stock = 3;
        reset_game(screen());
        EXPECT_EQ(w.Score, c.score_after) << "difficulty " << c.difficulty;
        EXPECT_EQ(w.Missile_Stock, c.missiles) << "difficulty " << c.difficulty;
        EXPECT_EQ(w.Zako[0].Life, c.zako_life) << "difficulty " << c.difficulty;
        EXPECT_EQ(w.GH[0].Life, c.walker_life) << "difficulty " << c.difficulty;
    }
}

TEST_F(WorldTest, VeryHardKeepsTheEnergyGaugeEmpty) {
    World& w = world();
    w.Difficulty = 4;
    w.Energy = 0.0;
    reset_game(screen());
    EXPECT_EQ(w.Energy, 0.0);
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
