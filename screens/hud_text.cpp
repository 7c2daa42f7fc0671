// The HUD's text: stage, display, time and points lines and the exit prompt after a defeat.
#include <string>

#include "game/context.h"
#include "game/difficulty.h"
#include "game/draw_pace.h"
#include "game/time_text.h"
#include "media/display.h"
#include "media/language.h"
#include "screens/screens.h"

namespace {

constexpr int LineX = 10;
constexpr int StageLineY = 54;
constexpr int DisplayLineY = 68;
constexpr int TimeLineY = 82;
constexpr int PointsLineY = 96;

std::string StageLine(const World& w) {
    // TRANSLATORS: the HUD's stage line: the stage number and the difficulty's name.
    return Format(Tr("Stage%d：%s"), w.Stage_No, Tr(w.Difficulty_Name.c_str()));
}

std::string DisplayLine(const ScreenContext& screen) {
    // Drawn between the steps: the pictures a second on the drawing clock; otherwise the
    // frame timer's frames, which are the steps.
    const DrawPace* pace = screen.draw_pace;
    const int rate =
        pace != nullptr && pace->measured > 0 ? pace->measured : screen.frames_per_second;
    // The window as it is now: the player may have made it full-screen.
    if (screen.world.Display_Mode == display_mode::Window && !screen.display.CoversScreen()) {
        // TRANSLATORS: the HUD's display line in the window mode, with the frames per second.
        return Format(Tr("Window Mode：%dFPS"), rate);
    }
    // TRANSLATORS: the HUD's display line: width * height of the screen, frames per second.
    return Format(Tr("%d * %d：%dFPS"), screen.display.Width(), screen.display.Height(), rate);
}

} // namespace

void Draw_Text(const ScreenContext& screen) {
    const World& w = screen.world;
    TDXDraw& draw = screen.display;
    const int s = draw.UiScale(); // 1 in every designed mode
    TCanvas& canvas = draw.SurfaceCanvas();
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font.Color = 0xFFFFFF;
    canvas.Font.Size = 12 * s;
    canvas.TextOut(s * LineX, s * StageLineY, StageLine(w));
    canvas.TextOut(s * LineX, s * DisplayLineY, DisplayLine(screen));
    canvas.TextOut(s * LineX, s * TimeLineY, TimeText(w.Play_Time));
    if (KeepsPoints(w.Difficulty))
        // TRANSLATORS: the HUD's points line.
        canvas.TextOut(s * LineX, s * PointsLineY, Format(Tr("Point：%d"), w.Score));
    if (GameOver(w)) {
        canvas.Font.Size = 30 * s;
        canvas.TextOut((draw.Width() - 317 * s) / 2, draw.Height() / 2 + 40 * s,
                       "Press ESC To Exit!");
    }
    draw.ReleaseCanvas();
}
