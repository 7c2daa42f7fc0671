// The laser blade's nine-frame swing and the guard's arm ramps, frame by frame.
#include "tests/support/weapons_fixture.h"

namespace {

class BladeTest : public WeaponsFixture {
protected:
    rm::Vector RobotAt() { return w().Robo_Frame->GetPosition(Root()); }
};

TEST_F(BladeTest, ASwingFreezesTheRobotForEightFramesAndShowsTheBladeMeanwhile) {
    const int score = w().Score;
    std::vector<int> steps;
    std::vector<float> xs;
    // Frame F: button 2 with Up held; Up stays held through the whole swing.
    Frame({InButton2, InUp});
    steps.push_back(w().Blade_Step);
    xs.push_back(RobotAt().x);
    EXPECT_TRUE(Shows(w().Robo_ArmR2.Frame, w().Blade_Mesh));
    EXPECT_VEC_NEAR(w().Robo_Body.Frame->GetPosition(w().Robo_Frame), 0, -0.3f, 0, 1e-5f);
    for (int i = 1; i <= 9; ++i) {
        Frame({InUp});
        steps.push_back(w().Blade_Step);
        xs.push_back(RobotAt().x);
    }
    // The enemy steps see 1..8 in F..F+7; the swing ends inside F+8.
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 0, 0}));
    for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(xs[static_cast<size_t>(i)], 0) << "frame F+" << i;
    EXPECT_FLOAT_EQ(xs[8], 1.5f) << "Move_Robo runs again in F+8";
    EXPECT_FLOAT_EQ(xs[9], 3.0f);
    EXPECT_FALSE(Shows(w().Robo_ArmR2.Frame, w().Blade_Mesh));
    EXPECT_VEC_NEAR(w().Robo_Body.Frame->GetPosition(w().Robo_Frame), 0, 0, 0, 1e-5f);
    EXPECT_EQ(PlayCount(wave::SwingBlade), 1);
    EXPECT_EQ(w().Score, score - 1000);
}

TEST_F(BladeTest, PosesRunFromTheStartPoseToTheEndPoseAndOneStepBeyond) {
    Frame({InButton2});
    EXPECT_DIR(AxisIn(w().Robo_Body.Frame, w().Robo_Frame), -247, 0, 969, 1e-4f);
    EXPECT_DIR(AxisIn(w().Robo_ArmR1.Frame, w().Robo_Body.Frame), -747, 164, 644, 1e-4f);
    EXPECT_DIR(AxisIn(w().Robo_ArmR2.Frame, w().Robo_ArmR1.Frame), -495, 158, 854, 1e-4f);
    EXPECT_DIR(AxisIn(w().Robo_LegL.Frame, w().Robo_ThighL.Frame), 0, -813, 582, 1e-4f);
    Frames(4, {}); // steps 1..4
    const double a = 4;
    EXPECT_DIR(AxisIn(w().Robo_Body.Frame, w().Robo_Frame), static_cast<float>(-247 + 396 * a / 7),
               0, static_cast<float>(969 + 20 * a / 7), 1e-4f);
    Frames(3, {}); // steps 5..7: the end pose
    EXPECT_DIR(AxisIn(w().Robo_Body.Frame, w().Robo_Frame), 149, 0, 989, 1e-4f);
    EXPECT_DIR(AxisIn(w().Robo_ArmR1.Frame, w().Robo_Body.Frame), 471, 122, 874, 1e-4f);
    EXPECT_DIR(AxisIn(w().Robo_ArmR2.Frame, w().Robo_ArmR1.Frame), 378, -736, 562, 1e-4f);
    // The legs keep the start pose throughout.
    EXPECT_DIR(AxisIn(w().Robo_LegL.Frame, w().Robo_ThighL.Frame), 0, -813, 582, 1e-4f);
}

TEST_F(BladeTest, HoldingButtonTwoSwingsOnceAndTheLatchWaitsForTheSwingToEnd) {
    Frame({InButton2});
    // Released and pressed again during the swing: ignored, and it does not re-arm.
    Frame({});
    Frames(7, {InButton2});
    ASSERT_EQ(w().Blade_Step, 0);
    Frames(5, {InButton2});
    EXPECT_EQ(PlayCount(wave::SwingBlade), 1);
    // A frame with button 2 up after the swing re-arms it.
    Frame({});
    Frame({InButton2});
    EXPECT_EQ(PlayCount(wave::SwingBlade), 2);
}

TEST_F(BladeTest, ButtonOneBlocksTheSwingButNotOneUnderWay) {
    Frames(3, {InButton1, InButton2});
    EXPECT_EQ(w().Blade_Step, 0);
    Frame({InButton2, InButton1});
    EXPECT_EQ(PlayCount(wave::SwingBlade), 0);
    // Button 1 re-arms the latch: button 2 alone then swings at once.
    Frame({InButton2});
    EXPECT_EQ(w().Blade_Step, 1);
    Frame({InButton1});
    EXPECT_EQ(w().Blade_Step, 2);
}

TEST_F(BladeTest, BonusModesSwingWithoutShowingTheBlade) {
    BuildOpen([](World& world) { world.Special1 = true; });
    Frame({InButton2});
    EXPECT_EQ(w().Blade_Step, 1);
    EXPECT_FALSE(Shows(w().Robo_ArmR2.Frame, w().Blade_Mesh));
    Frames(8, {});
    EXPECT_EQ(w().Blade_Step, 0);
    EXPECT_EQ(PlayCount(wave::SwingBlade), 1);
}

TEST_F(BladeTest, EndingASwingFromOutsidePutsTheBodyBackAndTheBladeAway) {
    Frames(3, {InButton2});
    EndBladeSwing(game());
    EXPECT_EQ(w().Blade_Step, 0);
    EXPECT_FALSE(Shows(w().Robo_ArmR2.Frame, w().Blade_Mesh));
    EXPECT_VEC_NEAR(w().Robo_Body.Frame->GetPosition(w().Robo_Frame), 0, 0, 0, 1e-5f);
}

class GuardTest : public WeaponsFixture {
protected:
    struct Arms {
        double l_lift, l_roll, r_drop;
        bool on;
    };
    Arms Now() {
        return {w().Robo_ArmL1.RotX, w().Robo_ArmL1.RotZ, w().Robo_ArmR1.RotX, w().Guard_On};
    }
};

TEST_F(GuardTest, FourFramesUpAndFourBackGuardOffInTheFourthAfterRelease) {
    std::vector<Arms> seen;
    for (int i = 0; i < 4; ++i) {
        Frame({InButton3});
        seen.push_back(Now());
    }
    for (int i = 0; i < 5; ++i) {
        Frame({});
        seen.push_back(Now());
    }
    const std::vector<Arms> expected = {
        {1, -1, -1, true}, {2, -2, -2, true}, {3, -3, -3, true},
        {4, -4, -4, true}, {3, -3, -3, true}, {2, -2, -2, true},
        {1, -1, -1, true}, {0, 0, 0, false},  {0, 0, 0, false},
    };
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].l_lift, expected[i].l_lift) << "frame " << i;
        EXPECT_EQ(seen[i].l_roll, expected[i].l_roll) << "frame " << i;
        EXPECT_EQ(seen[i].r_drop, expected[i].r_drop) << "frame " << i;
        EXPECT_EQ(seen[i].on, expected[i].on) << "frame " << i;
    }
}

TEST_F(GuardTest, TheArmsStopAtTheirLimitsAndTakeTheGuardPose) {
    Frames(9, {InButton3});
    EXPECT_EQ(w().Robo_ArmR1.RotX, -9);
    Frames(1, {InButton3});
    EXPECT_EQ(w().Robo_ArmL1.RotX, 10);
    EXPECT_EQ(w().Robo_ArmL1.RotZ, -10);
    EXPECT_EQ(w().Robo_ArmR1.RotX, -10);
    Frames(5, {InButton3});
    EXPECT_EQ(w().Robo_ArmL1.RotX, 10);
    EXPECT_EQ(w().Robo_ArmL1.RotZ, -10);
    EXPECT_EQ(w().Robo_ArmR1.RotX, -10);
    EXPECT_DIR(AxisIn(w().Robo_ArmL1.Frame, w().Robo_Body.Frame), 0, 10, 0.5f, 1e-5f);
    EXPECT_DIR(AxisIn(w().Robo_ArmR1.Frame, w().Robo_Body.Frame), 0, -10, 10, 1e-5f);
    // Nine frames after release the right arm is at -1 and the guard still on; the tenth ends it.
    Frames(9, {});
    EXPECT_EQ(w().Robo_ArmR1.RotX, -1);
    EXPECT_TRUE(w().Guard_On);
    Frames(1, {});
    EXPECT_FALSE(w().Guard_On);
    EXPECT_DIR(AxisIn(w().Robo_ArmL1.Frame, w().Robo_Body.Frame), 0, 0, 1, 1e-5f);
}

TEST_F(GuardTest, FromTheCockpitOnlyTheRightArmMoves) {
    w().Camera_Mode = 2;
    Frames(4, {InButton3});
    EXPECT_TRUE(w().Guard_On);
    EXPECT_EQ(w().Robo_ArmL1.RotX, 0);
    EXPECT_EQ(w().Robo_ArmL1.RotZ, 0);
    EXPECT_EQ(w().Robo_ArmR1.RotX, -4);
    // Switching view mid-guard: the left arm follows from the view behind.
    w().Camera_Mode = 1;
    Frames(1, {InButton3});
    EXPECT_EQ(w().Robo_ArmL1.RotX, 1);
}

TEST_F(GuardTest, GuardingBlocksTheSwingButNotTheLegs) {
    Frames(2, {InButton3, InButton2});
    EXPECT_EQ(w().Blade_Step, 0);
    EXPECT_EQ(PlayCount(wave::SwingBlade), 0);
    Frames(2, {InButton3, InUp});
    EXPECT_FLOAT_EQ(w().Robo_Frame->GetPosition(Root()).x, 3.0f);
}

TEST_F(GuardTest, NoGuardDuringASwing) {
    Frame({InButton2});
    const rm::Vector arm = AxisIn(w().Robo_ArmR1.Frame, w().Robo_Body.Frame);
    Frame({InButton3}); // swing step 1 poses the arm; the guard does not touch it
    EXPECT_FALSE(w().Guard_On);
    EXPECT_EQ(w().Robo_ArmR1.RotX, 0);
    EXPECT_NE(AxisIn(w().Robo_ArmR1.Frame, w().Robo_Body.Frame).x, arm.x);
    Frames(7, {InButton3});
    EXPECT_EQ(w().Blade_Step, 0);
    EXPECT_FALSE(w().Guard_On) << "the guard cannot start in F+1..F+8";
    Frame({InButton3});
    EXPECT_TRUE(w().Guard_On);
}

} // namespace
