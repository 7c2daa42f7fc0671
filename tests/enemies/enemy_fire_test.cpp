// Firing into the shared pool of enemy shots, and what a hit on the robot costs.
#include "enemies/enemy_shots.h"
#include "enemy_fixture.h"

namespace {

using EnemyFireTest = EnemyFixture;

TEST_F(EnemyFireTest, ShotLeavesPlacedAndAimedRelativeToTheFiringFrame) {
    rm::FramePtr from = w().Zako[11].Frame;
    Place(from, 100, 100, 1, 0); // facing +x: its right is -z
    ASSERT_TRUE(FireEnemyShot(game(), from, {1, 1, 2}, {1, 0, 50}));
    const TParts& shot = w().Teki_Tama[0];
    EXPECT_EQ(shot.Life, 1);
    EXPECT_VEC_NEAR(At(shot.Frame), 102, 1, 99, 1e-4f);
    const float a = std::atan(1.0f / 50);
    EXPECT_VEC_NEAR(shot.Frame->GetWorldDirection(), std::cos(a), 0, -std::sin(a), 1e-5f);
    EXPECT_VEC_NEAR(shot.Frame->GetWorldUp(), 0, 1, 0, 1e-5f);
    EXPECT_EQ(PlayCount(wave::EnemyShot), 1);
}

TEST_F(EnemyFireTest, SeventhShotIsDroppedWhenSixAreInFlight) {
    rm::FramePtr from = w().Zako[11].Frame;
    Place(from, 100, 100, 0, 1);
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(FireEnemyShot(game(), from, {0, 0, static_cast<float>(k)}, {0, 0, 1}));
    EXPECT_FALSE(FireEnemyShot(game(), from, {0, 0, 9}, {0, 0, 1}));
    EXPECT_EQ(PlayCount(wave::EnemyShot), 6);
    EXPECT_EQ(ShotsInFlight(), 6);
    // Records are taken in index order.
    EXPECT_VEC_NEAR(At(w().Teki_Tama[5].Frame), 100, 0, 105, 1e-4f);
    // A freed record is the next one taken.
    w().Teki_Tama[2].Life = 0;
    EXPECT_TRUE(FireEnemyShot(game(), from, {0, 0, 9}, {0, 0, 1}));
    EXPECT_VEC_NEAR(At(w().Teki_Tama[2].Frame), 100, 0, 109, 1e-4f);
}

TEST_F(EnemyFireTest, LightsFollowTheLightingOption) {
    // Full lighting: each record its own light.
    rm::FramePtr full = w().Zako[11].Frame;
    FireEnemyShot(game(), full, {}, {0, 0, 1});
    FireEnemyShot(game(), full, {}, {0, 0, 1}, /*simple_light=*/false);
    EXPECT_EQ(w().Teki_Tama[0].Frame->Lights().at(0), w().Teki_Shot_Lights[0]);
    EXPECT_EQ(w().Teki_Tama[1].Frame->Lights().at(0), w().Teki_Shot_Lights[1]);

    BuildQuiet([](World& world) { world.Light_Mode = 1; });
    rm::FramePtr from = w().Zako[11].Frame;
    FireEnemyShot(game(), from, {}, {0, 0, 1});
    FireEnemyShot(game(), from, {}, {0, 0, 1}, /*simple_light=*/false);
    EXPECT_EQ(w().Teki_Tama[0].Frame->Lights().at(0), w().Teki_Shot_Lights[0]);
    EXPECT_TRUE(w().Teki_Tama[1].Frame->Lights().empty());

    BuildQuiet([](World& world) { world.Light_Mode = 0; });
    FireEnemyShot(game(), w().Zako[11].Frame, {}, {0, 0, 1});
    EXPECT_TRUE(w().Teki_Tama[0].Frame->Lights().empty());
    EXPECT_EQ(w().Teki_Tama[0].Life, 1);
}

TEST_F(EnemyFireTest, HitDamageByDifficultyAndGuard) {
    // Unguarded 15 per difficulty step, guarded a tenth rounded down; Time Attack as Nomal.
    const int expected[6][2] = {{0, 0}, {15, 1}, {30, 3}, {45, 4}, {60, 6}, {30, 3}};
    for (int difficulty = 0; difficulty <= 5; ++difficulty) {
        for (const bool guard : {false, true}) {
            SCOPED_TRACE(testing::Message() << difficulty << (guard ? " guarded" : ""));
            w().Difficulty = difficulty;
            w().Guard_On = guard;
            EXPECT_EQ(EnemyHitDamage(w()), expected[difficulty][guard ? 1 : 0]);
        }
    }
}

} // namespace
