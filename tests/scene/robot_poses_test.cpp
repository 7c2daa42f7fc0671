// The robot's scripted animations: the wing flap, the victory pose with its camera and the
// defeat pose.
#include <gtest/gtest.h>

#include "app/game.h"
#include "tests/support/frame_axes.h"
#include "tests/support/scene_fixture.h"

namespace {

using frame_axes::DirectionIn;
using frame_axes::Unit;
using frame_axes::UpIn;

class RobotPosesTest : public SceneFixture {
protected:
    // The victory pose needs the game frames running: its 240th frame ends the stage.
    void BuildVictory(const std::function<void(World&)>& options = {}) {
        Build(options);
        form().DXTimer.SetEnabled(true);
        w().Boss_HP = 0;
    }

    // Runs the victory pose until Victory_Frames reaches n.
    void VictoryUntil(int n) {
        while (w().Victory_Frames < n) Gats_Poze(game());
    }

    bool HasBlade() {
        const auto& visuals = w().Robo_ArmR2.Frame->Visuals();
        return std::count(visuals.begin(), visuals.end(), w().Blade_Mesh) == 1;
    }
};

TEST_F(RobotPosesTest, WingsFlapWithAPeriodOfThirtyFramesAndOppositeTurns) {
    Build([](World& world) { world.Special1 = true; });
    World& wd = w();
    std::vector<int> steps;
    for (int i = 0; i < 31; ++i) {
        Move_wing(game());
        steps.push_back(wd.Wing_Step);
    }
    // 1..15 opening, 14..0 closing, then 1 again.
    EXPECT_EQ(steps[0], 1);
    EXPECT_EQ(steps[14], 15);
    EXPECT_EQ(steps[15], 14);
    EXPECT_EQ(steps[28], 1);
    EXPECT_EQ(steps[29], 0);
    EXPECT_EQ(steps[30], 1);
    EXPECT_FALSE(wd.Wing_Closing);

    // Fully open at step 15: 45 degrees to either side of the body's facing.
    while (wd.Wing_Step != 15) Move_wing(game());
    const rm::Frame& body = *wd.Robo_Body.Frame;
    const float h = std::sqrt(0.5f);
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_WingR.Frame, body), -h, 0, h, 1e-4f);
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_WingL.Frame, body), h, 0, h, 1e-4f);
}

TEST_F(RobotPosesTest, WingStepCarriesOverAStageChange) {
    BuildVictory([](World& world) { world.Special2 = true; });
    for (int i = 0; i < 7; ++i) Move_wing(game());
    VictoryUntil(239);
    DXTimerTimer(screen()); // frame 240: the wings flap, then the next stage is set up
    ASSERT_EQ(w().Stage_No, 2);
    EXPECT_EQ(w().Wing_Step, 8);
    Move_wing(game());
    EXPECT_EQ(w().Wing_Step, 9);
}

TEST_F(RobotPosesTest, FirstVictoryFrameStraightensTheRobotAndEndsASwing) {
    BuildVictory();
    World& wd = w();
    // Caught mid-swing, leaning and with a bent left forearm.
    wd.Blade_Step = 5;
    wd.Robo_ArmR2.Frame->AddVisual(wd.Blade_Mesh);
    wd.Robo_Body.Frame->SetPosition(wd.Robo_Frame, 0.5f, 0, 1);
    wd.Robo_Body.Frame->SetOrientation(wd.Robo_Frame, 1, 0, 1, 0, 1, 0);
    wd.Robo_ThighR.Frame->SetOrientation(wd.Robo_Body.Frame, 0, -1, 1, 0, 1, 1);
    wd.Robo_ArmL2.Frame->SetOrientation(wd.Robo_ArmL1.Frame, 0, 0, 1, 0, 1, 0);

    Gats_Poze(game());
    EXPECT_EQ(wd.Victory_Frames, 1);
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_Body.Frame, *wd.Robo_Frame), 0, 0, 1, 1e-5f);
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_ThighR.Frame, *wd.Robo_Body.Frame), 0, 0, 1, 1e-5f);
    EXPECT_VEC_NEAR(UpIn(*wd.Robo_ThighR.Frame, *wd.Robo_Body.Frame), 0, 1, 0, 1e-5f);
    // The left forearm gets its built-in tilt back.
    const rm::Vector tilt = Unit({0, 61, 80});
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_ArmL2.Frame, *wd.Robo_ArmL1.Frame), tilt.x, tilt.y, tilt.z,
                    1e-4f);
    EXPECT_EQ(wd.Blade_Step, 0);
    EXPECT_FALSE(HasBlade());
    EXPECT_VEC_NEAR(wd.Robo_Body.Frame->GetPosition(wd.Robo_Frame), 0, 0, 0, 1e-5f);

    // Later victory frames leave the parts alone until the pose begins.
    wd.Robo_Head.Frame->SetOrientation(wd.Robo_Body.Frame, 1, 0, 1, 0, 1, 0);
    VictoryUntil(110);
    const float h = std::sqrt(0.5f);
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_Head.Frame, *wd.Robo_Body.Frame), h, 0, h, 1e-4f);
}

TEST_F(RobotPosesTest, WithoutASwingTheBodyKeepsItsPlace) {
    BuildVictory();
    World& wd = w();
    wd.Robo_Body.Frame->SetPosition(wd.Robo_Frame, 0, 0.25f, 0);
    Gats_Poze(game());
    EXPECT_VEC_NEAR(wd.Robo_Body.Frame->GetPosition(wd.Robo_Frame), 0, 0.25f, 0, 1e-5f);
}

TEST_F(RobotPosesTest, GameClearSoundsOnVictoryFrameFifteenOnly) {
    BuildVictory();
    VictoryUntil(14);
    EXPECT_EQ(PlayCount(wave::GameClear), 0);
    VictoryUntil(15);
    EXPECT_EQ(PlayCount(wave::GameClear), 1);
    VictoryUntil(100);
    EXPECT_EQ(PlayCount(wave::GameClear), 1);
}

TEST_F(RobotPosesTest, VictoryCameraAndPoseStartOnFrame111) {
    BuildVictory();
    World& wd = w();
    VictoryUntil(110);
    EXPECT_EQ(wd.Pose_Step, 0);
    EXPECT_VEC_NEAR(wd.Camera_Frame->GetPosition(wd.Robo_Frame), 0, 8, -20, 1e-4f);
    EXPECT_FLOAT_EQ(form().DXDraw.Viewport()->GetBack(), 170);

    VictoryUntil(111);
    EXPECT_EQ(wd.Pose_Step, 1);
    EXPECT_VEC_NEAR(wd.Camera_Frame->GetPosition(wd.Robo_Frame), 8, -0.6f, 8, 1e-4f);
    EXPECT_VEC_NEAR(DirectionIn(*wd.Camera_Frame, *wd.Robo_Frame), Unit({-8, -1, -8}).x,
                    Unit({-8, -1, -8}).y, Unit({-8, -1, -8}).z, 1e-4f);
    EXPECT_FLOAT_EQ(form().DXDraw.Viewport()->GetFront(), 1.0f);
    EXPECT_FLOAT_EQ(form().DXDraw.Viewport()->GetBack(), 230);
    EXPECT_EQ(form().DXDraw.Viewport()->GetCamera(), wd.Camera_Frame);
    EXPECT_EQ(wd.Camera_Mode, 0) << "the victory view is no camera mode";

    // The pose builds up to step 30 by frame 140 and holds.
    VictoryUntil(140);
    EXPECT_EQ(wd.Pose_Step, 30);
    VictoryUntil(200);
    EXPECT_EQ(wd.Pose_Step, 30);
    const rm::Vector head = Unit({0.644f, 0, 0.765f});
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_Head.Frame, *wd.Robo_Body.Frame), head.x, head.y, head.z,
                    1e-4f);
    const rm::Vector arm = Unit({-0.841f, 0, 0.54f});
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_ArmR1.Frame, *wd.Robo_Body.Frame), arm.x, arm.y, arm.z,
                    1e-4f);
    const rm::Vector fore = Unit({0.15f, 0.409f, 0.9f});
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_ArmR2.Frame, *wd.Robo_ArmR1.Frame), fore.x, fore.y, fore.z,
                    1e-4f);
    const rm::Vector fore_up = Unit({-0.227f, 0.9f, -0.371f});
    EXPECT_VEC_NEAR(UpIn(*wd.Robo_ArmR2.Frame, *wd.Robo_ArmR1.Frame), fore_up.x, fore_up.y,
                    fore_up.z, 1e-3f);
}

TEST_F(RobotPosesTest, BonusVictoryCameraStandsHigher) {
    BuildVictory([](World& world) { world.Special1 = true; });
    VictoryUntil(111);
    EXPECT_VEC_NEAR(w().Camera_Frame->GetPosition(w().Robo_Frame), 8, 0.7f, 8, 1e-4f);
    const rm::Vector d = Unit({-8, -1, -6});
    EXPECT_VEC_NEAR(DirectionIn(*w().Camera_Frame, *w().Robo_Frame), d.x, d.y, d.z, 1e-4f);
}

TEST_F(RobotPosesTest, CameraButtonIsIgnoredUnderTheVictoryCamera) {
    BuildVictory();
    World& wd = w();
    wd.Robo_HP = 300;
    VictoryUntil(120);
    form().DXInput1.SetScriptedKeys(std::set<uint32_t>{71}); // G: button 4
    for (int i = 0; i < 3; ++i) DXTimerTimer(screen());
    EXPECT_EQ(wd.Camera_Mode, 0);
    EXPECT_VEC_NEAR(wd.Camera_Frame->GetPosition(wd.Robo_Frame), 8, -0.6f, 8, 1e-4f);
}

TEST_F(RobotPosesTest, DefeatPoseSinksTheRobotThreeUnitsOverThirtyFrames) {
    Build();
    World& wd = w();
    wd.Robo_Frame->SetPosition(Root(), 40, 0, 60);
    // Step 1 already takes the left forearm's built-in tilt away.
    Yarareta_Poze(game());
    EXPECT_EQ(wd.Pose_Step, 1);
    const rm::Vector fore = Unit({-0.104f / 30, -0.107f / 30, 1 - 0.012f / 30});
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_ArmL2.Frame, *wd.Robo_ArmL1.Frame), fore.x, fore.y, fore.z,
                    1e-4f);
    EXPECT_NEAR(wd.Robo_Frame->GetPosition(Root()).y, -0.1f, 1e-5f);

    for (int i = 0; i < 29; ++i) Yarareta_Poze(game());
    EXPECT_EQ(wd.Pose_Step, 30);
    EXPECT_VEC_NEAR(wd.Robo_Frame->GetPosition(Root()), 40, -3.0f, 60, 1e-4f);
    // Held from then on.
    for (int i = 0; i < 5; ++i) Yarareta_Poze(game());
    EXPECT_EQ(wd.Pose_Step, 30);
    EXPECT_NEAR(wd.Robo_Frame->GetPosition(Root()).y, -3.0f, 1e-4f);

    // The body pitched forward, the right thigh and both legs folded.
    const rm::Vector body = Unit({0.0597f, -0.897f, 0.437f});
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_Body.Frame, *wd.Robo_Frame), body.x, body.y, body.z,
                    1e-4f);
    const rm::Vector thigh = Unit({-0.332f, 0.808f, -0.485f});
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_ThighR.Frame, *wd.Robo_Body.Frame), thigh.x, thigh.y,
                    thigh.z, 1e-4f);
    const rm::Vector leg = Unit({0, -0.841f, 0.54f});
    EXPECT_VEC_NEAR(DirectionIn(*wd.Robo_LegL.Frame, *wd.Robo_ThighL.Frame), leg.x, leg.y, leg.z,
                    1e-4f);
    const rm::Vector leg_up = Unit({0, 0.54f, 0.841f});
    EXPECT_VEC_NEAR(UpIn(*wd.Robo_LegL.Frame, *wd.Robo_ThighL.Frame), leg_up.x, leg_up.y, leg_up.z,
                    1e-4f);
}

TEST_F(RobotPosesTest, DefeatPoseLeavesCameraAndBladeAlone) {
    Build();
    World& wd = w();
    wd.Blade_Step = 4;
    wd.Robo_ArmR2.Frame->AddVisual(wd.Blade_Mesh);
    for (int i = 0; i < 30; ++i) Yarareta_Poze(game());
    EXPECT_EQ(wd.Blade_Step, 4);
    EXPECT_TRUE(HasBlade());
    EXPECT_VEC_NEAR(wd.Camera_Frame->GetPosition(wd.Robo_Frame), 0, 8, -20, 1e-4f);
}

} // namespace
