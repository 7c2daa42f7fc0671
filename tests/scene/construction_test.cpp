// Scene construction: the frame hierarchy and where everything waits, the files and
// offsets of the bonus modes, the lights of each lighting option, the mesh settings.
#include "scene/engine/light.h"
#include "scene/engine/mesh_builder.h"
#include "tests/support/scene_fixture.h"

namespace {

using ConstructionTest = SceneFixture;

const rm::LightImpl& LightOf(const rm::LightPtr& light) {
    return *std::static_pointer_cast<rm::LightImpl>(light);
}
const rm::MeshData& DataOf(const rm::MeshBuilderPtr& mesh) {
    return std::static_pointer_cast<rm::MeshBuilderImpl>(mesh)->Data();
}
// The one visual of a frame.
const rm::MeshBuilderPtr& VisualOf(const rm::FramePtr& frame) {
    EXPECT_EQ(frame->Visuals().size(), 1u);
    return frame->Visuals().at(0);
}
// Asserts the visual came from the file: a real mesh of the same faces and bounds.
void ExpectFromFile(TMainForm& form, const rm::MeshBuilderPtr& visual, const std::string& file,
                    float s) {
    SCOPED_TRACE(file);
    const rm::MeshBuilderPtr reference = ReferenceMesh(form, file, s, s, s);
    ASSERT_GT(reference->FaceCount(), 0);
    EXPECT_TRUE(SameShape(*visual, *reference));
}

TEST_F(ConstructionTest, StartsTheGameFramesAndThePlayClock) {
    clock_.Set(5000);
    Build();
    EXPECT_TRUE(form().DXTimer.Enabled());
    EXPECT_TRUE(w().Clock_Running);
    EXPECT_EQ(w().Clock_Start, 5000u);
}

TEST_F(ConstructionTest, PoolsWaitBelowTheArena) {
    Build();
    auto parked = [&](const auto& pool, float y, const char* name) {
        SCOPED_TRACE(name);
        const rm::MeshBuilderPtr& shared = VisualOf(pool[0].Frame);
        for (const TParts& item : pool) {
            EXPECT_EQ(item.Frame->GetParent(), Root().get());
            EXPECT_VEC_NEAR(item.Frame->GetPosition(Root()), 0, y, 0, 1e-4f);
            EXPECT_EQ(VisualOf(item.Frame), shared); // one mesh for the whole pool
        }
    };
    parked(w().Bakuhatu, -1000, "explosions");
    parked(w().Tama, -500, "shots");
    parked(w().Teki_Tama, -500, "enemy shots");
    parked(w().Ring, -500, "rings");
    for (const TParts& missile : w().Missile) {
        EXPECT_VEC_NEAR(missile.Frame->GetPosition(Root()), 0, -500, 0, 1e-4f);
        EXPECT_TRUE(missile.Frame->Visuals().empty());
        ASSERT_EQ(missile.Frame->Children().size(), 1u);
        // The spin frame carries the missile and its flame.
        EXPECT_EQ(missile.Frame->Children()[0]->Visuals().size(), 2u);
    }
}

TEST_F(ConstructionTest, RobotHierarchyAndPlaces) {
    Build();
    World& wd = w();
    EXPECT_EQ(wd.Robo_Frame->GetParent(), Root().get());
    EXPECT_VEC_NEAR(wd.Robo_Frame->GetPosition(Root()), 0, 0, 0, 1e-5f);
    EXPECT_VEC_NEAR(wd.Robo_Frame->GetWorldDirection(), 1, 0, 0, 1e-5f); // starts facing +x
    // A sample of the hierarchy: each limb hangs on the part above it.
    EXPECT_EQ(wd.Robo_Body.Frame->GetParent(), wd.Robo_Frame.get());
    EXPECT_EQ(wd.Robo_ArmR2.Frame->GetParent(), wd.Robo_ArmR1.Frame.get());
    EXPECT_EQ(wd.Robo_LegL.Frame->GetParent(), wd.Robo_ThighL.Frame.get());
    EXPECT_VEC_NEAR(wd.Robo_Head.Frame->GetPosition(wd.Robo_Body.Frame), 0, 0.8f, 0.3f, 1e-5f);
    EXPECT_VEC_NEAR(wd.Robo_ArmL2.Frame->GetPosition(wd.Robo_ArmL1.Frame), -0.8f, -0.8f, -0.2f,
                    1e-5f);
    EXPECT_VEC_NEAR(wd.Robo_LegR.Frame->GetPosition(wd.Robo_ThighR.Frame), 0.25f, -1.3f, 0, 1e-5f);
    EXPECT_FALSE(wd.Robo_WingR.Frame); // wings only in the bonus modes
    EXPECT_TRUE(wd.Blade_Mesh);        // loaded, shown only during a swing
    // The left forearm's built-in tilt: up by atan(61/80) in the upper arm's axes.
    const rm::Vector tilt = wd.Robo_ArmL2.Frame->GetWorldDirection();
    EXPECT_NEAR(std::atan2(tilt.y, tilt.x), std::atan(61.0f / 80.0f), 1e-4f);
    EXPECT_EQ(wd.Camera_Frame->GetParent(), wd.Robo_Frame.get());

    ExpectFromFile(form(), VisualOf(wd.Robo_Body.Frame), "body.x", 0.0022f);
    ExpectFromFile(form(), VisualOf(wd.Robo_ArmR2.Frame), "armR2b.x", 0.0022f);
    ExpectFromFile(form(), VisualOf(wd.Robo_LegL.Frame), "asiL.x", 0.0022f);
}

TEST_F(ConstructionTest, Special2WinsOverSpecial1) {
    Build([](World& world) {
        world.Special1 = true;
        world.Special2 = true;
    });
    World& wd = w();
    ExpectFromFile(form(), VisualOf(wd.Robo_Body.Frame), "kb.x", 0.0022f);
    ExpectFromFile(form(), VisualOf(wd.Robo_ArmL2.Frame), "kal2.x", 0.0022f);
    ExpectFromFile(form(), VisualOf(wd.Robo_LegR.Frame), "ksr.x", 0.0022f);
    EXPECT_VEC_NEAR(wd.Robo_ArmR1.Frame->GetPosition(wd.Robo_Body.Frame), 0.9f, 0.1f, 0.1f, 1e-5f);
    EXPECT_VEC_NEAR(wd.Robo_ArmR2.Frame->GetPosition(wd.Robo_ArmR1.Frame), 0.63f, -0.7f, 0.4f,
                    1e-5f);
    EXPECT_VEC_NEAR(wd.Robo_LegL.Frame->GetPosition(wd.Robo_ThighL.Frame), -0.5f, -1.5f, -0.25f,
                    1e-5f);
    EXPECT_VEC_NEAR(wd.Robo_WingR.Frame->GetPosition(wd.Robo_Body.Frame), 0.5f, 0, -0.5f, 1e-5f);
    EXPECT_VEC_NEAR(wd.Robo_WingL.Frame->GetPosition(wd.Robo_Body.Frame), -0.5f, 0, -0.5f, 1e-5f);
    EXPECT_EQ(VisualOf(wd.Robo_WingR.Frame), VisualOf(wd.Robo_WingL.Frame));
    ExpectFromFile(form(), VisualOf(wd.Tama[0].Frame), "hart.x", 0.003f);
    // Aubergines fly without a flame.
    EXPECT_EQ(wd.Missile[0].Frame->Children()[0]->Visuals().size(), 1u);
    const rm::LightImpl& shot_light = LightOf(wd.Shot_Lights[0]);
    EXPECT_FLOAT_EQ(shot_light.Colour().b, 1.0f);
}

TEST_F(ConstructionTest, Special1AloneKeepsTheNormalOffsets) {
    Build([](World& world) { world.Special1 = true; });
    World& wd = w();
    ExpectFromFile(form(), VisualOf(wd.Robo_Body.Frame), "bodyh.x", 0.0022f);
    ExpectFromFile(form(), VisualOf(wd.Robo_ArmR2.Frame), "ar2h.x", 0.0022f);
    ExpectFromFile(form(), VisualOf(wd.Robo_Head.Frame), "head.x", 0.0022f);
    EXPECT_VEC_NEAR(wd.Robo_ArmR1.Frame->GetPosition(wd.Robo_Body.Frame), 1.2f, 0.1f, 0.1f, 1e-5f);
    EXPECT_VEC_NEAR(wd.Robo_WingL.Frame->GetPosition(wd.Robo_Body.Frame), -0.7f, 0.1f, -0.5f,
                    1e-5f);
}

TEST_F(ConstructionTest, FullLightingMakesEveryTravellingLightWithItsFallOff) {
    Build();
    World& wd = w();
    ASSERT_EQ(Root()->Lights().size(), 1u);
    EXPECT_FLOAT_EQ(LightOf(Root()->Lights()[0]).Colour().r, 0.34f);
    for (const auto& light : wd.Shot_Lights) {
        ASSERT_TRUE(light);
        EXPECT_FLOAT_EQ(LightOf(light).Linear(), 0.058f);
        EXPECT_FLOAT_EQ(LightOf(light).Constant(), 0.0f);
        EXPECT_FLOAT_EQ(LightOf(light).Colour().b, 0.0f);
    }
    for (const auto& light : wd.Teki_Shot_Lights) ASSERT_TRUE(light);
    for (const auto& light : wd.Bakuhatu_Lights) {
        ASSERT_TRUE(light);
        EXPECT_FLOAT_EQ(LightOf(light).Linear(), 0.01f);
        EXPECT_FLOAT_EQ(LightOf(light).Constant(), 0.0f);
    }
    // The lamp hangs high above the arena on its own frame.
    int lamps = 0;
    for (const rm::FramePtr& child : Root()->Children()) {
        if (child->Lights().empty()) continue;
        ++lamps;
        EXPECT_VEC_NEAR(child->GetPosition(Root()), 200, 250, 200, 1e-4f);
        EXPECT_FLOAT_EQ(LightOf(child->Lights()[0]).Colour().g, 0.4f);
    }
    EXPECT_EQ(lamps, 1);
}

TEST_F(ConstructionTest, SimpleLightingMakesEntryZeroWithDefaultFallOff) {
    Build([](World& world) { world.Light_Mode = 1; });
    World& wd = w();
    auto only_first = [](const auto& lights) {
        EXPECT_TRUE(lights[0]);
        EXPECT_FLOAT_EQ(LightOf(lights[0]).Constant(), 1.0f);
        EXPECT_FLOAT_EQ(LightOf(lights[0]).Linear(), 0.0f);
        for (size_t i = 1; i < lights.size(); ++i) EXPECT_FALSE(lights[i]);
    };
    only_first(wd.Shot_Lights);
    only_first(wd.Teki_Shot_Lights);
    only_first(wd.Bakuhatu_Lights);
}

TEST_F(ConstructionTest, NoLightingBrightensAmbientAndUsesTheUnlitGround) {
    Build([](World& world) { world.Light_Mode = 0; });
    World& wd = w();
    for (const auto& light : wd.Shot_Lights) EXPECT_FALSE(light);
    for (const auto& light : wd.Teki_Shot_Lights) EXPECT_FALSE(light);
    for (const auto& light : wd.Bakuhatu_Lights) EXPECT_FALSE(light);
    EXPECT_FLOAT_EQ(LightOf(Root()->Lights()[0]).Colour().r, 0.45f);
    const auto& arena = wd.Arena_Frame->Visuals();
    ASSERT_EQ(arena.size(), 7u);
    const rm::MeshBuilderPtr ground = ReferenceMesh(form(), "gnd2.x", 0.15f, 0.07f, 0.15f);
    ASSERT_GT(ground->FaceCount(), 0);
    EXPECT_TRUE(SameShape(*arena[4], *ground));
}

TEST_F(ConstructionTest, ArenaCarriesItsSevenMeshesInOrder) {
    Build();
    World& wd = w();
    EXPECT_VEC_NEAR(wd.Arena_Frame->GetPosition(Root()), 0, -6, 0, 1e-5f);
    const auto& arena = wd.Arena_Frame->Visuals();
    ASSERT_EQ(arena.size(), 7u);
    EXPECT_EQ(arena[0], wd.Block_Mesh);
    EXPECT_EQ(arena[1], wd.Pillar_Mesh);
    EXPECT_EQ(arena[5], wd.Door_Mesh);
    EXPECT_EQ(arena[6], wd.Gate_Mesh);
    const rm::MeshBuilderPtr block = ReferenceMesh(form(), "block1.x", 0.15f, 0.1f, 0.15f);
    ASSERT_GT(block->FaceCount(), 0);
    EXPECT_TRUE(SameShape(*arena[0], *block));
    // The keep's vertices are moved after scaling.
    rm::MeshBuilderPtr keep = ReferenceMesh(form(), "keep.x", 0.07f, 0.07f, 0.07f);
    keep->Translate(-3, 0.15f, -15);
    EXPECT_TRUE(SameShape(*arena[3], *keep));
}

TEST_F(ConstructionTest, TranslucencyWinsOverTheSolidExplosionColour) {
    Build([](World& world) {
        world.Alpha_Blend = true;
        world.No_Texture = true;
    });
    const rm::MeshData& bomb = DataOf(VisualOf(w().Bakuhatu[0].Frame));
    ASSERT_FALSE(bomb.groups.empty());
    for (const rm::MeshGroup& group : bomb.groups) {
        EXPECT_NEAR(group.material.diffuse.a, 0.5f, 0.01f);
        EXPECT_NEAR(group.material.diffuse.g, 0.5f, 0.01f);
    }
    // Without textures the walls show their own colour.
    for (const rm::MeshGroup& group : DataOf(w().Block_Mesh).groups)
        EXPECT_FLOAT_EQ(group.material.diffuse.r, 0.9f);
}

TEST_F(ConstructionTest, EnemiesAndBossStandAtTheirStartPlaces) {
    Build();
    World& wd = w();
    for (int i = 0; i < ZakoCount; ++i) {
        SCOPED_TRACE(i);
        const TParts& zako = wd.Zako[static_cast<size_t>(i)];
        EXPECT_VEC_NEAR(zako.Frame->GetPosition(Root()), ZakoStartPlaces[i].x, 0,
                        ZakoStartPlaces[i].z, 1e-4f);
        EXPECT_EQ(VisualOf(zako.Frame), wd.Zako_Mesh);
        if (ZakoStartPlaces[i].turned)
            EXPECT_VEC_NEAR(zako.Frame->GetWorldDirection(), -1, 0, 0, 1e-5f);
        else
            EXPECT_VEC_NEAR(zako.Frame->GetWorldDirection(), 0, 0, 1, 1e-5f);
    }
    for (size_t i = 0; i < GHCount; ++i) {
        EXPECT_VEC_NEAR(wd.GH[i].Frame->GetPosition(Root()), GHStartPlaces[i].x, 0,
                        GHStartPlaces[i].z, 1e-4f);
        EXPECT_EQ(wd.GH_FootL2[i].Frame->GetParent(), wd.GH_FootL[i].Frame.get());
    }
    // Each walker has meshes of its own.
    EXPECT_NE(VisualOf(wd.GH_Body[0].Frame), VisualOf(wd.GH_Body[1].Frame));

    EXPECT_VEC_NEAR(wd.Boss_Frame->GetPosition(Root()), 80, 0, 280, 1e-4f);
    EXPECT_VEC_NEAR(wd.Boss_Frame->GetWorldDirection(), 0, 0, -1, 1e-5f);
    EXPECT_EQ(wd.Boss_Body_Frame->GetParent(), wd.Boss_Frame.get());
    EXPECT_EQ(wd.Boss_A_Frame.Frame->GetParent(), wd.Boss_Body_Frame.get());
    EXPECT_VEC_NEAR(wd.Boss_R_Frame.Frame->GetPosition(wd.Boss_Body_Frame), 5, 4.8f, -8.3f, 1e-4f);
}

} // namespace
