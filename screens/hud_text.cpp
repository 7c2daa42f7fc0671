// The HUD's text: stage, display, time and points lines, the exit prompt after a defeat,
// and the per-frame drain of the points by the frame's play time.
#include <string>

#include "app/main_form.h"
#include "screens/screens.h"

namespace {

constexpr int LineX = 10;
constexpr int StageLineY = 54;
constexpr int DisplayLineY = 68;
constexpr int TimeLineY = 82;
constexpr int PointsLineY = 96;
constexpr int DifficultyPractice = 0;
constexpr int DifficultyTimeAttack = 5;
constexpr int WindowMode = 3;

std::string StageLine(const World& w) {
    return "Stage" + std::to_string(w.Stage_No) + "：" + w.Difficulty_Name;
}

std::string DisplayLine(const TMainForm& form) {
    const std::string rate = std::to_string(form.DXTimer.FramesPerSecond()) + "FPS";
    if (form.world.Display_Mode == WindowMode) return "Window Mode：" + rate;
    return std::to_string(form.DXDraw.Width()) + " * " + std::to_string(form.DXDraw.Height()) +
           "：" + rate;
}

// Minutes, seconds and milliseconds of the play time, each without leading zeros.
std::string TimeLine(int32_t play_time) {
    const int32_t seconds_total = play_time / 1000;
    const int32_t ms = play_time - 1000 * seconds_total;
    const int32_t minutes = seconds_total / 60;
    const int32_t seconds = seconds_total - 60 * minutes;
    return std::to_string(minutes) + "分" + std::to_string(seconds) + "秒" + std::to_string(ms);
}

} // namespace

void Draw_Text(TMainForm& form) {
    World& w = form.world;
    TDXDraw& draw = form.DXDraw;
    TCanvas& canvas = draw.SurfaceCanvas();
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font.Color = 0xFFFFFF;
    canvas.Font.Size = 12;
    canvas.TextOut(LineX, StageLineY, StageLine(w));
    canvas.TextOut(LineX, DisplayLineY, DisplayLine(form));
    canvas.TextOut(LineX, TimeLineY, TimeLine(w.Play_Time));
    // The points drain in every difficulty, also where they are not shown.
    w.Score -= w.Frame_ms;
    if (w.Difficulty != DifficultyPractice && w.Difficulty != DifficultyTimeAttack)
        canvas.TextOut(LineX, PointsLineY, "Point：" + std::to_string(w.Score));
    if (w.Boss_HP != 0 && w.Robo_HP <= 0) {
        canvas.Font.Size = 30;
        canvas.TextOut((draw.Width() - 317) / 2, draw.Height() / 2 + 40, "Press ESC To Exit!");
    }
    draw.ReleaseCanvas();
}
