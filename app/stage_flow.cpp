// From stage to stage: the gate opening once every small enemy is gone, the end of a stage
// after the victory pose, and the transition screen that starts the next stage.
#include <algorithm>

#include "app/form_design.h"
#include "app/game.h"
#include "app/main_form.h"
#include "screens/title_screen.h"

namespace {

constexpr int LastStage = 3;
constexpr uint32_t TransitionFrameMs = 33;

bool AllDead(const auto& records) {
    return std::all_of(records.begin(), records.end(),
                       [](const TParts& record) { return record.Life == 0; });
}

// Button 1 on the transition screen: the next stage runs with a fresh play clock.
void StartNextStage(TMainForm& form) {
    World& w = form.world;
    form.TunagiTimer.SetEnabled(false);
    form.DXTimer.SetEnabled(true);
    w.Clock_Start = form.Application.clock().Now();
    w.Clock_Running = true;
    PlayWave(form, wave::GameBGM);
}

} // namespace

void Check_Zako_Clear(TMainForm& form) {
    World& w = form.world;
    if (!AllDead(w.Zako) || !AllDead(w.GH) || w.Gate_Open) return;
    w.Gate_Open = true;
    w.Arena_Frame->DeleteVisual(w.Gate_Mesh);
    w.Arena_Frame->DeleteVisual(w.Door_Mesh);
}

void EndStage(TMainForm& form) {
    World& w = form.world;
    form.DXTimer.SetEnabled(false);
    if (w.Difficulty == 0) w.Stage_No = LastStage; // Practice has one stage
    if (w.Stage_No == LastStage) {
        form.EndingTimer.SetEnabled(true);
        PlayWave(form, wave::Ending);
        return;
    }
    form.TunagiTimer.SetEnabled(true);
    w.Victory_Frames = 0;
    ++w.Stage_No;
    reset_game(form);
}

void TunagiTimerTimer(TMainForm& form) {
    if (!form.DXDraw.IsDrawable()) return;
    PaceSequenceFrame(form, TransitionFrameMs);
    form.DXInput1.UpdateInput();

    if (SequenceStartPressed(form)) StartNextStage(form);

    DrawTitleScreen(form, "Next Stage");
    form.DXDraw.Present();
}
