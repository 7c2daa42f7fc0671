// The screens: HUD over the game frames, the title screen, the transition screen between
// stages and the ending.
#pragma once

struct ScreenContext;

// Draws the HUD's text as the last step left it; changes nothing.
void Draw_Text(const ScreenContext& screen);
void Draw_Radar(const ScreenContext& screen);
void OPTimerTimer(const ScreenContext& screen);
void TunagiTimerTimer(const ScreenContext& screen);
void EndingTimerTimer(const ScreenContext& screen);
