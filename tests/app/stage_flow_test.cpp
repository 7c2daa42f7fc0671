// From stage to stage: the gate opening, the end of a stage after the victory pose and the
// next stage's start.
#include <gtest/gtest.h>

#include <string>

#include "enemies/enemies.h"
#include "tests/support/frame_axes.h"
#include "tests/support/stage_flow_fixture.h"

namespace {

TEST_F(StageFlowTest, GateOpensOnceWhenTheLastEnemyIsGone) {
    BuildPlaying();
    World& wd = w();
    KillAllEnemies();
    wd.Zako[11].Life = 1;
    Check_Zako_Clear(game());
    EXPECT_FALSE(wd.Gate_Open);
    wd.Zako[11].Life = 0;
    wd.GH[5].Life = 2;
    Check_Zako_Clear(game());
    EXPECT_FALSE(wd.Gate_Open);
    EXPECT_EQ(ArenaCount(wd.Gate_Mesh), 1);

    wd.GH[5].Life = 0;
    Check_Zako_Clear(game());
    EXPECT_TRUE(wd.Gate_Open);
    EXPECT_EQ(ArenaCount(wd.Gate_Mesh), 0);
    EXPECT_EQ(ArenaCount(wd.Door_Mesh), 0);

    // Once the boss fight put the door back, later frames leave it there.
    wd.Arena_Frame->AddVisual(wd.Door_Mesh);
    Check_Zako_Clear(game());
    EXPECT_EQ(ArenaCount(wd.Door_Mesh), 1);
}

TEST_F(StageFlowTest, VictoryFrame240LeadsToTheTransitionScreenAndTheNextStage) {
    BuildPlaying();
    World& wd = w();
    wd.Total_Time = 1000;
    wd.Play_Time = 5000;
    wd.Boss_HP = 0;
    wd.Clock_Running = false;
    for (int i = 0; i < 239; ++i) DXTimerTimer(screen());
    EXPECT_TRUE(form().DXTimer.Enabled());
    EXPECT_EQ(wd.Victory_Frames, 239);
    EXPECT_EQ(wd.Stage_No, 1);

    // The 240th frame runs to its end in the next stage's world and is shown: its HUD
    // finds the robot back at the start.
    w().Robo_Frame->SetPosition(Root(), 50, 0, 30);
    const uint64_t presented = form().DXDraw.PresentCount();
    DXTimerTimer(screen());
    EXPECT_EQ(form().DXDraw.PresentCount(), presented + 1);
    EXPECT_VEC_NEAR(wd.Robo_Pos, 0, 0, 0, 1e-4f);
    EXPECT_EQ(wd.Boss_HP, 300);
    EXPECT_EQ(wd.Stage_No, 2);
    EXPECT_FALSE(form().DXTimer.Enabled());
    EXPECT_TRUE(form().TunagiTimer.Enabled());
    EXPECT_FALSE(form().EndingTimer.Enabled());
    EXPECT_EQ(wd.Victory_Frames, 0);
    EXPECT_EQ(wd.Boss_Down_Frames, 0);
    EXPECT_EQ(wd.Total_Time, 6000);
    EXPECT_EQ(wd.Map_Image, &form().Image2);
    EXPECT_EQ(PlayCount(wave::Ending), 0);
}

TEST_F(StageFlowTest, LastStageAndPracticeGoToTheEnding) {
    for (const auto& [difficulty_setting, stage_setting] : {std::pair{2, 3}, std::pair{0, 1}}) {
        // clang 14 cannot capture structured bindings in a lambda.
        const int difficulty = difficulty_setting;
        const int stage = stage_setting;
        SCOPED_TRACE("difficulty " + std::to_string(difficulty));
        BuildPlaying([difficulty, stage](World& world) {
            world.Difficulty = difficulty;
            world.Stage_No = stage;
        });
        DefeatBossAndRunVictory();
        EXPECT_TRUE(form().EndingTimer.Enabled());
        EXPECT_FALSE(form().TunagiTimer.Enabled());
        EXPECT_EQ(w().Stage_No, 3);
        EXPECT_EQ(w().Victory_Frames, 240);
        EXPECT_EQ(w().Boss_HP, 0) << "no next stage is set up";
        EXPECT_EQ(PlayCount(wave::Ending), 1);
        plays.clear();
    }
}

TEST_F(StageFlowTest, PlayerKilledAfterTheBossFellStillReachesTheNextStage) {
    BuildPlaying();
    World& wd = w();
    wd.Boss_HP = 0;
    for (int i = 0; i < 50; ++i) DXTimerTimer(screen());
    wd.Robo_HP = -30; // a shot still in flight found the robot
    for (int i = 0; i < 189; ++i) DXTimerTimer(screen());
    EXPECT_EQ(wd.Boss_HP, 0) << "the game-over caption needs a boss that is not exactly at 0";
    DXTimerTimer(screen());
    EXPECT_TRUE(form().TunagiTimer.Enabled());
    EXPECT_EQ(wd.Stage_No, 2);
    EXPECT_EQ(wd.Robo_HP, 300);
}

TEST_F(StageFlowTest, BossBodyKeepsItsCollapseTiltIntoTheNextStage) {
    BuildPlaying();
    World& wd = w();
    DefeatBossAndRunVictory();
    ASSERT_EQ(wd.Stage_No, 2);
    // The collapse's last pose, n = 29, stays: the reset does not straighten the body.
    const float n = 29.0f / 30.0f;
    const rm::Vector d = frame_axes::Unit({0, 0.149f * n, 1 - 0.011f * n});
    EXPECT_VEC_NEAR(frame_axes::DirectionIn(*wd.Boss_Body_Frame, *wd.Boss_Frame), d.x, d.y, d.z,
                    1e-4f);
    EXPECT_VEC_NEAR(wd.Boss_Body_Frame->GetPosition(wd.Boss_Frame), 0, -n, 0, 1e-4f);
    EXPECT_EQ(wd.Boss_Body_Frame->GetParent(), wd.Boss_Frame.get());
}

TEST_F(StageFlowTest, BossCollapseRunsOverVictoryFramesOneToTwentyNine) {
    BuildPlaying();
    World& wd = w();
    wd.Boss_HP = 0;
    wd.Victory_Frames = 0;
    Gats_Poze(game());
    Yarareta_Boss(game());
    EXPECT_VEC_NEAR(wd.Boss_Body_Frame->GetPosition(wd.Boss_Frame), 0, -1.0f / 30, 0, 1e-5f);
    EXPECT_GT(frame_axes::UpIn(*wd.Boss_Body_Frame, *wd.Boss_Frame).y, 0.999f)
        << "one frame in, the body still stands nearly upright";
    wd.Victory_Frames = 29;
    Yarareta_Boss(game());
    const rm::Vector up = frame_axes::UpIn(*wd.Boss_L_Frame.Frame, *wd.Boss_Body_Frame);
    EXPECT_GT(up.x, 0.5f) << "the left leg buckles outward";
    // From n = 30 on nothing moves any more.
    wd.Boss_Body_Frame->SetPosition(wd.Boss_Frame, 0, 2, 0);
    wd.Victory_Frames = 30;
    Yarareta_Boss(game());
    EXPECT_VEC_NEAR(wd.Boss_Body_Frame->GetPosition(wd.Boss_Frame), 0, 2, 0, 1e-5f);
}

} // namespace
