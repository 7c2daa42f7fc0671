// Textures the meshes name: every one lies beside its mesh and loads, and the stage's walls,
// pillars and ground wear theirs in world proportions, light enough to tint.
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "scene/engine/rm.h"
#include "tests/assets/asset_files.h"
#include "tests/assets/mesh_load.h"

using assetgen::Vec2;
using assetgen::Vec3;

namespace {

bool PowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

double Length(Vec3 v) {
    return std::sqrt(assetgen::Dot(v, v));
}

// World units covered by one repeat of the texture along u and along v on a triangle: the
// lengths of the position's change per unit of u and of v.
void RepeatSizes(const std::array<Vec3, 3>& p, const std::array<Vec2, 3>& t, double& along_u,
                 double& along_v) {
    const Vec3 e1 = p[1] - p[0], e2 = p[2] - p[0];
    const Vec2 d1{t[1].u - t[0].u, t[1].v - t[0].v}, d2{t[2].u - t[0].u, t[2].v - t[0].v};
    const double det = d1.u * d2.v - d2.u * d1.v;
    along_u = Length((e1 * d2.v - e2 * d1.v) * (1 / det));
    along_v = Length((e2 * d1.u - e1 * d2.u) * (1 / det));
}

struct Density {
    double min = 1e9, max = 0;
};

// Texels per world unit along u and v of every triangle wearing `texture`; fails when a
// triangle has no texture coordinates (a degenerate mapping) or squeezes texels.
Density TexelDensity(const WorldMesh& mesh, const std::string& texture, int& triangles) {
    const ReadBmp bmp = LoadBmp(texture);
    Density d;
    triangles = 0;
    for (size_t i = 0; i < mesh.triangles.size(); ++i) {
        if (mesh.triangle_textures[i] != texture) continue;
        ++triangles;
        double u = 0, v = 0;
        RepeatSizes(mesh.triangles[i], mesh.uvs[i], u, v);
        EXPECT_TRUE(std::isfinite(u) && std::isfinite(v)) << texture << " triangle " << i;
        const double du = bmp.width / u, dv = bmp.height / v;
        // Square texels: the two directions agree within 15 %.
        EXPECT_NEAR(du / dv, 1.0, 0.15) << texture << " triangle " << i;
        d.min = std::min({d.min, du, dv});
        d.max = std::max({d.max, du, dv});
    }
    return d;
}

} // namespace

TEST(MeshTextures, EveryNamedTextureLiesBesideItsMeshAndLoads) {
    auto engine = rm::CreateEngine();
    std::set<std::string> checked;
    for (const std::string& name : MeshFileNames()) {
        const WorldMesh mesh = LoadWorldMesh(name, {1, 1, 1});
        for (const std::string& texture : mesh.textures) {
            SCOPED_TRACE(name + " names " + texture);
            const std::filesystem::path beside =
                std::filesystem::path(name).parent_path() / texture;
            ASSERT_TRUE(std::filesystem::is_regular_file(beside));
            ReadBmp bmp;
            ASSERT_NO_THROW(bmp = LoadBmp(beside.string()));
            EXPECT_EQ(bmp.bits, 24);
            // The engine wraps coordinates with a mask: other sizes would be resampled.
            EXPECT_TRUE(PowerOfTwo(bmp.width) && PowerOfTwo(bmp.height))
                << bmp.width << "x" << bmp.height;
            EXPECT_NE(engine->LoadTexture(beside.string()), nullptr);
            checked.insert(texture);
        }
    }
    EXPECT_EQ(checked, (std::set<std::string>{"fire.bmp", "MESH1.bmp", "wall.bmp", "pillar.bmp",
                                              "ground.bmp"}));
}

TEST(MeshTextures, StageSurfacesWearTheirTexturesInWorldProportions) {
    const Vec3 wall_scale{0.15, 0.1, 0.15}, ground_scale{0.15, 0.07, 0.15};
    for (int s = 1; s <= 3; ++s) {
        const std::string n = std::to_string(s);
        SCOPED_TRACE("stage " + n);
        int count = 0;
        // One scale over every wall, so panel seams line up from face to face.
        const Density walls =
            TexelDensity(LoadWorldMesh("block" + n + ".x", wall_scale), "wall.bmp", count);
        EXPECT_GT(count, 100);
        EXPECT_NEAR(walls.min, walls.max, 0.01 * walls.max);
        EXPECT_GT(walls.min, 6.0); // at least a few texels per unit up close
        const Density pillars =
            TexelDensity(LoadWorldMesh("hasira" + n + ".x", wall_scale), "pillar.bmp", count);
        EXPECT_GT(count, 8);
        EXPECT_LT(pillars.max / pillars.min, 1.15);
    }
    for (const char* ground : {"gnd.x", "gnd2.x"}) {
        SCOPED_TRACE(ground);
        int count = 0;
        const WorldMesh mesh = LoadWorldMesh(ground, ground_scale);
        const Density d = TexelDensity(mesh, "ground.bmp", count);
        EXPECT_EQ(static_cast<size_t>(count), mesh.triangles.size()); // the apron too
        EXPECT_NEAR(d.min, d.max, 0.01 * d.max);
    }
    // Both grounds share the plate size, so switching the lighting keeps the look.
    int a = 0, b = 0;
    EXPECT_NEAR(TexelDensity(LoadWorldMesh("gnd.x", ground_scale), "ground.bmp", a).min,
                TexelDensity(LoadWorldMesh("gnd2.x", ground_scale), "ground.bmp", b).min, 0.01);
}

TEST(MeshTextures, StageTexturesAreLightAndQuiet) {
    // The engine multiplies texels by the lit colour: dark textures would darken the maze,
    // and strong texel-to-texel contrast shimmers at a distance without mipmaps.
    for (const char* name : {"wall.bmp", "pillar.bmp", "ground.bmp"}) {
        SCOPED_TRACE(name);
        const ReadBmp bmp = LoadBmp(name);
        double sum = 0, jumps = 0;
        auto luma = [](uint32_t c) {
            return (0.3 * (c >> 16 & 0xFF) + 0.59 * (c >> 8 & 0xFF) + 0.11 * (c & 0xFF)) / 255;
        };
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x) {
                const double l = luma(bmp.at(x, y));
                sum += l;
                jumps += std::fabs(l - luma(bmp.at((x + 1) % bmp.width, y)));
            }
        const double texels = bmp.width * bmp.height;
        EXPECT_GT(sum / texels, 0.45);   // the brown ground is the darkest
        EXPECT_LT(jumps / texels, 0.06); // mean step between neighbours
        EXPECT_GT(jumps / texels, 0.0);  // and not a flat colour
    }
}

TEST(MeshTextures, TexturedStageMaterialsAreLight) {
    // Light colours tint the texture rather than darken it.
    for (const char* name : {"block1.x", "block2.x", "block3.x", "hasira1.x", "hasira2.x",
                             "hasira3.x", "gnd.x", "gnd2.x"}) {
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(name, 0);
        ASSERT_NE(scene, nullptr) << name;
        int textured = 0;
        for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
            const aiMaterial& m = *scene->mMaterials[i];
            aiString texture;
            if (m.GetTexture(aiTextureType_DIFFUSE, 0, &texture) != AI_SUCCESS) continue;
            ++textured;
            aiColor4D c;
            ASSERT_EQ(m.Get(AI_MATKEY_COLOR_DIFFUSE, c), AI_SUCCESS);
            EXPECT_GE(std::max({c.r, c.g, c.b}), 0.6f) << name << " material " << i;
        }
        EXPECT_GT(textured, 0) << name;
    }
}

TEST(MeshTextures, GroundPlatesFillTheCheckerSquaresClearOfTheRobotsStart) {
    // The plate's rim is a dark gap. Laid square by square, the gaps run along the checker's
    // edges; and none runs under the robot's start, where the camera looks straight along
    // it down the middle of the screen.
    const Vec3 ground_scale{0.15, 0.07, 0.15};
    const double west = -45, east = 465, half_width = 2.5, plate = 17;
    auto whole = [](double t) { return std::fabs(t - std::round(t)) < 1e-4; };
    for (const char* ground : {"gnd.x", "gnd2.x"}) {
        SCOPED_TRACE(ground);
        const WorldMesh mesh = LoadWorldMesh(ground, ground_scale);
        int squares = 0, off_edge = 0, under_start = 0;
        for (size_t i = 0; i < mesh.triangles.size(); ++i) {
            const auto& t = mesh.triangles[i];
            bool inside = true;
            for (const Vec3& p : t)
                inside = inside && p.x > west - 0.01 && p.x < east + 0.01 && p.z > west - 0.01 &&
                         p.z < east + 0.01;
            if (inside) {
                ++squares;
                for (const Vec2& uv : mesh.uvs[i])
                    if (!whole(uv.u) || !whole(uv.v)) ++off_edge;
            }
            // The texture coordinate under the start (0, 0), when this triangle holds it.
            const Vec3 e1 = t[1] - t[0], e2 = t[2] - t[0];
            const double det = e1.x * e2.z - e2.x * e1.z;
            const double a = ((0 - t[0].x) * e2.z - e2.x * (0 - t[0].z)) / det;
            const double b = (e1.x * (0 - t[0].z) - (0 - t[0].x) * e1.z) / det;
            if (a < 0 || b < 0 || a + b > 1) continue;
            ++under_start;
            const auto& uv = mesh.uvs[i];
            for (double c : {uv[0].u + a * (uv[1].u - uv[0].u) + b * (uv[2].u - uv[0].u),
                             uv[0].v + a * (uv[1].v - uv[0].v) + b * (uv[2].v - uv[0].v)}) {
                const double to_gap = std::fabs(c - std::round(c)) * plate;
                EXPECT_GT(to_gap, half_width) << "a plate gap " << to_gap << " from the start";
            }
        }
        EXPECT_GT(squares, 200);
        EXPECT_EQ(off_edge, 0);
        EXPECT_GE(under_start, 1);
    }
}
