// The robot's movement: controls of both schemes, poses, walls, the gate, the boss room
// and the boss's body, on small maps made for each case.
#include <cmath>

#include "player/player.h"
#include "tests/support/scene_fixture.h"

namespace {

constexpr uint32_t White = 0xFFFFFF, Black = 0, Red = 0xFF0000, Blue = 0x0000FF;

class MoveRoboTest : public SceneFixture {
protected:
    TImage map;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(102 * 102, White);

    void SetUp() override {
        SceneFixture::SetUp();
        Build();
    }

    void Paint(int col, int row, uint32_t colour) {
        pixels[static_cast<size_t>(row * 102 + col)] = colour;
    }
    void PaintRow(int row, uint32_t colour) {
        for (int col = 0; col < 102; ++col) Paint(col, row, colour);
    }
    void PaintColumn(int col, uint32_t colour) {
        for (int row = 0; row < 102; ++row) Paint(col, row, colour);
    }
    void UseMap() {
        map.Picture.Assign(102, 102, 24, pixels);
        w().Map_Image = &map;
    }
    // Puts the robot at (x, 0, z) facing +x, as a stage starts.
    void PlaceRobot(float x, float z) {
        w().Robo_Frame->SetPosition(Root(), x, 0, z);
        w().Robo_Frame->SetOrientation(Root(), 1, 0, 0, 0, 1, 0);
    }
    rm::Vector RobotAt() { return w().Robo_Frame->GetPosition(Root()); }
    void Frames(int n, std::initializer_list<TDXInputState> held) {
        for (int i = 0; i < n; ++i) {
            Hold(held);
            Move_Robo(game());
        }
    }
};

// Facing +x, the robot's left is +z and its right is -z.

TEST_F(MoveRoboTest, OpenFloorWalksAndSidestepsAlongOwnAxes) {
    UseMap();
    PlaceRobot(0, 0);
    Frames(1, {InUp});
    EXPECT_VEC_NEAR(RobotAt(), 1.5f, 0, 0, 1e-4f);
    Frames(1, {InRight}); // the default scheme sidesteps on the arrows
    EXPECT_VEC_NEAR(RobotAt(), 1.5f, 0, -1.5f, 1e-4f);
    Frames(1, {InUp, InLeft}); // both at once: 1.5 along each axis
    EXPECT_VEC_NEAR(RobotAt(), 3.0f, 0, 0, 1e-4f);
    Frames(1, {InUp, InDown}); // up wins
    EXPECT_VEC_NEAR(RobotAt(), 4.5f, 0, 0, 1e-4f);
    Frames(1, {InLeft, InRight}); // right wins
    EXPECT_VEC_NEAR(RobotAt(), 4.5f, 0, -1.5f, 1e-4f);
    Frames(1, {InDown});
    EXPECT_VEC_NEAR(RobotAt(), 3.0f, 0, -1.5f, 1e-4f);
}

TEST_F(MoveRoboTest, SchemesSwapTurningAndSidestepping) {
    UseMap();
    PlaceRobot(0, 0);
    Frames(1, {InButton8}); // S turns right in the default scheme, without moving
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, 0, 1e-4f);
    const float turn = std::atan(1.0f / 25.0f);
    // Turning right from +x heads toward -z.
    EXPECT_VEC_NEAR(w().Robo_Frame->GetWorldDirection(), std::cos(turn), 0, -std::sin(turn), 1e-4f);

    w().AC_Control = true;
    PlaceRobot(0, 0);
    Frames(1, {InButton7}); // A sidesteps left in the other scheme
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, 1.5f, 1e-4f);
    Frames(1, {InLeft}); // and the arrows turn
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, 1.5f, 1e-4f);
    EXPECT_VEC_NEAR(w().Robo_Frame->GetWorldDirection(), std::cos(turn), 0, std::sin(turn), 1e-4f);
    EXPECT_EQ(w().Turn_Dir, -1);
}

TEST_F(MoveRoboTest, PosesLandOnTheirLimitsAndStraightenOnRelease) {
    UseMap();
    PlaceRobot(0, 0);
    Frames(25, {InUp});
    EXPECT_DOUBLE_EQ(w().Robo_Body.RotX, -5);
    EXPECT_DOUBLE_EQ(w().Robo_Head.RotX, 5);
    EXPECT_DOUBLE_EQ(w().Robo_ArmR2.RotX, 5);
    // Standing legs are straightened before the walk raises them, so walking alone holds
    // the first step of the right leg.
    EXPECT_DOUBLE_EQ(w().Robo_ThighR.RotX, 1.5);
    EXPECT_DOUBLE_EQ(w().Robo_LegR.RotX, -5);
    EXPECT_DOUBLE_EQ(w().Robo_ThighL.RotX, 0);
    // The body leans forward: its axis tips down by atan(5/10) from the robot's.
    const rm::Vector body = w().Robo_Body.Frame->GetWorldDirection();
    EXPECT_NEAR(body.y, -std::sin(std::atan(0.5f)), 1e-4f);

    Frames(12, {InLeft}); // a sidestep raises its leg all the way
    EXPECT_DOUBLE_EQ(w().Robo_Body.RotZ, -5);
    EXPECT_DOUBLE_EQ(w().Robo_Head.RotZ, 5);
    EXPECT_DOUBLE_EQ(w().Robo_ThighL.RotX, 15);
    EXPECT_DOUBLE_EQ(w().Robo_LegL.RotX, -50);
    EXPECT_DOUBLE_EQ(w().Robo_ThighR.RotX, 0);
    EXPECT_DOUBLE_EQ(w().Robo_Body.RotX, 0);

    Frames(1, {});
    for (const TParts* part : {&w().Robo_Body, &w().Robo_Head, &w().Robo_ThighR, &w().Robo_ThighL,
                               &w().Robo_LegR, &w().Robo_LegL}) {
        EXPECT_EQ(part->RotX, 0);
        EXPECT_EQ(part->RotZ, 0);
    }
    EXPECT_VEC_NEAR(w().Robo_Body.Frame->GetWorldDirection(), 1, 0, 0, 1e-5f);
}

TEST_F(MoveRoboTest, TurnPoseCountsToTenAndResetsOnRelease) {
    UseMap();
    PlaceRobot(0, 0);
    Frames(10, {InButton8});
    EXPECT_EQ(w().Turn_Pose, 10);
    Frames(5, {InButton8});
    EXPECT_EQ(w().Turn_Pose, 10);
    // The turn pose twists the body away from the robot's heading.
    const rm::Vector robot = w().Robo_Frame->GetWorldDirection();
    const rm::Vector body = w().Robo_Body.Frame->GetWorldDirection();
    EXPECT_LT(robot.x * body.x + robot.y * body.y + robot.z * body.z, 0.9999f);

    Frames(1, {});
    EXPECT_EQ(w().Turn_Pose, 0);
    // The first frame without a turn already shows the standing pose.
    EXPECT_VEC_NEAR(w().Robo_Body.Frame->GetWorldDirection(), robot.x, robot.y, robot.z, 1e-5f);

    Frames(3, {InButton7}); // left counts down
    EXPECT_EQ(w().Turn_Pose, -3);
    Frames(2, {InButton8}); // a reversed turn walks back through zero
    EXPECT_EQ(w().Turn_Pose, -1);
    Frames(3, {InButton8, InUp}); // turning while walking keeps the step
    EXPECT_EQ(w().Turn_Pose, -1);
}

TEST_F(MoveRoboTest, DashSoundOncePerHeldDirection) {
    UseMap();
    PlaceRobot(0, 0);
    Frames(5, {InUp});
    EXPECT_EQ(PlayCount(wave::Dash), 1);
    Frames(3, {InUp, InLeft}); // a sidestep started while walking plays it again
    EXPECT_EQ(PlayCount(wave::Dash), 2);
    Frames(3, {InLeft});
    EXPECT_EQ(PlayCount(wave::Dash), 2);
    Frames(1, {});
    Frames(2, {InDown});
    EXPECT_EQ(PlayCount(wave::Dash), 3);
    Frames(4, {InButton8}); // turning is silent
    EXPECT_EQ(PlayCount(wave::Dash), 3);
}

TEST_F(MoveRoboTest, BladeSwingFreezesTheRobot) {
    UseMap();
    PlaceRobot(0, 0);
    w().Blade_Step = 3;
    Frames(4, {InUp, InLeft, InButton8});
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, 0, 1e-6f);
    EXPECT_VEC_NEAR(w().Robo_Frame->GetWorldDirection(), 1, 0, 0, 1e-6f);
    EXPECT_TRUE(plays.empty());
}

TEST_F(MoveRoboTest, WallRowKeepsZAndAppliesX) {
    PaintRow(92, Black); // the pixels of z around 0 are wall
    UseMap();
    PlaceRobot(0, -3);
    Frames(1, {InUp, InLeft}); // toward +x and +z
    EXPECT_VEC_NEAR(RobotAt(), 1.5f, 0, -3, 1e-4f);
}

TEST_F(MoveRoboTest, WallColumnKeepsXAndAppliesZ) {
    PaintColumn(9, Black);
    UseMap();
    PlaceRobot(-3, 0);
    Frames(1, {InUp, InLeft});
    EXPECT_VEC_NEAR(RobotAt(), -3, 0, 1.5f, 1e-4f);
}

TEST_F(MoveRoboTest, CornerUndoesTheWholeMoveButKeepsTheTurn) {
    Paint(9, 92, Black); // one wall pixel among the four
    UseMap();
    PlaceRobot(0, -3);
    Frames(1, {InUp, InLeft, InButton8});
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, -3, 1e-4f);
    EXPECT_LT(w().Robo_Frame->GetWorldDirection().z, -0.03f);
}

TEST_F(MoveRoboTest, GateBlocksUntilOpenAndAgainOnceTheFightBegins) {
    PaintRow(92, Red);
    UseMap();
    PlaceRobot(0, -3);
    Frames(1, {InLeft});
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, -3, 1e-4f);

    w().Gate_Open = true;
    Frames(1, {InLeft});
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, -1.5f, 1e-4f);

    w().Boss_Active = true;
    PlaceRobot(0, -3);
    Frames(1, {InLeft});
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, -3, 1e-4f);
}

TEST_F(MoveRoboTest, FirstBluePixelStartsTheBossFightOnce) {
    PaintRow(92, Blue);
    PaintRow(91, Blue);
    UseMap();
    w().Gate_Open = true;
    w().Arena_Frame->DeleteVisual(w().Door_Mesh); // the gate opening took the door away
    PlaceRobot(0, -3);
    Frames(1, {InButton8});
    EXPECT_FALSE(w().Boss_Active);
    EXPECT_EQ(PlayCount(wave::BossBGM), 0);

    Frames(6, {InLeft}); // onto the blue rows and on through them
    EXPECT_TRUE(w().Boss_Active);
    EXPECT_EQ(PlayCount(wave::BossBGM), 1);
    const auto& visuals = w().Arena_Frame->Visuals();
    EXPECT_EQ(std::count(visuals.begin(), visuals.end(), w().Door_Mesh), 1);
    // The boss room itself is floor.
    EXPECT_GT(RobotAt().z, 4.0f);
}

TEST_F(MoveRoboTest, BossBodyIsASquareOfFifteen) {
    UseMap();
    PlaceRobot(0, 0);
    // After one step forward the boss would be 14 ahead and 14 to the right.
    w().Boss_Frame->SetPosition(Root(), 15.5f, 0, -14);
    Frames(1, {InUp});
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, 0, 1e-4f);

    w().Boss_Frame->SetPosition(Root(), 15.5f, 0, -16);
    Frames(1, {InUp});
    EXPECT_VEC_NEAR(RobotAt(), 1.5f, 0, 0, 1e-4f);
}

TEST_F(MoveRoboTest, HeightIsForcedToTheGround) {
    UseMap();
    w().Robo_Frame->SetPosition(Root(), 0, 2, 0);
    Frames(1, {InUp});
    EXPECT_NEAR(RobotAt().y, 0, 1e-6f);
}

TEST_F(MoveRoboTest, MapPixelsAtExactHalvesRoundToEven) {
    // Standing still at an exact half of a pixel: 0.2 * 12.5 = 2.5 rounds to 2 and -2.5 to
    // -2. The boss room's blue, painted where only one rounding would look, shows which
    // 2 x 2 pixels were read.
    struct Case {
        float x, z;
        bool column;    // paint a column (x case) or a row (z case)
        int even, away; // a line only the even square reads, one only the other reads
    };
    const Case cases[] = {
        {12.5f, 0, true, 10, 12},   // column 10 (+1) against 11 (+1)
        {-12.5f, 0, true, 7, 5},    // column 6 (+1) against 5 (+1)
        {0, 12.5f, false, 91, 89},  // row 90 (+1) against 89 (+1)
        {0, -12.5f, false, 94, 96}, // row 94 (+1) against 95 (+1)
    };
    for (const Case& c : cases) {
        for (const bool even_line : {true, false}) {
            pixels.assign(pixels.size(), White);
            const int line = even_line ? c.even : c.away;
            c.column ? PaintColumn(line, Blue) : PaintRow(line, Blue);
            UseMap();
            w().Boss_Active = false;
            PlaceRobot(c.x, c.z);
            Frames(1, {});
            EXPECT_EQ(w().Boss_Active, even_line)
                << "at (" << c.x << ", " << c.z << ") " << (c.column ? "column " : "row ") << line;
        }
    }
}

TEST_F(MoveRoboTest, BossBodyHoldsTheRobotAtExactlyFifteen) {
    UseMap();
    PlaceRobot(0, 0);
    // After one step forward the boss is exactly 15 ahead and 15 to the right: still inside.
    w().Boss_Frame->SetPosition(Root(), 16.5f, 0, -15);
    Frames(1, {InUp});
    EXPECT_VEC_NEAR(RobotAt(), 0, 0, 0, 1e-4f);
    // A quarter unit further on either axis lets the step through.
    w().Boss_Frame->SetPosition(Root(), 16.75f, 0, 15);
    Frames(1, {InUp});
    EXPECT_VEC_NEAR(RobotAt(), 1.5f, 0, 0, 1e-4f);
    PlaceRobot(0, 0);
    w().Boss_Frame->SetPosition(Root(), 16.5f, 0, 15.25f);
    Frames(1, {InUp});
    EXPECT_VEC_NEAR(RobotAt(), 1.5f, 0, 0, 1e-4f);
}

TEST_F(MoveRoboTest, LeftTurnPoseMirrorsTheRightTurnsBodyLean) {
    // The body's axes in the robot's own axes (x right, y up, z ahead).
    auto in_robot = [this](const rm::Vector& v) {
        const rm::Vector z = w().Robo_Frame->GetWorldDirection();
        const rm::Vector y = w().Robo_Frame->GetWorldUp();
        const rm::Vector x{y.y * z.z - y.z * z.y, y.z * z.x - y.x * z.z, y.x * z.y - y.y * z.x};
        auto dot = [](const rm::Vector& a, const rm::Vector& b) {
            return a.x * b.x + a.y * b.y + a.z * b.z;
        };
        return rm::Vector{dot(v, x), dot(v, y), dot(v, z)};
    };
    auto body_dir = [&] { return in_robot(w().Robo_Body.Frame->GetWorldDirection()); };
    auto body_up = [&] { return in_robot(w().Robo_Body.Frame->GetWorldUp()); };
    UseMap();
    PlaceRobot(0, 0);
    Frames(10, {InButton8});
    const rm::Vector right_dir = body_dir(), right_up = body_up();
    Frames(1, {});
    PlaceRobot(0, 0);
    Frames(10, {InButton7});
    const rm::Vector left_dir = body_dir(), left_up = body_up();
    // Mirrored across the robot's own forward-up plane: sideways parts change sign.
    EXPECT_NEAR(left_dir.x, -right_dir.x, 1e-5f);
    EXPECT_NEAR(left_dir.y, right_dir.y, 1e-5f);
    EXPECT_NEAR(left_dir.z, right_dir.z, 1e-5f);
    EXPECT_NEAR(left_up.x, -right_up.x, 1e-5f);
    EXPECT_NEAR(left_up.y, right_up.y, 1e-5f);
    EXPECT_NEAR(left_up.z, right_up.z, 1e-5f);
    EXPECT_GT(std::fabs(right_up.x), 0.1f) << "the turn leans the body sideways";
}

} // namespace
