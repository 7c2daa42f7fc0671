// The player's robot (normal and Special1 parts), its blade and the bonus wing. Part
// origins are the frame offsets the scene hangs them at; the feet reach the ground 6 units
// below the robot's frame, the head tops out about 1.6 above it.
#include <cmath>
#include <numbers>

#include "tools/assetgen/mesh_shapes.h"
#include "tools/assetgen/model_catalog.h"

namespace assetgen {
namespace {

constexpr double RobotScale = 0.0022;

struct RobotStyle {
    Material armour;
    Material accent;
    Material joint;
    Material trim;
    Material visor;
    Material gun;
};

RobotStyle NormalStyle() {
    return {Matte(0.88, 0.90, 0.93), Matte(0.16, 0.36, 0.86),      Matte(0.26, 0.28, 0.32),
            Matte(0.96, 0.76, 0.12), Matte(0.25, 0.95, 0.65, 0.7), Matte(0.32, 0.33, 0.37)};
}

// Special1: the same frame in white and pink, with hearts.
RobotStyle HeartStyle() {
    return {Matte(0.97, 0.92, 0.95), Matte(0.96, 0.38, 0.66),      Matte(0.45, 0.30, 0.42),
            Matte(1.00, 0.80, 0.90), Matte(1.00, 0.45, 0.75, 0.7), Matte(0.90, 0.45, 0.70)};
}

ModelFile Part(const char* name, Mesh mesh) {
    return {name, {RobotScale, RobotScale, RobotScale}, {}, std::move(mesh)};
}

Mesh Body(const RobotStyle& s, bool heart) {
    Mesh m;
    const int armour = m.AddMaterial(s.armour), accent = m.AddMaterial(s.accent);
    const int joint = m.AddMaterial(s.joint), trim = m.AddMaterial(s.trim);
    const Xform id;
    AddSlab(m, id, -0.2, {-0.85, 0.85, -0.45, 0.55}, 0.85, {-1.0, 1.0, -0.55, 0.7}, armour);
    if (heart)
        AddExtrusion(m, Move(0, 0.3, 0.72), HeartOutline(0.9, 16), {0, 0.05}, 0.12, accent);
    else
        AddBox(m, id, {-0.55, 0.05, 0.6}, {0.55, 0.6, 0.78}, accent);
    AddBox(m, id, {-0.35, 0.75, -0.1}, {0.35, 0.95, 0.45}, joint);
    AddSlab(m, id, -1.05, {-0.5, 0.5, -0.35, 0.4}, -0.2, {-0.7, 0.7, -0.4, 0.5}, joint);
    AddSlab(m, id, -1.55, {-0.45, 0.45, -0.35, 0.45}, -1.05, {-0.8, 0.8, -0.45, 0.5}, accent);
    AddBox(m, id, {-0.12, -1.45, 0.45}, {0.12, -1.1, 0.56}, trim);
    AddBox(m, id, {-0.6, -0.3, -1.0}, {0.6, 0.8, -0.5}, armour);
    for (double x : {-0.35, 0.35})
        AddTube(m, Along({x, -0.3, -0.8}, {x, -0.75, -0.85}), 0.16, 0.22, 0.45, 6, joint);
    return m;
}

Mesh Head(const RobotStyle& s) {
    Mesh m;
    const int armour = m.AddMaterial(s.armour), joint = m.AddMaterial(s.joint);
    const int visor = m.AddMaterial(s.visor), trim = m.AddMaterial(s.trim);
    const Xform id;
    AddBox(m, id, {-0.2, -0.1, -0.2}, {0.2, 0.15, 0.2}, joint);
    AddSlab(m, id, 0.1, {-0.42, 0.42, -0.45, 0.4}, 0.62, {-0.3, 0.3, -0.35, 0.3}, armour);
    AddBox(m, id, {-0.33, 0.28, 0.3}, {0.33, 0.46, 0.46}, visor);
    AddSlab(m, id, 0.55, {-0.05, 0.05, -0.15, 0.3}, 0.78, {-0.03, 0.03, -0.1, 0.05}, trim);
    for (double x : {-0.47, 0.42}) AddBox(m, id, {x, 0.2, -0.15}, {x + 0.05, 0.5, 0.15}, trim);
    return m;
}

// Right upper arm; the forearm hangs at (0.6, -0.7, 0.7).
Mesh UpperArm(const RobotStyle& s, Vec3 elbow) {
    Mesh m;
    const int armour = m.AddMaterial(s.armour), joint = m.AddMaterial(s.joint);
    const int accent = m.AddMaterial(s.accent);
    const double side = elbow.x > 0 ? 1 : -1;
    const double in = -0.1 * side, out = 0.75 * side;
    AddSlab(m, Xform{}, -0.2, {std::min(in, out), std::max(in, out), -0.45, 0.45}, 0.45,
            {std::min(0.0, 0.6 * side), std::max(0.0, 0.6 * side), -0.35, 0.35}, armour);
    AddBox(m, Xform{}, {std::min(0.1 * side, 0.55 * side), 0.45, -0.25},
           {std::max(0.1 * side, 0.55 * side), 0.52, 0.25}, accent);
    const Vec3 top{0.35 * side, -0.1, (elbow.z + 0.1) * 0.3};
    AddTube(m, Along(top, elbow), 0.22, 0.2, std::sqrt(Dot(elbow - top, elbow - top)), 6, joint);
    AddBall(m, Move(elbow.x, elbow.y, elbow.z), 0.26, 3, 6, joint);
    return m;
}

// Right forearm reaching forward; the gun's muzzle is at (-0.7, 0, 3.6).
Mesh GunArm(const RobotStyle& s, bool heart) {
    Mesh m;
    const int armour = m.AddMaterial(s.armour), joint = m.AddMaterial(s.joint);
    const int gun = m.AddMaterial(s.gun), accent = m.AddMaterial(s.accent);
    const Xform id;
    AddBox(m, id, {-0.3, -0.3, -0.2}, {0.3, 0.3, 1.5}, armour);
    AddBox(m, id, {-0.31, 0.12, 0.1}, {0.31, 0.31, 1.2}, accent);
    AddBox(m, id, {-0.25, -0.25, 1.5}, {0.25, 0.2, 1.9}, joint);
    AddBox(m, id, {-0.5, -0.2, 1.35}, {-0.2, 0.1, 1.8}, joint);
    AddBox(m, id, {-0.95, -0.3, 0.4}, {-0.45, 0.25, 2.9}, gun);
    AddBox(m, id, {-0.78, 0.25, 1.6}, {-0.62, 0.4, 2.2}, joint);
    AddTube(m, Move(-0.7, 0, 2.9), 0.14, 0.14, 0.7, 6, joint);
    if (heart)
        AddExtrusion(m, Move(-0.7, 0.05, 3.1), HeartOutline(0.75, 16), {0, 0.03}, 0.12, accent);
    return m;
}

// Left forearm: shield and missile pod hanging along its -y; missiles leave at (-1, -3, 0).
Mesh LauncherArm(const RobotStyle& s, bool heart) {
    Mesh m;
    const int armour = m.AddMaterial(s.armour), joint = m.AddMaterial(s.joint);
    const int accent = m.AddMaterial(s.accent), gun = m.AddMaterial(s.gun);
    const int trim = m.AddMaterial(s.trim);
    const Xform id;
    AddBox(m, id, {-0.35, -2.6, -0.35}, {0.35, 0.2, 0.35}, armour);
    AddSlab(m, id, -2.8, {-0.7, 0.4, 0.35, 0.5}, -0.2, {-0.55, 0.3, 0.35, 0.5}, accent);
    AddBox(m, id, {-0.3, -3.1, -0.3}, {0.3, -2.6, 0.3}, joint);
    AddBox(m, id, {-1.35, -3.35, -0.45}, {-0.6, -2.0, 0.55}, gun);
    for (double x : {-1.15, -0.8})
        for (double y : {-3.15, -2.75})
            AddBox(m, id, {x - 0.12, y - 0.12, 0.55}, {x + 0.12, y + 0.12, 0.63}, trim);
    if (heart)
        AddExtrusion(m, Move(-0.42, -1.3, 0) * TurnY(-std::numbers::pi / 2), HeartOutline(1.1, 16),
                     {0, 0.05}, 0.1, trim);
    return m;
}

Mesh Thigh(const RobotStyle& s, double side) {
    Mesh m;
    const int armour = m.AddMaterial(s.armour), joint = m.AddMaterial(s.joint);
    const double k = 0.25 * side;
    AddBall(m, Xform{}, 0.3, 3, 6, joint);
    AddSlab(m, Xform{}, -1.3, {k - 0.25, k + 0.25, -0.3, 0.3}, -0.1,
            {std::min(-0.25 * side, 0.35 * side), std::max(-0.25 * side, 0.35 * side), -0.4, 0.4},
            armour);
    AddBall(m, Move(k, -1.3, 0), 0.28, 3, 6, joint);
    return m;
}

// Lower leg from the knee to the ground, 3.3 below.
Mesh Shin(const RobotStyle& s) {
    Mesh m;
    const int armour = m.AddMaterial(s.armour), joint = m.AddMaterial(s.joint);
    const int accent = m.AddMaterial(s.accent);
    const Xform id;
    AddSlab(m, id, -2.7, {-0.3, 0.3, -0.35, 0.3}, -0.1, {-0.35, 0.35, -0.4, 0.45}, armour);
    AddBox(m, id, {-0.25, -0.6, 0.4}, {0.25, 0.1, 0.56}, accent);
    AddBox(m, id, {-0.22, -2.95, -0.25}, {0.22, -2.6, 0.25}, joint);
    AddSlab(m, id, -3.3, {-0.38, 0.38, -0.6, 1.1}, -2.95, {-0.32, 0.32, -0.45, 0.7}, accent);
    return m;
}

Mesh Blade() {
    Mesh m;
    const int hilt = m.AddMaterial(Matte(0.3, 0.3, 0.34));
    const int beam = m.AddMaterial(Matte(1.0, 0.55, 0.95, 1.0));
    const int core = m.AddMaterial(Matte(1.0, 0.95, 1.0, 1.0));
    AddBox(m, Xform{}, {-0.15, -0.15, 1.55}, {0.15, 0.15, 2.25}, hilt);
    AddTube(m, Move(0, 0, 2.25), 0.22, 0.1, 6.8, 6, beam);
    AddTube(m, Move(0, 0, 2.25), 0.1, 0.04, 7.0, 4, core);
    return m;
}

// One wing for both sides: it stands in the y-z plane, so it is the same seen from either.
Mesh Wing() {
    Mesh m;
    const int skin = m.AddMaterial(Matte(0.86, 0.96, 1.0, 0.2));
    const int vein = m.AddMaterial(Matte(0.45, 0.75, 0.95));
    const std::vector<Vec2> outline = {{0, 0},      {0.3, 0.8},  {0.85, 1.35}, {1.6, 1.6},
                                       {2.0, 1.25}, {1.9, 0.65}, {1.4, 0.15},  {0.7, -0.2}};
    const Xform plane = TurnY(std::numbers::pi / 2); // outline u runs backward (-z)
    AddExtrusion(m, plane, outline, {0.9, 0.6}, 0.08, skin);
    AddTube(m, Along({0, 0, 0}, {0, 1.45, -1.7}), 0.06, 0.035, 2.2, 4, vein);
    return m;
}

} // namespace

void AddRobotModels(std::vector<ModelFile>& out) {
    const RobotStyle normal = NormalStyle();
    const RobotStyle heart = HeartStyle();
    out.push_back(Part("body.x", Body(normal, false)));
    out.push_back(Part("bodyh.x", Body(heart, true)));
    out.push_back(Part("head.x", Head(normal)));
    out.push_back(Part("armR1.x", UpperArm(normal, {0.6, -0.7, 0.7})));
    out.push_back(Part("armL1.x", UpperArm(normal, {-0.8, -0.8, -0.2})));
    out.push_back(Part("armR2b.x", GunArm(normal, false)));
    out.push_back(Part("ar2h.x", GunArm(heart, true)));
    out.push_back(Part("armL2b.x", LauncherArm(normal, false)));
    out.push_back(Part("al2h.x", LauncherArm(heart, true)));
    out.push_back(Part("momoR.x", Thigh(normal, 1)));
    out.push_back(Part("momoL.x", Thigh(normal, -1)));
    out.push_back(Part("asiR.x", Shin(normal)));
    out.push_back(Part("asiL.x", MirroredX(Shin(normal))));
    out.push_back(Part("blade.x", Blade()));
    out.push_back(Part("kerowin.x", Wing()));
}

} // namespace assetgen
