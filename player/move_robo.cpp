// Move_Robo: walking, sidestepping and turning under either control scheme, the poses
// that go with them, and the collision step.
#include "game/context.h"
#include "game/waves.h"
#include "player/movement.h"
#include "player/player.h"

namespace {

// A pose value steps toward its limit and lands on it exactly.
void StepUpTo(double& v, double step, double limit) {
    if (v < limit) v += step;
}
void StepDownTo(double& v, double step, double limit) {
    if (v > limit) v -= step;
}

void ReadControls(const GameContext& game) {
    World& w = game.world;
    const GameContext& in = game;
    const int arrows = in.Has(InRight) ? 1 : in.Has(InLeft) ? -1 : 0;
    const bool first_group = in.Has(InButton5) || in.Has(InButton7) || in.Has(InButton10);
    const bool second_group = in.Has(InButton6) || in.Has(InButton8) || in.Has(InButton11);
    const int buttons = first_group ? -1 : second_group ? 1 : 0;
    // The two schemes swap what the arrows and the buttons do.
    w.Side_Dir = w.AC_Control ? buttons : arrows;
    w.Turn_Dir = w.AC_Control ? arrows : buttons;
}

void PlayDashOnce(const GameContext& game, bool& latch) {
    if (latch) return;
    PlayWave(game, wave::Dash);
    latch = true;
}

// The raised thigh and bent lower leg on one side, the other leg straight.
void StepLeg(TParts& thigh, TParts& leg, TParts& other_thigh, TParts& other_leg) {
    StepUpTo(thigh.RotX, 1.5, 15);
    StepDownTo(leg.RotX, 5, -50);
    other_thigh.RotX = 0;
    other_leg.RotX = 0;
}

void StraightenLegs(World& w) {
    w.Robo_ThighR.RotX = w.Robo_ThighL.RotX = w.Robo_LegR.RotX = w.Robo_LegL.RotX = 0;
}

void Sidestep(const GameContext& game) {
    World& w = game.world;
    if (w.Side_Dir == 0) {
        w.Side_Sound_Latch = false;
        w.Robo_Body.RotZ = w.Robo_Head.RotZ = 0;
        StraightenLegs(w);
        return;
    }
    w.Robo_Frame->SetPosition(w.Robo_Frame, w.Side_Dir > 0 ? 1.5f : -1.5f, 0, 0);
    PlayDashOnce(game, w.Side_Sound_Latch);
    if (w.Side_Dir > 0) {
        StepUpTo(w.Robo_Body.RotZ, 0.5, 5);
        StepDownTo(w.Robo_Head.RotZ, 0.5, -5);
        StepLeg(w.Robo_ThighR, w.Robo_LegR, w.Robo_ThighL, w.Robo_LegL);
    } else {
        StepDownTo(w.Robo_Body.RotZ, 0.5, -5);
        StepUpTo(w.Robo_Head.RotZ, 0.5, 5);
        StepLeg(w.Robo_ThighL, w.Robo_LegL, w.Robo_ThighR, w.Robo_LegR);
    }
}

void Walk(const GameContext& game) {
    World& w = game.world;
    const bool up = game.Has(InUp);
    if (!up && !game.Has(InDown)) {
        w.Robo_Body.RotX = w.Robo_Head.RotX = w.Robo_ArmR2.RotX = 0;
        if (w.Side_Dir == 0) StraightenLegs(w);
        w.Walk_Sound_Latch = false;
        return;
    }
    w.Robo_Frame->SetPosition(w.Robo_Frame, 0, 0, up ? 1.5f : -1.5f);
    PlayDashOnce(game, w.Walk_Sound_Latch);
    if (up) {
        StepDownTo(w.Robo_Body.RotX, 0.5, -5);
        StepUpTo(w.Robo_Head.RotX, 0.5, 5);
        StepUpTo(w.Robo_ArmR2.RotX, 0.5, 5);
    } else {
        StepUpTo(w.Robo_Body.RotX, 0.5, 5);
        StepDownTo(w.Robo_Head.RotX, 0.5, -5);
        StepDownTo(w.Robo_ArmR2.RotX, 0.5, -5);
    }
    // Walking either way raises the right leg.
    if (w.Side_Dir == 0) StepLeg(w.Robo_ThighR, w.Robo_LegR, w.Robo_ThighL, w.Robo_LegL);
}

void Turn(const GameContext& game) {
    World& w = game.world;
    if (w.Turn_Dir == 0) {
        w.Turn_Pose = 0;
        return;
    }
    // atan(1/25) per frame from the current heading.
    w.Robo_Frame->SetOrientation(w.Robo_Frame, w.Turn_Dir > 0 ? 1.0f : -1.0f, 0, 25, 0, 1, 0);
    const bool standing = !game.Has(InUp) && !game.Has(InDown) && w.Side_Dir == 0;
    if (!standing) return;
    if (w.Turn_Dir > 0) {
        if (w.Turn_Pose < 10) ++w.Turn_Pose;
        ApplyTurnPoseRight(w, w.Turn_Pose);
    } else {
        if (w.Turn_Pose > -10) --w.Turn_Pose;
        ApplyTurnPoseLeft(w, -w.Turn_Pose);
    }
}

} // namespace

void Move_Robo(const GameContext& game) {
    World& w = game.world;
    if (!w.Robo_Frame) return; // no scene yet
    if (w.Blade_Step != 0) return;
    w.Robo_Old_Pos = w.Robo_Frame->GetPosition(game.scene);
    ReadControls(game);
    Sidestep(game);
    Walk(game);
    ApplyMovementPose(w);
    Turn(game);
    CollideWithMap(game);
}
