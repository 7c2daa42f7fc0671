// Move_Teki: the twelve zako roam, turn away from walls, chase and fire at the robot they
// see, and take hits from shots, missiles and the blade.
#include "app/main_form.h"
#include "enemies/enemies.h"
#include "enemies/enemy_moves.h"
#include "enemies/enemy_shots.h"

namespace {

void Kill(TMainForm& form, TParts& zako) {
    zako.Life = 0;
    zako.Frame->DeleteVisual(form.world.Zako_Mesh);
}

// No wall halfway between the robot and the zako.
bool ClearView(const World& w, rm::Vector robot, rm::Vector self) {
    const double mid_x = (static_cast<double>(robot.x) + self.x) / 2;
    const double mid_z = (static_cast<double>(robot.z) + self.z) / 2;
    return !enemy::AnyWall(w, mid_x, mid_z);
}

// One shot straight ahead, from below the zako's middle.
void Fire(TMainForm& form, size_t i) {
    FireEnemyShot(form, form.world.Zako[i].Frame, {0, -0.8f, 0}, {0, 0, 1});
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

void Move_Teki(TMainForm& form) {
    enemy::MoveRoamers(form, form.world.Zako, Zako);
}
