// One game frame: pace, read the input, advance the play clock, run every game step in
// its fixed order, render, draw the overlays and show the frame.
#include <algorithm>

#include "app/game.h"
#include "enemies/enemies.h"
#include "game/pictures.h"
#include "game/white_flash.h"
#include "media/clock.h"
#include "media/display.h"
#include "media/image_list.h"
#include "player/player.h"
#include "scene/scene.h"
#include "screens/screens.h"

void DrawEndCaptions(const ScreenContext& screen) {
    const World& w = screen.world;
    TDXDraw& draw = screen.display;
    const auto& caption = screen.images.Items(picture::GameOver);
    const int s = draw.UiScale(); // 1 in every designed mode
    const int x = (draw.Width() - caption.PatternWidth * s) / 2;
    const int y = (draw.Height() - caption.PatternHeight * s) / 2 - 10 * s;
    if (GameOver(w)) caption.Draw(draw.BackSurface(), x, y, 0, s);
    if (w.Boss_Down_Frames >= 15) caption.Draw(draw.BackSurface(), x, y, 1, s);
}

void BeginGameFrame(const ScreenContext& screen) {
    World& w = screen.world;
    screen.input_device.UpdateInput();
    if (w.Clock_Running) w.Play_Time = static_cast<int32_t>(screen.clock.Now() - w.Clock_Start);
    w.Frame_ms = w.Play_Time - w.Prev_Play_Time;
    w.Prev_Play_Time = w.Play_Time;
    screen.display.FillSurface(0);
}

void RunGameSteps(const ScreenContext& screen) {
    World& w = screen.world;
    if (screen.scene) screen.scene->KeepStep(); // where the pictures between steps start
    if (w.Boss_HP > 0) Camera_Change(screen);
    if (w.Robo_HP > 0 && w.Boss_HP > 0) {
        if (w.Energy < FullEnergy) w.Energy += w.Energy_Regen;
        if (w.Energy > FullEnergy) w.Energy = FullEnergy;
        Guard_Action(screen);
        Layzer_Brade(screen);
        Move_Robo(screen);
    }
    if (w.Special2 || w.Special1) Move_wing(screen);
    Tama_Shot(screen);
    if (w.Robo_HP <= 0) Yarareta_Poze(screen);
    if (w.Boss_HP <= 0) {
        Gats_Poze(screen);
        if (w.Victory_Frames == VictoryFramesToStageEnd) EndStage(screen);
    }
    // Not once the victory pose has put the next stage's world in place: the boss's body
    // keeps its collapse tilt into that stage.
    if (w.Boss_HP <= 0) Yarareta_Boss(screen);
    Move_Teki(screen);
    Move_GH(screen);
    walk(screen);
    if (w.Boss_Active) BossWalk(screen);
    Teki_Shot(screen);
    if (w.Boss_HP <= 0) {
        ++w.Boss_Down_Frames;
        // The boss's body disappears once, on the 111th frame after its defeat.
        if (w.Boss_Down_Frames == 111 && w.Boss_Frame) w.Boss_Frame->DeleteChild(w.Boss_Body_Frame);
    }
    Check_Zako_Clear(screen);
    Bakuhatu_Anim(screen);
    if (screen.scene) screen.scene->Move(1.0f);
    RunHudStep(screen);
}

void RunHudStep(const ScreenContext& screen) {
    World& w = screen.world;
    // The points drain in every difficulty, also where they are not shown.
    w.Score -= w.Frame_ms;
    w.Flash_Shown = TakeWhiteFlash(w, screen.flashes_off);
}

void DrawGameOverlays(const ScreenContext& screen) {
    Draw_Text(screen);
    Draw_Radar(screen);
    DrawEndCaptions(screen);
    if (screen.world.Flash_Shown) screen.display.FillSurface(0xFFFFFF);
}

void DrawGameFrame(const ScreenContext& screen, float blend) {
    screen.display.FillSurface(0);
    screen.display.RenderScene(blend);
    DrawGameOverlays(screen);
}

namespace {

// Pictures a second between steps, or 0 for none (drawn at the steps only, as designed).
// The display's rate: whether the pictures follow the display (display set).
int PicturesPerSecond(const ScreenContext& screen, bool& display) {
    const DrawPace* pace = screen.draw_pace;
    display = false;
    if (pace == nullptr || pace->clock == nullptr) return 0;
    const int32_t setting = screen.world.Frame_Rate;
    display = pace->as_set ? setting == 0 : pace->display;
    const int rate = display        ? screen.display.RefreshRate()
                     : pace->as_set ? setting
                                    : pace->per_second;
    return rate > 1000 / std::max(screen.world.Frame_Interval, 1) ? rate : 0;
}

// Since the last step on the drawing clock, as a part of a step: 0 at the step, 1 at the
// next.
float BlendNow(const DrawPace& pace, const World& w) {
    const auto since = static_cast<float>(pace.clock->Now() - pace.step_at);
    return std::clamp(since / static_cast<float>(std::max(w.Frame_Interval, 1)), 0.0f, 1.0f);
}

// One more picture shown: the count of the second, and the pictures a second once the
// second is over.
void CountPicture(DrawPace& pace) {
    const uint32_t now = pace.clock->Now();
    if (!pace.counting) { // the first picture starts the count
        pace.counting = true;
        pace.second_from = now;
        pace.in_second = 0;
        return;
    }
    ++pace.in_second;
    const uint32_t elapsed = now - pace.second_from;
    if (elapsed < 1000) return;
    pace.measured = static_cast<int>((pace.in_second * 1000LL + elapsed / 2) / elapsed);
    pace.second_from = now;
    pace.in_second = 0;
}

// Until the next step is due: a picture every refresh, the last one half a refresh or
// more before the step. Presenting in step with the display waits for its vertical blank
// itself: a picture then only while the one after it is shown before the step is due.
void DrawBetweenSteps(const ScreenContext& screen, DrawPace& pace, int per_second, bool vsync) {
    const World& w = screen.world;
    const double period = 1000.0 / per_second;
    const auto picture = [&] {
        DrawGameFrame(screen, BlendNow(pace, w));
        screen.display.PresentBetweenFrames();
        ++pace.drawn;
        CountPicture(pace);
    };
    while (vsync) {
        if (static_cast<double>(pace.clock->Now() - pace.step_at) + period > w.Frame_Interval)
            return;
        picture();
    }
    for (int k = 1;; ++k) {
        const double at = k * period;
        if (at + period / 2 >= w.Frame_Interval) return;
        pace.clock->WaitUntil(pace.step_at + static_cast<uint32_t>(at));
        if (static_cast<double>(pace.clock->Now() - pace.step_at) + period / 2 >= w.Frame_Interval)
            return; // drawing is slower than the display: the step comes first
        picture();
    }
}

} // namespace

void DXTimerTimer(const ScreenContext& screen) {
    World& w = screen.world;
    TDXDraw& draw = screen.display;
    if (!draw.IsDrawable()) return;
    PaceFrame(screen.clock, w.Tick_Now, w.Tick_Last, w.Frame_Interval);
    bool display = false;
    const int between = PicturesPerSecond(screen, display);
    // In step with the vertical blank only at the display's own rate, where it has one.
    const bool vsync = draw.PaceByDisplay(between > 0 && display);
    if (between > 0) screen.draw_pace->step_at = screen.draw_pace->clock->Now();
    BeginGameFrame(screen);
    RunGameSteps(screen);
    // As designed, the step as it is; drawn between steps, the step's picture starts the
    // way from the step before to this one.
    draw.RenderScene(between > 0 ? BlendNow(*screen.draw_pace, w) : 1.0f);
    DrawGameOverlays(screen);
    draw.Present();
    if (between > 0) {
        CountPicture(*screen.draw_pace);
        DrawBetweenSteps(screen, *screen.draw_pace, between, vsync);
    } else if (screen.draw_pace != nullptr) {
        screen.draw_pace->measured = 0;
        screen.draw_pace->counting = false;
    }
}
