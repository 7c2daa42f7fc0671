// The four camera placements relative to the robot, and switching them with button 4.
#include "game/context.h"
#include "scene/scene.h"

namespace {

struct CameraPlacement {
    rm::Vector position, direction;
    float front;
    float back; // 0: the background distance option
};

// By camera mode.
constexpr CameraPlacement Placements[camera_mode::Count] = {
    {{0, 8, -20}, {0, -1, 4}, 1.0f, 0},      // behind the robot, high and far
    {{0, 3, -5}, {0, -1, 4}, 0.7f, 0},       // behind the robot, close
    {{0, 0, 0.4f}, {0, 0, 1}, 1.0f, 0},      // cockpit
    {{0, 90, -10}, {0, -90, 40}, 1.0f, 130}, // overhead, always a short view
};

} // namespace

void ApplyCameraPlacement(const GameContext& game) {
    World& w = game.world;
    if (w.Camera_Mode < 0 || w.Camera_Mode >= camera_mode::Count || !w.Camera_Frame) return;
    const CameraPlacement& p = Placements[w.Camera_Mode];
    w.Camera_Frame->SetPosition(w.Robo_Frame, p.position.x, p.position.y, p.position.z);
    w.Camera_Frame->SetOrientation(w.Robo_Frame, p.direction.x, p.direction.y, p.direction.z, 0, 1,
                                   0);
    rm::Viewport* viewport = game.viewport;
    if (viewport == nullptr) return;
    viewport->SetFront(p.front);
    viewport->SetBack(p.back > 0 ? p.back : static_cast<float>(w.Back_Distance));
    viewport->SetCamera(w.Camera_Frame);
}

void Camera_Change(const GameContext& game) {
    World& w = game.world;
    if (!game.Has(InButton4)) {
        w.Camera_Latch = true;
        return;
    }
    if (!w.Camera_Latch) return; // a held button switches once
    w.Camera_Latch = false;
    // The next mode, after the last (or an unknown one) the first.
    const bool last = w.Camera_Mode < 0 || w.Camera_Mode >= camera_mode::Count - 1;
    w.Camera_Mode = last ? camera_mode::BehindFar : w.Camera_Mode + 1;
    ApplyCameraPlacement(game);
    if (w.Camera_Frame) w.Camera_Frame->Cut(); // the view jumps to the new placement
}
