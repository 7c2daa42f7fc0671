// The title screen: one frame per call of OPTimer, until button 1 starts the game.
#include "game/context.h"
#include "game/frame_time.h"
#include "game/version.h"
#include "media/display.h"
#include "scene/scene.h"
#include "screens/screens.h"
#include "screens/title_screen.h"

void OPTimerTimer(const ScreenContext& screen) {
    TDXDraw& draw = screen.display;
    if (!draw.IsDrawable()) return;
    World& w = screen.world;
    PaceFrame(screen.clock, w.Tick_Now, w.Tick_Last, StandardFrameMs);
    screen.input_device.UpdateInput();

    // The scene is built once, and the game frames take over.
    if (SequenceStartPressed(screen)) Create_3D(screen);

    // The title is drawn once more in the frame that starts the game.
    DrawTitleScreen(screen, ("Version " + GameVersion()).c_str());
    draw.Present();
}
