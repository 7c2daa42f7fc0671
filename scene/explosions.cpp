// The explosion pool: 15 balls that start at a point of the ground plane, grow by one mesh
// size a frame and vanish after the lifetime their starter chose.
#include "game/context.h"
#include "scene/projectiles.h"
#include "scene/scene.h"

bool StartExplosion(const GameContext& game, double x, double z, int lifetime) {
    for (TParts& b : game.world.Bakuhatu) {
        if (b.Life != 0) continue;
        b.X = x;
        b.Z = z;
        b.Life = 1;
        b.Count = lifetime;
        b.Frame->SetPosition(game.scene, static_cast<float>(x), 0, static_cast<float>(z));
        b.Frame->Cut(); // starts afresh where it is, not grown out of the last one's place
        return true;
    }
    return false;
}

void Bakuhatu_Anim(const GameContext& game) {
    World& w = game.world;
    if (!w.Bakuhatu[0].Frame) return; // no scene yet
    const rm::FramePtr& root = game.scene;
    for (size_t i = 0; i < w.Bakuhatu.size(); ++i) {
        TParts& b = w.Bakuhatu[i];
        if (b.Life != 0) ++b.Life;
        // The whole transform is replaced, so an explosion never turns.
        const auto scale = static_cast<float>(b.Life);
        b.Frame->AddScale(rm::CombineType::Replace, scale, scale, scale);
        b.Frame->SetPosition(root, static_cast<float>(b.X), 0, static_cast<float>(b.Z));
        const rm::LightPtr light = LightForSlot(w.Light_Mode, w.Bakuhatu_Lights, i);
        if (b.Life == 2 && light) b.Frame->AddLight(light);
        if (b.Life > b.Count) {
            if (light) b.Frame->DeleteLight(light);
            b.Life = 0;
            b.Count = 0;
            b.Frame->SetPosition(root, 0, -1000, 0);
            b.Frame->Cut();
        }
    }
}
