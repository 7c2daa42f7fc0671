// Shots, missiles, their flame, the ring and the explosion ball.
#include <cmath>
#include <numbers>

#include "tools/assetgen/mesh_shapes.h"
#include "tools/assetgen/model_catalog.h"

namespace assetgen {
namespace {

// The player's shot: a glowing orange bolt along its flight (+z).
Mesh Bolt() {
    Mesh m;
    const int glow = m.AddMaterial(Matte(1.0, 0.62, 0.12, 1.0));
    AddLathe(m, Xform{}, {{-0.9, 0}, {-0.25, 0.32}, {0.35, 0.32}, {0.9, 0}}, 6, glow);
    return m;
}

// Bonus modes' shot: a pink heart facing backward and forward.
Mesh HeartShot() {
    Mesh m;
    const int pink = m.AddMaterial(Matte(1.0, 0.32, 0.62, 0.9));
    AddExtrusion(m, Xform{}, HeartOutline(1.5, 20), {0, 0.05}, 0.4, pink);
    return m;
}

// Enemy shot: a cyan double pyramid.
Mesh EnemyShot() {
    Mesh m;
    const int glow = m.AddMaterial(Matte(0.25, 1.0, 0.95, 1.0));
    AddLathe(m, Xform{}, {{-0.8, 0}, {0, 0.5}, {0.8, 0}}, 4, glow);
    return m;
}

Mesh Ring() {
    Mesh m;
    const int gold = m.AddMaterial(Matte(0.95, 0.78, 0.2, 0.3));
    AddTorus(m, Xform{}, 1.2, 0.25, 12, 5, gold);
    return m;
}

// Missile, 1.8 long, nose toward +z; the flame trails behind z = -0.9.
Mesh Missile() {
    Mesh m;
    const int body = m.AddMaterial(Matte(0.92, 0.92, 0.9));
    const int nose = m.AddMaterial(Matte(0.9, 0.15, 0.1));
    const int fin = m.AddMaterial(Matte(0.3, 0.32, 0.36));
    AddLathe(m, Xform{}, {{-0.9, 0.13}, {-0.8, 0.18}, {0.45, 0.18}}, 8, body);
    AddLathe(m, Xform{}, {{0.45, 0.18}, {0.75, 0.11}, {0.9, 0}}, 8, nose);
    for (int i = 0; i < 4; ++i)
        AddBox(m, TurnZ(std::numbers::pi / 2 * i), {0.15, -0.025, -0.9}, {0.42, 0.025, -0.5}, fin);
    return m;
}

// Bonus modes' missile: an eggplant, fat end first, its green cap at the back.
Mesh Eggplant() {
    Mesh m;
    const int skin = m.AddMaterial(Matte(0.42, 0.12, 0.5, 0.1));
    const int cap = m.AddMaterial(Matte(0.25, 0.6, 0.2));
    AddLathe(m, Xform{},
             {{-0.75, 0.12}, {-0.45, 0.18}, {-0.05, 0.26}, {0.4, 0.32}, {0.75, 0.22}, {0.9, 0}}, 8,
             skin);
    AddLathe(m, Xform{}, {{-0.95, 0.0}, {-0.8, 0.22}, {-0.6, 0.1}}, 6, cap);
    AddTube(m, Move(0, 0, -0.95) * TurnY(std::numbers::pi), 0.05, 0.04, 0.3, 4, cap);
    return m;
}

// Exhaust flame: two crossed two-sided sheets behind the missile, textured fire.bmp.
Mesh Flame() {
    Mesh m;
    Material fire = Matte(1.0, 1.0, 1.0, 1.0);
    fire.texture = "fire.bmp";
    const int sheet = m.AddMaterial(fire);
    const double w = 0.38, z0 = -0.85, z1 = -2.7;
    AddTwoSidedQuad(m, {-w, 0, z0}, {w, 0, z0}, {w, 0, z1}, {-w, 0, z1}, sheet, {0, 0}, {1, 0},
                    {1, 1}, {0, 1});
    AddTwoSidedQuad(m, {0, -w, z0}, {0, w, z0}, {0, w, z1}, {0, -w, z1}, sheet, {0, 0}, {1, 0},
                    {1, 1}, {0, 1});
    return m;
}

// Explosion ball: radius 0.117 at scale 1, so 3.5 (a G-walker's size) at life 30.
Mesh Explosion() {
    Mesh m;
    const int core = m.AddMaterial(Matte(1.0, 0.75, 0.2, 1.0));
    const int flame = m.AddMaterial(Matte(1.0, 0.4, 0.05, 0.8));
    const double r = 0.1;
    AddBall(m, Xform{}, r, 4, 8, core);
    for (int i = 0; i < 8; ++i) {
        const double a = std::numbers::pi / 4 * i;
        const double up = (i % 2 == 0) ? 0.5 : -0.45;
        const Vec3 dir = Normalized({std::cos(a), up, std::sin(a)});
        AddTube(m, Along(dir * (0.6 * r), dir * (1.4 * r)), 0.45 * r, 0.0, 0.6 * r, 4, flame);
    }
    for (double y : {-1.0, 1.0})
        AddTube(m, Along({0, 0.6 * r * y, 0}, {0, 1.4 * r * y, 0}), 0.45 * r, 0.0, 0.6 * r, 4,
                flame);
    return m;
}

} // namespace

void AddShotModels(std::vector<ModelFile>& out) {
    const Vec3 shot{0.003, 0.003, 0.003};
    out.push_back({"tama.x", shot, {}, Bolt()});
    out.push_back({"hart.x", shot, {}, HeartShot()});
    out.push_back({"tekitama.x", shot, {}, EnemyShot()});
    out.push_back({"ring.x", shot, {}, Ring()});
    const Vec3 missile{0.0018, 0.0018, 0.0012};
    out.push_back({"miss.x", missile, {}, Missile()});
    out.push_back({"nasu.x", missile, {}, Eggplant()});
    out.push_back({"missfire.x", {0.0018, 0.0018, 0.0018}, {}, Flame()});
    out.push_back({"bomb.x", {0.1, 0.1, 0.1}, {}, Explosion()});
}

} // namespace assetgen
