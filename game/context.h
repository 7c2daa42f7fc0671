// What a step may reach. The game's per-frame steps take a GameContext: the world, this
// frame's input states, the scene and the wave list, nothing of the window, the panel or
// the timers. The screens, the scene's construction and the stage flow take a
// ScreenContext, which adds the display, the pictures, the HUD surfaces and one way to
// hand over to another screen. The main form builds both (app/main_form.h); a test may
// build them from parts of its own.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "game/world.h"
#include "media/input.h"
#include "scene/engine/rm.h"

class Clock;
class TDXDraw;
class TDXImageList;
class TDXWaveList;
class TDirectDrawSurface;
class TImage;

// The screens of the program; one runs at a time.
enum class Screen {
    Panel,      // the options panel
    Title,      // the opening title (OPTimer)
    Game,       // the game frames (DXTimer)
    Transition, // between two stages (TunagiTimer)
    Ending,     // the credits (EndingTimer)
    Paused,     // the pause menu over one of the four before (beyond the design)
};

struct GameContext {
    World& world;
    const TDXInputStates& input; // this frame's input states
    rm::FramePtr scene;          // the scene root; null until the display is initialised
    rm::Viewport* viewport;      // the scene's view, placed by the camera steps; may be null
    TDXWaveList& waves;          // played through PlayWave and StopWave (game/waves.h)

    bool Has(TDXInputState state) const { return input.test(static_cast<size_t>(state)); }
};

struct ScreenContext : GameContext {
    TDXDraw& display;
    TDXImageList& images;
    TDXInput& input_device;            // each screen reads it once per frame
    Clock& clock;                      // screens pace their frames on it
    TDirectDrawSurface* radar_surface; // the HUD's surfaces, null without a display
    TDirectDrawSurface* gauge_surface;
    std::array<const TImage*, 6> stage_maps; // the player's maps of stages 1-3, then the walls'
    int frames_per_second;                   // the game frames' rate, as the HUD shows it
    bool flashes_off;                        // no white flash of a hit in this run
    // The keys and pad button bound to button 1 ("Z / Space / a"), named under the
    // title's prompt; empty while they are the designed ones.
    std::string button1_names;
    // Hands over to another screen (app/screen_change.cpp).
    std::function<void(Screen next)> change_screen;

    void ChangeScreen(Screen next) const { change_screen(next); }
};
