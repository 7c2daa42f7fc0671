// Scene steps not built yet: they do nothing until their turn comes.
#include "app/main_form.h"
#include "scene/scene.h"

void Move_wing(TMainForm&) {}
void Yarareta_Poze(TMainForm&) {}
void Gats_Poze(TMainForm&) {}
