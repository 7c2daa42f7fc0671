// The transition screen between two stages: the title picture with "Next Stage" until
// button 1 starts the next stage (its world is ready: reset_game ran as the last stage
// ended). One frame per call of TunagiTimer.
#include "game/context.h"
#include "game/frame_time.h"
#include "media/display.h"
#include "screens/screens.h"
#include "screens/title_screen.h"

void TunagiTimerTimer(const ScreenContext& screen) {
    TDXDraw& draw = screen.display;
    if (!draw.IsDrawable()) return;
    World& w = screen.world;
    PaceFrame(screen.clock, w.Tick_Now, w.Tick_Last, StandardFrameMs);
    screen.input_device.UpdateInput();

    if (SequenceStartPressed(screen)) screen.ChangeScreen(Screen::Game);

    DrawTitleScreen(screen, "Next Stage");
    draw.Present();
}
