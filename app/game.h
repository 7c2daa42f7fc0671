// The game shell's steps: the frame loop, the stage reset, the clear test, the end of a
// stage, the game start and the hand-over from screen to screen.
#pragma once

#include "game/context.h"

class TMainForm;

// One game frame (DXTimer): the pace, then the frame's parts in their order, then the
// frame is shown.
void DXTimerTimer(const ScreenContext& screen);
// The frame's input, the play clock, the back surface cleared.
void BeginGameFrame(const ScreenContext& screen);
// Every game step of the frame in its fixed order, up to the scene's motion tick.
void RunGameSteps(const ScreenContext& screen);
// After the scene is rendered: the HUD, the caption and the white flash if one is due.
void DrawGameOverlays(const ScreenContext& screen);
// The frame's "GAME OVER" or "STAGE CLEAR" caption, over the HUD.
void DrawEndCaptions(const ScreenContext& screen);
void reset_game(const ScreenContext& screen);
void Check_Zako_Clear(const GameContext& game);
// The end of a stage, run by the frame loop when the victory pose has counted its last
// frame: the transition screen and the next stage, or the ending after the last one.
void EndStage(const ScreenContext& screen);
void Button1Click(TMainForm& form);
// Hands over to another screen through the form's screen machine (app/screen_machine.h).
void ChangeScreen(TMainForm& form, Screen next);
