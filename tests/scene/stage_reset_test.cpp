// The stage reset's scene steps: everything back in place, the gate and the boss's body
// back, the next stage's walls and pillars, the camera placement kept.
#include "app/game.h"
#include "tests/support/scene_fixture.h"

namespace {

using StageResetTest = SceneFixture;

TEST_F(StageResetTest, PutsEverythingBackForTheNextStage) {
    Build([](World& world) { world.Camera_Mode = 3; });
    World& wd = w();
    // The end of a stage: robot and boss moved, gate and door gone, boss body removed,
    // a zako killed.
    wd.Robo_Frame->SetPosition(Root(), 120, 0, 300);
    wd.Robo_Frame->SetOrientation(Root(), 0, 0, 1, 0, 1, 0);
    wd.Boss_Frame->SetPosition(Root(), 60, 0, 250);
    wd.Arena_Frame->DeleteVisual(wd.Gate_Mesh);
    wd.Arena_Frame->DeleteVisual(wd.Door_Mesh);
    wd.Boss_Frame->DeleteChild(wd.Boss_Body_Frame);
    wd.Zako[3].Frame->DeleteVisual(wd.Zako_Mesh);
    wd.Zako[3].Frame->SetPosition(Root(), 1, 0, 1);
    const rm::MeshBuilderPtr old_block = wd.Block_Mesh;

    wd.Stage_No = 2;
    reset_game(screen());

    EXPECT_VEC_NEAR(wd.Robo_Frame->GetPosition(Root()), 0, 0, 0, 1e-5f);
    EXPECT_VEC_NEAR(wd.Robo_Frame->GetWorldDirection(), 1, 0, 0, 1e-5f);
    EXPECT_VEC_NEAR(wd.Boss_Frame->GetPosition(Root()), 80, 0, 280, 1e-4f);
    EXPECT_VEC_NEAR(wd.Boss_Frame->GetWorldDirection(), 0, 0, -1, 1e-5f);
    EXPECT_EQ(wd.Boss_Body_Frame->GetParent(), wd.Boss_Frame.get());
    EXPECT_VEC_NEAR(wd.Zako[3].Frame->GetPosition(Root()), 420, 0, 24, 1e-4f);
    EXPECT_EQ(wd.Zako[3].Frame->Visuals().size(), 1u);
    // A turned zako turns a quarter more from the facing it had: -x becomes -z.
    EXPECT_VEC_NEAR(wd.Zako[1].Frame->GetWorldDirection(), 0, 0, -1, 1e-5f);
    EXPECT_VEC_NEAR(wd.Zako[0].Frame->GetWorldDirection(), 0, 0, 1, 1e-5f);

    // The gate is back, the door is not; the new walls and pillars replace the old.
    const auto& arena = wd.Arena_Frame->Visuals();
    EXPECT_EQ(std::count(arena.begin(), arena.end(), wd.Gate_Mesh), 1);
    EXPECT_EQ(std::count(arena.begin(), arena.end(), wd.Door_Mesh), 0);
    EXPECT_EQ(std::count(arena.begin(), arena.end(), old_block), 0);
    EXPECT_EQ(std::count(arena.begin(), arena.end(), wd.Block_Mesh), 1);
    EXPECT_EQ(std::count(arena.begin(), arena.end(), wd.Pillar_Mesh), 1);
    EXPECT_EQ(arena.size(), 6u);
    const rm::MeshBuilderPtr block2 = ReferenceMesh(form(), "block2.x", 0.15f, 0.1f, 0.15f);
    const rm::MeshBuilderPtr pillar2 = ReferenceMesh(form(), "hasira2.x", 0.15f, 0.1f, 0.15f);
    ASSERT_GT(block2->FaceCount(), 0);
    EXPECT_TRUE(SameShape(*wd.Block_Mesh, *block2));
    EXPECT_TRUE(SameShape(*wd.Pillar_Mesh, *pillar2));
    EXPECT_EQ(wd.Map_Image, &form().Image2);

    // The camera mode's placement, relative to the robot at its new place.
    EXPECT_VEC_NEAR(wd.Camera_Frame->GetPosition(wd.Robo_Frame), 0, 90, -10, 1e-4f);
    EXPECT_FLOAT_EQ(form().DXDraw.Viewport()->GetBack(), 130);
    EXPECT_EQ(form().DXDraw.Viewport()->GetCamera(), wd.Camera_Frame);
}

} // namespace
