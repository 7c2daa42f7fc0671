// Shell steps not built yet: they do nothing until their turn comes.
#include "app/game.h"
#include "app/main_form.h"

void Check_Zako_Clear(TMainForm&) {}
void TunagiTimerTimer(TMainForm&) {}
