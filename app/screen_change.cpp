// Which screen runs: each screen has its frame timer, and exactly one runs at a time (they
// share the application's idle slot), so a hand-over stops every timer before it starts
// the next. What a screen needs as it begins, or leaves behind as it ends, is done here.
#include "app/game.h"
#include "app/main_form.h"
#include "game/waves.h"
#include "options/records.h"

namespace {

// A stage begins: the game frames, a play clock counted from now, the game's music.
void BeginStage(TMainForm& form) {
    World& w = form.world;
    form.DXTimer.SetEnabled(true);
    w.Clock_Start = form.Application.clock().Now();
    w.Clock_Running = true;
    PlayWave(form.MakeGameContext(), wave::GameBGM);
}

// The game is over after the ending: the display closes and the result enters its table.
// The designed program then closes; a demo shows the ending of a game played before, so
// its result is not entered again.
void EndGame(TMainForm& form) {
    World& w = form.world;
    StopWave(form.MakeGameContext(), wave::Ending);
    form.DXDraw.FinalizeDisplay();
    form.Window.Centre();

    const bool time_attack = w.Difficulty == difficulty::TimeAttack;
    const std::string& path = time_attack ? w.Time_File : w.Score_File;
    int32_t value = w.Score;
    if (time_attack) {
        w.Total_Time += w.Play_Time;
        value = TimeRecordValue(w.Total_Time);
    }
    if (!form.DemoPlayback) {
        // The table as entered is shown even if the file could not take it.
        TRecordTable entered;
        w.Ending_Rank = InsertRecord(form, path, value, &entered);
        if (w.Ending_Rank <= static_cast<int>(RecordCount))
            ShowRecords(form, entered, w.Ending_Rank, time_attack);
    }
    form.Close();
}

} // namespace

void ChangeScreen(TMainForm& form, Screen next) {
    for (TDXTimer* timer : {&form.DXTimer, &form.OPTimer, &form.TunagiTimer, &form.EndingTimer})
        timer->SetEnabled(false);
    switch (next) {
    case Screen::Panel:
        EndGame(form);
        break;
    case Screen::Title:
        form.OPTimer.SetEnabled(true);
        break;
    case Screen::Game:
        BeginStage(form);
        break;
    case Screen::Transition:
        form.TunagiTimer.SetEnabled(true);
        break;
    case Screen::Ending:
        form.EndingTimer.SetEnabled(true);
        PlayWave(form.MakeGameContext(), wave::Ending);
        break;
    }
}
