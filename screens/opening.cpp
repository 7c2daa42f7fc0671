// The title screen: one frame per call of OPTimer, until button 1 starts the game.
#include "app/main_form.h"
#include "game/version.h"
#include "game/waves.h"
#include "scene/scene.h"
#include "screens/screens.h"
#include "screens/title_screen.h"

namespace {

// The title keeps its own 33 ms, whatever the game frames use.
constexpr uint32_t TitleFrameMs = 33;

} // namespace

void OPTimerTimer(TMainForm& form) {
    TDXDraw& draw = form.DXDraw;
    if (!draw.IsDrawable()) return;
    PaceSequenceFrame(form, TitleFrameMs);
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
