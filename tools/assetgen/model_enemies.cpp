// The enemies: the zako (floator.x), the G-walker's six parts and the boss's four parts.
#include <cmath>
#include <numbers>

#include "tools/assetgen/mesh_shapes.h"
#include "tools/assetgen/model_catalog.h"

namespace assetgen {
namespace {

const Xform Upright = TurnX(-std::numbers::pi / 2); // a lathe's axis turned to +y

// Zako: a red saucer about 5 across with a yellow eye looking ahead; its gun hangs below
// the centre, where its shots start (0, -0.8, 0).
Mesh Zako() {
    Mesh m;
    const int hull = m.AddMaterial(Matte(0.88, 0.24, 0.14));
    const int rim = m.AddMaterial(Matte(0.35, 0.12, 0.10));
    const int dome = m.AddMaterial(Matte(0.20, 0.55, 0.70, 0.15));
    const int eye = m.AddMaterial(Matte(1.0, 0.85, 0.15, 0.9));
    AddLathe(m, Upright, {{-0.7, 0}, {-0.6, 1.0}, {-0.2, 2.5}, {0.1, 2.5}, {0.35, 1.5}}, 12, hull);
    AddLathe(m, Upright, {{-0.12, 2.56}, {0.05, 2.56}}, 12, rim);
    AddLathe(m, Upright, {{0.3, 1.3}, {0.7, 1.0}, {1.0, 0.5}, {1.1, 0}}, 8, dome);
    AddBall(m, Move(0, -0.05, 2.2), 0.42, 3, 8, eye);
    AddTube(m, Move(0, -0.8, -0.3), 0.15, 0.12, 1.1, 6, rim);
    for (double a : {2.3, std::numbers::pi, 3.98}) // three fins at the back
        AddSlab(m, TurnY(a), 0, {-0.06, 0.06, 1.8, 2.6}, 0.9, {-0.03, 0.03, 2.2, 2.4}, rim);
    return m;
}

struct WalkerColours {
    Material body = Matte(0.46, 0.53, 0.24);
    Material light = Matte(0.62, 0.67, 0.36);
    Material dark = Matte(0.22, 0.25, 0.14);
    Material visor = Matte(1.0, 0.25, 0.15, 0.8);
};

// Hips; the legs hang at (+-1, -1.5, -0.3).
Mesh WalkerBody(const WalkerColours& c) {
    Mesh m;
    const int body = m.AddMaterial(c.body), dark = m.AddMaterial(c.dark);
    AddSlab(m, Xform{}, -1.9, {-0.9, 0.9, -1.0, 0.9}, 0.3, {-1.2, 1.2, -1.2, 1.1}, body);
    for (double x : {-1.0, 1.0})
        AddBox(m, Xform{}, {x - 0.3, -1.85, -0.65}, {x + 0.3, -1.15, 0.05}, dark);
    AddTube(m, Move(0, -0.6, -1.2) * TurnY(std::numbers::pi), 0.35, 0.3, 0.6, 6, dark);
    return m;
}

// Cockpit on the hips with a gun on each side; shots leave at (+-1, 1, 0).
Mesh WalkerHead(const WalkerColours& c) {
    Mesh m;
    const int light = m.AddMaterial(c.light), dark = m.AddMaterial(c.dark);
    const int visor = m.AddMaterial(c.visor);
    AddSlab(m, Xform{}, 0.3, {-0.95, 0.95, -1.4, 1.4}, 2.2, {-0.7, 0.7, -1.0, 0.9}, light);
    AddSlab(m, Xform{}, 1.15, {-0.6, 0.6, 1.2, 1.34}, 1.7, {-0.5, 0.5, 1.05, 1.18}, visor);
    for (double x : {-1.0, 1.0}) {
        AddBox(m, Xform{}, {x - 0.28, 0.7, -1.1}, {x + 0.28, 1.3, 0.3}, dark);
        AddTube(m, Move(x, 1.0, 0.3), 0.15, 0.15, 1.0, 6, dark);
    }
    AddTube(m, Move(0.5, 2.1, -0.6) * TurnX(-std::numbers::pi / 2), 0.04, 0.03, 0.9, 4, dark);
    return m;
}

// Upper leg from the hip to the knee at (side 0.9, -3.3, -0.4).
Mesh WalkerThigh(const WalkerColours& c, double side) {
    Mesh m;
    const int body = m.AddMaterial(c.body), dark = m.AddMaterial(c.dark);
    const Vec3 knee{0.9 * side, -3.3, -0.4};
    AddBall(m, Xform{}, 0.4, 3, 6, dark);
    AddTube(m, Along({0, 0, 0}, knee), 0.42, 0.32, std::sqrt(Dot(knee, knee)), 6, body);
    AddBox(m, Along({0, -0.4, 0.1}, knee), {-0.3, 0.1, 0.0}, {0.3, 0.5, 2.4}, body);
    AddBall(m, Move(knee.x, knee.y, knee.z), 0.42, 3, 6, dark);
    return m;
}

// Lower leg: from the knee down 1.1 to the ground at mid-stride, with a clawed foot.
Mesh WalkerShin(const WalkerColours& c) {
    Mesh m;
    const int body = m.AddMaterial(c.body), dark = m.AddMaterial(c.dark);
    AddBox(m, Xform{}, {-0.32, -0.85, -0.38}, {0.32, 0.0, 0.38}, body);
    AddSlab(m, Xform{}, -1.1, {-0.65, 0.65, -0.9, 1.4}, -0.8, {-0.5, 0.5, -0.6, 1.0}, dark);
    for (double x : {-0.45, 0.0, 0.45})
        AddSlab(m, Xform{}, -1.1, {x - 0.12, x + 0.12, 1.4, 2.0}, -0.9,
                {x - 0.06, x + 0.06, 1.4, 1.7}, dark);
    return m;
}

struct BossColours {
    Material hull = Matte(0.46, 0.19, 0.56);
    Material dark = Matte(0.19, 0.12, 0.23);
    Material eye = Matte(1.0, 0.15, 0.1, 0.9);
    Material claw = Matte(0.82, 0.12, 0.16);
    Material gun = Matte(0.42, 0.42, 0.47);
};

// Body: a walking fortress about 12 tall. Legs hang at (+-5, 4.8, -8.3), the striking arm at
// (9.6, 2.4, -1.5) on its right, the gun pod on its left firing from about (-10, 0, 6).
Mesh BossBody(const BossColours& c) {
    Mesh m;
    const int hull = m.AddMaterial(c.hull), dark = m.AddMaterial(c.dark);
    const int eye = m.AddMaterial(c.eye), gun = m.AddMaterial(c.gun);
    AddSlab(m, Xform{}, -2.5, {-7, 7, -11, 9}, 4.5, {-5.5, 5.5, -9.5, 6}, hull);
    AddSlab(m, Xform{}, -1.2, {-4, 4, 8.5, 12.5}, 3.4, {-3, 3, 8.5, 11}, hull);
    AddBox(m, Xform{}, {-3.05, 1.6, 10.9}, {3.05, 2.4, 11.9}, eye);
    for (double x : {-5.0, 5.0})
        AddBox(m, Xform{}, {x - 1.3, 3.5, -9.6}, {x + 1.3, 6.0, -7.0}, dark);
    AddBox(m, Xform{}, {7.0, 0.9, -3.0}, {9.8, 3.9, 0.2}, dark);
    AddBox(m, Xform{}, {-11.2, -2.8, -3.5}, {-7.0, 1.4, 4.8}, gun);
    AddTube(m, Move(-10, 0, 4.8), 0.5, 0.45, 2.4, 6, dark);
    AddTube(m, Move(-10, -2, 4.0), 0.45, 0.4, 3.2, 6, dark);
    AddTube(m, Move(-8.6, 0.6, 4.8), 0.35, 0.3, 1.6, 6, dark);
    AddSlab(m, Xform{}, 4.5, {-2.5, 2.5, -5, 1}, 6.2, {-1.5, 1.5, -4, 0}, dark);
    for (double z : {-7.0, -4.0, -1.0, 2.0})
        AddSlab(m, Xform{}, 4.4, {-0.5, 0.5, z - 0.8, z + 0.8}, 5.6, {-0.1, 0.1, z - 0.2, z + 0.4},
                dark);
    return m;
}

// Striking arm: a long claw reaching forward from its shoulder.
Mesh BossArm(const BossColours& c) {
    Mesh m;
    const int hull = m.AddMaterial(c.hull), claw = m.AddMaterial(c.claw);
    const int dark = m.AddMaterial(c.dark);
    AddBall(m, Xform{}, 1.5, 3, 8, dark);
    AddBox(m, Xform{}, {-1.0, -1.2, -0.5}, {1.0, 1.2, 9.0}, hull);
    AddBox(m, Xform{}, {-1.15, 0.4, 1.0}, {1.15, 1.35, 7.0}, dark);
    for (double y : {-0.55, 0.55})
        AddSlab(m, Move(0, y, 0) * TurnX(-std::numbers::pi / 2), -16.5, {-0.15, 0.15, -0.2, 0.2},
                -9.0, {-0.9, 0.9, -0.5, 0.5}, claw);
    return m;
}

// Leg from the hip 10.8 down to the ground, knee bent back, long toes forward.
Mesh BossLeg(const BossColours& c) {
    Mesh m;
    const int hull = m.AddMaterial(c.hull), dark = m.AddMaterial(c.dark);
    const int claw = m.AddMaterial(c.claw);
    AddBall(m, Xform{}, 1.6, 3, 8, dark);
    AddTube(m, Along({0, 0, 0}, {0, -5.5, -1.8}), 1.5, 1.1, 5.8, 6, hull);
    AddBall(m, Move(0, -5.5, -1.8), 1.2, 3, 6, dark);
    AddTube(m, Along({0, -5.5, -1.8}, {0, -9.8, 0.2}), 1.0, 0.8, 4.8, 6, hull);
    AddSlab(m, Xform{}, -10.8, {-2.2, 2.2, -2.8, 5.0}, -9.7, {-1.5, 1.5, -2.0, 2.5}, dark);
    for (double x : {-1.5, 0.0, 1.5})
        AddSlab(m, Xform{}, -10.8, {x - 0.35, x + 0.35, 5.0, 6.3}, -10.2,
                {x - 0.15, x + 0.15, 5.0, 5.6}, claw);
    return m;
}

} // namespace

void AddEnemyModels(std::vector<ModelFile>& out) {
    out.push_back({"floator.x", {0.005, 0.005, 0.005}, {}, Zako()});
    const WalkerColours w;
    const Vec3 walker{0.0033, 0.0033, 0.0033};
    out.push_back({"gbody.x", walker, {}, WalkerBody(w)});
    out.push_back({"GHead.x", walker, {}, WalkerHead(w)});
    out.push_back({"GFootR.x", walker, {}, WalkerThigh(w, 1)});
    out.push_back({"GFootL.x", walker, {}, WalkerThigh(w, -1)});
    out.push_back({"GFootR2.x", walker, {}, WalkerShin(w)});
    out.push_back({"GFootL2.x", walker, {}, MirroredX(WalkerShin(w))});
    const BossColours b;
    const Vec3 boss{0.015, 0.015, 0.015};
    out.push_back({"b1b.x", boss, {}, BossBody(b)});
    out.push_back({"b1a.x", boss, {}, BossArm(b)});
    out.push_back({"b1r.x", boss, {}, BossLeg(b)});
    out.push_back({"b1l.x", boss, {}, BossLeg(b)});
}

} // namespace assetgen
