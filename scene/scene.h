// The game's 3D scene: construction, camera placements, robot poses and explosions.
#pragma once

struct GameContext;
struct ScreenContext;

// Builds the whole scene once per run and hands over to the game frames.
void Create_3D(const ScreenContext& screen);
void Camera_Change(const GameContext& game);
// Places Camera_Frame for Camera_Mode and sets the viewport (any other mode: nothing).
void ApplyCameraPlacement(const GameContext& game);
// Stage reset: boss, robot, gate, boss body and enemies back at their start places.
void ResetScenePlaces(const GameContext& game);
// Stage reset: the walls and pillars of the current stage replace the old ones.
void ReloadStageMeshes(const ScreenContext& screen);
void Move_wing(const GameContext& game);
void Yarareta_Poze(const GameContext& game);
void Gats_Poze(const GameContext& game);
// The victory frame on which the stage ends: Gats_Poze has counted it, and the frame loop
// ends the stage right after the pose.
constexpr int VictoryFramesToStageEnd = 240;
void Bakuhatu_Anim(const GameContext& game);
// Takes the first idle explosion record; false when all 15 are busy.
bool StartExplosion(const GameContext& game, double x, double z, int lifetime);
