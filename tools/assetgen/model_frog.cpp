// Special2: the frog-like robot. Same joints as the normal robot at the Special2 offsets;
// round green body, big eyes, webbed hands and feet.
#include <cmath>
#include <numbers>

#include "tools/assetgen/mesh_shapes.h"
#include "tools/assetgen/model_catalog.h"

namespace assetgen {
namespace {

constexpr double RobotScale = 0.0022;

struct FrogColours {
    Material skin = Matte(0.30, 0.72, 0.25);
    Material dark = Matte(0.16, 0.42, 0.14);
    Material belly = Matte(0.93, 0.92, 0.62);
    Material eye = Matte(0.98, 0.98, 0.95);
    Material pupil = Matte(0.05, 0.05, 0.05);
    Material mouth = Matte(0.55, 0.12, 0.15);
    Material gun = Matte(0.95, 0.55, 0.15);
};

ModelFile Part(const char* name, Mesh mesh) {
    return {name, {RobotScale, RobotScale, RobotScale}, {}, std::move(mesh)};
}

Mesh FrogBody(const FrogColours& c) {
    Mesh m;
    const int skin = m.AddMaterial(c.skin), belly = m.AddMaterial(c.belly);
    const int dark = m.AddMaterial(c.dark);
    AddBall(m, Move(0, -0.3, 0) * Scaling(1.05, 1.2, 0.95), 1.0, 5, 10, skin);
    AddBall(m, Move(0, -0.45, 0.35) * Scaling(1.0, 1.1, 0.6), 0.75, 4, 8, belly);
    for (double x : {-0.45, 0.45}) AddBall(m, Move(x, 0.35, -0.75), 0.22, 2, 6, dark);
    return m;
}

Mesh FrogHead(const FrogColours& c) {
    Mesh m;
    const int skin = m.AddMaterial(c.skin), eye = m.AddMaterial(c.eye);
    const int pupil = m.AddMaterial(c.pupil), mouth = m.AddMaterial(c.mouth);
    AddBall(m, Move(0, 0.3, 0.1) * Scaling(1.3, 0.55, 1.0), 0.6, 4, 10, skin);
    for (double x : {-0.42, 0.42}) {
        AddBall(m, Move(x, 0.62, 0.2), 0.26, 3, 8, skin);
        AddBall(m, Move(x, 0.66, 0.3), 0.21, 3, 8, eye);
        AddBall(m, Move(x * 1.05, 0.7, 0.47), 0.1, 2, 6, pupil);
    }
    AddSlab(m, Xform{}, 0.15, {-0.5, 0.5, 0.55, 0.68}, 0.22, {-0.55, 0.55, 0.55, 0.7}, mouth);
    return m;
}

Mesh FrogUpperArm(const FrogColours& c, Vec3 elbow) {
    Mesh m;
    const int skin = m.AddMaterial(c.skin), dark = m.AddMaterial(c.dark);
    AddBall(m, Xform{}, 0.32, 3, 8, skin);
    AddTube(m, Along({0, 0, 0}, elbow), 0.2, 0.17, std::sqrt(Dot(elbow, elbow)), 6, skin);
    AddBall(m, Move(elbow.x, elbow.y, elbow.z), 0.2, 3, 6, dark);
    return m;
}

Mesh WebbedHand(const FrogColours& c, const Xform& at) {
    Mesh m;
    const int skin = m.AddMaterial(c.skin);
    for (double a : {-0.5, 0.0, 0.5}) AddTube(m, at * TurnY(a), 0.09, 0.05, 0.45, 4, skin);
    AddBall(m, at, 0.2, 2, 6, skin);
    return m;
}

// Right forearm with a bubble gun; the muzzle is at (-0.7, 0, 3.6) as on every robot.
Mesh FrogGunArm(const FrogColours& c) {
    Mesh m;
    const int skin = m.AddMaterial(c.skin), gun = m.AddMaterial(c.gun);
    const int dark = m.AddMaterial(c.dark);
    AddTube(m, Xform{}, 0.19, 0.16, 1.5, 6, skin);
    m.Append(WebbedHand(c, Move(0, 0, 1.5)));
    AddBall(m, Move(-0.7, -0.05, 1.6) * Scaling(0.8, 0.8, 1.3), 0.45, 3, 8, gun);
    AddTube(m, Move(-0.7, 0, 2.1), 0.16, 0.12, 1.5, 6, dark);
    AddBox(m, Xform{}, {-0.55, -0.12, 1.4}, {-0.1, 0.08, 1.7}, dark);
    return m;
}

// Left forearm along its -y, a lily-pad shield and the missile pod at (-1, -3, 0).
Mesh FrogLauncherArm(const FrogColours& c) {
    Mesh m;
    const int skin = m.AddMaterial(c.skin), dark = m.AddMaterial(c.dark);
    const int gun = m.AddMaterial(c.gun);
    AddTube(m, Along({0, 0, 0}, {0, -2.6, 0}), 0.2, 0.17, 2.6, 6, skin);
    AddLathe(m, Move(0, -1.4, 0.3), {{0, 1.0}, {0.12, 0.95}}, 9, dark);
    AddBox(m, Xform{}, {-1.3, -3.35, -0.45}, {-0.65, -2.1, 0.5}, gun);
    m.Append(WebbedHand(c, Move(0, -2.7, 0) * TurnX(std::numbers::pi / 2)));
    return m;
}

// Thigh from the hip out to the knee at (side 0.5, -1.5, -0.25).
Mesh FrogThigh(const FrogColours& c, double side) {
    Mesh m;
    const int skin = m.AddMaterial(c.skin), dark = m.AddMaterial(c.dark);
    const Vec3 knee{0.5 * side, -1.5, -0.25};
    AddBall(m, Xform{}, 0.42, 3, 8, skin);
    AddTube(m, Along({0, 0, 0}, knee), 0.42, 0.3, std::sqrt(Dot(knee, knee)), 8, skin);
    AddBall(m, Move(knee.x, knee.y, knee.z), 0.3, 3, 6, dark);
    return m;
}

// Lower leg from the knee down 3.1 to the ground, ending in a wide webbed foot.
Mesh FrogShin(const FrogColours& c) {
    Mesh m;
    const int skin = m.AddMaterial(c.skin), dark = m.AddMaterial(c.dark);
    AddTube(m, Along({0, 0, 0}, {0, -2.85, 0.1}), 0.3, 0.18, 2.85, 6, skin);
    AddSlab(m, Xform{}, -3.1, {-0.65, 0.65, -0.4, 1.5}, -2.9, {-0.3, 0.3, -0.3, 0.8}, dark);
    for (double x : {-0.55, 0.0, 0.55}) AddBall(m, Move(x, -3.0, 1.5), 0.12, 2, 5, skin);
    return m;
}

} // namespace

void AddFrogModels(std::vector<ModelFile>& out) {
    const FrogColours c;
    out.push_back(Part("kb.x", FrogBody(c)));
    out.push_back(Part("kh.x", FrogHead(c)));
    out.push_back(Part("kar.x", FrogUpperArm(c, {0.63, -0.7, 0.4})));
    out.push_back(Part("kal.x", FrogUpperArm(c, {-0.75, -0.6, 0})));
    out.push_back(Part("kar2.x", FrogGunArm(c)));
    out.push_back(Part("kal2.x", FrogLauncherArm(c)));
    out.push_back(Part("kmr.x", FrogThigh(c, 1)));
    out.push_back(Part("kml.x", FrogThigh(c, -1)));
    out.push_back(Part("ksr.x", FrogShin(c)));
    out.push_back(Part("ksl.x", MirroredX(FrogShin(c))));
}

} // namespace assetgen
