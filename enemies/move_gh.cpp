// Move_GH: the six G-walkers roam, turn away from walls, chase the robot they see, fire
// pairs of shots from the head, and take hits from shots, missiles and the blade.
#include <cmath>

#include "app/main_form.h"
#include "enemies/enemies.h"
#include "enemies/enemy_moves.h"
#include "enemies/enemy_shots.h"

namespace {

constexpr float TurnK = 20; // atan(1/20) a frame
constexpr int TurnFrames = 19;
constexpr float SightRange = 100;

// Gone far below the arena, with all its parts.
void Remove(TMainForm& form, TParts& walker) {
    walker.Life = 0;
    walker.Frame->SetPosition(form.DXDraw.Scene(), 500, -5000, 0);
}

// Sight: the robot within 100 on both axes, and the points a half, a quarter and three
// quarters of the way from the robot to the walker all clear of walls.
void Look(TMainForm& form, TParts& walker, rm::Vector r) {
    World& w = form.world;
    if (!(std::fabs(r.x) < SightRange && std::fabs(r.z) < SightRange)) return;
    const rm::FramePtr& root = form.DXDraw.Scene();
    const rm::Vector robot = w.Robo_Frame->GetPosition(root);
    const rm::Vector self = walker.Frame->GetPosition(root);
    for (const double t : {0.5, 0.25, 0.75}) {
        const double x = robot.x + (static_cast<double>(self.x) - robot.x) * t;
        const double z = robot.z + (static_cast<double>(self.z) - robot.z) * t;
        if (enemy::AnyWall(w, x, z)) return;
    }
    walker.Count = -1;
}

// A pair from the head, each shot 0.02 rad outward; the right one takes a record first.
void FirePair(TMainForm& form, size_t i) {
    const rm::FramePtr& head = form.world.GH_Head[i].Frame;
    FireEnemyShot(form, head, {1, 1, 0}, {1, 0, 50});
    FireEnemyShot(form, head, {-1, 1, 0}, {-1, 0, 50});
}

} // namespace

void Move_GH(TMainForm& form) {
    World& w = form.world;
    if (!w.Robo_Frame) return; // no scene yet
    for (size_t i = 0; i < w.GH.size(); ++i) {
        TParts& walker = w.GH[i];
        if (walker.Life == 0) continue;
        if (enemy::StepOrTurn(form, walker, TurnK, TurnFrames) == enemy::StepResult::Buried) {
            Remove(form, walker); // inside a wall: gone without a trace
            continue;
        }
        const rm::Vector r = w.Robo_Frame->GetPosition(walker.Frame);
        Look(form, walker, r);
        if (walker.Count == -1 && enemy::Chase(w, walker, r, TurnK)) FirePair(form, i);
        enemy::TakeHits(form, walker, 3.3, Remove);
    }
}
