// The game shell's steps: the frame loop, the stage reset, the clear test, the
// transition screen, and the game start.
#pragma once

class TMainForm;

void DXTimerTimer(TMainForm& form);
// The frame's "GAME OVER" or "STAGE CLEAR" caption, over the HUD.
void DrawEndCaptions(TMainForm& form);
void reset_game(TMainForm& form);
void Check_Zako_Clear(TMainForm& form);
void TunagiTimerTimer(TMainForm& form);
// The end of a stage on victory frame 240: the transition screen and the next stage, or
// the ending after the last one.
void EndStage(TMainForm& form);
void Button1Click(TMainForm& form);

// Plays a wave list item by index (silent without a sound device).
void PlayWave(TMainForm& form, int index);
void StopWave(TMainForm& form, int index);
