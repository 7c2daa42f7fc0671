// walk: the G-walkers' shared leg cycle, for all six alive or not. The upper legs swing
// in opposite phase, each lower leg bends against its upper leg, and the body dips as
// the legs spread.
#include <cmath>

#include "enemies/enemies.h"
#include "game/context.h"

void walk(const GameContext& game) {
    World& w = game.world;
    if (w.GH_Walk_Up) {
        if (++w.GH_Walk_Step > 5) w.GH_Walk_Up = false;
    } else {
        if (--w.GH_Walk_Step < -5) w.GH_Walk_Up = true;
    }
    const float s = static_cast<float>(w.GH_Walk_Step);
    for (size_t i = 0; i < w.GH.size(); ++i) {
        if (!w.GH[i].Frame) continue; // no scene yet
        const rm::FramePtr& body = w.GH_Body[i].Frame;
        w.GH_FootR[i].Frame->SetOrientation(body, 0, s, 7, 0, 1, 0);
        w.GH_FootL[i].Frame->SetOrientation(body, 0, -s, 7, 0, 1, 0);
        w.GH_FootR2[i].Frame->SetOrientation(w.GH_FootR[i].Frame, 0, -s, 7, 0, 1, 0);
        w.GH_FootL2[i].Frame->SetOrientation(w.GH_FootL[i].Frame, 0, s, 7, 0, 1, 0);
        body->SetPosition(w.GH[i].Frame, 0, -0.1f - std::fabs(s * 0.1f), -1);
    }
}
