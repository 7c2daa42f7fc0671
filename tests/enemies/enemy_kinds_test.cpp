// What the zako and the G-walkers do alike, each kind with its own numbers: how far they
// see, how fast they turn toward the robot, and the boxes in which shots, missiles and the
// blade reach them.
#include <cmath>

#include "enemy_fixture.h"

namespace {

enum class Kind { Zako, Walker };

const char* NameOf(Kind kind) {
    return kind == Kind::Zako ? "zako" : "G-walker";
}

class EnemyKindsTest : public EnemyFixture {
protected:
    // Wakes enemy 0 of the kind at (x, 0, z) facing (dx, 0, dz), roaming.
    TParts& Wake(Kind kind, float x, float z, float dx, float dz, int life) {
        if (kind == Kind::Walker) return WakeWalker(0, x, z, dx, dz, life);
        TParts& zako = WakeZako(0, x, z, dx, dz, life);
        zako.Frame->DeleteVisual(w().Zako_Mesh); // a killed zako lost its mesh
        zako.Frame->AddVisual(w().Zako_Mesh);
        return zako;
    }
    void Frame(Kind kind) { kind == Kind::Zako ? Move_Teki(game()) : Move_GH(game()); }
    // Killed: a zako is left without its mesh, a walker is sent far below the arena.
    bool Gone(Kind kind, const TParts& enemy) {
        if (enemy.Life != 0) return false;
        if (kind == Kind::Zako) return enemy.Frame->Visuals().empty();
        const rm::Vector p = At(enemy.Frame);
        return std::abs(p.x - 500) < 1e-3f && std::abs(p.y + 5000) < 1e-3f && std::abs(p.z) < 1e-3f;
    }
    // Keeps an enemy on its spot: turning, it does not step, and with walls everywhere it
    // never sees the robot to chase it.
    TParts& HoldStill(TParts& enemy) {
        PaintBlock(0, 0, 101, 101);
        UseWallMap();
        enemy.Count = 1;
        return enemy;
    }
    void ClearExplosions() {
        for (TParts& e : w().Bakuhatu) e.Life = 0;
    }
};

TEST_F(EnemyKindsTest, SeesTheRobotWithinItsRangeOnBothAxes) {
    struct Case {
        Kind kind;
        float range;
    };
    // The enemy steps from (100.4, 100) to (101, 100) facing +x: its left is +z. The step
    // lands on 101 exactly in floats, so the robot can stand exactly at the range ahead.
    struct Place {
        const char* where;
        float x, z; // the robot's offset, in ranges
    };
    for (const Case& c : {Case{Kind::Zako, 50}, Case{Kind::Walker, 100}}) {
        const Place places[] = {{"left", 0, 1}, {"right", 0, -1}, {"ahead", 1, 0}};
        for (const Place& p : places) {
            for (const bool inside : {false, true}) {
                SCOPED_TRACE(testing::Message() << NameOf(c.kind) << ", " << p.where
                                                << (inside ? ", 0.1 inside" : ", at the range"));
                // At the range it is not seen; 0.1 nearer it is.
                const float d = inside ? c.range - 0.1f : c.range;
                TParts& enemy = Wake(c.kind, 100.4f, 100, 1, 0, 2);
                PlaceRobot(101 + p.x * d, 100 + p.z * d, 1, 0);
                Frame(c.kind);
                EXPECT_EQ(enemy.Count, inside ? -1 : 0);
                FreeEnemyShots();
            }
        }
    }
}

TEST_F(EnemyKindsTest, ChaseTurnsTowardTheRobotOnEitherSideByTheKindsTurn) {
    struct Case {
        Kind kind;
        float turn;
    };
    for (const Case& c :
         {Case{Kind::Zako, std::atan(1.0f / 15)}, Case{Kind::Walker, std::atan(1.0f / 20)}}) {
        for (const float side : {1.0f, -1.0f}) { // to its left, to its right
            SCOPED_TRACE(testing::Message() << NameOf(c.kind) << (side > 0 ? " left" : " right"));
            TParts& enemy = Wake(c.kind, 100, 100, 1, 0, 2);
            PlaceRobot(130, 100 + 10 * side, 1, 0);
            Frame(c.kind);
            EXPECT_EQ(enemy.Count, -1);
            EXPECT_NEAR(Heading(enemy.Frame), side * c.turn, 1e-4f);
            FreeEnemyShots();
        }
    }
}

TEST_F(EnemyKindsTest, ShotsAndMissilesHitInsideTheKindsBoxWhateverTheirHeight) {
    enum class Weapon { Shot, Missile };
    struct Box {
        Kind kind;
        Weapon weapon;
        float aside_in, aside_out, ahead_in, ahead_out; // half-widths, just in and just out
        float height;
        int life;
        bool kills; // or takes one hit point
    };
    const Box boxes[] = {
        {Kind::Zako, Weapon::Shot, 3.9f, 4.0f, 3.9f, 4.0f, 3, 2, false},
        {Kind::Zako, Weapon::Missile, 5.9f, 6.0f, 3.9f, 4.0f, 0, 4, true},
        {Kind::Walker, Weapon::Shot, 3.25f, 3.35f, 3.9f, 4.0f, 4, 4, false},
        {Kind::Walker, Weapon::Missile, 5.9f, 6.0f, 3.9f, 4.0f, 0, 8, true},
    };
    for (const Box& b : boxes) {
        TParts& projectile = b.weapon == Weapon::Shot ? w().Tama[0] : w().Missile[2];
        struct Offset {
            float dx, dz;
            bool hit;
        };
        // Offsets from where the enemy stands after its step (facing +z).
        const Offset offsets[] = {{b.aside_in, 0, true},  {b.aside_out, 0, false},
                                  {-b.aside_in, 0, true}, {-b.aside_out, 0, false},
                                  {0, b.ahead_in, true},  {0, b.ahead_out, false},
                                  {0, -b.ahead_in, true}, {0, -b.ahead_out, false}};
        const int hits_before = PlayCount(wave::EnemyHit);
        const int kills_before = PlayCount(wave::EnemyExplosion);
        for (const Offset& o : offsets) {
            SCOPED_TRACE(testing::Message()
                         << NameOf(b.kind) << (b.weapon == Weapon::Shot ? " shot " : " missile ")
                         << o.dx << ", " << o.dz);
            ClearExplosions();
            TParts& enemy = Wake(b.kind, 100, 100, 0, 1, b.life);
            Launch(projectile, 100 + o.dx, 100.6f + o.dz, b.height);
            Frame(b.kind);
            if (o.hit && b.kills) {
                EXPECT_TRUE(Gone(b.kind, enemy)) << "at any hit points";
            } else {
                EXPECT_EQ(enemy.Life, o.hit ? b.life - 1 : b.life);
                EXPECT_FALSE(Gone(b.kind, enemy));
            }
            EXPECT_EQ(projectile.Life, o.hit ? 0 : 1) << "used up by a hit";
            EXPECT_EQ(Live(w().Bakuhatu), o.hit ? 1 : 0);
            if (o.hit) {
                EXPECT_EQ(w().Bakuhatu[0].Count, b.kills ? 30 : 12);
            }
            projectile.Life = 0;
        }
        EXPECT_EQ(PlayCount(wave::EnemyHit) - hits_before, b.kills ? 0 : 4);
        EXPECT_EQ(PlayCount(wave::EnemyExplosion) - kills_before, b.kills ? 4 : 0);
    }
}

TEST_F(EnemyKindsTest, TheBladeKillsWithinTwelveAheadOfTheRobotAndTwelveAside) {
    struct Offset {
        float right, ahead; // of the robot, which faces +x: its right is -z
        bool hit;
    };
    const Offset offsets[] = {{0, 11.9f, true},  {0, 12.0f, false}, {0, 0.1f, true},
                              {0, -0.1f, false}, {11.9f, 5, true},  {12.0f, 5, false},
                              {-11.9f, 5, true}, {-12.0f, 5, false}};
    for (const Kind kind : {Kind::Zako, Kind::Walker}) {
        const int kills_before = PlayCount(wave::EnemyExplosion);
        PlaceRobot(200, 200, 1, 0);
        for (const Offset& o : offsets) {
            SCOPED_TRACE(testing::Message() << NameOf(kind) << " " << o.right << ", " << o.ahead);
            w().Blade_Step = 1;
            ClearExplosions();
            TParts& enemy = HoldStill(Wake(kind, 200 + o.ahead, 200 - o.right, -1, 0, 8));
            Frame(kind);
            EXPECT_EQ(Gone(kind, enemy), o.hit) << "at any hit points";
            if (!o.hit) {
                EXPECT_EQ(enemy.Life, 8);
            }
        }
        EXPECT_EQ(PlayCount(wave::EnemyExplosion) - kills_before, 4);
        SCOPED_TRACE(testing::Message() << NameOf(kind) << " without a swing");
        w().Blade_Step = 0; // no swing, no blade
        TParts& enemy = HoldStill(Wake(kind, 205, 200, -1, 0, 8));
        Frame(kind);
        EXPECT_EQ(enemy.Life, 8);
    }
}

} // namespace
