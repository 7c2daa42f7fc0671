// The game shell's steps: the frame loop, the stage reset, the clear test, the end of a
// stage, and the game start.
#pragma once

class TMainForm;

void DXTimerTimer(TMainForm& form);
// The frame's "GAME OVER" or "STAGE CLEAR" caption, over the HUD.
void DrawEndCaptions(TMainForm& form);
void reset_game(TMainForm& form);
void Check_Zako_Clear(TMainForm& form);
// The end of a stage, run by the frame loop when the victory pose has counted its last
// frame: the transition screen and the next stage, or the ending after the last one.
void EndStage(TMainForm& form);
void Button1Click(TMainForm& form);
