// Scene steps not built yet: they do nothing until their turn comes.
#include "app/main_form.h"
#include "scene/scene.h"

void Create_3D(TMainForm&) {}
void Camera_Change(TMainForm&) {}
void ApplyCameraPlacement(TMainForm&) {}
void ResetScenePlaces(TMainForm&) {}
void ReloadStageMeshes(TMainForm&) {}
void Move_wing(TMainForm&) {}
void Yarareta_Poze(TMainForm&) {}
void Gats_Poze(TMainForm&) {}
void Bakuhatu_Anim(TMainForm&) {}
bool StartExplosion(TMainForm&, double, double, int) { return false; }
