// The ending: the credits scroll up over the frozen last scene, then the game is over. One
// frame per call of EndingTimer.
#include <cmath>

#include "game/context.h"
#include "game/pictures.h"
#include "media/display.h"
#include "media/image_list.h"
#include "media/language.h"
#include "screens/screens.h"

namespace {

// The ending keeps 25 ms a frame on the tick count, faster than the other screens.
constexpr int32_t EndingFrameMs = 25;

// To the nearest pixel, halves to even.
int Pixel(double y) {
    return static_cast<int>(std::nearbyint(y));
}

// The captions and their distances are drawn at the display's UI scale s (1 in every
// designed mode): a larger window scrolls them s pixels for every pixel of Ending_Scroll.
void DrawCaptions(const ScreenContext& screen) {
    const World& w = screen.world;
    TDXDraw& draw = screen.display;
    const int scale = draw.UiScale();
    const double s = scale;
    const TPictureCollectionItem& captions =
        screen.images.Items(picture::EndingCaptionsIn(CurrentLanguage() == Language::English));
    const int x = (draw.Width() - captions.PatternWidth * scale) / 2;
    const double h = draw.Height();
    TDirectDrawSurface& back = draw.BackSurface();
    if (w.Ending_Scroll < 670 * w.Screen_Scale) {
        captions.DrawPattern(back, x, Pixel(h - s * w.Ending_Scroll), 0, scale);
        captions.DrawPattern(back, x, Pixel(h + 120 * s - s * w.Ending_Scroll), 1, scale);
        captions.DrawPattern(back, x, Pixel(h + 470 * s - s * w.Ending_Scroll), 2, scale);
    } else {
        // The last caption stays where it came to rest.
        captions.DrawPattern(back, x, Pixel(h + 470 * s - s * (670 * w.Screen_Scale)), 2, scale);
    }
}

} // namespace

void EndingTimerTimer(const ScreenContext& screen) {
    World& w = screen.world;
    TDXDraw& draw = screen.display;
    if (!draw.IsDrawable()) return;
    PaceFrame(screen.clock, w.Tick_Now, w.Tick_Last, EndingFrameMs);
    screen.input_device.UpdateInput();
    if (screen.Has(InButton2)) w.Ending_Scroll = 1300; // skip to the end

    w.Ending_Scroll += w.Screen_Scale;
    draw.FillSurface(0);
    draw.RenderScene(); // nothing in the scene moves any more
    DrawCaptions(screen);
    draw.Present();

    const double s = draw.UiScale();
    // The credits are through: the game is over (the result and what follows are the
    // screen change's, app/screen_change.cpp).
    if (s * w.Ending_Scroll >= s * (255 * w.Screen_Scale) + draw.Height())
        screen.ChangeScreen(Screen::Panel);
}
