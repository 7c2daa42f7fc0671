// The defeated boss collapses over the first 29 frames of the victory pose.
#include "enemies/enemies.h"
#include "game/context.h"

namespace {

constexpr int CollapseFrames = 30;

// rest + (final - rest) * n / 30
float Toward(float rest, float final_value, int n) {
    return rest + (final_value - rest) * static_cast<float>(n) / CollapseFrames;
}

} // namespace

void Yarareta_Boss(const GameContext& game) {
    World& w = game.world;
    const int n = w.Victory_Frames;
    if (n >= CollapseFrames) return;
    const rm::FramePtr& body = w.Boss_Body_Frame;
    w.Boss_L_Frame.Frame->SetOrientation(body, 0, 0, 1, Toward(0, 0.644f, n), Toward(1, 0.765f, n),
                                         0);
    w.Boss_A_Frame.Frame->SetOrientation(body, Toward(0, 0.469f, n), Toward(0, -0.461f, n),
                                         Toward(1, 0.754f, n), Toward(0, -0.110f, n),
                                         Toward(1, 0.850f, n), Toward(0, 0.527f, n));
    body->SetOrientation(w.Boss_Frame, 0, Toward(0, 0.149f, n), Toward(1, 0.989f, n),
                         Toward(0, -0.247f, n), Toward(1, 0.958f, n), Toward(0, -0.145f, n));
    body->SetPosition(w.Boss_Frame, 0, Toward(0, -1, n), 0);
}
