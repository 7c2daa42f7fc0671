// Screens not built yet: they do nothing until their turn comes.
#include "app/main_form.h"
#include "screens/screens.h"

void Draw_Text(TMainForm&) {}
void Draw_Radar(TMainForm&) {}
void EndingTimerTimer(TMainForm&) {}
