// Enemy steps not built yet: they do nothing until their turn comes.
#include "app/main_form.h"
#include "enemies/enemies.h"

void Move_Teki(TMainForm&) {}
void Move_GH(TMainForm&) {}
void walk(TMainForm&) {}
void Teki_Shot(TMainForm&) {}
