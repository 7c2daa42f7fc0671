// Teki_Shot: every enemy shot in flight goes 4 units ahead, ends at a wall or at the map's
// low edges, and hits a robot still standing within 2 units on either of the shot's axes.
#include <cmath>

#include "enemies/enemies.h"
#include "enemies/enemy_moves.h"
#include "enemies/enemy_shots.h"
#include "game/context.h"
#include "game/waves.h"
#include "scene/projectiles.h"
#include "scene/scene.h"

namespace {

constexpr float Speed = 4.0f;
constexpr float MapEdge = -40.0f; // keeps the wall-map pixels inside the picture

bool FliesOn(const World& w, rm::Vector p) {
    return p.x >= MapEdge && p.z >= MapEdge && !enemy::AnyWall(w, p.x, p.z);
}

} // namespace

void Teki_Shot(const GameContext& game) {
    World& w = game.world;
    if (!w.Robo_Frame) return; // no scene yet
    const rm::FramePtr& root = game.scene;
    for (size_t k = 0; k < w.Teki_Tama.size(); ++k) {
        TParts& shot = w.Teki_Tama[k];
        if (shot.Life == 0) continue;
        const rm::LightPtr light = LightForSlot(w.Light_Mode, w.Teki_Shot_Lights, k);
        const rm::Vector before = shot.Frame->GetPosition(root);
        shot.Frame->SetPosition(shot.Frame, 0, 0, Speed);
        const rm::Vector after = shot.Frame->GetPosition(root);
        if (!FliesOn(w, after)) {
            // The small burst stays where the shot last flew free.
            StartExplosion(game, before.x, before.z, 8);
            ParkProjectile(game, shot, light);
            continue;
        }
        // A downed robot is not hit any more: the shot flies through its place. Hitting the
        // wreck meant endless hits, points lost and white flashes after "GAME OVER".
        if (w.Robo_HP <= 0) continue;
        const rm::Vector h = w.Robo_Frame->GetPosition(shot.Frame);
        if (!(std::fabs(h.x) < 2 && std::fabs(h.z) < 2)) continue;
        if (StartExplosion(game, after.x, after.z, 15)) {
            PlayWave(game, wave::PlayerExplosion);
            w.Score -= 10000;
            w.White_Flash = true;
        }
        ParkProjectile(game, shot, light);
        w.Robo_HP -= EnemyHitDamage(w);
    }
}
