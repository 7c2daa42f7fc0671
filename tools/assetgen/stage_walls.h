// Wall and pillar meshes of a stage (block<n>.x, hasira<n>.x).
//
// The game hangs them in the arena frame at y = -6 and scales them by (0.15, 0.1, 0.15), so
// a file unit is world/0.15 across and world/0.1 upward from the ground.
//
// The robot's map test reads the four pixels (col, row) to (col + 1, row + 1), so it reaches
// one pixel toward +x and one toward -z of the pixel it stands on: a wall pixel stops every
// robot centre within 7.5 units on its -x side and 2.5 units on its +x side (likewise 2.5
// below and 7.5 above in z). To put the visible face where the robot stops, the solid of a
// wall pixel is its 5 x 5 square moved half a pixel toward -x and +z; a robot's centre then
// stops 2.5 units, about its half width, in front of the face from every side.
#pragma once

#include "tools/assetgen/mesh_model.h"
#include "tools/assetgen/stage_layout.h"

namespace assetgen {

constexpr double WallScaleXZ = 0.15;
constexpr double WallScaleY = 0.1;
constexpr double ArenaY = -6.0;    // world height of the arena frame: the ground
constexpr double WallTopY = 4.0;   // world height of the wall tops
constexpr double PillarTopY = 6.5; // pillars stand out above the walls

// World rectangle of a wall pixel's solid.
struct GroundRect {
    double x0 = 0, x1 = 0, z0 = 0, z1 = 0;
};
GroundRect WallCellRect(int column, int row);

// Stage colours of the walls (sides, tops) and the tint of the pillars.
struct WallStyle {
    Rgb side;
    Rgb top;
    Rgb pillar;
};

// Runs of wall cells merged into long boxes; faces between walls, faces on the outside of
// the border, faces of pillar cells (their post draws them, in the same plane as the wall)
// and bottoms are left out.
Mesh BuildWallMesh(const StageLayout& layout, const WallStyle& style);
// One post on every pillar cell, its sides flush with the walls beside it.
Mesh BuildPillarMesh(const StageLayout& layout, const WallStyle& style);

} // namespace assetgen
