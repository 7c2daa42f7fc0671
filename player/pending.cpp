// Player steps not built yet: they do nothing until their turn comes.
#include "app/main_form.h"
#include "player/player.h"

void Guard_Action(TMainForm&) {}
void Layzer_Brade(TMainForm&) {}
void Tama_Shot(TMainForm&) {}
