// Every mesh loads (through Assimp as the engine does, and through the engine itself) and
// has the size its role needs once the game has scaled it and hung it at its frame offset.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "scene/engine/rm.h"
#include "tests/assets/asset_files.h"
#include "tests/assets/mesh_load.h"

using assetgen::Vec3;

namespace {

Vec3 Uniform(double s) {
    return {s, s, s};
}

// The load scale of every mesh file (the scene's mesh table).
Vec3 ScaleOf(const std::string& name) {
    static const std::map<std::string, Vec3> special = {{"bomb.x", Uniform(0.1)},
                                                        {"tama.x", Uniform(0.003)},
                                                        {"hart.x", Uniform(0.003)},
                                                        {"tekitama.x", Uniform(0.003)},
                                                        {"ring.x", Uniform(0.003)},
                                                        {"miss.x", {0.0018, 0.0018, 0.0012}},
                                                        {"nasu.x", {0.0018, 0.0018, 0.0012}},
                                                        {"missfire.x", Uniform(0.0018)},
                                                        {"floator.x", Uniform(0.005)},
                                                        {"b1b.x", Uniform(0.015)},
                                                        {"b1a.x", Uniform(0.015)},
                                                        {"b1r.x", Uniform(0.015)},
                                                        {"b1l.x", Uniform(0.015)},
                                                        {"tobira.x", {0.15, 0.08, 0.15}},
                                                        {"keep.x", Uniform(0.07)},
                                                        {"gnd.x", {0.15, 0.07, 0.15}},
                                                        {"gnd2.x", {0.15, 0.07, 0.15}},
                                                        {"door.x", {0.15, 0.1, 0.15}},
                                                        {"unk.x", {0.15, 0.1, 0.15}},
                                                        {"gbody.x", Uniform(0.0033)},
                                                        {"GHead.x", Uniform(0.0033)},
                                                        {"GFootR.x", Uniform(0.0033)},
                                                        {"GFootL.x", Uniform(0.0033)},
                                                        {"GFootR2.x", Uniform(0.0033)},
                                                        {"GFootL2.x", Uniform(0.0033)}};
    if (name.rfind("block", 0) == 0 || name.rfind("hasira", 0) == 0) return {0.15, 0.1, 0.15};
    const auto it = special.find(name);
    return it != special.end() ? it->second : Uniform(0.0022); // robot parts, wing, blade
}

WorldMesh Load(const std::string& name, Vec3 move = {}) {
    return LoadWorldMesh(name, ScaleOf(name), move);
}

double Extent(const WorldMesh& m) {
    return std::max({m.max.x - m.min.x, m.max.y - m.min.y, m.max.z - m.min.z});
}

} // namespace

TEST(MeshFiles, EveryMeshLoadsThroughAssimpAndTheEngine) {
    auto engine = rm::CreateEngine();
    for (const std::string& name : MeshFileNames()) {
        SCOPED_TRACE(name);
        WorldMesh mesh;
        ASSERT_NO_THROW(mesh = Load(name));
        auto builder = engine->CreateMeshBuilder();
        ASSERT_TRUE(builder->Load(name));
        EXPECT_EQ(builder->FaceCount(), static_cast<int>(mesh.triangles.size()));
        const Vec3 s = ScaleOf(name);
        builder->Scale(float(s.x), float(s.y), float(s.z));
        rm::Vector lo, hi;
        builder->GetBox(lo, hi);
        const double tolerance = 1e-3 * (1 + Extent(mesh));
        EXPECT_NEAR(lo.x, mesh.min.x, tolerance);
        EXPECT_NEAR(hi.y, mesh.max.y, tolerance);
        EXPECT_NEAR(hi.z, mesh.max.z, tolerance);
    }
}

TEST(MeshFiles, RobotsStandOnTheGroundAboutSevenAndAHalfTall) {
    // Lower legs hang 1.4 + 1.3 below the robot's frame (Special2: 1.4 + 1.5).
    for (const char* shin : {"asiR.x", "asiL.x"}) EXPECT_NEAR(Load(shin).min.y - 2.7, -6, 0.05);
    for (const char* shin : {"ksr.x", "ksl.x"}) EXPECT_NEAR(Load(shin).min.y - 2.9, -6, 0.05);
    for (const char* head : {"head.x", "kh.x"}) {
        const double top = Load(head).max.y + 0.8;
        EXPECT_GT(top + 6, 7.2) << head;
        EXPECT_LT(top + 6, 8.0) << head;
    }
    for (const char* body : {"body.x", "bodyh.x", "kb.x"}) {
        const WorldMesh m = Load(body);
        EXPECT_GT(m.max.x - m.min.x, 1.5) << body;
        EXPECT_LT(m.max.x - m.min.x, 3.0) << body;
    }
}

TEST(MeshFiles, GunAndLauncherSitWhereShotsAndMissilesLeave) {
    for (const char* arm : {"armR2b.x", "ar2h.x", "kar2.x"}) {
        // Looking back along the barrel from ahead, the muzzle is at z = 3.6.
        EXPECT_NEAR(RayHit(Load(arm), {-0.7, 0, 10}, {0, 0, -1}), 6.4, 0.05) << arm;
    }
    for (const char* arm : {"armL2b.x", "al2h.x", "kal2.x"}) {
        const double t = RayHit(Load(arm), {-1, -3, -5}, {0, 0, 1});
        EXPECT_GT(t, 4.0) << arm; // the pod holds the launch point (-1, -3, 0)
        EXPECT_LT(t, 5.0) << arm;
    }
}

TEST(MeshFiles, WalkerFeetReachTheGroundAtMidStride) {
    // Body at y -0.1, hip 1.5 below it, knee 3.3 below the hip.
    for (const char* shin : {"GFootR2.x", "GFootL2.x"})
        EXPECT_NEAR(Load(shin).min.y - 4.9, -6, 0.05) << shin;
    const WorldMesh head = Load("GHead.x"), body = Load("gbody.x");
    EXPECT_GT(head.max.y - 0.1 + 6, 7.0); // about as tall as the robot
    EXPECT_LT(head.max.y - 0.1 + 6, 9.5);
    EXPECT_LT(std::max(head.max.x, body.max.x) * 2, 6.6); // inside its +-3.3 hit box
}

TEST(MeshFiles, BossFillsItsSquareWithArmRightAndGunsLeft) {
    const WorldMesh body = Load("b1b.x"), arm = Load("b1a.x"), leg = Load("b1r.x");
    EXPECT_NEAR(leg.min.y + 4.8, -6, 0.05);
    EXPECT_NEAR(Load("b1l.x").min.y + 4.8, -6, 0.05);
    const double top = std::max(body.max.y, leg.max.y + 4.8);
    EXPECT_GT(top + 6, 11.0);
    EXPECT_LT(top + 6, 13.5);
    EXPECT_GT(body.max.x - body.min.x, 18);
    EXPECT_LT(std::max(-body.min.x, body.max.x), 15);
    EXPECT_LT(std::max(-body.min.z, body.max.z), 15);
    // The arm hangs at x = 9.6 and reaches into the strike band 10..18 ahead.
    EXPECT_GT(arm.max.z - 1.5, 12);
    EXPECT_LT(arm.max.z - 1.5, 18);
    // Shots leave the left side at (-10, 0, 5..7): the gun pod is there.
    const double t = RayHit(body, {-10, 0, 20}, {0, 0, -1});
    EXPECT_GT(20 - t, 4.5);
    EXPECT_LT(20 - t, 8.0);
}

TEST(MeshFiles, SmallThingsHaveTheirSizes) {
    const WorldMesh zako = Load("floator.x");
    EXPECT_GT(zako.max.x - zako.min.x, 4.5);
    EXPECT_LT(zako.max.x - zako.min.x, 5.5);
    EXPECT_LE(zako.min.y, -0.8); // its gun hangs where its shots start
    // The explosion ball at life 30 is about a G-walker across (7 to 9 units).
    const double ball = Extent(Load("bomb.x")) * 30;
    EXPECT_GT(ball, 6.0);
    EXPECT_LT(ball, 10.0);
    for (const char* shot : {"tama.x", "hart.x", "tekitama.x"}) {
        EXPECT_GT(Extent(Load(shot)), 0.5) << shot;
        EXPECT_LT(Extent(Load(shot)), 3.0) << shot;
    }
    for (const char* missile : {"miss.x", "nasu.x"}) {
        const WorldMesh m = Load(missile);
        EXPECT_GT(m.max.z - m.min.z, 1.4) << missile;
        EXPECT_LT(m.max.z - m.min.z, 2.5) << missile;
    }
    const WorldMesh flame = Load("missfire.x");
    EXPECT_LT(flame.max.z, -0.5); // behind the missile
    EXPECT_EQ(flame.textures, std::vector<std::string>{"fire.bmp"});
    EXPECT_EQ(LoadBmp("fire.bmp").bits, 24);
}

TEST(MeshFiles, ArenaPartsSitOnTheGateAndGround) {
    const Vec3 arena{0, -6, 0};
    const WorldMesh door = Load("door.x", arena);
    EXPECT_NEAR(door.min.x, 20, 0.05); // gate strip columns 13..18, row 67
    EXPECT_NEAR(door.max.x, 50, 0.05);
    EXPECT_GE(door.min.z, 125 - 0.05);
    EXPECT_LE(door.max.z, 130 + 0.05);
    EXPECT_NEAR(door.min.y, -6, 0.05);
    EXPECT_NEAR(door.max.y, 4, 0.05);
    const WorldMesh line = Load("unk.x", arena);
    EXPECT_GE(line.min.x, 20 - 0.05);
    EXPECT_LE(line.max.x, 50 + 0.05);
    for (const char* ground : {"gnd.x", "gnd2.x"}) {
        const WorldMesh g = Load(ground, arena);
        EXPECT_NEAR(g.min.y, -6, 1e-3) << ground;
        EXPECT_NEAR(g.max.y, -6, 1e-3) << ground;
        EXPECT_LE(g.min.x, -45);
        EXPECT_GE(g.max.x, 465);
        EXPECT_LE(g.min.z, -45);
        EXPECT_GE(g.max.z, 465);
    }
    const WorldMesh grille = Load("tobira.x", arena);
    EXPECT_NEAR(grille.min.y, 4, 0.05); // standing on the wall tops
    EXPECT_EQ(grille.textures, std::vector<std::string>{"MESH1.bmp"});
    // keep.x is moved by (-3, 0.15, -15) after scaling; it stands outside the walls.
    const WorldMesh keep = Load("keep.x", {-3, 0.15 - 6, -15});
    EXPECT_GT(keep.min.z, 465);
    EXPECT_NEAR(keep.min.y, -6, 0.05); // built so the move sets it on the ground
}
