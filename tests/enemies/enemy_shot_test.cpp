// Enemy shots: firing into the shared pool, the flight, the end at walls and at the map's
// low edges, and the hit on the robot with its costs.
#include "enemies/enemy_shots.h"
#include "enemy_fixture.h"

namespace {

class EnemyShotTest : public EnemyFixture {
protected:
    // A shot fired from a frame standing at (x, 0, z) facing (dx, 0, dz).
    TParts& Fire(float x, float z, float dx, float dz, float height = 0) {
        rm::FramePtr from = w().Zako[11].Frame;
        Place(from, x, z, dx, dz);
        EXPECT_TRUE(FireEnemyShot(game(), from, {0, height, 0}, {0, 0, 1}));
        for (auto it = w().Teki_Tama.rbegin(); it != w().Teki_Tama.rend(); ++it)
            if (it->Life != 0) return *it;
        return w().Teki_Tama[0];
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Teki_Shot(game());
    }
    // Hit points and points a hit on the robot costs.
    std::pair<int, int> CostOfAHit(int difficulty, bool guard) {
        FreeEnemyShots();
        w().Difficulty = difficulty;
        w().Guard_On = guard;
        w().Robo_HP = 300;
        w().Score = 500000;
        for (TParts& e : w().Bakuhatu) e.Life = 0;
        PlaceRobot(100, 105, 1, 0);
        Fire(100, 100, 0, 1);
        Frames(2);
        return {300 - w().Robo_HP, 500000 - w().Score};
    }
};

TEST_F(EnemyShotTest, FliesFourUnitsAFrameAlongItsFacing) {
    TParts& shot = Fire(100, 100, 1, 1);
    Frames(3);
    const float d = 12 / std::sqrt(2.0f);
    EXPECT_VEC_NEAR(At(shot.Frame), 100 + d, 0, 100 + d, 1e-3f);
    EXPECT_EQ(shot.Life, 1);
}

TEST_F(EnemyShotTest, AHitCostsHitPointsByDifficultyAndGuardAndAlwaysTenThousandPoints) {
    struct Case {
        int difficulty;
        bool guard;
        int hp;
    };
    const Case cases[] = {{0, false, 0}, {3, true, 4}, {4, false, 60}, {5, true, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.difficulty << (c.guard ? " guarded" : ""));
        const auto [hp, points] = CostOfAHit(c.difficulty, c.guard);
        EXPECT_EQ(hp, c.hp);
        EXPECT_EQ(points, 10000); // Practice too
    }
}

TEST_F(EnemyShotTest, AHitExplodesOnTheRobotWithSoundAndFlash) {
    w().Difficulty = 0; // Practice: no hit points lost, the rest as always
    w().Robo_HP = 300;
    PlaceRobot(100, 109, 1, 0);
    TParts& shot = Fire(100, 100, 0, 1, 1);
    ASSERT_EQ(shot.Frame->Lights().size(), 1u);
    Frames(2); // 108: the robot is 1 ahead
    EXPECT_EQ(shot.Life, 0);
    EXPECT_VEC_NEAR(At(shot.Frame), 0, -100, 0, 1e-4f);
    EXPECT_TRUE(shot.Frame->Lights().empty());
    EXPECT_EQ(w().Robo_HP, 300);
    EXPECT_TRUE(w().White_Flash);
    EXPECT_EQ(PlayCount(wave::PlayerExplosion), 1);
    EXPECT_EQ(w().Bakuhatu[0].Count, 15);
    EXPECT_NEAR(w().Bakuhatu[0].X, 100, 1e-4);
    EXPECT_NEAR(w().Bakuhatu[0].Z, 108, 1e-4); // where the shot got to
}

// A downed robot (hit points 0 or less) is not hit at all: the shot flies through.
TEST_F(EnemyShotTest, HitsWithinTwoEitherSideAtAnyHeightWhileTheRobotStands) {
    w().Difficulty = 2;
    struct Case {
        float side, ahead;
        bool hit;
        int hp = 300;
    };
    // Offsets of the robot from where the shot is after its step (facing +z).
    const Case cases[] = {{1.9f, 0, true}, {2.0f, 0, false}, {-1.9f, 0, true},  {-2.0f, 0, false},
                          {0, 1.9f, true}, {0, 2.0f, false}, {0, -1.9f, true},  {0, -2.0f, false},
                          {0, 0, true, 1}, {0, 0, false, 0}, {0, 0, false, -20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << ", " << c.ahead << ", HP " << c.hp);
        FreeEnemyShots();
        w().Robo_HP = c.hp;
        w().Score = 0;
        w().White_Flash = false;
        PlaceRobot(200 + c.side, 204 + c.ahead, 1, 0);
        TParts& shot = Fire(200, 200, 0, 1, 3.5f); // well above the robot's frame
        Frames(1);
        EXPECT_EQ(w().Robo_HP, c.hit ? c.hp - 30 : c.hp);
        EXPECT_EQ(w().Score, c.hit ? -10000 : 0);
        EXPECT_EQ(w().White_Flash, c.hit);
        EXPECT_EQ(shot.Life, c.hit ? 0 : 1);
    }
}

TEST_F(EnemyShotTest, FullExplosionPoolStillCostsHitPointsOnly) {
    for (TParts& e : w().Bakuhatu) {
        e.Life = 2;
        e.Count = 30;
    }
    w().Difficulty = 3;
    w().Robo_HP = 300;
    w().Score = 100;
    PlaceRobot(100, 104, 1, 0);
    TParts& shot = Fire(100, 100, 0, 1);
    Frames(1);
    EXPECT_EQ(shot.Life, 0);
    EXPECT_EQ(w().Robo_HP, 255);
    EXPECT_EQ(w().Score, 100);
    EXPECT_FALSE(w().White_Flash);
    EXPECT_EQ(PlayCount(wave::PlayerExplosion), 0);
}

TEST_F(EnemyShotTest, EveryShotInFlightHitsOnItsOwn) {
    w().Difficulty = 1;
    w().Robo_HP = 300;
    w().Score = 0;
    PlaceRobot(100, 104, 1, 0);
    Fire(100, 100, 0, 1);
    Fire(100, 108, 0, -1);
    Fire(96, 104, 1, 0);
    Frames(1);
    EXPECT_EQ(w().Robo_HP, 300 - 3 * 15);
    EXPECT_EQ(w().Score, -30000);
    EXPECT_EQ(ExplosionsStarted(), 3);
}

TEST_F(EnemyShotTest, EndsAtAWallWithASmallSilentBurstAndNoHit) {
    PaintColumn(ColumnOf(120));
    UseWallMap();
    w().Difficulty = 4;
    w().Robo_HP = 300;
    TParts& shot = Fire(100, 100, 1, 0);
    ASSERT_EQ(shot.Frame->Lights().size(), 1u);
    Frames(3); // 104, 108, 112
    ASSERT_EQ(shot.Life, 1);
    PlaceRobot(116, 100, 1, 0); // right where the next step lands
    Frames(1);                  // 116 reads a wall pixel: the shot ends at 112
    EXPECT_EQ(shot.Life, 0);
    EXPECT_EQ(w().Robo_HP, 300);
    EXPECT_FALSE(w().White_Flash);
    EXPECT_EQ(w().Bakuhatu[0].Count, 8);
    EXPECT_NEAR(w().Bakuhatu[0].X, 112, 1e-4);
    EXPECT_NEAR(w().Bakuhatu[0].Z, 100, 1e-4);
    EXPECT_TRUE(plays.size() == 1u && plays[0] == wave::EnemyShot); // the burst is silent
    EXPECT_VEC_NEAR(At(shot.Frame), 0, -100, 0, 1e-4f);
    EXPECT_TRUE(shot.Frame->Lights().empty());

    // Not even a robot standing over the place where ended shots wait is hit.
    PlaceRobot(0, 0, 1, 0);
    TParts& again = Fire(112, 100, 1, 0);
    Frames(1);
    EXPECT_EQ(again.Life, 0);
    EXPECT_EQ(w().Robo_HP, 300);
}

TEST_F(EnemyShotTest, EndsBeyondMinusFortyOnEitherAxis) {
    TParts& west = Fire(-36, 100, -1, 0);
    Frames(1); // -40 is still inside
    EXPECT_EQ(west.Life, 1);
    Frames(1); // -44 is not
    EXPECT_EQ(west.Life, 0);
    EXPECT_NEAR(w().Bakuhatu[0].X, -40, 1e-4);
    TParts& south = Fire(100, -36, 0, -1);
    Frames(1);
    EXPECT_EQ(south.Life, 1);
    Frames(1);
    EXPECT_EQ(south.Life, 0);
    EXPECT_NEAR(w().Bakuhatu[1].Z, -40, 1e-4);
}

TEST_F(EnemyShotTest, EndsAtTheGateOfTheBossRoomEvenWhenItIsOpen) {
    w().Wall_Image = &form().Image4; // the first stage's own wall map
    w().Gate_Open = true;
    // The gate of the first stage spans x = 25 to 50 at z = 125.
    TParts& shot = Fire(35, 100, 0, 1);
    for (int i = 0; i < 10 && shot.Life != 0; ++i) Frames(1);
    EXPECT_EQ(shot.Life, 0);
    EXPECT_EQ(w().Bakuhatu[0].Count, 8);
    EXPECT_NEAR(w().Bakuhatu[0].X, 35, 1e-3);
    EXPECT_NEAR(w().Bakuhatu[0].Z, 120, 1e-3); // its last place before the gate
}

} // namespace
