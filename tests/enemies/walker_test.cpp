// The G-walkers: turning at walls, the three-point sight, the pair of shots from the
// head, their hit boxes and removal, and the shared leg cycle.
#include "enemies/enemy_shots.h"
#include "enemy_fixture.h"

namespace {

const float WalkerTurn = std::atan(1.0f / 20.0f);

class WalkerTest : public EnemyFixture {
protected:
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Move_GH(game());
    }
    // Keeps a walker on its spot for the hit tests: turning, it does not step, and with
    // walls everywhere it never sees the robot to chase it.
    TParts& HoldStill(TParts& walker) {
        PaintBlock(0, 0, 101, 101);
        UseWallMap();
        walker.Count = 1;
        return walker;
    }
    bool Removed(const TParts& walker) {
        const rm::Vector p = At(walker.Frame);
        return walker.Life == 0 && std::abs(p.x - 500) < 1e-3f && std::abs(p.y + 5000) < 1e-3f &&
               std::abs(p.z) < 1e-3f;
    }
};

TEST_F(WalkerTest, StopsAtAWallAndTurnsLeftNineteenFrames) {
    PaintRow(RowOf(120) - 1); // a wall across +z a little beyond z = 125
    UseWallMap();
    TParts& walker = WakeWalker(0, 100, 100, 0, 1);
    rm::Vector before = At(walker.Frame);
    for (int i = 0; i < 100 && walker.Count == 0; ++i) {
        before = At(walker.Frame);
        Frames(1);
    }
    ASSERT_EQ(walker.Count, 1);
    EXPECT_VEC_NEAR(At(walker.Frame), before.x, 0, before.z, 1e-4f);
    const float start = Heading(walker.Frame);
    Frames(19);
    EXPECT_EQ(walker.Count, 0);
    EXPECT_VEC_NEAR(At(walker.Frame), before.x, 0, before.z, 1e-4f);
    EXPECT_NEAR(Heading(walker.Frame) - start, 0.949f, 0.002f); // 19 x atan(1/20), leftward
    EXPECT_NEAR(Heading(walker.Frame) - start, 19 * WalkerTurn, 1e-3f);
    // Still heading partly into the wall it met head on: put back and turning again.
    Frames(1);
    EXPECT_VEC_NEAR(At(walker.Frame), before.x, 0, before.z, 1e-4f);
    EXPECT_EQ(walker.Count, 1);
    Frames(20);
    EXPECT_EQ(walker.Count, 0);
    Frames(1); // 1.9 rad from the wall's normal it walks away
    EXPECT_LT(At(walker.Frame).z, before.z);
}

TEST_F(WalkerTest, AWalkerInsideAWallIsRemovedWithoutExplosion) {
    PaintBlock(ColumnOf(100) - 2, RowOf(100) - 2, ColumnOf(100) + 2, RowOf(100) + 2);
    UseWallMap();
    TParts& walker = WakeWalker(2, 100, 100, 1, 0);
    Frames(1);
    EXPECT_TRUE(Removed(walker));
    // Its parts went with it.
    EXPECT_LT(w().GH_FootL2[2].Frame->GetPosition(Root()).y, -4000);
    EXPECT_EQ(Live(w().Bakuhatu), 0);
    EXPECT_TRUE(plays.empty());
}

// The robot at (180, 100), the walker stepping to (100, 100.6) facing +z: the test points
// lie at x = 140 (a half), 160 (a quarter) and 120 (three quarters of the way).
class WalkerSightTest : public WalkerTest {
protected:
    int SeesThroughPixel(int col) {
        pixels.assign(pixels.size(), White);
        if (col >= 0) Paint(col, RowOf(100), Black);
        UseWallMap();
        TParts& walker = WakeWalker(0, 100, 100, 0, 1);
        PlaceRobot(180, 100, 1, 0);
        Frames(1);
        return walker.Count;
    }
};

TEST_F(WalkerSightTest, AWallOnAnyOfTheThreePointsBlocksSight) {
    EXPECT_EQ(SeesThroughPixel(-1), -1);
    EXPECT_EQ(SeesThroughPixel(ColumnOf(140)), 0);     // the half-way point
    EXPECT_EQ(SeesThroughPixel(ColumnOf(160)), 0);     // the quarter point, near the robot
    EXPECT_EQ(SeesThroughPixel(ColumnOf(120) + 1), 0); // three quarters, its right pixel
    // Walls between the test points do not block.
    EXPECT_EQ(SeesThroughPixel(ColumnOf(150) + 1), -1);
    EXPECT_EQ(SeesThroughPixel(ColumnOf(170) + 1), -1);
    EXPECT_EQ(SeesThroughPixel(ColumnOf(130)), -1);
}

TEST_F(WalkerTest, FiresAPairFromTheHeadTheRightShotFirst) {
    walk(game()); // the body dips and moves back as the legs start to swing
    TParts& walker = WakeWalker(0, 100, 100, 1, 0);
    walker.Count = -1;
    PlaceRobot(107, 100, 1, 0);
    Frames(1);
    ASSERT_EQ(Live(w().Teki_Tama), 2);
    EXPECT_EQ(PlayCount(wave::EnemyShot), 2);
    const rm::FramePtr& head = w().GH_Head[0].Frame;
    EXPECT_VEC_NEAR(w().Teki_Tama[0].Frame->GetPosition(head), 1, 1, 0, 1e-4f);
    EXPECT_VEC_NEAR(w().Teki_Tama[1].Frame->GetPosition(head), -1, 1, 0, 1e-4f);
    // Each 0.02 rad outward of the walker's facing.
    const float facing = Heading(walker.Frame);
    EXPECT_NEAR(Heading(w().Teki_Tama[0].Frame), facing - std::atan(1.0f / 50), 1e-4f);
    EXPECT_NEAR(Heading(w().Teki_Tama[1].Frame), facing + std::atan(1.0f / 50), 1e-4f);
    EXPECT_EQ(w().Teki_Tama[0].Frame->Lights().at(0), w().Teki_Shot_Lights[0]);
    EXPECT_EQ(w().Teki_Tama[1].Frame->Lights().at(0), w().Teki_Shot_Lights[1]);
}

TEST_F(WalkerTest, WithFiveShotsInFlightOnlyTheRightShotLeaves) {
    for (int k = 0; k < 5; ++k) Launch(w().Teki_Tama[static_cast<size_t>(k)], 0, 0, -300);
    TParts& walker = WakeWalker(0, 100, 100, 1, 0);
    walker.Count = -1;
    PlaceRobot(107, 100, 1, 0);
    Frames(1);
    EXPECT_EQ(Live(w().Teki_Tama), 6);
    EXPECT_EQ(PlayCount(wave::EnemyShot), 1);
    EXPECT_VEC_NEAR(w().Teki_Tama[5].Frame->GetPosition(w().GH_Head[0].Frame), 1, 1, 0, 1e-4f);
}

TEST_F(WalkerTest, VeryHardWalkerTakesEightShots) {
    TParts& walker = HoldStill(WakeWalker(0, 100, 100, 0, 1, 8));
    const rm::Vector at = At(walker.Frame);
    for (int hit = 1; hit <= 8; ++hit) {
        Launch(w().Tama[2], 100, 101);
        Frames(1);
        EXPECT_EQ(walker.Life, 8 - hit);
        EXPECT_EQ(w().Tama[2].Life, 0);
    }
    EXPECT_EQ(PlayCount(wave::EnemyHit), 7);
    EXPECT_EQ(PlayCount(wave::EnemyExplosion), 1);
    EXPECT_EQ(w().Bakuhatu[6].Count, 12);
    EXPECT_EQ(w().Bakuhatu[7].Count, 30);
    // The last explosion stands where the walker was, not where it went.
    EXPECT_NEAR(w().Bakuhatu[7].X, at.x, 1e-4);
    EXPECT_NEAR(w().Bakuhatu[7].Z, at.z, 1e-4);
    EXPECT_TRUE(Removed(walker));
    Launch(w().Tama[2], 500, 0, -5000); // a removed walker is skipped
    Frames(1);
    EXPECT_EQ(w().Tama[2].Life, 1);
}

TEST_F(WalkerTest, LegCycleRunsOverTwentyFourFramesForAllSix) {
    WakeWalker(0, 100, 100, 0, 1);
    TParts& removed = w().GH[1];
    removed.Frame->SetPosition(Root(), 500, -5000, 0);
    std::vector<int> steps;
    for (int i = 0; i < 48; ++i) {
        walk(game());
        steps.push_back(w().GH_Walk_Step);
        if (i == 5) { // step -6: the other leg forward, the body as low
            EXPECT_VEC_NEAR(w().GH_Body[0].Frame->GetPosition(w().GH[0].Frame), 0, -0.7f, -1,
                            1e-4f);
            const float n = std::sqrt(36.0f + 49.0f);
            EXPECT_VEC_NEAR(w().GH_FootL[0].Frame->GetWorldDirection(), 0, 6 / n, 7 / n, 1e-4f);
        }
    }
    // From 0 down to -6, up to 6 and down again.
    EXPECT_EQ(steps[0], -1);
    EXPECT_EQ(steps[5], -6);
    EXPECT_EQ(steps[17], 6);
    EXPECT_EQ(steps[29], -6);
    EXPECT_EQ(*std::min_element(steps.begin(), steps.end()), -6);
    EXPECT_EQ(*std::max_element(steps.begin(), steps.end()), 6);
    for (size_t i = 24; i < steps.size(); ++i) EXPECT_EQ(steps[i], steps[i - 24]);

    // Legs apart at the far end of the swing: step 6 after 18 frames from the start.
    while (w().GH_Walk_Step != 5 || !w().GH_Walk_Up) walk(game());
    walk(game());
    ASSERT_EQ(w().GH_Walk_Step, 6);
    for (const size_t i : {size_t{0}, size_t{1}}) {
        SCOPED_TRACE(i);
        const float n = std::sqrt(36.0f + 49.0f);
        EXPECT_VEC_NEAR(w().GH_FootR[i].Frame->GetWorldDirection(), 0, 6 / n, 7 / n, 1e-4f);
        EXPECT_VEC_NEAR(w().GH_FootL[i].Frame->GetWorldDirection(), 0, -6 / n, 7 / n, 1e-4f);
        // Each lower leg bends back against its upper leg.
        EXPECT_VEC_NEAR(w().GH_FootR2[i].Frame->GetWorldDirection(), 0, 0, 1, 1e-4f);
        EXPECT_VEC_NEAR(w().GH_FootL2[i].Frame->GetWorldDirection(), 0, 0, 1, 1e-4f);
        // The legs swing in their own plane: no lower leg is rolled sideways.
        EXPECT_VEC_NEAR(w().GH_FootR2[i].Frame->GetWorldUp(), 0, 1, 0, 1e-4f);
        EXPECT_VEC_NEAR(w().GH_FootL2[i].Frame->GetWorldUp(), 0, 1, 0, 1e-4f);
        EXPECT_VEC_NEAR(w().GH_Body[i].Frame->GetPosition(w().GH[i].Frame), 0, -0.7f, -1, 1e-3f);
    }
    // At step 0 the body is highest.
    while (w().GH_Walk_Step != 0) walk(game());
    EXPECT_VEC_NEAR(w().GH_Body[3].Frame->GetPosition(w().GH[3].Frame), 0, -0.1f, -1, 1e-5f);
    EXPECT_VEC_NEAR(w().GH_FootL[3].Frame->GetWorldDirection(), 0, 0, 1, 1e-5f);
}

} // namespace
