// The wall meshes stand where the map stops the robot: over every wall pixel and no floor
// pixel, with their faces where a robot walking into them stops.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/assets/asset_files.h"
#include "tests/assets/mesh_load.h"
#include "tools/assetgen/stage_checks.h"

using namespace assetgen;

namespace {

const Vec3 WallScale{0.15, 0.1, 0.15};
const Vec3 ArenaMove{0, -6, 0};

struct Stage {
    StageLayout layout;
    WorldMesh walls, pillars, door;
};

Stage LoadStage(int s) {
    const std::string n = std::to_string(s);
    return {LayoutFromMap(LoadBmp("Image" + n + ".bmp")),
            LoadWorldMesh("block" + n + ".x", WallScale, ArenaMove),
            LoadWorldMesh("hasira" + n + ".x", WallScale, ArenaMove),
            LoadWorldMesh("door.x", WallScale, ArenaMove)};
}

// The robot's map test with the gate closed: any wall or gate among the four pixels.
bool RobotBlocked(const StageLayout& layout, double x, double z) {
    const MapPixel p = PixelOf(x, z);
    return !RobotFits(layout, {p.column, p.row}, false);
}

} // namespace

TEST(WallGeometry, WallTopsCoverWallPixelsAndNoFloor) {
    for (int s = 1; s <= 3; ++s) {
        const Stage st = LoadStage(s);
        int wrong = 0;
        for (int r = 0; r < MapSize; ++r)
            for (int c = 0; c < MapSize; ++c) {
                // Half a pixel toward -x and +z: where the robot's test puts the wall.
                const Vec3 above{PixelCentreX(c) - 2.5, 100, PixelCentreZ(r) + 2.5};
                const double t = RayHit(st.walls, above, {0, -1, 0});
                const bool wall = st.layout.IsWall(c, r);
                if (wall != (t > 0) || (wall && std::fabs(100 - t - 4.0) > 0.01)) {
                    ADD_FAILURE() << "stage " << s << " wall top at " << c << "," << r;
                    ++wrong;
                }
                if (!wall && RayHit(st.pillars, above, {0, -1, 0}) > 0) {
                    ADD_FAILURE() << "stage " << s << " pillar at " << c << "," << r;
                    ++wrong;
                }
            }
        EXPECT_EQ(wrong, 0) << "stage " << s;
    }
}

TEST(WallGeometry, RobotStopsWithinAUnitOfTheVisibleFace) {
    const double half_width = 2.5; // the robot's centre stops this far from a face
    for (int s = 1; s <= 3; ++s) {
        const Stage st = LoadStage(s);
        const std::vector<GridSpot> spots = ReachableSpots(st.layout, false);
        int checked = 0, wrong = 0;
        for (size_t i = 0; i < spots.size(); i += 3) {
            const Vec3 o{PixelCentreX(spots[i].column), -3, PixelCentreZ(spots[i].row)};
            for (const Vec3 d : {Vec3{1, 0, 0}, Vec3{-1, 0, 0}, Vec3{0, 0, 1}, Vec3{0, 0, -1}}) {
                double stop = -1;
                for (double t = 0; t < 40; t += 0.05)
                    if (RobotBlocked(st.layout, o.x + d.x * t, o.z + d.z * t)) {
                        stop = t;
                        break;
                    }
                // The nearest face the robot's body (half_width to each side) runs into.
                const Vec3 side{d.z, 0, -d.x};
                double face = -1;
                for (double k : {-half_width + 0.05, 0.0, half_width - 0.05})
                    for (const WorldMesh* m : {&st.walls, &st.pillars, &st.door}) {
                        const double t = RayHit(*m, o + side * k, d);
                        if (t > 0 && (face < 0 || t < face)) face = t;
                    }
                if (stop < 0) {
                    if (face > 0 && face < 40 - half_width) ++wrong;
                    continue;
                }
                ++checked;
                if (face < 0 || std::fabs(face - (stop + half_width)) > 1.0) {
                    if (wrong < 5)
                        ADD_FAILURE() << "stage " << s << " from " << o.x << "," << o.z << " dir "
                                      << d.x << "," << d.z << " stop " << stop << " face " << face;
                    ++wrong;
                }
            }
        }
        EXPECT_GT(checked, 1000) << "stage " << s;
        EXPECT_EQ(wrong, 0) << "stage " << s;
    }
}

TEST(WallGeometry, WallsStayCheapToDraw) {
    for (int s = 1; s <= 3; ++s) {
        const Stage st = LoadStage(s);
        EXPECT_LT(st.walls.triangles.size() + st.pillars.triangles.size(), 2000u) << s;
    }
    EXPECT_LT(LoadWorldMesh("gnd.x", {0.15, 0.07, 0.15}).triangles.size(), 2500u);
    EXPECT_LT(LoadWorldMesh("gnd2.x", {0.15, 0.07, 0.15}).triangles.size(), 700u);
}
