// The title screen: one frame per call of OPTimer, until button 1 starts the game.
#include "app/main_form.h"
#include "game/frame_time.h"
#include "game/version.h"
#include "game/waves.h"
#include "scene/scene.h"
#include "screens/screens.h"
#include "screens/title_screen.h"

void OPTimerTimer(TMainForm& form) {
    TDXDraw& draw = form.DXDraw;
    if (!draw.IsDrawable()) return;
    PaceFrame(form.Application.clock(), form.world.Tick_Now, form.world.Tick_Last, StandardFrameMs);
    form.DXInput1.UpdateInput();

    if (SequenceStartPressed(form)) {
        form.OPTimer.SetEnabled(false);
        Create_3D(form);
        PlayWave(form, wave::GameBGM);
    }

    // The title is drawn once more in the frame that starts the game.
    DrawTitleScreen(form, ("Version " + GameVersion()).c_str());
    draw.Present();
}
