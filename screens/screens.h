// The screens: HUD over the game frames, the title screen, the transition screen between
// stages and the ending.
#pragma once

struct ScreenContext;

void Draw_Text(const ScreenContext& screen);
void Draw_Radar(const ScreenContext& screen);
void OPTimerTimer(const ScreenContext& screen);
void TunagiTimerTimer(const ScreenContext& screen);
void EndingTimerTimer(const ScreenContext& screen);
