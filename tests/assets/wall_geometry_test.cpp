// The wall meshes stand where the map stops the robot: over every wall pixel and no floor
// pixel, with their faces where a robot walking into them stops.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/assets/asset_files.h"
#include "tests/assets/mesh_load.h"
#include "tools/assetgen/stage_checks.h"
#include "tools/assetgen/stage_walls.h"

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

TEST(WallGeometry, PillarSidesLieFlushInTheWallPlanes) {
    // A pillar side facing open floor lies on its cell's edge, where the walls beside it have
    // their faces: it neither stands proud (a thin strip of its flank would show at corners)
    // nor shares its plane with a wall face (the two would flicker through each other). Rays
    // start one unit in front of the cell edge at mid wall height.
    const double y = -1;
    for (int s = 1; s <= 3; ++s) {
        const Stage st = LoadStage(s);
        // The map shows pillars as walls: a pillar cell is a wall cell with a post on it.
        auto pillar_at = [&](int c, int r) {
            return st.layout.IsWall(c, r) &&
                   RayHit(st.pillars, {PixelCentreX(c) - 2.5, 100, PixelCentreZ(r) + 2.5},
                          {0, -1, 0}) > 0;
        };
        int sides = 0, wrong = 0;
        for (int r = 0; r < MapSize; ++r)
            for (int c = 0; c < MapSize; ++c) {
                if (!pillar_at(c, r)) continue;
                const GroundRect g = WallCellRect(c, r);
                const Vec3 centre{(g.x0 + g.x1) / 2, y, (g.z0 + g.z1) / 2};
                // +x, -x, +z (a row up), -z: the neighbour's offset and the way out.
                const struct {
                    int dc, dr;
                    Vec3 out;
                } sides_of[] = {
                    {1, 0, {1, 0, 0}}, {-1, 0, {-1, 0, 0}}, {0, -1, {0, 0, 1}}, {0, 1, {0, 0, -1}}};
                for (const auto& side : sides_of) {
                    if (st.layout.IsWall(c + side.dc, r + side.dr)) continue;
                    ++sides;
                    const Vec3 along{side.out.z, 0, side.out.x};
                    for (double k : {-2.45, 0.0, 2.45}) {
                        const Vec3 o = centre + side.out * (CellSize / 2 + 1) + along * k;
                        const double pillar = RayHit(st.pillars, o, side.out * -1);
                        const double wall = RayHit(st.walls, o, side.out * -1);
                        if (std::fabs(pillar - 1) > 1e-3 || std::fabs(wall - 1) < 1e-2) {
                            if (wrong < 5)
                                ADD_FAILURE() << "stage " << s << " pillar " << c << "," << r
                                              << " side " << side.dc << "," << side.dr
                                              << ": pillar at " << pillar << ", wall at " << wall;
                            ++wrong;
                        }
                    }
                    // Where a wall continues the side, its face starts right at the pillar's
                    // edge, in the same plane.
                    for (int step : {-1, 1}) {
                        const int nc = c + (side.dc == 0 ? step : 0);
                        const int nr = r + (side.dr == 0 ? step : 0);
                        if (!st.layout.IsWall(nc, nr) || pillar_at(nc, nr) ||
                            st.layout.IsWall(nc + side.dc, nr + side.dr))
                            continue;
                        const Vec3 past{static_cast<double>(nc - c), 0,
                                        static_cast<double>(r - nr)};
                        const Vec3 o =
                            centre + side.out * (CellSize / 2 + 1) + past * (CellSize / 2 + 0.05);
                        const double wall = RayHit(st.walls, o, side.out * -1);
                        if (std::fabs(wall - 1) > 1e-3) {
                            if (wrong < 5)
                                ADD_FAILURE() << "stage " << s << " wall beside pillar " << c << ","
                                              << r << " at " << wall;
                            ++wrong;
                        }
                    }
                }
            }
        EXPECT_GT(sides, 20) << "stage " << s;
        EXPECT_EQ(wrong, 0) << "stage " << s;
    }
}
