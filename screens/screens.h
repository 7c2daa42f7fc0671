// The screens: HUD over the game frames, the title screen, the transition screen between
// stages and the ending.
#pragma once

class TMainForm;

void Draw_Text(TMainForm& form);
void Draw_Radar(TMainForm& form);
void OPTimerTimer(TMainForm& form);
void TunagiTimerTimer(TMainForm& form);
void EndingTimerTimer(TMainForm& form);
