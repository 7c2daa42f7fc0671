// One game frame: pace, read the input, advance the play clock, run every game step in
// its fixed order, render, draw the overlays and show the frame.
#include "app/game.h"
#include "app/main_form.h"
#include "app/white_flash.h"
#include "enemies/enemies.h"
#include "game/pictures.h"
#include "player/player.h"
#include "scene/scene.h"
#include "screens/screens.h"

namespace {

void Trace(TMainForm& form, const char* name) {
    if (form.OnFrameStep) form.OnFrameStep(name);
}

// Runs one game step, telling the step's name to whoever listens.
void Run(TMainForm& form, const char* name, void (*step)(TMainForm&)) {
    Trace(form, name);
    step(form);
}

} // namespace

void DrawEndCaptions(TMainForm& form) {
    World& w = form.world;
    const int s = form.DXDraw.UiScale(); // 1 in every designed mode
    const int x = (form.DXDraw.Width() - 500 * s) / 2;
    const int y = (form.DXDraw.Height() - 60 * s) / 2 - 10 * s;
    auto& caption = form.DXImageList1.Items(picture::GameOver);
    if (w.Boss_HP != 0 && w.Robo_HP <= 0) caption.Draw(form.DXDraw.BackSurface(), x, y, 0, s);
    if (w.Boss_Down_Frames >= 15) caption.Draw(form.DXDraw.BackSurface(), x, y, 1, s);
}

void DXTimerTimer(TMainForm& form) {
    World& w = form.world;
    if (!form.DXDraw.IsDrawable()) return;
    PaceFrame(form.Application.clock(), w.Tick_Now, w.Tick_Last, w.Frame_Interval);
    Trace(form, "UpdateInput");
    form.DXInput1.UpdateInput();
    if (w.Clock_Running)
        w.Play_Time = static_cast<int32_t>(form.Application.clock().Now() - w.Clock_Start);
    w.Frame_ms = w.Play_Time - w.Prev_Play_Time;
    w.Prev_Play_Time = w.Play_Time;
    form.DXDraw.FillSurface(0);

    if (w.Boss_HP > 0) Run(form, "Camera_Change", Camera_Change);
    if (w.Robo_HP > 0 && w.Boss_HP > 0) {
        if (w.Energy < FullEnergy) w.Energy += w.Energy_Regen;
        if (w.Energy > FullEnergy) w.Energy = FullEnergy;
        Run(form, "Guard_Action", Guard_Action);
        Run(form, "Layzer_Brade", Layzer_Brade);
        Run(form, "Move_Robo", Move_Robo);
    }
    if (w.Special2 || w.Special1) Run(form, "Move_wing", Move_wing);
    Run(form, "Tama_Shot", Tama_Shot);
    if (w.Robo_HP <= 0) Run(form, "Yarareta_Poze", Yarareta_Poze);
    if (w.Boss_HP <= 0) {
        Run(form, "Gats_Poze", Gats_Poze);
        if (w.Victory_Frames == VictoryFramesToStageEnd) EndStage(form);
    }
    // Not once the victory pose has put the next stage's world in place: the boss's body
    // keeps its collapse tilt into that stage.
    if (w.Boss_HP <= 0) Run(form, "Yarareta_Boss", Yarareta_Boss);
    Run(form, "Move_Teki", Move_Teki);
    Run(form, "Move_GH", Move_GH);
    Run(form, "walk", walk);
    if (w.Boss_Active) Run(form, "BossWalk", BossWalk);
    Run(form, "Teki_Shot", Teki_Shot);
    if (w.Boss_HP <= 0) {
        ++w.Boss_Down_Frames;
        // The boss's body disappears once, on the 111th frame after its defeat.
        if (w.Boss_Down_Frames == 111 && w.Boss_Frame) w.Boss_Frame->DeleteChild(w.Boss_Body_Frame);
    }
    Run(form, "Check_Zako_Clear", Check_Zako_Clear);
    Run(form, "Bakuhatu_Anim", Bakuhatu_Anim);
    if (form.DXDraw.Scene()) form.DXDraw.Scene()->Move(1.0f);
    Trace(form, "RenderScene");
    form.DXDraw.RenderScene();
    Run(form, "Draw_Text", Draw_Text);
    Run(form, "Draw_Radar", Draw_Radar);
    DrawEndCaptions(form);
    if (TakeWhiteFlash(w, FlashesOff(form))) form.DXDraw.FillSurface(0xFFFFFF);
    Trace(form, "Present");
    form.DXDraw.Present();
}
