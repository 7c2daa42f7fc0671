#include "scene/projectiles.h"

#include "game/context.h"

rm::LightPtr LightForSlot(int light_mode, std::span<const rm::LightPtr> lights, size_t i) {
    if (lights.empty()) return nullptr;
    if (light_mode == light_mode::Full && i < lights.size()) return lights[i];
    if (light_mode == light_mode::Simple) return lights[0];
    return nullptr;
}

void ParkProjectile(const GameContext& game, TParts& projectile, const rm::LightPtr& light) {
    projectile.Frame->SetPosition(game.scene, 0, -100, 0);
    projectile.Frame->Cut(); // gone at once, not drawn on its way down
    if (light) projectile.Frame->DeleteLight(light);
    projectile.Life = 0;
}
