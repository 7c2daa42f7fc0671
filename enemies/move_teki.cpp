// Move_Teki: the twelve zako roam, turn away from walls, chase and fire at the robot they
// see, and take hits from shots, missiles and the blade.
#include "enemies/enemies.h"
#include "enemies/enemy_moves.h"
#include "enemies/enemy_shots.h"
#include "game/context.h"

namespace {

void Kill(const GameContext& game, TParts& zako) {
    zako.Life = 0;
    zako.Frame->DeleteVisual(game.world.Zako_Mesh);
}

// No wall halfway between the robot and the zako.
bool ClearView(const World& w, rm::Vector robot, rm::Vector self) {
    const double mid_x = (static_cast<double>(robot.x) + self.x) / 2;
    const double mid_z = (static_cast<double>(robot.z) + self.z) / 2;
    return !enemy::AnyWall(w, mid_x, mid_z);
}

// One shot straight ahead, from below the zako's middle.
void Fire(const GameContext& game, size_t i) {
    FireEnemyShot(game, game.world.Zako[i].Frame, {0, -0.8f, 0}, {0, 0, 1});
}

constexpr enemy::RoamerKind Zako = {
    .turn_k = 15, // atan(1/15) a frame
    .turn_frames = 29,
    .sight_range = 50,
    .clear_view = ClearView,
    .shot_half_x = 4,
    .fire = Fire,
    .remove = Kill,
};

} // namespace

void Move_Teki(const GameContext& game) {
    enemy::MoveRoamers(game, game.world.Zako, Zako);
}
