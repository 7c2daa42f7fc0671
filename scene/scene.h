// The game's 3D scene: construction, camera placements, robot poses and explosions.
#pragma once

class TMainForm;

void Create_3D(TMainForm& form);
void Camera_Change(TMainForm& form);
// Places Camera_Frame for Camera_Mode and sets the viewport (any other mode: nothing).
void ApplyCameraPlacement(TMainForm& form);
// Stage reset: boss, robot, gate, boss body and enemies back at their start places.
void ResetScenePlaces(TMainForm& form);
// Stage reset: the walls and pillars of the current stage replace the old ones.
void ReloadStageMeshes(TMainForm& form);
void Move_wing(TMainForm& form);
void Yarareta_Poze(TMainForm& form);
void Gats_Poze(TMainForm& form);
// The victory frame on which the stage ends: Gats_Poze has counted it, and the frame loop
// ends the stage right after the pose.
constexpr int VictoryFramesToStageEnd = 240;
void Bakuhatu_Anim(TMainForm& form);
// Takes the first idle explosion record; false when all 15 are busy.
bool StartExplosion(TMainForm& form, double x, double z, int lifetime);
