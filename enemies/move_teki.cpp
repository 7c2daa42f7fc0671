// Move_Teki: the twelve zako roam, turn away from walls, chase and fire at the robot they
// see, and take hits from shots, missiles and the blade.
#include <cmath>

#include "app/main_form.h"
#include "enemies/enemies.h"
#include "enemies/enemy_moves.h"
#include "enemies/enemy_shots.h"

namespace {

constexpr float TurnK = 15; // atan(1/15) a frame
constexpr int TurnFrames = 29;
constexpr float SightRange = 50;

void Kill(TMainForm& form, TParts& zako) {
    zako.Life = 0;
    zako.Frame->DeleteVisual(form.world.Zako_Mesh);
}

// Sight: the robot within 50 on both of the zako's axes, and no wall halfway between.
void Look(TMainForm& form, TParts& zako, rm::Vector r) {
    World& w = form.world;
    if (!(std::fabs(r.x) < SightRange && std::fabs(r.z) < SightRange)) return;
    const rm::FramePtr& root = form.DXDraw.Scene();
    const rm::Vector robot = w.Robo_Frame->GetPosition(root);
    const rm::Vector self = zako.Frame->GetPosition(root);
    const double mid_x = (static_cast<double>(robot.x) + self.x) / 2;
    const double mid_z = (static_cast<double>(robot.z) + self.z) / 2;
    if (!enemy::AnyWall(w, mid_x, mid_z)) zako.Count = -1;
}

} // namespace

void Move_Teki(TMainForm& form) {
    World& w = form.world;
    if (!w.Robo_Frame) return; // no scene yet
    for (TParts& zako : w.Zako) {
        if (zako.Life == 0) continue;
        if (enemy::StepOrTurn(form, zako, TurnK, TurnFrames) == enemy::StepResult::Buried) {
            Kill(form, zako); // inside a wall: gone without a trace
            continue;
        }
        const rm::Vector r = w.Robo_Frame->GetPosition(zako.Frame);
        Look(form, zako, r);
        if (zako.Count == -1 && enemy::Chase(w, zako, r, TurnK))
            FireEnemyShot(form, zako.Frame, {0, -0.8f, 0}, {0, 0, 1});
        enemy::TakeHits(form, zako, 4, Kill);
    }
}
