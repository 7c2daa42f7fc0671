// The boss fight: walking and turning at the robot, the room it cannot leave, the arm
// strike's lopsided band and rhythm, the fan of shots, the hit boxes for shots, missiles
// and the blade, and the defeat with and without a free explosion record.
#include <algorithm>
#include <cmath>

#include "enemy_fixture.h"
#include "scene/scene.h"
#include "tests/support/frame_axes.h"

namespace {

class BossWalkTest : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        Wake();
        form().DXWaveList1.OnStop = [this](int index) { stops.push_back(index); };
    }

    void Wake() {
        World& wd = w();
        wd.Boss_Active = true;
        wd.Boss_HP = 300;
        wd.Boss_Damage = 5;
        wd.Robo_HP = 300;
        wd.Score = 0;
        wd.Clock_Running = true;
    }

    void PlaceBoss(float x, float z, float dx, float dz) { Place(w().Boss_Frame, x, z, dx, dz); }

    // The boss at (40, 199.6) facing +z: its walk takes it to exactly z = 200, so a robot
    // at (40 + x, 200 + z) is seen at (x, z).
    void BossAheadOfRobotAt(float x, float z) {
        PlaceBoss(40, 199.6f, 0, 1);
        PlaceRobot(40 + x, 200 + z, 0, -1);
    }

    // A projectile put in flight at (x, z) in the boss's coordinates as they are once the
    // boss has walked (0.4 ahead) this frame; the turn moves it by less than 0.02 sideways.
    void LaunchAtBoss(TParts& projectile, float x, float z) {
        projectile.Frame->SetPosition(w().Boss_Frame, x, 0, z + 0.4f);
        projectile.Life = 1;
    }

    int StopCount(int index) const {
        return static_cast<int>(std::count(stops.begin(), stops.end(), index));
    }

    void FillExplosions() {
        for (TParts& e : w().Bakuhatu) {
            e.Life = 1;
            e.Count = 100;
        }
    }

    const TParts* LastExplosion() {
        const TParts* last = nullptr;
        for (const TParts& e : w().Bakuhatu)
            if (e.Life != 0) last = &e;
        return last;
    }

    // Where a shot left, on the ground plane of the boss's body (the body has bobbed since).
    void ExpectFiredFrom(const TParts& shot, float x, float z) {
        const rm::Vector at = shot.Frame->GetPosition(w().Boss_Body_Frame);
        EXPECT_NEAR(at.x, x, 1e-3f);
        EXPECT_NEAR(at.z, z, 1e-3f);
    }

    std::vector<int> stops;
};

TEST_F(BossWalkTest, FirstFightingFrameBringsTheBossIntoTheRoom) {
    // Rest place (80, 280) facing -z: one step of 0.4, then held at the room's z limit.
    BossWalk(game());
    EXPECT_NEAR(At(w().Boss_Frame).z, 265, 1e-4f);
    EXPECT_NEAR(w().Boss_Pos.z, 279.6f, 1e-3f) << "read before the clamp";
}

TEST_F(BossWalkTest, TurnsTowardTheRobotByOneStepAFrame) {
    const float step = std::atan(1.0f / 25);
    for (const float side : {1.0f, -1.0f}) {
        SCOPED_TRACE(side);
        PlaceBoss(40, 200, 0, 1);
        PlaceRobot(40 + 30 * side, 240, 1, 0);
        BossWalk(game());
        // Facing +z, the robot to the right (+x) turns the boss toward +x.
        EXPECT_NEAR(Heading(w().Boss_Frame), std::atan2(1.0f, 0.0f) - side * step, 1e-4f);
    }
}

// A downed robot (hit points 0 or less) in the band is not struck.
TEST_F(BossWalkTest, ArmStrikeBandIsLopsided) {
    struct Case {
        float x, z;
        bool struck;
        int hp = 300;
    };
    const Case cases[] = {{0, 10, true},  {0, 18, true},      {0, 9.9f, false}, {0, 18.1f, false},
                          {8, 14, true},  {-8, 14, false},    {10, 14, true},   {10.1f, 14, false},
                          {-5, 14, true}, {-5.1f, 14, false}, {0, 14, true, 1}, {0, 14, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "robot at x " << c.x << ", z " << c.z << ", HP " << c.hp);
        Wake();
        w().Robo_HP = c.hp;
        w().Boss_Arm_Attack = false;
        w().Boss_Arm_Frames = 0;
        w().White_Flash = false;
        for (TParts& e : w().Bakuhatu) e.Life = 0;
        plays.clear();
        BossAheadOfRobotAt(c.x, c.z);
        BossWalk(game());
        ASSERT_NEAR(w().Boss_Robo_Rel.z, c.z, 1e-4f);
        ASSERT_NEAR(w().Boss_Robo_Rel.x, c.x, 1e-4f);
        EXPECT_EQ(w().Boss_Arm_Attack, c.struck);
        EXPECT_EQ(w().Robo_HP, c.struck ? c.hp - 30 : c.hp) << "Nomal costs 30";
        EXPECT_EQ(w().Score, c.struck ? -10000 : 0);
        EXPECT_EQ(w().White_Flash, c.struck);
        EXPECT_EQ(PlayCount(wave::PlayerExplosion), c.struck ? 1 : 0);
        if (c.struck) {
            const TParts* e = LastExplosion();
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->Count, 15);
            EXPECT_NEAR(e->X, 40 + c.x, 1e-4);
            EXPECT_NEAR(e->Z, 200 + c.z, 1e-4);
            // The arm turned in toward the body's middle.
            const rm::Vector d = frame_axes::Unit({-0.6f, 0, 1});
            EXPECT_VEC_NEAR(frame_axes::DirectionIn(*w().Boss_A_Frame.Frame, *w().Boss_Body_Frame),
                            d.x, d.y, d.z, 1e-4f);
        }
    }
}

TEST_F(BossWalkTest, BacksOffWithinFourteenUnits) {
    BossAheadOfRobotAt(0, 14);
    BossWalk(game());
    EXPECT_NEAR(At(w().Boss_Frame).z, 199.4f, 2e-3f) << "0.4 ahead, 0.6 back";
    BossAheadOfRobotAt(0, 14.1f);
    BossWalk(game());
    EXPECT_NEAR(At(w().Boss_Frame).z, 200, 1e-4f);
}

TEST_F(BossWalkTest, StrikesAtMostOnceEveryTwentySevenFrames) {
    World& wd = w();
    wd.Robo_HP = 100000;
    std::vector<int> strikes;
    for (int frame = 1; frame <= 60; ++frame) {
        // The robot keeps standing 14 ahead of the boss, wherever the boss walks.
        wd.Robo_Frame->SetPosition(wd.Boss_Frame, 0, 0, 14.4f);
        const int hp = wd.Robo_HP;
        BossWalk(game());
        for (TParts& e : wd.Bakuhatu) e.Life = 0;
        if (wd.Robo_HP != hp) strikes.push_back(frame);
    }
    EXPECT_EQ(strikes, (std::vector<int>{1, 28, 55}));
}

TEST_F(BossWalkTest, VolleyFansFiveShotsEveryTwentyThreeFrames) {
    World& wd = w();
    PlaceBoss(40, 200, 0, 1);
    wd.Boss_Fire_Count = 0;
    BossWalk(game());
    EXPECT_EQ(ShotsInFlight(), 5);
    EXPECT_EQ(PlayCount(wave::EnemyShot), 5);
    // Fanned around the body's facing: 0.381 and 0.197 to either side, one straight.
    const float facing = Heading(wd.Boss_Body_Frame);
    std::vector<float> spread;
    for (int k = 0; k < 5; ++k) {
        float a = Heading(wd.Teki_Tama[static_cast<size_t>(k)].Frame) - facing;
        spread.push_back(std::round(a * 1000) / 1000);
    }
    std::sort(spread.begin(), spread.end());
    EXPECT_EQ(spread, (std::vector<float>{-0.381f, -0.197f, 0, 0.197f, 0.381f}));
    // All from the body's left, 10 to the side.
    ExpectFiredFrom(wd.Teki_Tama[2], -10, 7);

    FreeEnemyShots();
    plays.clear();
    int frames = 0;
    while (PlayCount(wave::EnemyShot) == 0 && frames < 100) {
        PlaceBoss(40, 200, 0, 1);
        BossWalk(game());
        ++frames;
    }
    EXPECT_EQ(frames, 23);
}

TEST_F(BossWalkTest, VolleyWithAFullPoolSkipsItsLastShotsAndLightsOnlyTheFirstUnderSimpleLight) {
    World& wd = w();
    wd.Light_Mode = 1;
    PlaceBoss(40, 200, 0, 1);
    wd.Teki_Tama[0].Life = 1;
    wd.Teki_Tama[2].Life = 1;
    wd.Teki_Tama[4].Life = 1;
    wd.Boss_Fire_Count = 22; // back to 0, then 1 next frame
    BossWalk(game());
    EXPECT_EQ(ShotsInFlight(), 3);
    BossWalk(game());
    EXPECT_EQ(ShotsInFlight(), 6);
    // Shots 1 to 3 of the volley took records 1, 3 and 5.
    ExpectFiredFrom(wd.Teki_Tama[1], -10, 5);
    ExpectFiredFrom(wd.Teki_Tama[3], -10, 7);
    const auto& lights1 = wd.Teki_Tama[1].Frame->Lights();
    EXPECT_EQ(std::count(lights1.begin(), lights1.end(), wd.Teki_Shot_Lights[0]), 1);
    EXPECT_TRUE(wd.Teki_Tama[3].Frame->Lights().empty());
    EXPECT_TRUE(wd.Teki_Tama[5].Frame->Lights().empty());
}

TEST_F(BossWalkTest, ShotAndMissileHitBoxes) {
    struct Case {
        bool missile;
        float x, z;
        bool hit;
    };
    const Case cases[] = {
        {false, 14.7f, 0, true},   {false, 15.3f, 0, false}, {false, -14.7f, 0, true},
        {false, -15.3f, 0, false}, {false, 0, 14.7f, true},  {false, 0, -15.3f, false},
        {true, 17.7f, 0, true},    {true, 18.3f, 0, false},  {true, -17.7f, 0, true},
        {true, 0, 14.7f, true},    {true, 0, 15.3f, false},  {false, 17.7f, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.missile ? "missile" : "shot") << " at " << c.x << ", " << c.z);
        Wake();
        for (TParts& e : w().Bakuhatu) e.Life = 0;
        plays.clear();
        PlaceBoss(40, 200, 0, 1);
        TParts& p = c.missile ? w().Missile[3] : w().Tama[3];
        if (!c.missile) p.Frame->AddLight(w().Shot_Lights[3]);
        LaunchAtBoss(p, c.x, c.z);
        const rm::Vector before = p.Frame->GetPosition(nullptr);
        BossWalk(game());
        EXPECT_EQ(w().Boss_HP, c.hit ? (c.missile ? 290 : 295) : 300);
        EXPECT_EQ(p.Life, c.hit ? 0 : 1);
        EXPECT_EQ(PlayCount(wave::EnemyHit), c.hit ? 1 : 0);
        if (c.hit) {
            EXPECT_NEAR(At(p.Frame).y, -100, 1e-4f);
            EXPECT_TRUE(p.Frame->Lights().empty());
            const TParts* e = LastExplosion();
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->Count, 12);
            EXPECT_NEAR(e->X, before.x, 1e-4);
            EXPECT_NEAR(e->Z, before.z, 1e-4);
        }
        p.Life = 0;
        p.Frame->DeleteLight(w().Shot_Lights[3]);
    }
}

TEST_F(BossWalkTest, OnlyTheFirstHittingShotCounts) {
    PlaceBoss(40, 200, 0, 1);
    LaunchAtBoss(w().Tama[1], 2, 0);
    LaunchAtBoss(w().Tama[4], -2, 0);
    BossWalk(game());
    EXPECT_EQ(w().Boss_HP, 295);
    EXPECT_EQ(w().Tama[1].Life, 0);
    EXPECT_EQ(w().Tama[4].Life, 1);
}

TEST_F(BossWalkTest, KillingShotStopsTheMusicAndTheClockWithTheBigExplosion) {
    World& wd = w();
    wd.Boss_HP = 3; // a shot of 5 takes it below zero: held at 0
    wd.Boss_Pos = {50, 0, 210};
    PlaceBoss(40, 200, 0, 1);
    LaunchAtBoss(wd.Tama[0], 0, 0);
    BossWalk(game());
    EXPECT_EQ(wd.Boss_HP, 0);
    EXPECT_FALSE(wd.Clock_Running);
    EXPECT_EQ(StopCount(wave::BossBGM), 1);
    EXPECT_EQ(PlayCount(wave::BossExplosion), 1);
    EXPECT_EQ(PlayCount(wave::EnemyHit), 0);
    const TParts* e = LastExplosion();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Count, 120);
    // Where the boss stood at the last frame's room check.
    EXPECT_NEAR(e->X, 50, 1e-4);
    EXPECT_NEAR(e->Z, 210, 1e-4);

    // A defeated boss stands still.
    const rm::Vector at = At(wd.Boss_Frame);
    BossWalk(game());
    EXPECT_VEC_NEAR(At(wd.Boss_Frame), at.x, at.y, at.z, 1e-5f);
}

TEST_F(BossWalkTest, WithEveryExplosionBusyAHitTakesHitPointsButNothingElse) {
    World& wd = w();
    FillExplosions();
    PlaceBoss(40, 200, 0, 1);
    LaunchAtBoss(wd.Tama[0], 0, 0);
    BossWalk(game());
    EXPECT_EQ(wd.Boss_HP, 295);
    EXPECT_EQ(PlayCount(wave::EnemyHit), 0);
    EXPECT_EQ(wd.Tama[0].Life, 0) << "the shot still ends";

    wd.Boss_HP = 3;
    LaunchAtBoss(wd.Tama[0], 0, 0);
    BossWalk(game());
    EXPECT_EQ(wd.Boss_HP, -2) << "left below zero, not set to 0";
    EXPECT_TRUE(wd.Clock_Running);
    EXPECT_EQ(StopCount(wave::BossBGM), 0);
    EXPECT_EQ(PlayCount(wave::BossExplosion), 0);
}

TEST_F(BossWalkTest, BladeReachesTheBossOnceASwingOnItsSeventhStep) {
    World& wd = w();
    PlaceRobot(40, 185, 0, 1);
    PlaceBoss(40, 199.6f, 0, -1); // walks to 199.2: 14.2 ahead of the robot
    std::vector<int> hits;
    for (int step = 1; step <= 20; ++step) {
        wd.Blade_Step = step;
        const int hp = wd.Boss_HP;
        PlaceBoss(40, 199.6f, 0, -1);
        BossWalk(game());
        if (wd.Boss_HP != hp) hits.push_back(step);
        EXPECT_EQ(hp - wd.Boss_HP, step == 7 ? 10 : 0);
    }
    EXPECT_EQ(hits, std::vector<int>{7});
    const TParts* e = LastExplosion();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Count, 12);
    EXPECT_NEAR(e->Z, (185 + 199.2f) / 2, 0.05);
}

TEST_F(BossWalkTest, BladeReachIsTwentyUnitsAheadAndToEitherSide) {
    struct Case {
        float x, z;
        bool hit;
    };
    // The boss's place as the robot sees it, after its step of 0.4 toward -z.
    const Case cases[] = {{0, 19.5f, true},   {0, 20.5f, false},  {19.5f, 10, true},
                          {-19.5f, 10, true}, {20.5f, 10, false}, {-20.5f, 10, false},
                          {0, -5, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "boss at " << c.x << ", " << c.z);
        Wake();
        for (TParts& e : w().Bakuhatu) e.Life = 0;
        w().Blade_Step = 7;
        PlaceRobot(40, 180, 0, 1);
        PlaceBoss(40 + c.x, 180 + c.z + 0.4f, 0, -1);
        BossWalk(game());
        EXPECT_EQ(w().Boss_HP, c.hit ? 290 : 300);
    }
}

TEST_F(BossWalkTest, KillingSwingPutsTheBladeAwayAndStraightensTheBody) {
    for (const bool bonus : {false, true}) {
        SCOPED_TRACE(bonus ? "bonus mode" : "normal");
        Wake();
        World& wd = w();
        wd.Special1 = bonus;
        wd.Boss_HP = 10;
        wd.Blade_Step = 7;
        wd.Robo_ArmR2.Frame->AddVisual(wd.Blade_Mesh);
        wd.Robo_Body.Frame->SetPosition(wd.Robo_Frame, 0, 0, 1.5f);
        PlaceRobot(40, 185, 0, 1);
        PlaceBoss(40, 199.6f, 0, -1);
        BossWalk(game());
        EXPECT_EQ(wd.Boss_HP, 0);
        const auto& visuals = wd.Robo_ArmR2.Frame->Visuals();
        EXPECT_EQ(std::count(visuals.begin(), visuals.end(), wd.Blade_Mesh), bonus ? 1 : 0);
        EXPECT_VEC_NEAR(wd.Robo_Body.Frame->GetPosition(wd.Robo_Frame), 0, 0, 0, 1e-5f);
        EXPECT_FALSE(wd.Clock_Running);
        const TParts* e = LastExplosion();
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->Count, 120);
        EXPECT_NEAR(e->Z, 199.2f, 0.01) << "at the boss, not between the two";
        wd.Robo_ArmR2.Frame->DeleteVisual(wd.Blade_Mesh);
        for (TParts& x : wd.Bakuhatu) x.Life = 0;
    }
}

TEST_F(BossWalkTest, VeryHardNeeds150Shots75MissilesOr75Swings) {
    enum Weapon { Shot, Missile, Blade };
    for (const auto& [weapon, needed] :
         {std::pair{Shot, 150}, std::pair{Missile, 75}, std::pair{Blade, 75}}) {
        SCOPED_TRACE(needed);
        Wake();
        World& wd = w();
        wd.Boss_Damage = 2;
        stops.clear();
        int hits = 0;
        while (wd.Boss_HP > 0 && hits < 400) {
            PlaceRobot(40, 185, 0, 1);
            PlaceBoss(40, 199.6f, 0, -1);
            wd.Blade_Step = weapon == Blade ? 7 : 0;
            if (weapon == Shot) LaunchAtBoss(wd.Tama[0], 0, 0);
            if (weapon == Missile) LaunchAtBoss(wd.Missile[0], 0, 0);
            BossWalk(game());
            Bakuhatu_Anim(game());
            ++hits;
            if (hits == needed - 1) {
                EXPECT_GT(wd.Boss_HP, 0);
            }
        }
        EXPECT_EQ(hits, needed);
        EXPECT_EQ(StopCount(wave::BossBGM), 1);
        wd.Tama[0].Life = 0;
        wd.Missile[0].Life = 0;
    }
}

TEST_F(BossWalkTest, BossPressedIntoACornerStaysThereOnBothAxes) {
    struct Case {
        float x, z, robot_x, robot_z, corner_x, corner_z;
    };
    for (const Case& c : {Case{83, 263, 300, 400, 85, 265}, Case{7, 157, -200, -100, 5, 155}}) {
        SCOPED_TRACE(c.corner_x);
        PlaceBoss(c.x, c.z, c.robot_x - c.x, c.robot_z - c.z);
        PlaceRobot(c.robot_x, c.robot_z, 1, 0);
        for (int i = 0; i < 30; ++i) BossWalk(game());
        EXPECT_VEC_NEAR(At(w().Boss_Frame), c.corner_x, 0, c.corner_z, 1e-4f);
    }
}

TEST_F(BossWalkTest, SwayRunsAFortyFourFrameCycle) {
    World& wd = w();
    wd.Boss_Walk_Step = 0;
    wd.Boss_Walk_Up = false;
    std::vector<int> steps;
    for (int i = 0; i < 88; ++i) {
        PlaceBoss(40, 200, 0, 1);
        BossWalk(game());
        steps.push_back(wd.Boss_Walk_Step);
        if (std::abs(wd.Boss_Walk_Step) == 11) {
            // Body up by 11 / 12 at either end; legs swung opposite ways.
            EXPECT_NEAR(wd.Boss_Body_Frame->GetPosition(wd.Boss_Frame).y, 11.0f / 12, 1e-5f);
            const rm::Vector r =
                frame_axes::DirectionIn(*wd.Boss_R_Frame.Frame, *wd.Boss_Body_Frame);
            const rm::Vector l =
                frame_axes::DirectionIn(*wd.Boss_L_Frame.Frame, *wd.Boss_Body_Frame);
            EXPECT_NEAR(r.y, -l.y, 1e-5f);
            EXPECT_NEAR(std::fabs(r.y), std::sin(std::atan(11.0f / 25)), 1e-4f);
        }
    }
    EXPECT_EQ(steps[0], -1);
    EXPECT_EQ(steps[10], -11);
    EXPECT_EQ(steps[11], -10);
    EXPECT_EQ(*std::max_element(steps.begin(), steps.end()), 11);
    for (size_t i = 0; i + 44 < steps.size(); ++i) EXPECT_EQ(steps[i], steps[i + 44]);
}

} // namespace
