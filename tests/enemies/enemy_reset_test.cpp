// The next stage from the enemies' side: hit points, start places and visuals come back,
// while each enemy's behaviour state and facing carry over.
#include "app/game.h"
#include "enemy_fixture.h"

namespace {

using EnemyResetTest = EnemyFixture;

TEST_F(EnemyResetTest, EnemiesComeBackKeepingTheirStateAndFacing) {
    World& wd = w();
    wd.Difficulty = 3;
    // Zako 0 was chasing and is turned toward -x; zako 3 died; walker 2 was removed while
    // turning; walker 4 is alive, chasing and faces -z.
    TParts& chaser = WakeZako(0, 50, 50, -1, 0);
    chaser.Count = -1;
    TParts& dead = w().Zako[3];
    dead.Frame->DeleteVisual(wd.Zako_Mesh);
    dead.Frame->SetPosition(Root(), 70, 0, 70);
    TParts& removed = WakeWalker(2, 500, 0, 1, 0);
    removed.Frame->SetPosition(Root(), 500, -5000, 0);
    removed.Count = 7;
    TParts& walker = WakeWalker(4, 90, 90, 0, -1);
    walker.Count = -1;

    wd.Stage_No = 2;
    reset_game(screen());

    for (const TParts& zako : wd.Zako) EXPECT_EQ(zako.Life, 3);
    for (const TParts& gh : wd.GH) EXPECT_EQ(gh.Life, 6);
    EXPECT_EQ(chaser.Count, -1);
    EXPECT_VEC_NEAR(At(chaser.Frame), 120, 0, 92, 1e-4f);
    EXPECT_VEC_NEAR(chaser.Frame->GetWorldDirection(), -1, 0, 0, 1e-5f); // not turned
    EXPECT_VEC_NEAR(At(dead.Frame), 420, 0, 24, 1e-4f);
    EXPECT_EQ(dead.Frame->Visuals().size(), 1u);
    EXPECT_EQ(removed.Count, 7);
    EXPECT_VEC_NEAR(At(removed.Frame), 405, 0, 300, 1e-4f);
    EXPECT_VEC_NEAR(removed.Frame->GetWorldDirection(), 1, 0, 0, 1e-5f);
    // Its parts came back with it.
    EXPECT_GT(w().GH_FootL2[2].Frame->GetPosition(Root()).y, -10);
    EXPECT_EQ(walker.Count, -1);
    EXPECT_VEC_NEAR(At(walker.Frame), 180, 0, 400, 1e-4f);
    EXPECT_VEC_NEAR(walker.Frame->GetWorldDirection(), 0, 0, -1, 1e-5f);
    EXPECT_EQ(wd.Wall_Image, &form().Image5);
}

} // namespace
