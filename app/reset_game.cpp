// Prepares the world for the next stage.
#include "app/game.h"
#include "app/main_form.h"
#include "game/difficulty.h"
#include "scene/scene.h"

namespace {

// The points a new stage starts with and its missile stock, by difficulty: Practice and
// Time Attack start every stage at 0 points, the others add the allowance to the points
// carried over.
void GrantStageAllowance(World& w) {
    const DifficultyRules* rules = RulesOf(w.Difficulty);
    if (rules == nullptr) return;
    w.Score = KeepsPoints(w.Difficulty) ? w.Score + rules->stage_points : rules->stage_points;
    w.Missile_Stock = rules->missile_stock;
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
    w.Robo_HP = FullHitPoints;
    if (w.Difficulty != difficulty::VeryHard) w.Energy = FullEnergy;
    SetEnemyHitPoints(w);
    w.Boss_HP = FullHitPoints;
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
