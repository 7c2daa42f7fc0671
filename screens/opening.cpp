// The title screen: one frame per call of OPTimer, until button 1 starts the game.
#include "app/form_design.h"
#include "app/game.h"
#include "app/main_form.h"
#include "scene/scene.h"
#include "screens/screens.h"

namespace {

// The title keeps its own 33 ms, whatever the game frames use.
constexpr uint32_t TitleFrameMs = 33;

void PaceTitleFrame(TMainForm& form) {
    World& w = form.world;
    Clock& clock = form.Application.clock();
    w.Tick_Now = clock.Now();
    while (w.Tick_Now - w.Tick_Last < TitleFrameMs) {
        clock.WaitUntil(w.Tick_Last + TitleFrameMs);
        w.Tick_Now = clock.Now();
    }
    w.Tick_Last = w.Tick_Now;
}

// Up in steps of 25 to full white, then down to black: 21 frames a period.
void BlinkStep(World& w) {
    if (w.Blink_Down) {
        w.Blink_Level -= 25;
        if (w.Blink_Level <= 0) {
            w.Blink_Level = 0;
            w.Blink_Down = false;
        }
    } else {
        w.Blink_Level += 25;
        if (w.Blink_Level >= 250) {
            w.Blink_Level = 255;
            w.Blink_Down = true;
        }
    }
}

} // namespace

void OPTimerTimer(TMainForm& form) {
    World& w = form.world;
    TDXDraw& draw = form.DXDraw;
    if (!draw.IsDrawable()) return;
    PaceTitleFrame(form);
    form.DXInput1.UpdateInput();

    // Button 2 is looked at first: holding both only beeps.
    if (form.DXInput1.Has(InButton2)) {
        if (w.Button_Latch) {
            w.Button_Latch = false;
            form.DXSound1.MessageBeep();
        }
    } else if (form.DXInput1.Has(InButton1)) {
        if (w.Button_Latch) {
            w.Button_Latch = false;
            form.OPTimer.SetEnabled(false);
            Create_3D(form);
            PlayWave(form, wave::GameBGM);
        }
    } else {
        w.Button_Latch = true;
    }

    // The title is drawn once more in the frame that starts the game.
    const int width = draw.Width();
    const int height = draw.Height();
    draw.FillSurface(0);
    form.DXImageList1.Items(picture::Title)
        .Draw(draw.BackSurface(), (width - 616) / 2, (height - 340) / 2 - 10, 0);
    BlinkStep(w);

    TCanvas& canvas = draw.SurfaceCanvas();
    canvas.Brush.Style = TBrushStyle::Clear;
    const auto grey = static_cast<uint32_t>(w.Blink_Level);
    canvas.Font.Color = (grey << 16) | (grey << 8) | grey;
    canvas.Font.Size = 24;
    canvas.TextOut((width - 210) / 2, height - 80, "Press ①Button");
    canvas.TextOut(10, 10, "Version 0.5");
    draw.ReleaseCanvas();
    draw.Present();
}
