#include "screens/title_screen.h"

#include "game/context.h"
#include "game/pictures.h"
#include "media/display.h"
#include "media/image_list.h"
#include "media/language.h"
#include "media/sound.h"

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

void DrawTitleScreen(const ScreenContext& screen, const char* corner_text) {
    World& w = screen.world;
    TDXDraw& draw = screen.display;
    const int width = draw.Width();
    const int height = draw.Height();
    const int s = draw.UiScale(); // 1 in every designed mode
    draw.FillSurface(0);
    screen.images.Items(picture::Title)
        .Draw(draw.BackSurface(), (width - 616 * s) / 2, (height - 340 * s) / 2 - 10 * s, 0, s);
    BlinkStep(w);

    TCanvas& canvas = draw.SurfaceCanvas();
    canvas.Brush.Style = TBrushStyle::Clear;
    const auto grey = static_cast<uint32_t>(w.Blink_Level);
    canvas.Font.Color = (grey << 16) | (grey << 8) | grey;
    canvas.Font.Size = 24 * s;
    // TRANSLATORS: the title's prompt; ① is button 1, which English writes out.
    canvas.TextOut((width - 210 * s) / 2, height - 80 * s, Tr("Press ①Button"));
    if (!screen.button1_names.empty()) {
        // The keys the player bound to button 1, small under the prompt.
        canvas.Font.Size = 12 * s;
        const std::string names = Format(Tr("（%s）"), screen.button1_names.c_str());
        canvas.TextOut((width - canvas.TextExtent(names).first) / 2, height - 46 * s, names);
        canvas.Font.Size = 24 * s;
    }
    canvas.TextOut(10 * s, 10 * s, corner_text);
    draw.ReleaseCanvas();
}

bool SequenceStartPressed(const ScreenContext& screen) {
    World& w = screen.world;
    if (screen.Has(InButton2)) {
        if (w.Button_Latch) {
            w.Button_Latch = false;
            screen.waves.Sound().MessageBeep();
        }
        return false;
    }
    if (!screen.Has(InButton1)) {
        w.Button_Latch = true;
        return false;
    }
    if (!w.Button_Latch) return false;
    w.Button_Latch = false;
    return true;
}
