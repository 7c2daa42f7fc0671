// Arena parts shared by all stages, in the arena frame's coordinates (y = 0 is the ground):
// the grille above the boss room's walls, the keep outside the walls, the two grounds, and
// the door and gate line on the gate strip.
#include <cmath>
#include <numbers>

#include "tools/assetgen/mesh_shapes.h"
#include "tools/assetgen/mesh_textures.h"
#include "tools/assetgen/model_catalog.h"
#include "tools/assetgen/stage_places.h"
#include "tools/assetgen/stage_walls.h"

namespace assetgen {
namespace {

constexpr double WallTop = WallTopY - ArenaY; // wall height above the ground: 10
const Vec3 WallScale{WallScaleXZ, WallScaleY, WallScaleXZ};

// One grille tile per wall cell, standing on the wall's centre line above its top.
Mesh Grille() {
    Mesh m;
    Material metal = Matte(0.8, 0.8, 0.85);
    metal.texture = "MESH1.bmp";
    const int grille = m.AddMaterial(metal);
    const double y0 = WallTop, y1 = WallTop + 5;
    const double front_z = WallCellRect(0, GateRow).z0 + CellSize / 2;
    for (int c = 1; c <= BossRoomSideColumn; ++c) {
        const GroundRect cell = WallCellRect(c, GateRow);
        AddTwoSidedQuad(m, {cell.x0, y0, front_z}, {cell.x1, y0, front_z}, {cell.x1, y1, front_z},
                        {cell.x0, y1, front_z}, grille, {0, 1}, {1, 1}, {1, 0}, {0, 0});
    }
    const double side_x = WallCellRect(BossRoomSideColumn, 0).x0 + CellSize / 2;
    for (int r = BossRoomTopRow + 1; r < GateRow; ++r) {
        const GroundRect cell = WallCellRect(BossRoomSideColumn, r);
        AddTwoSidedQuad(m, {side_x, y0, cell.z0}, {side_x, y0, cell.z1}, {side_x, y1, cell.z1},
                        {side_x, y1, cell.z0}, grille, {0, 1}, {1, 1}, {1, 0}, {0, 0});
    }
    return m;
}

// The keep: an octagonal stone tower with battlements and a red roof, north of the arena.
Mesh Keep() {
    Mesh m;
    const int stone = m.AddMaterial(Matte(0.62, 0.6, 0.56));
    const int roof = m.AddMaterial(Matte(0.58, 0.16, 0.12));
    const int window = m.AddMaterial(Matte(1.0, 0.85, 0.4, 0.8));
    const Xform base =
        Move(250, 0, 545) * TurnX(-std::numbers::pi / 2) * TurnZ(std::numbers::pi / 8);
    AddLathe(m, base, {{0, 12}, {26, 10}, {26, 11.5}, {30, 11.5}}, 8, stone);
    AddLathe(m, base, {{30, 9}, {44, 0}}, 8, roof);
    for (int i = 0; i < 8; ++i) {
        const double a = std::numbers::pi / 4 * i + std::numbers::pi / 8;
        const Xform side = Move(250, 0, 545) * TurnY(a);
        AddBox(m, side, {-1.0, 14, 10.6}, {1.0, 18, 11.2}, window);
        AddBox(m, side, {-1.5, 30, 9.8}, {1.5, 32, 11.5}, stone);
    }
    return m;
}

// Ground plate material: the texture brings the brown, the colour the checker's shade.
Material Plate(double shade) {
    Material m = Matte(shade, shade, shade);
    m.texture = GroundTextureFile;
    return m;
}

// The ground grid's south-west corner. The plates are laid from here, so every plate fills one
// checker square and the gaps between plates run along the squares' edges. (Laid from the
// world origin instead, a gap would run through every square and straight under the robot
// at its start, down the middle of the screen.)
constexpr double GroundWest = -45, GroundEast = 465;

// A flat ground quad with the plate texture laid in world units.
void GroundQuad(Mesh& m, double x0, double x1, double z0, double z1, int material) {
    auto uv = [](double x, double z) {
        return Vec2{(x - GroundWest) / GroundTextureSpan, (z - GroundWest) / GroundTextureSpan};
    };
    m.AddPolygon({{x0, 0, z0}, {x0, 0, z1}, {x1, 0, z1}, {x1, 0, z0}}, material, {0, 1, 0},
                 {uv(x0, z0), uv(x0, z1), uv(x1, z1), uv(x1, z0)});
}

// The ground: a grid over the arena plus a coarser apron outside the walls. `step` is the
// quad size inside the walls (17 units lights well under the travelling lights).
Mesh Ground(double step) {
    Mesh m;
    const int light = m.AddMaterial(Plate(1.0));
    const int dark = m.AddMaterial(Plate(0.9));
    const int apron = m.AddMaterial(Plate(0.65));
    const double lo = GroundWest, hi = GroundEast;
    const int n = static_cast<int>(std::lround((hi - lo) / step));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double x0 = lo + i * step, z0 = lo + j * step;
            GroundQuad(m, x0, x0 + step, z0, z0 + step, (i + j) % 2 == 0 ? light : dark);
        }
    // Apron: west, east, south and north strips (the keep stands on the north one).
    const double out = 60, north = 600;
    const struct {
        double x0, x1, z0, z1;
    } strips[] = {{lo - out, lo, lo - out, north},
                  {hi, hi + out, lo - out, north},
                  {lo, hi, lo - out, lo},
                  {lo, hi, hi, north}};
    for (const auto& s : strips) {
        const int nx = static_cast<int>(std::ceil((s.x1 - s.x0) / 85));
        const int nz = static_cast<int>(std::ceil((s.z1 - s.z0) / 85));
        for (int i = 0; i < nx; ++i)
            for (int j = 0; j < nz; ++j) {
                const double x0 = s.x0 + (s.x1 - s.x0) * i / nx;
                const double x1 = s.x0 + (s.x1 - s.x0) * (i + 1) / nx;
                const double z0 = s.z0 + (s.z1 - s.z0) * j / nz;
                const double z1 = s.z0 + (s.z1 - s.z0) * (j + 1) / nz;
                GroundQuad(m, x0, x1, z0, z1, apron);
            }
    }
    return m;
}

GroundRect GateRect() {
    const GroundRect first = WallCellRect(GateFirstColumn, GateRow);
    const GroundRect last = WallCellRect(GateLastColumn, GateRow);
    return {first.x0, last.x1, first.z0, first.z1};
}

// The door on the gate strip: two amber leaves with dark bands and a red lock light.
Mesh Door() {
    Mesh m;
    const int leaf = m.AddMaterial(Matte(0.95, 0.7, 0.1));
    const int band = m.AddMaterial(Matte(0.2, 0.18, 0.15));
    const int lamp = m.AddMaterial(Matte(1.0, 0.15, 0.1, 0.9));
    const GroundRect g = GateRect();
    const double mid = (g.x0 + g.x1) / 2, z0 = g.z0 + 0.6, z1 = g.z1 - 0.6;
    AddBox(m, Xform{}, {g.x0, 0, z0}, {mid - 0.15, WallTop - 0.3, z1}, leaf);
    AddBox(m, Xform{}, {mid + 0.15, 0, z0}, {g.x1, WallTop - 0.3, z1}, leaf);
    AddBox(m, Xform{}, {mid - 0.15, 0, z0 + 0.2}, {mid + 0.15, WallTop - 0.3, z1 - 0.2}, band);
    AddBox(m, Xform{}, {g.x0, WallTop - 0.6, g.z0 + 0.2}, {g.x1, WallTop, g.z1 - 0.2}, band);
    for (double y : {1.0, 7.4}) {
        AddBox(m, Xform{}, {g.x0, y, z0 - 0.2}, {g.x1, y + 0.8, z0}, band);
        AddBox(m, Xform{}, {g.x0, y, z1}, {g.x1, y + 0.8, z1 + 0.2}, band);
    }
    AddBox(m, Xform{}, {mid - 1.6, 4.3, z0 - 0.3}, {mid + 1.6, 5.5, z1 + 0.3}, lamp);
    return m;
}

// The gate line: glowing red beams across the strip on both sides of the door.
Mesh GateLine() {
    Mesh m;
    const int beam = m.AddMaterial(Matte(1.0, 0.1, 0.1, 1.0));
    const GroundRect g = GateRect();
    for (double y : {1.5, 3.5, 5.5, 7.5}) {
        AddBox(m, Xform{}, {g.x0, y, g.z0 - 0.6}, {g.x1, y + 0.3, g.z0 - 0.35}, beam);
        AddBox(m, Xform{}, {g.x0, y, g.z1 + 0.35}, {g.x1, y + 0.3, g.z1 + 0.6}, beam);
    }
    return m;
}

} // namespace

void AddArenaModels(std::vector<ModelFile>& out) {
    out.push_back({"tobira.x", {WallScaleXZ, 0.08, WallScaleXZ}, {}, Grille()});
    out.push_back({"keep.x", {0.07, 0.07, 0.07}, {-3, 0.15, -15}, Keep()});
    out.push_back({"gnd.x", {WallScaleXZ, 0.07, WallScaleXZ}, {}, Ground(17)});
    out.push_back({"gnd2.x", {WallScaleXZ, 0.07, WallScaleXZ}, {}, Ground(34)});
    out.push_back({"door.x", WallScale, {}, Door()});
    out.push_back({"unk.x", WallScale, {}, GateLine()});
}

} // namespace assetgen
