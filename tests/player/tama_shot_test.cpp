// The gun and the missile salvo: when they fire, what they cost, where projectiles fly and
// where they end.
#include "tests/support/weapons_fixture.h"

namespace {

using Plays = std::vector<int>;

class GunTest : public WeaponsFixture {};

TEST_F(GunTest, HoldingButtonOneFiresInTheSecondFrameThenEveryThirteen) {
    const int score = w().Score;
    EXPECT_EQ(Frames(30, {InButton1}, wave::PlayerShot), (Plays{2, 15, 28}));
    EXPECT_EQ(InFlight(w().Tama), 3);
    EXPECT_EQ(w().Score, score - 3000);
    // Released for one frame: the next hold starts over.
    Frame({});
    EXPECT_EQ(Frames(3, {InButton1}, wave::PlayerShot), (Plays{2}));
}

TEST_F(GunTest, ButtonTwoKeepsTheGunQuietAndOnlyRearmsIt) {
    EXPECT_EQ(Frames(1, {InButton2}, wave::PlayerShot), Plays{});
    EXPECT_EQ(Frames(20, {InButton1, InButton2}, wave::PlayerShot), Plays{});
    EXPECT_EQ(Frames(20, {InButton2, InButton1}, wave::PlayerShot), Plays{});
    EXPECT_EQ(InFlight(w().Tama), 0);
    // Letting go of button 2 while button 1 stays down: a fresh hold of button 1.
    EXPECT_EQ(Frames(3, {InButton1}, wave::PlayerShot), (Plays{2}));
}

TEST_F(GunTest, TheGuardHoldsFireWithoutTouchingTheTimer) {
    Frames(2, {InButton1}); // one shot, timer at 1
    ASSERT_EQ(w().Shot_Timer, 1);
    EXPECT_EQ(Frames(20, {InButton1, InButton3}, wave::PlayerShot), Plays{});
    EXPECT_EQ(w().Shot_Timer, 1);
    // Guard released (arms still coming back: Guard_On stays until the right arm is down).
    Frames(9, {InButton1});
    EXPECT_TRUE(w().Guard_On);
    EXPECT_EQ(InFlight(w().Tama), 1);
    Frame({InButton1});
    EXPECT_FALSE(w().Guard_On);
}

TEST_F(GunTest, SixShotsInFlightBlockTheSeventhUntilOneEnds) {
    PaintColumn(80, Black); // far ahead along +x
    UseMaps();
    const Plays fired = Frames(67, {InButton1}, wave::PlayerShot);
    EXPECT_EQ(fired, (Plays{2, 15, 28, 41, 54, 67}));
    ASSERT_EQ(InFlight(w().Tama), 6);
    const int score = w().Score;
    // Keep holding: nothing leaves (no sound, no cost) until the first shot meets the wall.
    int frame = 0;
    while (w().Tama[0].Life != 0 && frame < 200) {
        const int started = PlayCount(wave::PlayerShot);
        Frame({InButton1});
        ++frame;
        EXPECT_EQ(PlayCount(wave::PlayerShot), started);
    }
    ASSERT_EQ(w().Tama[0].Life, 0) << "the first shot never reached the wall";
    EXPECT_EQ(w().Score, score);
    EXPECT_EQ(InFlight(w().Tama), 5);
    // The timer kept cycling; the next time it becomes 1 a shot takes the freed slot 0.
    while (w().Shot_Timer != 0) Frame({InButton1});
    const int before = PlayCount(wave::PlayerShot);
    Frame({InButton1});
    EXPECT_EQ(PlayCount(wave::PlayerShot), before + 1);
    EXPECT_EQ(w().Tama[0].Life, 1);
    EXPECT_EQ(w().Score, score - 1000);
}

TEST_F(GunTest, AShotLeavesTheForearmAndFliesAlongTheHeadingWhileWalking) {
    PlaceRobot(0, 0, 3, 4); // heading (0.6, 0, 0.8)
    Frames(1, {InUp, InButton1});
    Frames(1, {InUp, InButton1});
    ASSERT_EQ(w().Tama[0].Life, 1);
    const rm::FramePtr& shot = w().Tama[0].Frame;
    // Walking tilts the forearm; the shot starts at its muzzle point all the same.
    ASSERT_NE(w().Robo_ArmR2.RotX, 0);
    EXPECT_VEC_NEAR(shot->GetPosition(w().Robo_ArmR2.Frame), -0.7f, 0, 3.6f, 1e-4f);
    EXPECT_DIR(shot->GetWorldDirection(), 0.6f, 0, 0.8f, 1e-5f);
    const rm::Vector start = shot->GetPosition(Root());
    Frame({InUp});
    const rm::Vector next = shot->GetPosition(Root());
    const rm::Vector step{next.x - start.x, next.y - start.y, next.z - start.z};
    EXPECT_VEC_NEAR(step, 2.4f, 0, 3.2f, 1e-4f);
}

TEST_F(GunTest, ShotsCarryTheirOwnLightUnderFullLighting) {
    Frames(15, {InButton1});
    ASSERT_EQ(InFlight(w().Tama), 2);
    EXPECT_TRUE(Carries(w().Tama[0].Frame, w().Shot_Lights[0]));
    EXPECT_TRUE(Carries(w().Tama[1].Frame, w().Shot_Lights[1]));
    EXPECT_FALSE(Carries(w().Tama[1].Frame, w().Shot_Lights[0]));
}

TEST_F(GunTest, NoShotsWhileTheRobotOrTheBossIsDownButThoseInFlightKeepFlying) {
    Frames(2, {InButton1});
    ASSERT_EQ(InFlight(w().Tama), 1);
    const float x = w().Tama[0].Frame->GetPosition(Root()).x;
    w().Robo_HP = 0;
    EXPECT_EQ(Frames(30, {InButton1}, wave::PlayerShot), Plays{});
    EXPECT_NEAR(w().Tama[0].Frame->GetPosition(Root()).x, x + 120, 1e-3);
    w().Robo_HP = 300;
    w().Boss_HP = 0;
    EXPECT_EQ(Frames(30, {InButton1}, wave::PlayerShot), Plays{});
}

class FlightTest : public WeaponsFixture {
protected:
    // Puts slot i of a pool in flight at (x, z) heading (dx, dz), as if fired.
    void Launch(TParts& p, float x, float z, float dx, float dz) {
        p.Frame->SetPosition(Root(), x, 0, z);
        p.Frame->SetOrientation(Root(), dx, 0, dz, 0, 1, 0);
        p.Life = 1;
    }
    void RunTamaShot() { Tama_Shot(game()); }
};

TEST_F(FlightTest, TheArenaEdgeAtMinusFortyEndsProjectilesOnOpenFloor) {
    // x: -36 + -4 = -40 keeps flying, -36.5 + -4 = -40.5 ends.
    Launch(w().Tama[0], -36, 0, -1, 0);
    Launch(w().Tama[1], -36.5f, 10, -1, 0);
    // z, with missiles.
    Launch(w().Missile[0], 10, -36, 0, -1);
    Launch(w().Missile[1], 20, -36.5f, 0, -1);
    RunTamaShot();
    EXPECT_EQ(w().Tama[0].Life, 1);
    EXPECT_EQ(w().Tama[1].Life, 0);
    EXPECT_EQ(w().Missile[0].Life, 1);
    EXPECT_EQ(w().Missile[1].Life, 0);
    EXPECT_VEC_NEAR(w().Tama[1].Frame->GetPosition(Root()), 0, -100, 0, 1e-4f);
    EXPECT_VEC_NEAR(w().Missile[1].Frame->GetPosition(Root()), 0, -100, 0, 1e-4f);
    // Wall explosions start at the last place before the wall, for 8 frames, in pool order.
    EXPECT_EQ(w().Bakuhatu[0].Life, 1);
    EXPECT_EQ(w().Bakuhatu[0].Count, 8);
    EXPECT_DOUBLE_EQ(w().Bakuhatu[0].X, -36.5);
    EXPECT_DOUBLE_EQ(w().Bakuhatu[0].Z, 10);
    EXPECT_DOUBLE_EQ(w().Bakuhatu[1].X, 20);
    EXPECT_DOUBLE_EQ(w().Bakuhatu[1].Z, -36.5);
    EXPECT_EQ(w().Bakuhatu[2].Life, 0);
    EXPECT_TRUE(plays.empty()) << "a wall hit plays no sound";
}

TEST_F(FlightTest, BlackAndRedPixelsStopProjectilesBlueDoesNot) {
    // Rows for z = 100 (row 72), 150 (row 62), 200 (row 52); shots fly along +x from x = 0.
    // Column 20 is the first one read at x = 55..60 (round(x / 5) + 8 + 1 = 20).
    for (int row : {72, 73}) pixels[static_cast<size_t>(row * 102 + 20)] = Black;
    for (int row : {62, 63}) pixels[static_cast<size_t>(row * 102 + 20)] = Red;
    for (int row : {52, 53}) pixels[static_cast<size_t>(row * 102 + 20)] = Blue;
    UseMaps();
    Launch(w().Tama[0], 0, 100, 1, 0);
    Launch(w().Tama[1], 0, 150, 1, 0);
    Launch(w().Tama[2], 0, 200, 1, 0);
    int frames = 0;
    while (w().Tama[0].Life != 0 && frames < 40) {
        RunTamaShot();
        ++frames;
    }
    // x = 52 reads columns 18 and 19; x = 56 rounds to 11 and reads 19 and 20.
    EXPECT_EQ(frames, 14);
    EXPECT_EQ(w().Tama[1].Life, 0) << "the gate colour stops shots too";
    EXPECT_EQ(w().Tama[2].Life, 1);
    EXPECT_DOUBLE_EQ(w().Bakuhatu[0].X, 52);
    EXPECT_DOUBLE_EQ(w().Bakuhatu[0].Z, 100);
}

TEST_F(FlightTest, EndingAShotTakesItsLightOffThatShotOnly) {
    BuildOpen([](World& world) { world.Light_Mode = 1; });
    Frames(15, {InButton1}); // two shots, both carrying the one shared light
    ASSERT_EQ(InFlight(w().Tama), 2);
    const rm::LightPtr& shared = w().Shot_Lights[0];
    ASSERT_TRUE(Carries(w().Tama[0].Frame, shared));
    ASSERT_TRUE(Carries(w().Tama[1].Frame, shared));
    Launch(w().Tama[0], -39, 0, -1, 0);
    RunTamaShot();
    EXPECT_EQ(w().Tama[0].Life, 0);
    EXPECT_FALSE(Carries(w().Tama[0].Frame, shared));
    EXPECT_TRUE(Carries(w().Tama[1].Frame, shared));
}

TEST_F(FlightTest, WithLightsOffShotsCarryNone) {
    BuildOpen([](World& world) { world.Light_Mode = 0; });
    Frames(2, {InButton1});
    ASSERT_EQ(w().Tama[0].Life, 1);
    EXPECT_TRUE(w().Tama[0].Frame->Lights().empty());
}

TEST_F(FlightTest, AFullExplosionPoolStillEndsTheProjectile) {
    for (TParts& b : w().Bakuhatu) b.Life = 3, b.Count = 30;
    Launch(w().Tama[0], -39, 0, -1, 0);
    RunTamaShot();
    EXPECT_EQ(w().Tama[0].Life, 0);
    for (const TParts& b : w().Bakuhatu) EXPECT_EQ(b.Count, 30);
}

class SalvoTest : public WeaponsFixture {
protected:
    void SetUp() override {
        WeaponsFixture::SetUp();
        w().Energy = 300;
        w().Missile_Stock = 9999;
    }
    rm::Vector LeftArmDirection() { return AxisIn(w().Robo_ArmL1.Frame, w().Robo_Body.Frame); }
};

TEST_F(SalvoTest, AFullGaugeLaunchesSixInTheFanOrder) {
    const int score = w().Score;
    EXPECT_EQ(Frames(1, {InButton1, InButton2}, wave::Missile), (Plays{1}));
    EXPECT_EQ(InFlight(w().Missile), 6);
    EXPECT_EQ(w().Missile_Stock, 9999 - 12);
    EXPECT_EQ(w().Score, score - 6000);
    EXPECT_EQ(w().Energy, 0);
    EXPECT_EQ(PlayCount(wave::PlayerShot), 0) << "the combination never fires the gun";
    const float sides[] = {1, 3, 5, -1, -3, -5};
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        // Robot faces +x: its +z is world +x and its +x is world -z.
        EXPECT_DIR(w().Missile[i].Frame->GetWorldDirection(), 20, 0, -sides[i], 1e-5f);
        EXPECT_VEC_NEAR(w().Missile[i].Frame->GetPosition(w().Robo_ArmL2.Frame), -1, -3, 0, 1e-4f);
    }
    // Held on: nothing more, even with the gauge full again.
    w().Energy = 300;
    EXPECT_EQ(Frames(5, {InButton1, InButton2}, wave::Missile), Plays{});
    EXPECT_EQ(w().Energy, 300);
}

TEST_F(SalvoTest, ALowGaugeUsesUpThePressAndKeepsTheGauge) {
    w().Energy = 299.5;
    EXPECT_EQ(Frames(1, {InButton1, InButton2}, wave::Missile), Plays{});
    EXPECT_EQ(InFlight(w().Missile), 0);
    EXPECT_EQ(w().Energy, 299.5);
    // The launcher arm goes up anyway.
    EXPECT_DIR(LeftArmDirection(), 58, 813, 579, 1e-4f);
    // The gauge fills while the buttons stay down: still nothing.
    w().Energy = 300;
    Frames(3, {InButton1, InButton2});
    EXPECT_EQ(InFlight(w().Missile), 0);
    // Let go of either button and press again.
    Frame({InButton1});
    Frame({InButton1, InButton2});
    EXPECT_EQ(InFlight(w().Missile), 6);
}

TEST_F(SalvoTest, StockOfThreeLaunchesTwoAndThenNothingMore) {
    w().Missile_Stock = 3;
    Frame({InButton1, InButton2});
    EXPECT_EQ(InFlight(w().Missile), 2);
    EXPECT_EQ(w().Missile_Stock, -1);
    EXPECT_EQ(w().Energy, 0);
    EXPECT_DIR(w().Missile[0].Frame->GetWorldDirection(), 20, 0, -1, 1e-5f);
    EXPECT_DIR(w().Missile[1].Frame->GetWorldDirection(), 20, 0, -3, 1e-5f);
    Frame({});
    w().Energy = 300;
    Frame({InButton1, InButton2});
    EXPECT_EQ(InFlight(w().Missile), 2);
    EXPECT_EQ(w().Energy, 300);
}

TEST_F(SalvoTest, FourInFlightLeaveTwoFreeSlots) {
    for (int i : {0, 2, 3, 5}) w().Missile[i].Life = 1;
    const int score = w().Score;
    Frame({InButton1, InButton2});
    EXPECT_EQ(InFlight(w().Missile), 6);
    EXPECT_EQ(w().Missile_Stock, 9999 - 4);
    EXPECT_EQ(w().Score, score - 2000);
    EXPECT_EQ(w().Energy, 0);
    EXPECT_EQ(PlayCount(wave::Missile), 1);
    EXPECT_DIR(w().Missile[1].Frame->GetWorldDirection(), 20, 0, -1, 1e-5f);
    EXPECT_DIR(w().Missile[4].Frame->GetWorldDirection(), 20, 0, -3, 1e-5f);
}

TEST_F(SalvoTest, AllSlotsBusyStillEmptiesTheGaugeSilently) {
    for (TParts& m : w().Missile) m.Life = 1;
    Frame({InButton1, InButton2});
    EXPECT_EQ(w().Energy, 0);
    EXPECT_EQ(w().Missile_Stock, 9999);
    EXPECT_EQ(PlayCount(wave::Missile), 0);
}

TEST_F(SalvoTest, WithoutStockTheArmDoesNotEvenRise) {
    const rm::Vector resting = LeftArmDirection();
    w().Missile_Stock = 0;
    Frame({InButton1, InButton2});
    EXPECT_VEC_NEAR(LeftArmDirection(), resting.x, resting.y, resting.z, 1e-5f);
    EXPECT_EQ(w().Energy, 300);
    w().Missile_Stock = 1; // one left: one missile, stock -1
    Frame({});
    Frame({InButton1, InButton2});
    EXPECT_EQ(InFlight(w().Missile), 1);
    EXPECT_EQ(w().Missile_Stock, -1);
}

TEST_F(SalvoTest, GuardingKeepsTheArmDownAndThePressForLater) {
    Frames(3, {InButton3});
    Frame({InButton1, InButton2, InButton3});
    EXPECT_EQ(InFlight(w().Missile), 0);
    EXPECT_EQ(w().Energy, 300);
    EXPECT_DIR(AxisIn(w().Robo_ArmL2.Frame, w().Robo_ArmL1.Frame), 0, 61, 80, 1e-4f);
    // Guard released with both buttons still down: once Guard_On drops, the salvo leaves.
    int frames = 0;
    while (InFlight(w().Missile) == 0 && frames < 20) {
        Frame({InButton1, InButton2});
        ++frames;
    }
    EXPECT_EQ(frames, 4) << "the right arm comes back from -4 in four frames";
    EXPECT_EQ(InFlight(w().Missile), 6);
}

TEST_F(SalvoTest, ASwingDoesNotBlockTheGunOrTheSalvo) {
    Frame({InButton2});
    ASSERT_EQ(w().Blade_Step, 1);
    Frame({InButton1});
    Frame({InButton1});
    EXPECT_EQ(InFlight(w().Tama), 1);
    Frame({InButton1, InButton2});
    EXPECT_EQ(InFlight(w().Missile), 6);
    EXPECT_GT(w().Blade_Step, 1) << "and button 1 does not interrupt the swing";
}

} // namespace
