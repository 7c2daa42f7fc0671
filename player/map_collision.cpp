// The robot against the stage map: walls stop it or let it slide, the gate holds until it
// opens and again once the boss fight starts, the boss room's first pixel starts the
// fight, and the boss's body is a square the robot cannot enter.
#include <cmath>

#include "game/context.h"
#include "game/map_square.h"
#include "game/waves.h"
#include "player/movement.h"

namespace {

using map_colour::BossRoom;
using map_colour::Gate;
using map_colour::Wall;

// Where the walls let the robot go from old to new.
rm::Vector WallResponse(const MapSquare& s, rm::Vector old_pos, rm::Vector new_pos) {
    const bool a = s.a == Wall, b = s.b == Wall, c = s.c == Wall, d = s.d == Wall;
    if ((a && !b && c && !d) || (!a && b && !c && d)) return {old_pos.x, 0, new_pos.z};
    if ((a && b && !c && !d) || (!a && !b && c && d)) return {new_pos.x, 0, old_pos.z};
    if (!a && !b && !c && !d) return {new_pos.x, 0, new_pos.z};
    return {old_pos.x, 0, old_pos.z}; // corners, diagonals, three or four walls
}

} // namespace

void CollideWithMap(const GameContext& game) {
    World& w = game.world;
    const rm::FramePtr& root = game.scene;
    auto move_back = [&] {
        w.Robo_Frame->SetPosition(root, w.Robo_Old_Pos.x, 0, w.Robo_Old_Pos.z);
    };

    w.Robo_Pos = w.Robo_Frame->GetPosition(root);
    const MapSquare s = ReadMapSquare(w.Map_Image, w.Robo_Pos.x, w.Robo_Pos.z);
    const rm::Vector to = WallResponse(s, w.Robo_Old_Pos, w.Robo_Pos);
    w.Robo_Frame->SetPosition(root, to.x, 0, to.z);

    const bool gate = s.Any(Gate);
    if (!w.Gate_Open && gate) move_back();
    if (w.Boss_Active && gate) move_back(); // the gate closes behind the player
    if (!w.Boss_Active && s.Any(BossRoom)) {
        w.Boss_Active = true;
        w.Arena_Frame->AddVisual(w.Door_Mesh);
        StopWave(game, wave::GameBGM);
        PlayWave(game, wave::BossBGM);
    }
    const rm::Vector boss = w.Boss_Frame->GetPosition(w.Robo_Frame);
    if (std::fabs(boss.x) <= 15 && std::fabs(boss.z) <= 15) move_back();
}
