// Guard_Action: button 3 raises the left arm as a shield and lowers the right one, a step a
// frame; the guard stays on until the right arm is back down.
#include "game/context.h"
#include "player/player.h"

namespace {

constexpr double LeftLiftTop = 10;   // Robo_ArmL1.RotX 0..10
constexpr double LeftRollTop = -10;  // Robo_ArmL1.RotZ -10..0
constexpr double RightDropTop = -10; // Robo_ArmR1.RotX -10..0

void StepUpTo(double& v, double limit) {
    if (v < limit) v += 1;
}
void StepDownTo(double& v, double limit) {
    if (v > limit) v -= 1;
}

float F(double v) {
    return static_cast<float>(v);
}

} // namespace

void Guard_Action(const GameContext& game) {
    World& w = game.world;
    if (!w.Robo_Frame) return;     // no scene yet
    if (w.Blade_Step != 0) return; // the swing owns the arms
    TParts& left = w.Robo_ArmL1;
    TParts& right = w.Robo_ArmR1;
    if (game.Has(InButton3)) {
        w.Guard_On = true;
        // From the cockpit the left arm would fill the view.
        if (w.Camera_Mode != camera_mode::Cockpit) {
            StepUpTo(left.RotX, LeftLiftTop);
            StepDownTo(left.RotZ, LeftRollTop);
        }
        StepDownTo(right.RotX, RightDropTop);
    } else {
        StepDownTo(left.RotX, 0);
        StepUpTo(left.RotZ, 0);
        StepUpTo(right.RotX, 0);
        if (right.RotX == 0) w.Guard_On = false;
    }
    // Every frame: at rest this also undoes the missile aim and the last swing pose.
    left.Frame->SetOrientation(w.Robo_Body.Frame, 0, F(left.RotX), 0.5f, F(left.RotZ), 5, 0);
    right.Frame->SetOrientation(w.Robo_Body.Frame, 0, F(right.RotX), 10, 0, 1, 0);
}
