// The robot's poses while it moves: leaning into a walk or sidestep, and the stance of
// turning on the spot.
#include "game/context.h"
#include "player/movement.h"

namespace {
float F(double v) {
    return static_cast<float>(v);
}
} // namespace

void ApplyMovementPose(World& w) {
    const rm::FramePtr& body = w.Robo_Body.Frame;
    body->SetOrientation(w.Robo_Frame, 0, F(w.Robo_Body.RotX), 10, F(w.Robo_Body.RotZ), 10, 0);
    w.Robo_Head.Frame->SetOrientation(body, 0, F(w.Robo_Head.RotX), 15, F(w.Robo_Head.RotZ), 20, 0);
    w.Robo_ThighR.Frame->SetOrientation(body, 0, F(w.Robo_ThighR.RotX), 5, 0, 1, 0);
    w.Robo_ThighL.Frame->SetOrientation(body, 0, F(w.Robo_ThighL.RotX), 5, 0, 1, 0);
    w.Robo_LegR.Frame->SetOrientation(w.Robo_ThighR.Frame, 0, F(w.Robo_LegR.RotX), 1, 0, 1, 0);
    w.Robo_LegL.Frame->SetOrientation(w.Robo_ThighL.Frame, 0, F(w.Robo_LegL.RotX), 1, 0, 1, 0);
    w.Robo_ArmR2.Frame->SetOrientation(w.Robo_ArmR1.Frame, 0, F(w.Robo_ArmR2.RotX), 10, 0, 10, 0);
}

// The factors are computed in double from the integer step and passed as floats.
void ApplyTurnPoseRight(World& w, int step) {
    const double c = step;
    auto k = [c](double factor) { return F(factor * c); };
    auto r = [c](double factor) { return F(1000 - factor * c); };
    const rm::FramePtr& body = w.Robo_Body.Frame;
    body->SetOrientation(w.Robo_Frame, k(19.9), 0, r(2), k(33.6), r(6.1), k(-6.8));
    w.Robo_Head.Frame->SetOrientation(body, k(-28.6), k(7.3), r(4.5), k(-24.7), r(3.1), 0);
    w.Robo_ThighR.Frame->SetOrientation(body, 0, k(86.7), r(50.2), k(-34.3), r(53.3), k(-81.5));
    w.Robo_ThighL.Frame->SetOrientation(body, 0, k(-34.3), r(6.1), 0, r(6.1), k(34.3));
    w.Robo_LegR.Frame->SetOrientation(w.Robo_ThighR.Frame, 0, k(-91.3), r(59.2), 0, r(59.2),
                                      k(91.3));
    w.Robo_LegL.Frame->SetOrientation(w.Robo_ThighL.Frame, 0, k(-52.3), r(14.7), 0, r(14.7),
                                      k(52.3));
}

void ApplyTurnPoseLeft(World& w, int step) {
    const double d = step;
    auto k = [d](double factor) { return F(factor * d); };
    auto r = [d](double factor) { return F(1000 - factor * d); };
    const rm::FramePtr& body = w.Robo_Body.Frame;
    body->SetOrientation(w.Robo_Frame, k(-19.9), 0, r(2), k(-33.6), r(6.1), k(-6.8));
    w.Robo_Head.Frame->SetOrientation(body, k(28.6), k(-7.3), r(4.5), k(24.7), r(3.1), 0);
    w.Robo_ThighR.Frame->SetOrientation(body, 0, k(-38.9), r(7.9), 0, r(7.9), k(38.9));
    w.Robo_ThighL.Frame->SetOrientation(body, 0, k(86.7), r(50.2), k(34.3), r(53.3), k(-81.5));
    w.Robo_LegR.Frame->SetOrientation(w.Robo_ThighR.Frame, 0, k(-52.3), r(14.7), 0, r(14.7),
                                      k(52.3));
    w.Robo_LegL.Frame->SetOrientation(w.Robo_ThighL.Frame, 0, k(-89.1), r(54.6), 0, r(54.6),
                                      k(89.1));
}
