// Tama_Shot: the player's shots and missiles. Every projectile in flight moves 4 units along
// its own heading and ends at a wall; then the gun (button 1) and the missile salvo
// (buttons 1 + 2 with a full gauge) fire new ones while the robot and the boss both live.
#include <array>

#include "game/context.h"
#include "game/map_square.h"
#include "game/waves.h"
#include "player/player.h"
#include "scene/projectiles.h"
#include "scene/scene.h"

namespace {

constexpr float Speed = 4.0f;
constexpr double ArenaEdge = -40.0;
constexpr int ShotCost = 1000;
constexpr int MissileCost = 1000;
constexpr int MissilesPerLaunch = 2; // stock used by each missile
// Automatic fire: the counter runs 0..12 and a shot leaves when it becomes 1.
constexpr int ShotTimerTop = 12;
constexpr int WallExplosionLife = 8;
// Side values of the six launch attempts: the fan opens right, then left.
constexpr std::array<float, 6> FanSides = {1, 3, 5, -1, -3, -5};

bool MeetsWall(const World& w, const rm::Vector& p) {
    if (p.x < ArenaEdge || p.z < ArenaEdge) return true;
    const MapSquare square = ReadMapSquare(w.Wall_Image, p.x, p.z);
    return square.Any(map_colour::Wall) || square.Any(map_colour::Gate);
}

// Moves one projectile; at a wall it explodes at its last place before the wall and ends.
void Fly(const GameContext& game, TParts& projectile, const rm::LightPtr& light) {
    const rm::FramePtr& root = game.scene;
    const rm::Vector prev = projectile.Frame->GetPosition(root);
    projectile.Frame->SetPosition(projectile.Frame, 0, 0, Speed);
    const rm::Vector p = projectile.Frame->GetPosition(root);
    if (!MeetsWall(game.world, p)) return;
    StartExplosion(game, prev.x, prev.z, WallExplosionLife);
    ParkProjectile(game, projectile, light);
}

void FlyAll(const GameContext& game) {
    World& w = game.world;
    for (size_t i = 0; i < w.Tama.size(); ++i)
        if (w.Tama[i].Life != 0) Fly(game, w.Tama[i], LightForSlot(w.Light_Mode, w.Shot_Lights, i));
    for (TParts& missile : w.Missile)
        if (missile.Life != 0) Fly(game, missile, nullptr);
}

TParts* FirstFree(auto& pool, size_t* index = nullptr) {
    for (size_t i = 0; i < pool.size(); ++i)
        if (pool[i].Life == 0) {
            if (index) *index = i;
            return &pool[i];
        }
    return nullptr;
}

void FireShot(const GameContext& game) {
    World& w = game.world;
    size_t i = 0;
    TParts* shot = FirstFree(w.Tama, &i);
    if (shot == nullptr) return; // all six in flight: no sound, no cost
    // From the right forearm, but along the robot's heading whatever the arm's pose.
    shot->Frame->SetPosition(w.Robo_ArmR2.Frame, -0.7f, 0, 3.6f);
    shot->Frame->SetOrientation(w.Robo_Frame, 0, 0, 1, 0, 1, 0);
    shot->Frame->Cut(); // out of its park straight to the arm
    if (rm::LightPtr light = LightForSlot(w.Light_Mode, w.Shot_Lights, i))
        shot->Frame->AddLight(light);
    PlayWave(game, wave::PlayerShot);
    w.Score -= ShotCost;
    shot->Life = 1;
}

void Gun(const GameContext& game) {
    World& w = game.world;
    const bool b1 = game.Has(InButton1);
    const bool b2 = game.Has(InButton2);
    if (!b1 || b2) {
        w.Button_Latch = true;
        return;
    }
    if (w.Guard_On) return;
    if (w.Button_Latch) {
        w.Button_Latch = false;
        w.Shot_Timer = 0;
        return;
    }
    w.Shot_Timer = w.Shot_Timer < ShotTimerTop ? w.Shot_Timer + 1 : 0;
    if (w.Shot_Timer == 1) FireShot(game);
}

void LeftArmResting(World& w) {
    w.Robo_ArmL1.Frame->SetOrientation(w.Robo_Body.Frame, 0, 0, 1, 0, 1, 0);
    w.Robo_ArmL2.Frame->SetOrientation(w.Robo_ArmL1.Frame, 0, 61, 80, 0, 80, -61);
}

void LeftArmRaised(World& w) {
    w.Robo_ArmL1.Frame->SetOrientation(w.Robo_Body.Frame, 58, 813, 579, -81, 582, -809);
    w.Robo_ArmL2.Frame->SetOrientation(w.Robo_ArmL1.Frame, 283, 565, 775, -194, 825, -530);
}

void Salvo(const GameContext& game) {
    World& w = game.world;
    bool first = true;
    for (const float dx : FanSides) {
        const bool first_attempt = first;
        first = false;
        if (w.Missile_Stock <= 0) continue;
        TParts* missile = FirstFree(w.Missile);
        if (missile == nullptr) continue;
        missile->Frame->SetPosition(w.Robo_ArmL2.Frame, -1, -3, 0);
        missile->Frame->SetOrientation(w.Robo_Frame, dx, 0, 20, 0, 1, 0);
        missile->Frame->Cut();
        if (first_attempt) PlayWave(game, wave::Missile);
        w.Score -= MissileCost;
        missile->Life = 1;
        w.Missile_Stock -= MissilesPerLaunch;
    }
    w.Energy = 0; // however many left
}

void Missiles(const GameContext& game) {
    World& w = game.world;
    if (w.Missile_Stock <= 0) return;
    if (!game.Has(InButton1) || !game.Has(InButton2)) {
        w.Missile_Latch = true;
        return;
    }
    if (w.Guard_On) {
        LeftArmResting(w);
        return;
    }
    LeftArmRaised(w);
    if (!w.Missile_Latch) return; // a held combination fires once
    w.Missile_Latch = false;
    if (w.Energy != FullEnergy) return; // the press is used up
    Salvo(game);
}

} // namespace

void Tama_Shot(const GameContext& game) {
    World& w = game.world;
    if (!w.Robo_Frame) return; // no scene yet
    FlyAll(game);
    if (w.Robo_HP <= 0 || w.Boss_HP <= 0) return;
    Gun(game);
    Missiles(game);
}
