// The title screen: one frame per call of OPTimer, until button 1 starts the game.
#include "app/form_design.h"
#include "app/game.h"
#include "app/main_form.h"
#include "scene/scene.h"
#include "screens/screens.h"
#include "screens/title_screen.h"

namespace {

// The title keeps its own 33 ms, whatever the game frames use.
constexpr uint32_t TitleFrameMs = 33;

} // namespace

void OPTimerTimer(TMainForm& form) {
    World& w = form.world;
    TDXDraw& draw = form.DXDraw;
    if (!draw.IsDrawable()) return;
    PaceSequenceFrame(form, TitleFrameMs);
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
    DrawTitleScreen(form, "Version 0.5");
    draw.Present();
}
