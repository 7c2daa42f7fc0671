#include "enemies/enemy_shots.h"
#include "game/waves.h"

#include "game/context.h"
#include "scene/projectiles.h"

bool FireEnemyShot(const GameContext& game, const rm::FramePtr& from, rm::Vector position,
                   rm::Vector direction, bool simple_light) {
    World& w = game.world;
    for (size_t k = 0; k < w.Teki_Tama.size(); ++k) {
        TParts& shot = w.Teki_Tama[k];
        if (shot.Life != 0) continue;
        shot.Frame->SetPosition(from, position.x, position.y, position.z);
        shot.Frame->SetOrientation(from, direction.x, direction.y, direction.z, 0, 1, 0);
        shot.Frame->Cut(); // out of its park straight to the muzzle
        const int light_mode =
            (w.Light_Mode == light_mode::Simple && !simple_light) ? light_mode::Off : w.Light_Mode;
        if (const rm::LightPtr light = LightForSlot(light_mode, w.Teki_Shot_Lights, k))
            shot.Frame->AddLight(light);
        PlayWave(game, wave::EnemyShot);
        shot.Life = 1;
        return true;
    }
    return false;
}

int32_t EnemyHitDamage(const World& world) {
    // Time Attack costs what Nomal costs; otherwise 15 per difficulty step, a tenth of
    // that (rounded down) under guard.
    const int32_t step =
        world.Difficulty == difficulty::TimeAttack ? difficulty::Nomal : world.Difficulty;
    if (step < difficulty::Practice || step > difficulty::VeryHard) return 0;
    const int32_t full = step * 15;
    return world.Guard_On ? full / 10 : full;
}
