// The transition screen between two stages: the title picture with "Next Stage" until
// button 1 starts the next stage. One frame per call of TunagiTimer.
#include "app/main_form.h"
#include "game/frame_time.h"
#include "game/waves.h"
#include "screens/screens.h"
#include "screens/title_screen.h"

namespace {

// Button 1: the next stage runs with a fresh play clock.
void StartNextStage(TMainForm& form) {
    World& w = form.world;
    form.TunagiTimer.SetEnabled(false);
    form.DXTimer.SetEnabled(true);
    w.Clock_Start = form.Application.clock().Now();
    w.Clock_Running = true;
    PlayWave(form, wave::GameBGM);
}

} // namespace

void TunagiTimerTimer(TMainForm& form) {
    if (!form.DXDraw.IsDrawable()) return;
    PaceFrame(form.Application.clock(), form.world.Tick_Now, form.world.Tick_Last, StandardFrameMs);
    form.DXInput1.UpdateInput();

    if (SequenceStartPressed(form)) StartNextStage(form);

    DrawTitleScreen(form, "Next Stage");
    form.DXDraw.Present();
}
