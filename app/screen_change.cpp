// What a screen needs as it begins, or leaves behind as it ends; which screen runs is the
// screen machine's (app/screen_machine.cpp).
#include "app/game.h"
#include "app/main_form.h"
#include "game/waves.h"
#include "options/records.h"

void BeginStage(TMainForm& form) {
    World& w = form.world;
    form.DXTimer.SetEnabled(true);
    w.Clock_Start = form.Tape.Now();
    w.Clock_Running = true;
    PlayWave(form.MakeGameContext(), wave::GameBGM);
}

// A demo shows the ending of a game played before, so its result is not entered again.
void EnterResult(TMainForm& form) {
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
}

void ShowPanelAgain(TMainForm& form) {
    form.DXWaveList1.Sound().StopAll();
    // Closing the display also closes the window mode's desktop window.
    if (form.DXDraw.Initialized()) form.DXDraw.FinalizeDisplay();
    // The world's frames go before the scene root they hang from.
    form.world = World{};
    form.DXDraw.ReleaseScene();
    DesignDisplay(form);
    for (TDXTimer* timer : {&form.DXTimer, &form.OPTimer, &form.TunagiTimer, &form.EndingTimer})
        timer->ForgetRate();
    form.DXInput1.ForgetStates();
    form.Borderless = false;
    form.Window.SetBorderless(false);
    ShowPanelAtScale(form, form.Panel1.Scale);
    form.Panel1.RestoreDesign();
    FormCreate(form);
    form.Panel1.Visible = true;
    form.Application.KeepIdling();
}

void ChangeScreen(TMainForm& form, Screen next) {
    form.Screens.Change(next);
}
