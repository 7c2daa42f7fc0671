// Move_GH: the six G-walkers roam, turn away from walls, chase the robot they see, fire
// pairs of shots from the head, and take hits from shots, missiles and the blade.
#include "enemies/enemies.h"
#include "enemies/enemy_moves.h"
#include "enemies/enemy_shots.h"
#include "game/context.h"

namespace {

// Gone far below the arena, with all its parts.
void Remove(const GameContext& game, TParts& walker) {
    walker.Life = 0;
    walker.Frame->SetPosition(game.scene, 500, -5000, 0);
    walker.Frame->Cut(); // gone at once, legs and all
}

// The points a half, a quarter and three quarters of the way from the robot to the walker
// all clear of walls.
bool ClearView(const World& w, rm::Vector robot, rm::Vector self) {
    for (const double t : {0.5, 0.25, 0.75}) {
        const double x = robot.x + (static_cast<double>(self.x) - robot.x) * t;
        const double z = robot.z + (static_cast<double>(self.z) - robot.z) * t;
        if (enemy::AnyWall(w, x, z)) return false;
    }
    return true;
}

// A pair from the head, each shot 0.02 rad outward; the right one takes a record first.
void FirePair(const GameContext& game, size_t i) {
    const rm::FramePtr& head = game.world.GH_Head[i].Frame;
    FireEnemyShot(game, head, {1, 1, 0}, {1, 0, 50});
    FireEnemyShot(game, head, {-1, 1, 0}, {-1, 0, 50});
}

constexpr enemy::RoamerKind Walker = {
    .turn_k = 20, // atan(1/20) a frame
    .turn_frames = 19,
    .sight_range = 100,
    .clear_view = ClearView,
    .shot_half_x = 3.3,
    .fire = FirePair,
    .remove = Remove,
};

} // namespace

void Move_GH(const GameContext& game) {
    enemy::MoveRoamers(game, game.world.GH, Walker);
}
