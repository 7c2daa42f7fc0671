// The zako: roaming and turning at walls, sight through the wall map, the chase and its
// fire, and the hits of shots, missiles and the blade.
#include "enemy_fixture.h"

namespace {

const float ZakoTurn = std::atan(1.0f / 15.0f);

class ZakoTest : public EnemyFixture {
protected:
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Move_Teki(game());
    }
    // Keeps a zako on its spot for the hit tests: turning, it does not step, and with
    // walls everywhere it never sees the robot to chase it.
    TParts& HoldStill(TParts& zako) {
        PaintBlock(0, 0, 101, 101);
        UseWallMap();
        zako.Count = 1;
        return zako;
    }
};

TEST_F(ZakoTest, StopsAtAWallTurnsLeftTwentyNineFramesThenWalksOn) {
    PaintColumn(ColumnOf(110) + 1); // the wall begins a little beyond x = 105
    UseWallMap();
    TParts& zako = WakeZako(0, 100, 100, 1, 0);
    rm::Vector before = At(zako.Frame);
    Frames(1);
    EXPECT_VEC_NEAR(At(zako.Frame), 100.6f, 0, 100, 1e-4f); // 0.6 a frame ahead
    int walked = 1;
    while (zako.Count == 0 && walked < 40) {
        before = At(zako.Frame);
        Frames(1);
        ++walked;
    }
    ASSERT_EQ(zako.Count, 1);
    EXPECT_VEC_NEAR(At(zako.Frame), before.x, 0, before.z, 1e-4f); // put back, not moved
    EXPECT_LT(before.x, 107.5f);

    for (int frame = 1; frame <= 29; ++frame) {
        Frames(1);
        EXPECT_VEC_NEAR(At(zako.Frame), before.x, 0, before.z, 1e-4f); // turns on the spot
        EXPECT_NEAR(Heading(zako.Frame), static_cast<float>(frame) * ZakoTurn, 1e-3f);
        EXPECT_EQ(zako.Count, frame < 29 ? frame + 1 : 0);
    }
    EXPECT_NEAR(Heading(zako.Frame), 1.93f, 0.005f); // to the left, toward +z

    Frames(1);
    const rm::Vector after = At(zako.Frame);
    EXPECT_NEAR(after.x, before.x + 0.6f * std::cos(29 * ZakoTurn), 1e-3f);
    EXPECT_NEAR(after.z, before.z + 0.6f * std::sin(29 * ZakoTurn), 1e-3f);
    EXPECT_EQ(zako.Count, 0);
    EXPECT_EQ(zako.Life, 2);
}

TEST_F(ZakoTest, AStartPlaceInsideAWallRemovesItSilently) {
    PaintBlock(ColumnOf(100) - 3, RowOf(100) - 3, ColumnOf(100) + 3, RowOf(100) + 3);
    UseWallMap();
    TParts& buried = WakeZako(0, 100, 100, 1, 0);
    // Only one of the four pixels is wall in front of this one: it turns instead.
    Paint(ColumnOf(200) + 1, RowOf(200), Black);
    UseWallMap();
    TParts& blocked = WakeZako(1, 200, 200, 0, 1);
    Frames(1);
    EXPECT_EQ(buried.Life, 0);
    EXPECT_TRUE(buried.Frame->Visuals().empty());
    EXPECT_VEC_NEAR(At(buried.Frame), 100, 0, 100, 1e-4f); // stays where it was
    EXPECT_EQ(blocked.Life, 2);
    EXPECT_EQ(blocked.Count, 1);
    EXPECT_EQ(blocked.Frame->Visuals().size(), 1u);
    EXPECT_EQ(ExplosionsStarted(), 0);
    EXPECT_TRUE(plays.empty());
    // A dead zako is skipped from then on.
    Frames(3);
    EXPECT_VEC_NEAR(At(buried.Frame), 100, 0, 100, 1e-4f);
}

TEST_F(ZakoTest, ABuriedZakoDoesNotLookChaseOrFireWithTheRobotInPlainSight) {
    // The robot 40 ahead and a little to the left, the way between them open: a zako on
    // open floor sees it, turns toward it and fires in the same frame.
    for (const bool buried : {false, true}) {
        SCOPED_TRACE(buried ? "buried in a wall" : "on open floor");
        pixels.assign(pixels.size(), White);
        if (buried)
            PaintBlock(ColumnOf(100) - 2, RowOf(100) - 2, ColumnOf(100) + 2, RowOf(100) + 2);
        UseWallMap();
        w().Teki_Fire_Count = 0;
        TParts& zako = WakeZako(0, 100, 100, 1, 0);
        PlaceRobot(140, 100.5f, 1, 0);
        const int fired_before = PlayCount(wave::EnemyShot);
        Frames(1);
        EXPECT_EQ(zako.Life, buried ? 0 : 2);
        EXPECT_EQ(zako.Count == -1, !buried) << "looked at the robot";
        EXPECT_NEAR(Heading(zako.Frame), buried ? 0 : ZakoTurn, 1e-4f) << "turned to chase";
        EXPECT_EQ(w().Teki_Fire_Count, buried ? 0 : 1);
        EXPECT_EQ(ShotsInFlight(), buried ? 0 : 1);
        EXPECT_EQ(PlayCount(wave::EnemyShot) - fired_before, buried ? 0 : 1);
        FreeEnemyShots();
    }
}

TEST_F(ZakoTest, ARobotHiddenBehindAWallWithinFiftyIsNotChased) {
    // A short wall across the midpoint between zako (100, 100) and robot (140, 100).
    PaintBlock(ColumnOf(120) - 1, RowOf(120), ColumnOf(120) + 1, RowOf(80));
    UseWallMap();
    TParts& zako = WakeZako(0, 100, 100, 0, 1); // facing away, never reaching the wall
    PlaceRobot(140, 100, 1, 0);
    Frames(5);
    EXPECT_EQ(zako.Count, 0);
    // From the other side of the gap the robot is seen at once.
    PlaceRobot(100, 140, 1, 0);
    Frames(1);
    EXPECT_EQ(zako.Count, -1);
}

TEST_F(ZakoTest, ATurningZakoThatSeesTheRobotChasesInTheSameFrame) {
    TParts& zako = WakeZako(0, 100, 100, 1, 0);
    zako.Count = 12;
    PlaceRobot(120, 120, 1, 0); // ahead and to its left
    Frames(1);
    EXPECT_EQ(zako.Count, -1);
    // Turned twice to the left, on the spot: once turning away, once toward the robot.
    EXPECT_NEAR(Heading(zako.Frame), 2 * ZakoTurn, 1e-4f);
    EXPECT_VEC_NEAR(At(zako.Frame), 100, 0, 100, 1e-4f);
}

TEST_F(ZakoTest, ChasingZakoClosesInAndHoversAtEightUnits) {
    TParts& zako = WakeZako(0, 100, 100, 1, 0);
    PlaceRobot(125, 103, 1, 0);
    auto distance = [&] {
        const rm::Vector r = w().Robo_Frame->GetPosition(zako.Frame);
        return r.z;
    };
    Frames(1);
    EXPECT_NEAR(At(zako.Frame).x, 100.6f, 1e-3f); // stepped before it began the chase
    Frames(39);
    ASSERT_EQ(zako.Count, -1);
    const rm::Vector held = At(zako.Frame);
    for (int i = 0; i < 20; ++i) {
        Frames(1);
        // Each frame's step brings it inside 8 and is taken back.
        EXPECT_GT(distance(), 7.9f);
        EXPECT_LT(distance(), 8.7f);
    }
    const rm::Vector now = At(zako.Frame);
    EXPECT_LT(std::hypot(now.x - held.x, now.z - held.z), 1.0f);
}

TEST_F(ZakoTest, ChaseEndsWhenTheRobotIsMoreThanAHundredAhead) {
    TParts& zako = WakeZako(0, 100, 100, 1, 0);
    zako.Count = -1;
    PlaceRobot(200.5f, 100, 1, 0); // 99.9 ahead after the step
    Frames(1);
    EXPECT_EQ(zako.Count, -1);
    WakeZako(0, 100, 100, 1, 0).Count = -1;
    PlaceRobot(200.7f, 100, 1, 0); // 100.1
    Frames(1);
    EXPECT_EQ(zako.Count, 0);
}

TEST_F(ZakoTest, OneAimingZakoFiresEveryThirteenFrames) {
    TParts& zako = WakeZako(0, 100, 100, 1, 0);
    PlaceRobot(107, 100, 1, 0); // inside the 8 units: it holds there
    std::vector<int> fired;
    for (int frame = 1; frame <= 40; ++frame) {
        const int before = PlayCount(wave::EnemyShot);
        Move_Teki(game());
        if (PlayCount(wave::EnemyShot) > before) {
            fired.push_back(frame);
            // Fired from just below the zako, along its facing.
            const TParts& shot = w().Teki_Tama[0];
            EXPECT_EQ(shot.Life, 1);
            EXPECT_VEC_NEAR(shot.Frame->GetPosition(zako.Frame), 0, -0.8f, 0, 1e-4f);
            EXPECT_VEC_NEAR(shot.Frame->GetWorldDirection(), zako.Frame->GetWorldDirection().x, 0,
                            zako.Frame->GetWorldDirection().z, 1e-4f);
            EXPECT_EQ(shot.Frame->Lights().size(), 1u); // full lighting: its own light
            EXPECT_EQ(shot.Frame->Lights()[0], w().Teki_Shot_Lights[0]);
        }
        FreeEnemyShots();
        for (auto& shot : w().Teki_Tama) shot.Frame->DeleteLight(w().Teki_Shot_Lights[0]);
    }
    EXPECT_EQ(fired, (std::vector<int>{1, 14, 27, 40}));
}

TEST_F(ZakoTest, TwoAimingZakoShareTheCounterAndFireEverySixOrSevenFrames) {
    TParts& a = WakeZako(0, 100, 100, 1, 0);
    TParts& b = WakeZako(1, 100, 100.4f, 1, 0);
    PlaceRobot(107, 100.2f, 1, 0);
    auto fired_from = [](const TParts& shot, const TParts& zako) {
        const rm::Vector s = shot.Frame->GetPosition(zako.Frame);
        return std::abs(s.x) < 1e-3f && std::abs(s.y + 0.8f) < 1e-3f && std::abs(s.z) < 1e-3f;
    };
    std::vector<int> fired;
    int from_a = 0, from_b = 0;
    for (int frame = 1; frame <= 60; ++frame) {
        Move_Teki(game());
        for (TParts& shot : w().Teki_Tama) {
            if (shot.Life == 0) continue;
            fired.push_back(frame);
            from_a += fired_from(shot, a) ? 1 : 0;
            from_b += fired_from(shot, b) ? 1 : 0;
        }
        FreeEnemyShots();
    }
    ASSERT_GE(fired.size(), 8u);
    EXPECT_EQ(fired[0], 1);
    for (size_t i = 1; i < fired.size(); ++i) {
        const int gap = fired[i] - fired[i - 1];
        EXPECT_TRUE(gap == 6 || gap == 7) << "gap " << gap << " before frame " << fired[i];
    }
    EXPECT_GT(from_a, 0);
    EXPECT_GT(from_b, 0);
    EXPECT_EQ(from_a + from_b, static_cast<int>(fired.size()));
}

TEST_F(ZakoTest, FiresOnlyWithTheRobotWithinOneUnitOfStraightAhead) {
    TParts& zako = WakeZako(0, 100, 100, 1, 0);
    zako.Count = -1;
    // The robot 1.0 to the right after the step: no fire and the counter stays.
    PlaceRobot(105.6f, 99, 1, 0);
    Frames(1);
    EXPECT_EQ(w().Teki_Fire_Count, 0);
    EXPECT_EQ(ShotsInFlight(), 0);
    WakeZako(0, 100, 100, 1, 0).Count = -1;
    PlaceRobot(105.6f, 99.02f, 1, 0); // 0.98 to the right
    Frames(1);
    EXPECT_EQ(w().Teki_Fire_Count, 1);
    EXPECT_EQ(ShotsInFlight(), 1);
    // The same to the left.
    FreeEnemyShots();
    w().Teki_Fire_Count = 0;
    WakeZako(0, 100, 100, 1, 0).Count = -1;
    PlaceRobot(105.6f, 101, 1, 0);
    Frames(1);
    EXPECT_EQ(w().Teki_Fire_Count, 0);
    WakeZako(0, 100, 100, 1, 0).Count = -1;
    PlaceRobot(105.6f, 100.98f, 1, 0);
    Frames(1);
    EXPECT_EQ(w().Teki_Fire_Count, 1);
}

TEST_F(ZakoTest, TwoShotsOnATwoPointZakoHitThenKill) {
    TParts& zako = WakeZako(0, 100, 100, 0, 1);
    // The zako steps to z = 100.6 first; shots 3 and 4 are both inside its box.
    Launch(w().Tama[3], 100, 103);
    Launch(w().Tama[4], 100, 101);
    w().Tama[3].Frame->AddLight(w().Shot_Lights[3]);
    Frames(1);
    EXPECT_EQ(zako.Life, 1);
    EXPECT_EQ(w().Tama[3].Life, 0); // the first in index order counts
    EXPECT_VEC_NEAR(At(w().Tama[3].Frame), 0, -100, 0, 1e-4f);
    EXPECT_TRUE(w().Tama[3].Frame->Lights().empty());
    EXPECT_EQ(w().Tama[4].Life, 1); // left flying
    EXPECT_EQ(w().Bakuhatu[0].Count, 12);
    EXPECT_NEAR(w().Bakuhatu[0].X, 100, 1e-4);
    EXPECT_NEAR(w().Bakuhatu[0].Z, 100.6, 1e-4);
    EXPECT_EQ(PlayCount(wave::EnemyHit), 1);
    EXPECT_EQ(zako.Frame->Visuals().size(), 1u);

    Frames(1); // shot 4 is still inside the box
    EXPECT_EQ(zako.Life, 0);
    EXPECT_EQ(w().Tama[4].Life, 0);
    EXPECT_EQ(w().Bakuhatu[1].Count, 30);
    EXPECT_EQ(PlayCount(wave::EnemyExplosion), 1);
    EXPECT_TRUE(zako.Frame->Visuals().empty());
}

TEST_F(ZakoTest, AZakoKilledByAShotTakesNoMissileOrBladeThatFrame) {
    HoldStill(WakeZako(0, 100, 100, 0, 1, 1)); // one hit point, as on Eazy
    TParts& zako = w().Zako[0];
    PlaceRobot(100, 95, 0, 1); // the zako is 5 ahead of the robot
    w().Blade_Step = 3;
    Launch(w().Tama[1], 100, 100);
    Launch(w().Missile[0], 100, 100);
    Frames(1);
    EXPECT_EQ(zako.Life, 0);
    EXPECT_EQ(w().Tama[1].Life, 0);
    EXPECT_EQ(w().Missile[0].Life, 1); // not used up on a dead zako
    EXPECT_EQ(ExplosionsStarted(), 1);
    EXPECT_EQ(PlayCount(wave::EnemyExplosion), 1);
    EXPECT_EQ(PlayCount(wave::EnemyHit), 0);
}

TEST_F(ZakoTest, KillsGoOnWithAFullExplosionPoolButWithoutPictureOrSound) {
    for (TParts& e : w().Bakuhatu) {
        e.Life = 3;
        e.Count = 30;
    }
    TParts& zako = WakeZako(0, 100, 100, 0, 1, 1);
    Launch(w().Tama[0], 100, 100.6f);
    Frames(1);
    EXPECT_EQ(zako.Life, 0);
    EXPECT_EQ(w().Tama[0].Life, 0);
    EXPECT_TRUE(plays.empty());
}

} // namespace
