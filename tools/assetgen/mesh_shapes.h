// Low-poly solids the models are built from. Every shape is placed by an affine transform
// and added to a mesh as flat faces that look outward.
#pragma once

#include <vector>

#include "tools/assetgen/mesh_model.h"

namespace assetgen {

// p' = m * p + t
struct Xform {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 t;

    Vec3 Apply(Vec3 p) const;
    Vec3 ApplyDirection(Vec3 d) const;
    Xform operator*(const Xform& inner) const; // this after inner
};
Xform Move(double x, double y, double z);
Xform Scaling(double sx, double sy, double sz);
Xform TurnX(double radians); // turns +y toward +z
Xform TurnY(double radians); // turns +z toward +x
Xform TurnZ(double radians); // turns +x toward +y
// Takes the +z axis onto the segment from a to b (the frame's x stays horizontal where it can).
Xform Along(Vec3 a, Vec3 b);

// Rings of points joined by quads; caps close the first and the last ring. Rings all have
// the same number of points; a ring may shrink to one repeated point (a tip).
void AddLoft(Mesh& mesh, const std::vector<std::vector<Vec3>>& rings, int material,
             bool cap_first = true, bool cap_last = true);

// Axis-aligned box from lo to hi, then placed by x.
void AddBox(Mesh& mesh, const Xform& x, Vec3 lo, Vec3 hi, int material);
// A box whose top (at y1) and bottom (at y0) rectangles differ: limbs, hulls, feet.
// Each rectangle is given by its x range and z range.
struct Rect {
    double x0, x1, z0, z1;
};
void AddSlab(Mesh& mesh, const Xform& x, double y0, Rect bottom, double y1, Rect top, int material);
// Solid of revolution about the local z axis: profile points (z, radius), n sides.
void AddLathe(Mesh& mesh, const Xform& x, const std::vector<Vec2>& profile, int sides,
              int material);
// Cylinder (or cone when r1 = 0) along local z from 0 to length.
void AddTube(Mesh& mesh, const Xform& x, double r0, double r1, double length, int sides,
             int material);
// Ball of radius r made of `rings` bands and `sides` sides.
void AddBall(Mesh& mesh, const Xform& x, double r, int rings, int sides, int material);
// A flat outline in the x-y plane (star-shaped about its first point's centre), extruded
// from z = -depth/2 to +depth/2; the front and back are fans from the centre.
// A heart's outline, size across, as a closed loop of points.
std::vector<Vec2> HeartOutline(double size, int points);

void AddExtrusion(Mesh& mesh, const Xform& x, const std::vector<Vec2>& outline, Vec2 centre,
                  double depth, int material);
// A ring (torus) about the local z axis.
void AddTorus(Mesh& mesh, const Xform& x, double radius, double tube, int segments, int tube_sides,
              int material);
// A quad seen from both sides, with texture coordinates (u, v) at its four corners.
void AddTwoSidedQuad(Mesh& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, int material, Vec2 ta = {0, 0},
                     Vec2 tb = {1, 0}, Vec2 tc = {1, 1}, Vec2 td = {0, 1});

// Mirror of a mesh in x (left parts from right ones), faces kept looking outward.
Mesh MirroredX(const Mesh& mesh);

} // namespace assetgen
