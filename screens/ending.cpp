// The ending: the credits scroll up over the frozen last scene, then the display closes,
// the result enters its table and the program ends. One frame per call of EndingTimer.
#include <cmath>

#include "app/main_form.h"
#include "game/pictures.h"
#include "game/waves.h"
#include "options/records.h"
#include "screens/screens.h"

namespace {

// The ending keeps 25 ms a frame on the tick count, faster than the other screens.
constexpr int32_t EndingFrameMs = 25;
constexpr int CaptionWidth = 380;

// To the nearest pixel, halves to even.
int Pixel(double y) {
    return static_cast<int>(std::nearbyint(y));
}

// The captions and their distances are drawn at the display's UI scale s (1 in every
// designed mode): a larger window scrolls them s pixels for every pixel of Ending_Scroll.
void DrawCaptions(TMainForm& form) {
    const World& w = form.world;
    TDXDraw& draw = form.DXDraw;
    const int scale = draw.UiScale();
    const double s = scale;
    const int x = (draw.Width() - CaptionWidth * scale) / 2;
    const double h = draw.Height();
    const TPictureCollectionItem& captions = form.DXImageList1.Items(picture::EndingCaptions);
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

void FinishEnding(TMainForm& form) {
    World& w = form.world;
    form.EndingTimer.SetEnabled(false);
    StopWave(form, wave::Ending);
    form.DXDraw.FinalizeDisplay();
    form.Window.Centre();

    const bool time_attack = w.Difficulty == difficulty::TimeAttack;
    const std::string& path = time_attack ? w.Time_File : w.Score_File;
    int32_t value = w.Score;
    if (time_attack) {
        w.Total_Time += w.Play_Time;
        value = TimeRecordValue(w.Total_Time);
    }
    // A demo shows the ending of a game played before: its result is not entered again.
    if (form.DemoPlayback) {
        form.Close();
        return;
    }
    // The table as entered is shown even if the file could not take it.
    TRecordTable entered;
    w.Ending_Rank = InsertRecord(form, path, value, &entered);
    if (w.Ending_Rank <= static_cast<int>(RecordCount))
        ShowRecords(form, entered, w.Ending_Rank, time_attack);
    form.Close();
}

} // namespace

void EndingTimerTimer(TMainForm& form) {
    World& w = form.world;
    TDXDraw& draw = form.DXDraw;
    if (!draw.IsDrawable()) return;
    PaceFrame(form.Application.clock(), w.Tick_Now, w.Tick_Last, EndingFrameMs);
    form.DXInput1.UpdateInput();
    if (form.DXInput1.Has(InButton2)) w.Ending_Scroll = 1300; // skip to the end

    w.Ending_Scroll += w.Screen_Scale;
    draw.FillSurface(0);
    draw.RenderScene(); // nothing in the scene moves any more
    DrawCaptions(form);
    draw.Present();

    const double s = draw.UiScale();
    if (s * w.Ending_Scroll >= s * (255 * w.Screen_Scale) + draw.Height()) FinishEnding(form);
}
