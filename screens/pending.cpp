// Screens not built yet: they do nothing until their turn comes.
#include "app/main_form.h"
#include "screens/screens.h"

void EndingTimerTimer(TMainForm&) {}
