// The game shell's steps: the frame loop, the stage reset, the clear test, the end of a
// stage, the game start and the hand-over from screen to screen.
#pragma once

#include "game/context.h"
#include "game/draw_pace.h"

class TMainForm;

// One game frame (DXTimer): the pace, then the frame's parts in their order, then the
// frame is shown.
void DXTimerTimer(const ScreenContext& screen);
// The frame's input, the play clock, the back surface cleared.
void BeginGameFrame(const ScreenContext& screen);
// Every game step of the frame in its fixed order, from keeping the scene's last step for
// the pictures between steps, up to the scene's motion tick and the HUD's own step.
void RunGameSteps(const ScreenContext& screen);
// The HUD's part of a step, its last: the points drain by the frame's play time and the
// white flash is taken or refused by its limiter, so the pictures only show them.
void RunHudStep(const ScreenContext& screen);
// After the scene is rendered: the HUD, the caption and the white flash if the last step
// took one. Changes nothing: drawn twice, the picture is the same.
void DrawGameOverlays(const ScreenContext& screen);
// The whole picture of the game at a blend between the step before (0) and the last step
// (1), without showing it: the back surface cleared, the scene, the overlays. Changes no
// game state, so it may be drawn as often as wanted between steps.
void DrawGameFrame(const ScreenContext& screen, float blend);
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
