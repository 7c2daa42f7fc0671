// Prepares the world for the next stage.
#include "app/game.h"
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

// The player's and the enemies' maps of stages 1 to 3; any other stage keeps the maps.
void ChooseStageMaps(const ScreenContext& screen) {
    World& w = screen.world;
    if (w.Stage_No < 1 || w.Stage_No > 3) return;
    w.Map_Image = screen.stage_maps[static_cast<size_t>(w.Stage_No - 1)];
    w.Wall_Image = screen.stage_maps[static_cast<size_t>(w.Stage_No + 2)];
}

} // namespace

void reset_game(const ScreenContext& screen) {
    World& w = screen.world;
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
    const bool have_scene = screen.scene && w.Robo_Frame;
    if (have_scene) ResetScenePlaces(screen);
    ChooseStageMaps(screen);
    GrantStageAllowance(w);
    if (have_scene) {
        ReloadStageMeshes(screen);
        ApplyCameraPlacement(screen);
    }
}
