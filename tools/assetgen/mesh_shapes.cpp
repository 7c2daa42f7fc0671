#include "tools/assetgen/mesh_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

Vec3 Centroid(const std::vector<Vec3>& points) {
    Vec3 sum;
    for (const Vec3& p : points) sum = sum + p;
    return sum * (1.0 / static_cast<double>(points.size()));
}

bool Same(Vec3 a, Vec3 b) {
    const Vec3 d = a - b;
    return Dot(d, d) < 1e-12;
}

// Drops repeated corners (a quad next to a tip becomes a triangle).
std::vector<Vec3> Distinct(const std::vector<Vec3>& points) {
    std::vector<Vec3> out;
    for (const Vec3& p : points)
        if (out.empty() || !Same(out.back(), p)) out.push_back(p);
    while (out.size() > 1 && Same(out.front(), out.back())) out.pop_back();
    return out;
}

std::vector<Vec3> Circle(const Xform& x, double z, double r, int sides) {
    std::vector<Vec3> ring;
    for (int i = 0; i < sides; ++i) {
        const double a = 2 * std::numbers::pi * i / sides;
        ring.push_back(x.Apply({r * std::cos(a), r * std::sin(a), z}));
    }
    return ring;
}

} // namespace

Vec3 Xform::Apply(Vec3 p) const {
    return ApplyDirection(p) + t;
}

Vec3 Xform::ApplyDirection(Vec3 d) const {
    return {m[0][0] * d.x + m[0][1] * d.y + m[0][2] * d.z,
            m[1][0] * d.x + m[1][1] * d.y + m[1][2] * d.z,
            m[2][0] * d.x + m[2][1] * d.y + m[2][2] * d.z};
}

Xform Xform::operator*(const Xform& inner) const {
    Xform out;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            out.m[i][j] = 0;
            for (int k = 0; k < 3; ++k) out.m[i][j] += m[i][k] * inner.m[k][j];
        }
    out.t = Apply(inner.t);
    return out;
}

Xform Move(double x, double y, double z) {
    Xform out;
    out.t = {x, y, z};
    return out;
}

Xform Scaling(double sx, double sy, double sz) {
    Xform out;
    out.m[0][0] = sx;
    out.m[1][1] = sy;
    out.m[2][2] = sz;
    return out;
}

Xform TurnX(double a) {
    Xform out;
    out.m[1][1] = std::cos(a);
    out.m[1][2] = -std::sin(a);
    out.m[2][1] = std::sin(a);
    out.m[2][2] = std::cos(a);
    return out;
}

Xform TurnY(double a) {
    Xform out;
    out.m[0][0] = std::cos(a);
    out.m[0][2] = std::sin(a);
    out.m[2][0] = -std::sin(a);
    out.m[2][2] = std::cos(a);
    return out;
}

Xform TurnZ(double a) {
    Xform out;
    out.m[0][0] = std::cos(a);
    out.m[0][1] = -std::sin(a);
    out.m[1][0] = std::sin(a);
    out.m[1][1] = std::cos(a);
    return out;
}

Xform Along(Vec3 a, Vec3 b) {
    const Vec3 z = Normalized(b - a);
    Vec3 up{0, 1, 0};
    if (std::fabs(Dot(up, z)) > 0.95) up = {0, 0, 1};
    const Vec3 x = Normalized(Cross(up, z));
    const Vec3 y = Cross(z, x);
    Xform out;
    out.m[0][0] = x.x, out.m[1][0] = x.y, out.m[2][0] = x.z;
    out.m[0][1] = y.x, out.m[1][1] = y.y, out.m[2][1] = y.z;
    out.m[0][2] = z.x, out.m[1][2] = z.y, out.m[2][2] = z.z;
    out.t = a;
    return out;
}

void AddLoft(Mesh& mesh, const std::vector<std::vector<Vec3>>& rings, int material, bool cap_first,
             bool cap_last) {
    for (size_t k = 0; k + 1 < rings.size(); ++k) {
        const std::vector<Vec3>& a = rings[k];
        const std::vector<Vec3>& b = rings[k + 1];
        const Vec3 axis = (Centroid(a) + Centroid(b)) * 0.5;
        for (size_t i = 0; i < a.size(); ++i) {
            const size_t j = (i + 1) % a.size();
            const std::vector<Vec3> quad = Distinct({a[i], a[j], b[j], b[i]});
            if (quad.size() < 3) continue;
            mesh.AddPolygon(quad, material, Centroid(quad) - axis);
        }
    }
    if (cap_first) {
        const std::vector<Vec3> cap = Distinct(rings.front());
        if (cap.size() >= 3) mesh.AddPolygon(cap, material, Centroid(cap) - Centroid(rings[1]));
    }
    if (cap_last) {
        const std::vector<Vec3> cap = Distinct(rings.back());
        if (cap.size() >= 3)
            mesh.AddPolygon(cap, material, Centroid(cap) - Centroid(rings[rings.size() - 2]));
    }
}

void AddBox(Mesh& mesh, const Xform& x, Vec3 lo, Vec3 hi, int material) {
    AddSlab(mesh, x, lo.y, {lo.x, hi.x, lo.z, hi.z}, hi.y, {lo.x, hi.x, lo.z, hi.z}, material);
}

void AddSlab(Mesh& mesh, const Xform& x, double y0, Rect b, double y1, Rect t, int material) {
    const std::vector<Vec3> bottom = {x.Apply({b.x0, y0, b.z0}), x.Apply({b.x1, y0, b.z0}),
                                      x.Apply({b.x1, y0, b.z1}), x.Apply({b.x0, y0, b.z1})};
    const std::vector<Vec3> top = {x.Apply({t.x0, y1, t.z0}), x.Apply({t.x1, y1, t.z0}),
                                   x.Apply({t.x1, y1, t.z1}), x.Apply({t.x0, y1, t.z1})};
    AddLoft(mesh, {bottom, top}, material);
}

void AddLathe(Mesh& mesh, const Xform& x, const std::vector<Vec2>& profile, int sides,
              int material) {
    std::vector<std::vector<Vec3>> rings;
    for (const Vec2& p : profile) rings.push_back(Circle(x, p.u, p.v, sides));
    AddLoft(mesh, rings, material);
}

void AddTube(Mesh& mesh, const Xform& x, double r0, double r1, double length, int sides,
             int material) {
    AddLathe(mesh, x, {{0, r0}, {length, r1}}, sides, material);
}

void AddBall(Mesh& mesh, const Xform& x, double r, int rings, int sides, int material) {
    std::vector<Vec2> profile;
    for (int i = 0; i <= rings; ++i) {
        const double a = std::numbers::pi * i / rings;
        profile.push_back({-r * std::cos(a), r * std::sin(a)});
    }
    AddLathe(mesh, x, profile, sides, material);
}

void AddExtrusion(Mesh& mesh, const Xform& x, const std::vector<Vec2>& outline, Vec2 centre,
                  double depth, int material) {
    const double h = depth / 2;
    const size_t n = outline.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec2 a = outline[i];
        const Vec2 b = outline[(i + 1) % n];
        const Vec3 mid = x.Apply({(a.u + b.u) / 2, (a.v + b.v) / 2, 0});
        const Vec3 c = x.Apply({centre.u, centre.v, 0});
        mesh.AddPolygon({x.Apply({a.u, a.v, -h}), x.Apply({b.u, b.v, -h}), x.Apply({b.u, b.v, h}),
                         x.Apply({a.u, a.v, h})},
                        material, mid - c);
        const Vec3 front = x.ApplyDirection({0, 0, 1});
        mesh.AddPolygon(
            {x.Apply({centre.u, centre.v, h}), x.Apply({a.u, a.v, h}), x.Apply({b.u, b.v, h})},
            material, front);
        mesh.AddPolygon(
            {x.Apply({centre.u, centre.v, -h}), x.Apply({a.u, a.v, -h}), x.Apply({b.u, b.v, -h})},
            material, front * -1.0);
    }
}

void AddTorus(Mesh& mesh, const Xform& x, double radius, double tube, int segments, int tube_sides,
              int material) {
    for (int i = 0; i < segments; ++i)
        for (int j = 0; j < tube_sides; ++j) {
            auto at = [&](int si, int tj) {
                const double a = 2 * std::numbers::pi * si / segments;
                const double b = 2 * std::numbers::pi * tj / tube_sides;
                const double r = radius + tube * std::cos(b);
                return x.Apply({r * std::cos(a), r * std::sin(a), tube * std::sin(b)});
            };
            const double a = 2 * std::numbers::pi * (i + 0.5) / segments;
            const Vec3 core = x.Apply({radius * std::cos(a), radius * std::sin(a), 0});
            const std::vector<Vec3> quad = {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)};
            mesh.AddPolygon(quad, material, Centroid(quad) - core);
        }
}

void AddTwoSidedQuad(Mesh& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, int material, Vec2 ta, Vec2 tb,
                     Vec2 tc, Vec2 td) {
    const Vec3 n = Cross(b - a, c - a);
    mesh.AddPolygon({a, b, c, d}, material, n, {ta, tb, tc, td});
    mesh.AddPolygon({a, b, c, d}, material, n * -1.0, {ta, tb, tc, td});
}

Mesh MirroredX(const Mesh& mesh) {
    Mesh out = mesh;
    for (Vec3& p : out.positions) p.x = -p.x;
    for (Vec3& n : out.normals) n.x = -n.x;
    // Mirroring turns clockwise faces counter-clockwise: reverse each face's order.
    for (Face& f : out.faces) std::reverse(f.vertices.begin(), f.vertices.end());
    return out;
}

std::vector<Vec2> HeartOutline(double size, int points) {
    std::vector<Vec2> out;
    for (int i = 0; i < points; ++i) {
        const double t = 2 * std::numbers::pi * i / points;
        const double x = 16 * std::pow(std::sin(t), 3);
        const double y =
            13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        out.push_back({x * size / 32, y * size / 32});
    }
    return out;
}

} // namespace assetgen
