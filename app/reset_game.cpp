// Prepares the world for the next stage.
#include "app/game.h"
#include "app/main_form.h"
#include "scene/scene.h"

namespace {

// Score allowance and missile stock of a new stage, by difficulty.
void GrantStageAllowance(World& w) {
    switch (w.Difficulty) {
    case 0:
    case 5:
        w.Score = 0;
        w.Missile_Stock = 9999;
        break;
    case 1:
        w.Score += 500000;
        w.Missile_Stock = 9999;
        break;
    case 2:
        w.Score += 650000;
        w.Missile_Stock = 9999;
        break;
    case 3:
        w.Score += 800000;
        w.Missile_Stock = 9999;
        break;
    case 4:
        w.Score += 990000;
        w.Missile_Stock = 0;
        break;
    default:
        break;
    }
}

void ChooseStageMaps(TMainForm& form) {
    World& w = form.world;
    switch (w.Stage_No) {
    case 1:
        w.Map_Image = &form.Image1;
        w.Wall_Image = &form.Image4;
        break;
    case 2:
        w.Map_Image = &form.Image2;
        w.Wall_Image = &form.Image5;
        break;
    case 3:
        w.Map_Image = &form.Image3;
        w.Wall_Image = &form.Image6;
        break;
    default:
        break;
    }
}

} // namespace

void reset_game(TMainForm& form) {
    World& w = form.world;
    w.Total_Time += w.Play_Time;
    w.Frame_ms = 0;
    w.Play_Time = 0;
    w.Prev_Play_Time = 0;
    w.Boss_Active = false;
    w.Gate_Open = false;
    w.Pose_Step = 0;
    w.Robo_HP = 300;
    if (w.Difficulty != 4) w.Energy = 300.0;
    SetEnemyHitPoints(w);
    w.Boss_HP = 300;
    w.Boss_Down_Frames = 0;
    PlaceEnemiesAtStart(w);
    // The scene exists once the title screen has built it.
    const bool have_scene = form.DXDraw.Scene() && w.Robo_Frame;
    if (have_scene) ResetScenePlaces(form);
    ChooseStageMaps(form);
    GrantStageAllowance(w);
    if (have_scene) {
        ReloadStageMeshes(form);
        ApplyCameraPlacement(form);
    }
}
