// The robot's three scripted animations: the wing flap of the bonus modes, the victory pose
// after the boss falls and the defeat pose when the robot's hit points run out.
#include "game/context.h"
#include "game/waves.h"
#include "scene/scene.h"

namespace {

constexpr int PoseSteps = 30;
constexpr int VictoryCameraFrame = 111;

// One part of a pose: direction and up vector grow linearly with the pose step from
// (0, 0, 1) and (0, 1, 0) by the given change over the full 30 steps.
struct PoseLine {
    TParts World::*part;
    TParts World::*reference; // null: the robot's root frame
    rm::Vector direction_change, up_change;
};

// The game keeps the change per step (change / 30) and multiplies it by the step.
float Grow(float rest, float change, int step) {
    return static_cast<float>(rest + static_cast<double>(change) / PoseSteps * step);
}

void SetPoseLine(World& w, const PoseLine& line, int step) {
    const rm::FramePtr& reference = line.reference ? (w.*line.reference).Frame : w.Robo_Frame;
    const rm::Vector& d = line.direction_change;
    const rm::Vector& u = line.up_change;
    (w.*line.part)
        .Frame->SetOrientation(reference, Grow(0, d.x, step), Grow(0, d.y, step),
                               Grow(1, d.z, step), Grow(0, u.x, step), Grow(1, u.y, step),
                               Grow(0, u.z, step));
}

constexpr PoseLine VictoryPose[] = {
    {&World::Robo_Head, &World::Robo_Body, {0.644f, 0, -0.235f}, {0, 0, 0}},
    {&World::Robo_ArmR1, &World::Robo_Body, {-0.841f, 0, -0.46f}, {0, 0, 0}},
    {&World::Robo_ArmR2, &World::Robo_ArmR1, {0.15f, 0.409f, -0.1f}, {-0.227f, -0.1f, -0.371f}},
};

constexpr PoseLine DefeatPose[] = {
    {&World::Robo_Head, &World::Robo_Body, {0, -0.247f, -0.031f}, {0, -0.031f, 0.247f}},
    {&World::Robo_Body, nullptr, {0.0597f, -0.897f, -0.563f}, {-0.066f, -0.567f, 0.9f}},
    {&World::Robo_ArmR1, &World::Robo_Body, {0.071f, 0.53f, -0.155f}, {-0.075f, -0.153f, -0.526f}},
    {&World::Robo_ArmL1, &World::Robo_Body, {0, 0.997f, -1.079f}, {0, -1.079f, -0.996f}},
    {&World::Robo_ArmR2,
     &World::Robo_ArmR1,
     {-0.906f, -0.405f, -0.879f},
     {-0.239f, -0.272f, 0.641f}},
    {&World::Robo_ArmL2, &World::Robo_ArmL1, {-0.104f, -0.107f, -0.012f}, {-0.717f, -0.304f, 0}},
    {&World::Robo_ThighR,
     &World::Robo_Body,
     {-0.332f, 0.808f, -1.485f},
     {-0.456f, -1.588f, -0.667f}},
    {&World::Robo_ThighL, &World::Robo_Body, {0.145f, -0.037f, -0.012f}, {0.247f, -0.031f, 0}},
    {&World::Robo_LegR, &World::Robo_ThighR, {0, -0.808f, -1.588f}, {0, -1.588f, 0.808f}},
    {&World::Robo_LegL, &World::Robo_ThighL, {0, -0.841f, -0.46f}, {0, -0.46f, 0.841f}},
};

void Straighten(const rm::FramePtr& part, const rm::FramePtr& reference) {
    part->SetOrientation(reference, 0, 0, 1, 0, 1, 0);
}

// Victory frame 1: every part straight, the left forearm back at its built-in tilt, and a
// running blade swing put away.
void StraightenRobot(World& w) {
    const rm::FramePtr& body = w.Robo_Body.Frame;
    Straighten(body, w.Robo_Frame);
    Straighten(w.Robo_Head.Frame, body);
    Straighten(w.Robo_ThighR.Frame, body);
    Straighten(w.Robo_ThighL.Frame, body);
    Straighten(w.Robo_ArmR1.Frame, body);
    Straighten(w.Robo_ArmL1.Frame, body);
    Straighten(w.Robo_LegR.Frame, w.Robo_ThighR.Frame);
    Straighten(w.Robo_LegL.Frame, w.Robo_ThighL.Frame);
    Straighten(w.Robo_ArmR2.Frame, w.Robo_ArmR1.Frame);
    w.Robo_ArmL2.Frame->SetOrientation(w.Robo_ArmL1.Frame, 0, 61, 80, 0, 80, -61);
    if (w.Blade_Step != 0) {
        w.Blade_Step = 0;
        if (!w.Special1 && !w.Special2) w.Robo_ArmR2.Frame->DeleteVisual(w.Blade_Mesh);
        body->SetPosition(w.Robo_Frame, 0, 0, 0);
    }
    w.Robo_Frame->Move(1.0f);
}

// The view of the victory pose, from in front of the robot's right side.
void PlaceVictoryCamera(const GameContext& game) {
    World& w = game.world;
    if (w.Special1 || w.Special2) {
        w.Camera_Frame->SetPosition(w.Robo_Frame, 8, 0.7f, 8);
        w.Camera_Frame->SetOrientation(w.Robo_Frame, -8, -1, -6, 0, 1, 0);
    } else {
        w.Camera_Frame->SetPosition(w.Robo_Frame, 8, -0.6f, 8);
        w.Camera_Frame->SetOrientation(w.Robo_Frame, -8, -1, -8, 0, 1, 0);
    }
    if (rm::Viewport* viewport = game.viewport) {
        viewport->SetFront(1.0f);
        viewport->SetBack(230.0f);
        viewport->SetCamera(w.Camera_Frame);
    }
}

} // namespace

void Move_wing(const GameContext& game) {
    World& w = game.world;
    if (!w.Wing_Closing) {
        if (++w.Wing_Step == 15) w.Wing_Closing = true;
    } else {
        if (--w.Wing_Step == 0) w.Wing_Closing = false;
    }
    const auto s = static_cast<float>(w.Wing_Step);
    w.Robo_WingR.Frame->SetOrientation(w.Robo_Body.Frame, -s, 0, 15, 0, 1, 0);
    w.Robo_WingL.Frame->SetOrientation(w.Robo_Body.Frame, s, 0, 15, 0, 1, 0);
}

void Gats_Poze(const GameContext& game) {
    World& w = game.world;
    // On its last frame the pose only counts: the frame loop ends the stage next, and the
    // pose held since frame 140 stays as it is.
    if (++w.Victory_Frames == VictoryFramesToStageEnd) return;
    if (w.Victory_Frames == 1) StraightenRobot(w);
    if (w.Victory_Frames == 15) PlayWave(game, wave::GameClear);
    if (w.Victory_Frames < VictoryCameraFrame) return;
    if (w.Pose_Step < PoseSteps) ++w.Pose_Step;
    if (w.Pose_Step == 1) PlaceVictoryCamera(game);
    for (const PoseLine& line : VictoryPose) SetPoseLine(w, line, w.Pose_Step);
}

void Yarareta_Poze(const GameContext& game) {
    World& w = game.world;
    if (w.Pose_Step < PoseSteps) {
        ++w.Pose_Step;
        w.Robo_Frame->SetPosition(w.Robo_Frame, 0, -0.1f, 0); // sinks 3.0 in all
    }
    for (const PoseLine& line : DefeatPose) SetPoseLine(w, line, w.Pose_Step);
}
