// One game frame: pace, read the input, advance the play clock, run every game step in
// its fixed order, render, draw the overlays and show the frame.
#include "app/form_design.h"
#include "app/game.h"
#include "app/main_form.h"
#include "enemies/enemies.h"
#include "player/player.h"
#include "scene/scene.h"
#include "screens/screens.h"

namespace {

// Waits until Frame_Interval ms have passed since the last frame. The clock sleeps until
// shortly before the deadline and spins for the rest.
void PaceFrame(TMainForm& form) {
    World& w = form.world;
    Clock& clock = form.Application.clock();
    w.Tick_Now = clock.Now();
    while (static_cast<int32_t>(w.Tick_Now - w.Tick_Last) < w.Frame_Interval) {
        clock.WaitUntil(w.Tick_Last + static_cast<uint32_t>(w.Frame_Interval));
        w.Tick_Now = clock.Now();
    }
    w.Tick_Last = w.Tick_Now;
}

void DrawEndCaptions(TMainForm& form) {
    World& w = form.world;
    const int x = (form.DXDraw.Width() - 500) / 2;
    const int y = (form.DXDraw.Height() - 60) / 2 - 10;
    auto& caption = form.DXImageList1.Items(picture::GameOver);
    if (w.Boss_HP != 0 && w.Robo_HP <= 0) caption.Draw(form.DXDraw.BackSurface(), x, y, 0);
    if (w.Boss_Down_Frames >= 15) caption.Draw(form.DXDraw.BackSurface(), x, y, 1);
}

} // namespace

void DXTimerTimer(TMainForm& form) {
    World& w = form.world;
    if (!form.DXDraw.IsDrawable()) return;
    PaceFrame(form);
    form.DXInput1.UpdateInput();
    if (w.Clock_Running)
        w.Play_Time = static_cast<int32_t>(form.Application.clock().Now() - w.Clock_Start);
    w.Frame_ms = w.Play_Time - w.Prev_Play_Time;
    w.Prev_Play_Time = w.Play_Time;
    form.DXDraw.FillSurface(0);

    if (w.Boss_HP > 0) Camera_Change(form);
    if (w.Robo_HP > 0 && w.Boss_HP > 0) {
        if (w.Energy < 300.0) {
            w.Energy += w.Energy_Regen;
            if (w.Energy > 300.0) w.Energy = 300.0;
        }
        Guard_Action(form);
        Layzer_Brade(form);
        Move_Robo(form);
    }
    if (w.Special2 || w.Special1) Move_wing(form);
    Tama_Shot(form);
    if (w.Robo_HP <= 0) Yarareta_Poze(form);
    if (w.Boss_HP <= 0) {
        Gats_Poze(form);
        Yarareta_Boss(form);
    }
    Move_Teki(form);
    Move_GH(form);
    walk(form);
    if (w.Boss_Active) BossWalk(form);
    Teki_Shot(form);
    if (w.Boss_HP <= 0) {
        ++w.Boss_Down_Frames;
        // The boss's body disappears once, on the 111th frame after its defeat.
        if (w.Boss_Down_Frames == 111 && w.Boss_Frame) w.Boss_Frame->DeleteChild(w.Boss_Body_Frame);
    }
    Check_Zako_Clear(form);
    Bakuhatu_Anim(form);
    if (form.DXDraw.Scene()) form.DXDraw.Scene()->Move(1.0f);
    form.DXDraw.RenderScene();
    Draw_Text(form);
    Draw_Radar(form);
    DrawEndCaptions(form);
    if (w.White_Flash) {
        form.DXDraw.FillSurface(0xFFFFFF);
        w.White_Flash = false;
    }
    form.DXDraw.Present();
}
