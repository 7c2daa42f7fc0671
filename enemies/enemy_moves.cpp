#include "enemies/enemy_moves.h"
#include "game/map_square.h"
#include "game/waves.h"

#include <cmath>

#include "game/context.h"
#include "scene/projectiles.h"
#include "scene/scene.h"

namespace enemy {

bool AnyWall(const World& w, double x, double z) {
    return ReadMapSquare(w.Wall_Image, x, z).Any(map_colour::Wall);
}

bool AllWall(const World& w, double x, double z) {
    const MapSquare s = ReadMapSquare(w.Wall_Image, x, z);
    return s.a == map_colour::Wall && s.b == map_colour::Wall && s.c == map_colour::Wall &&
           s.d == map_colour::Wall;
}

StepResult StepOrTurn(const GameContext& game, TParts& enemy, float turn_k, int turn_frames) {
    World& w = game.world;
    const rm::FramePtr& root = game.scene;
    if (enemy.Count > 0) {
        // Turning on the spot, a little to the left each frame.
        enemy.Frame->SetOrientation(enemy.Frame, -1, 0, turn_k, 0, 1, 0);
        if (++enemy.Count == turn_frames + 1) enemy.Count = 0;
        return StepResult::Turned;
    }
    const rm::Vector from = enemy.Frame->GetPosition(root);
    enemy.Frame->SetPosition(enemy.Frame, 0, 0, StepLength);
    const rm::Vector to = enemy.Frame->GetPosition(root);
    if (!AnyWall(w, to.x, to.z)) return StepResult::Moved;
    enemy.Frame->SetPosition(root, from.x, 0, from.z);
    if (enemy.Count == 0) enemy.Count = 1;
    return AllWall(w, to.x, to.z) ? StepResult::Buried : StepResult::Blocked;
}

bool Chase(World& w, TParts& enemy, rm::Vector r, float turn_k) {
    enemy.Frame->SetOrientation(enemy.Frame, r.x > 0 ? 1.0f : -1.0f, 0, turn_k, 0, 1, 0);
    // Close enough: this frame's step is taken back along the new facing.
    if (r.z < 8) enemy.Frame->SetPosition(enemy.Frame, 0, 0, -StepLength);
    if (r.z > 100) enemy.Count = 0;
    if (!(std::fabs(r.x) < 1)) return false;
    // One counter paces every aiming enemy together.
    w.Teki_Fire_Count = w.Teki_Fire_Count < 12 ? w.Teki_Fire_Count + 1 : 0;
    return w.Teki_Fire_Count == 1;
}

namespace {

int FirstHitIn(const std::array<TParts, ShotCount>& pool, const rm::FramePtr& target, double half_x,
               double half_z) {
    for (size_t k = 0; k < pool.size(); ++k) {
        if (pool[k].Life == 0) continue;
        const rm::Vector s = pool[k].Frame->GetPosition(target);
        // Compared in double: a limit such as 3.3 is not a float.
        if (std::fabs(static_cast<double>(s.x)) < half_x &&
            std::fabs(static_cast<double>(s.z)) < half_z)
            return static_cast<int>(k);
    }
    return -1;
}

bool BladeReaches(const World& w, const rm::FramePtr& target) {
    if (w.Blade_Step == 0) return false;
    const rm::Vector b = target->GetPosition(w.Robo_Frame);
    return 0 < b.z && b.z < 12 && -12 < b.x && b.x < 12;
}

void Explode(const GameContext& game, rm::Vector at, int lifetime, int sound) {
    if (StartExplosion(game, at.x, at.z, lifetime)) PlayWave(game, sound);
}

void ParkShot(const GameContext& game, size_t k) {
    World& w = game.world;
    ParkProjectile(game, w.Tama[k], LightForSlot(w.Light_Mode, w.Shot_Lights, k));
}

void ParkMissile(const GameContext& game, size_t k) {
    ParkProjectile(game, game.world.Missile[k], nullptr);
}

void TakeHits(const GameContext& game, TParts& enemy, const RoamerKind& kind) {
    World& w = game.world;
    const rm::FramePtr& root = game.scene;
    if (const int k = FirstHitIn(w.Tama, enemy.Frame, kind.shot_half_x, 4); k >= 0) {
        --enemy.Life;
        const rm::Vector at = enemy.Frame->GetPosition(root);
        if (enemy.Life <= 0) kind.remove(game, enemy);
        if (enemy.Life > 0)
            Explode(game, at, 12, wave::EnemyHit);
        else
            Explode(game, at, 30, wave::EnemyExplosion);
        ParkShot(game, static_cast<size_t>(k));
    }
    if (enemy.Life == 0) return;
    if (const int k = FirstHitIn(w.Missile, enemy.Frame, 6, 4); k >= 0) {
        const rm::Vector at = enemy.Frame->GetPosition(root);
        kind.remove(game, enemy);
        Explode(game, at, 30, wave::EnemyExplosion);
        ParkMissile(game, static_cast<size_t>(k));
    }
    if (enemy.Life == 0) return;
    if (BladeReaches(w, enemy.Frame)) {
        const rm::Vector at = enemy.Frame->GetPosition(root);
        kind.remove(game, enemy);
        Explode(game, at, 30, wave::EnemyExplosion);
    }
}

// Sight: the robot within sight_range on both of the enemy's axes (r, in its own terms),
// and a clear view between them; a sighted enemy starts to chase (Count -1).
void Look(const GameContext& game, TParts& enemy, rm::Vector r, const RoamerKind& kind) {
    World& w = game.world;
    if (!(std::fabs(r.x) < kind.sight_range && std::fabs(r.z) < kind.sight_range)) return;
    const rm::FramePtr& root = game.scene;
    const rm::Vector robot = w.Robo_Frame->GetPosition(root);
    const rm::Vector self = enemy.Frame->GetPosition(root);
    if (kind.clear_view(w, robot, self)) enemy.Count = -1;
}

} // namespace

void MoveRoamers(const GameContext& game, std::span<TParts> pool, const RoamerKind& kind) {
    World& w = game.world;
    if (!w.Robo_Frame) return; // no scene yet
    for (size_t i = 0; i < pool.size(); ++i) {
        TParts& enemy = pool[i];
        if (enemy.Life == 0) continue;
        if (StepOrTurn(game, enemy, kind.turn_k, kind.turn_frames) == StepResult::Buried) {
            kind.remove(game, enemy); // inside a wall: gone without a trace
            continue;
        }
        const rm::Vector r = w.Robo_Frame->GetPosition(enemy.Frame);
        Look(game, enemy, r, kind);
        if (enemy.Count == -1 && Chase(w, enemy, r, kind.turn_k)) kind.fire(game, i);
        TakeHits(game, enemy, kind);
    }
}

} // namespace enemy
