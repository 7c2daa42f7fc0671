// The robot against the stage map: walls stop it or let it slide, the gate holds until it
// opens and again once the boss fight starts, the boss room's first pixel starts the
// fight, and the boss's body is a square the robot cannot enter.
#include <cmath>

#include "app/form_design.h"
#include "app/game.h"
#include "app/main_form.h"
#include "player/movement.h"

namespace {

constexpr uint32_t Wall = 0x000000;
constexpr uint32_t Gate = 0xFF0000;     // red
constexpr uint32_t BossRoom = 0x0000FF; // blue

// The 2 x 2 pixels under a ground point: A, B along +column, C, D on the next row.
struct Square {
    uint32_t a, b, c, d;
    bool Any(uint32_t colour) const {
        return a == colour || b == colour || c == colour || d == colour;
    }
};

Square ReadSquare(const TImage* map, float x, float z) {
    // Rounding to nearest with halves to even, as the map's pixel grid was made.
    const int col = static_cast<int>(std::nearbyint(0.2 * x)) + 8;
    const int row = 92 - static_cast<int>(std::nearbyint(0.2 * z));
    if (map == nullptr) return {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    return {map->Pixel(col, row), map->Pixel(col + 1, row), map->Pixel(col, row + 1),
            map->Pixel(col + 1, row + 1)};
}

// Where the walls let the robot go from old to new.
rm::Vector WallResponse(const Square& s, rm::Vector old_pos, rm::Vector new_pos) {
    const bool a = s.a == Wall, b = s.b == Wall, c = s.c == Wall, d = s.d == Wall;
    if ((a && !b && c && !d) || (!a && b && !c && d)) return {old_pos.x, 0, new_pos.z};
    if ((a && b && !c && !d) || (!a && !b && c && d)) return {new_pos.x, 0, old_pos.z};
    if (!a && !b && !c && !d) return {new_pos.x, 0, new_pos.z};
    return {old_pos.x, 0, old_pos.z}; // corners, diagonals, three or four walls
}

} // namespace

void CollideWithMap(TMainForm& form) {
    World& w = form.world;
    const rm::FramePtr& root = form.DXDraw.Scene();
    auto move_back = [&] {
        w.Robo_Frame->SetPosition(root, w.Robo_Old_Pos.x, 0, w.Robo_Old_Pos.z);
    };

    w.Robo_Pos = w.Robo_Frame->GetPosition(root);
    const Square s = ReadSquare(w.Map_Image, w.Robo_Pos.x, w.Robo_Pos.z);
    const rm::Vector to = WallResponse(s, w.Robo_Old_Pos, w.Robo_Pos);
    w.Robo_Frame->SetPosition(root, to.x, 0, to.z);

    const bool gate = s.Any(Gate);
    if (!w.Gate_Open && gate) move_back();
    if (w.Boss_Active && gate) move_back(); // the gate closes behind the player
    if (!w.Boss_Active && s.Any(BossRoom)) {
        w.Boss_Active = true;
        w.Arena_Frame->AddVisual(w.Door_Mesh);
        StopWave(form, wave::GameBGM);
        PlayWave(form, wave::BossBGM);
    }
    const rm::Vector boss = w.Boss_Frame->GetPosition(w.Robo_Frame);
    if (std::fabs(boss.x) <= 15 && std::fabs(boss.z) <= 15) move_back();
}
