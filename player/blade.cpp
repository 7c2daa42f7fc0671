// Layzer_Brade: button 2 swings the laser blade held in the right forearm, a fixed
// nine-frame animation during which the robot stands still.
#include "game/context.h"
#include "game/waves.h"
#include "player/player.h"

namespace {

constexpr int SwingCost = 1000;
constexpr int EndStep = 9; // reaching it ends the swing

float F(double v) {
    return static_cast<float>(v);
}

bool BonusMode(const World& w) {
    return w.Special1 || w.Special2;
}

void StartPose(World& w) {
    const rm::FramePtr& body = w.Robo_Body.Frame;
    // The body drops by 0.3 and turns about 14.3 degrees to the left.
    body->SetPosition(w.Robo_Frame, 0, -0.3f, 0);
    body->SetOrientation(w.Robo_Frame, -247, 0, 969, 0, 1000, 0);
    w.Robo_Head.Frame->SetOrientation(body, 0, 0, 1, 0, 1, 0);
    w.Robo_ThighR.Frame->SetOrientation(body, 0, 867, 498, 0, 498, -867);
    w.Robo_ThighL.Frame->SetOrientation(body, 0, -296, 955, 0, 955, 296);
    w.Robo_LegR.Frame->SetOrientation(w.Robo_ThighR.Frame, 0, -867, 498, 0, 498, 867);
    w.Robo_LegL.Frame->SetOrientation(w.Robo_ThighL.Frame, 0, -813, 582, 0, 582, 813);
    w.Robo_ArmR1.Frame->SetOrientation(body, -747, 164, 644, 49, 980, -192);
    w.Robo_ArmR2.Frame->SetOrientation(w.Robo_ArmR1.Frame, -495, 158, 854, -4, 983, -185);
    w.Robo_ArmL1.Frame->SetOrientation(body, 0, 0, 1, 0, 1, 0);
    w.Robo_ArmL2.Frame->SetOrientation(w.Robo_ArmL1.Frame, 0, 61, 80, 0, 80, -61);
}

// Step a turns the body and the right arm a seventh of the way from the start pose toward
// the end pose (reached at a = 7; a = 8 goes one step beyond).
void SwingPose(World& w, int step) {
    const double a = step;
    const rm::FramePtr& body = w.Robo_Body.Frame;
    body->SetOrientation(w.Robo_Frame, F(-247 + 396 * a / 7), 0, F(969 + 20 * a / 7), 0, 1, 0);
    w.Robo_ArmR1.Frame->SetOrientation(body, F(-747 + 174 * a), F(164 - 6 * a),
                                       F(644 + 230 * a / 7), F(49 - 183 * a / 7),
                                       F(980 + 9 * a / 7), F(-192 + 18 * a));
    w.Robo_ArmR2.Frame->SetOrientation(
        w.Robo_ArmR1.Frame, F(-495 + 873 * a / 7), F(158 - 894 * a / 7), F(854 - 292 * a / 7),
        F(-4 - 866 * a / 7), F(983 - 1058 * a / 7), F(-185 + 96 * a));
}

void StartSwing(const GameContext& game) {
    World& w = game.world;
    if (!BonusMode(w)) w.Robo_ArmR2.Frame->AddVisual(w.Blade_Mesh);
    w.Blade_Step = 1;
    StartPose(w);
    PlayWave(game, wave::SwingBlade);
    w.Score -= SwingCost;
}

} // namespace

void EndBladeSwing(const GameContext& game) {
    World& w = game.world;
    w.Blade_Step = 0;
    if (!BonusMode(w)) w.Robo_ArmR2.Frame->DeleteVisual(w.Blade_Mesh);
    w.Robo_Body.Frame->SetPosition(w.Robo_Frame, 0, 0, 0);
}

void Layzer_Brade(const GameContext& game) {
    World& w = game.world;
    if (!w.Robo_Frame) return; // no scene yet
    if (w.Guard_On) return;
    if (w.Blade_Step == 0) {
        const bool b1 = game.Has(InButton1);
        const bool b2 = game.Has(InButton2);
        if (!b2 || b1) {
            w.Blade_Latch = true;
        } else if (w.Blade_Latch) {
            StartSwing(game);
            w.Blade_Latch = false; // holding button 2 swings once
        }
        return;
    }
    SwingPose(w, w.Blade_Step);
    ++w.Blade_Step;
    if (w.Blade_Step == EndStep) EndBladeSwing(game);
}
