#include "app/screen_machine.h"

#include "app/game.h"
#include "app/main_form.h"
#include "game/frame_time.h"
#include "game/waves.h"

ScreenAction ActionFor(ProgramEvent event, Screen screen, bool game_over,
                       const ScreenSettings& settings) {
    const bool game_screen = screen != Screen::Panel && screen != Screen::Paused;
    switch (event) {
    case ProgramEvent::Escape:
        if (settings.escape_quits || settings.demo_playback || screen == Screen::Panel)
            return ScreenAction::Quit;
        if (screen == Screen::Paused) return ScreenAction::Resume;
        return game_over ? ScreenAction::BackToPanel : ScreenAction::Pause;
    case ProgramEvent::PauseKey:
        if (settings.demo_playback) return ScreenAction::None;
        if (screen == Screen::Paused) return ScreenAction::Resume;
        return game_screen ? ScreenAction::Pause : ScreenAction::None;
    case ProgramEvent::FocusLost:
        return settings.focus_pause && !settings.demo_playback && game_screen ? ScreenAction::Pause
                                                                              : ScreenAction::None;
    case ProgramEvent::PadLost:
        return !settings.demo_playback && game_screen ? ScreenAction::Pause : ScreenAction::None;
    }
    return ScreenAction::None;
}

ScreenMachine::ScreenMachine(TMainForm& form) : form_(form), pause_timer_(form.Application) {
    // The paused screen is drawn also while the window is in the background.
    pause_timer_.SetActiveOnly(false);
    pause_timer_.SetInterval(0);
    pause_timer_.OnTimer = [this](TDXTimer&, int) { PausedFrame(); };
    // After the timers' own listeners: the game's timer has let the slot go by then.
    focus_listener_ = form.Application.AddActivationListener([this](bool active) {
        if (!active) Take(ProgramEvent::FocusLost);
    });
}

ScreenMachine::~ScreenMachine() {
    form_.Application.RemoveActivationListener(focus_listener_);
}

TDXTimer& ScreenMachine::TimerOf(Screen screen) {
    switch (screen) {
    case Screen::Title:
        return form_.OPTimer;
    case Screen::Transition:
        return form_.TunagiTimer;
    case Screen::Ending:
        return form_.EndingTimer;
    default:
        return form_.DXTimer;
    }
}

void ScreenMachine::StopGameTimers() {
    for (TDXTimer* timer : {&form_.DXTimer, &form_.OPTimer, &form_.TunagiTimer, &form_.EndingTimer})
        timer->SetEnabled(false);
}

void ScreenMachine::Told() {
    ShowPointer();
    if (OnChange) OnChange(current_);
}

void ScreenMachine::ShowPointer() {
    const bool game_screen = current_ != Screen::Panel && current_ != Screen::Paused;
    form_.Window.SetCursorVisible(!game_screen || !form_.DXDraw.CoversScreen());
}

void ScreenMachine::Change(Screen next) {
    if (next == Screen::Paused) {
        Pause();
        return;
    }
    if (current_ == Screen::Paused) {
        if (next == paused_from_) {
            Resume();
            return;
        }
        EndPause();
    }
    StopGameTimers();
    current_ = next;
    switch (next) {
    case Screen::Panel: {
        // The end of the ending: the game is over.
        EnterResult(form_);
        if (form_.world.Quit_After_Game || form_.Application.Terminated()) {
            form_.Close();
            break;
        }
        ShowPanelAgain(form_);
        break;
    }
    case Screen::Title:
        form_.OPTimer.SetEnabled(true);
        break;
    case Screen::Game:
        BeginStage(form_);
        break;
    case Screen::Transition:
        form_.TunagiTimer.SetEnabled(true);
        break;
    case Screen::Ending:
        form_.EndingTimer.SetEnabled(true);
        PlayWave(form_.MakeGameContext(), wave::Ending);
        break;
    case Screen::Paused:
        break;
    }
    Told();
}

void ScreenMachine::StartTimerOf(Screen screen) {
    if (current_ == Screen::Paused) EndPause();
    StopGameTimers();
    current_ = screen;
    TimerOf(screen).SetEnabled(true);
    Told();
}

bool ScreenMachine::Take(ProgramEvent event) {
    const bool game_over = current_ == Screen::Game && GameOver(form_.world);
    const ScreenSettings settings{form_.world.Escape_Quits, form_.world.Focus_Pause,
                                  form_.DemoPlayback};
    const ScreenAction action = ActionFor(event, current_, game_over, settings);
    Act(action);
    return action != ScreenAction::None;
}

void ScreenMachine::Act(ScreenAction action) {
    switch (action) {
    case ScreenAction::None:
        break;
    case ScreenAction::Pause:
        Pause();
        break;
    case ScreenAction::Resume:
        Resume();
        break;
    case ScreenAction::BackToPanel:
        LeaveGame();
        break;
    case ScreenAction::Quit:
        form_.Close();
        break;
    }
}

void ScreenMachine::Choose(PauseItem item) {
    switch (item) {
    case PauseItem::Resume:
        Act(ScreenAction::Resume);
        break;
    case PauseItem::BackToPanel:
        Act(ScreenAction::BackToPanel);
        break;
    case PauseItem::Quit:
        Act(ScreenAction::Quit);
        break;
    }
}

void ScreenMachine::TakeMenuInput(const TUiEvent& event) {
    if (current_ != Screen::Paused) return;
    switch (event.input) {
    case UiInput::Up:
        menu_.MoveFocus(-1);
        break;
    case UiInput::Down:
        menu_.MoveFocus(1);
        break;
    case UiInput::Choose:
        Choose(menu_.Focus());
        break;
    case UiInput::Back:
        Resume();
        break;
    case UiInput::Point:
        if (const auto item = menu_.ItemAt(form_.DXDraw, event.x, event.y)) menu_.SetFocus(*item);
        break;
    case UiInput::Click:
        if (const auto item = menu_.ItemAt(form_.DXDraw, event.x, event.y)) Choose(*item);
        break;
    case UiInput::None:
    case UiInput::Escape:
    case UiInput::Pause:
    case UiInput::Mute:
    case UiInput::Left:
    case UiInput::Right:
        break;
    }
}

void ScreenMachine::Pause() {
    if (current_ == Screen::Panel || current_ == Screen::Paused) return;
    paused_from_ = current_;
    current_ = Screen::Paused;
    // Nothing of the game reads its time until it resumes: the timers stop where they are.
    form_.GameClock.Stop();
    StopGameTimers();
    form_.DXWaveList1.Sound().PauseAll();
    menu_.Open(form_.DXDraw);
    pause_tick_last_ = form_.Application.clock().Now();
    pause_timer_.SetEnabled(true);
    Told();
}

void ScreenMachine::EndPause() {
    if (current_ != Screen::Paused) return;
    pause_timer_.SetEnabled(false);
    menu_.Close();
    form_.DXWaveList1.Sound().ResumeAll();
    form_.GameClock.Go();
    current_ = paused_from_;
}

void ScreenMachine::Resume() {
    if (current_ != Screen::Paused) return;
    EndPause();
    // The key that resumed is not also the game's.
    form_.DXInput1.ForgetPressesSincePause();
    TimerOf(current_).Continue();
    Told();
}

void ScreenMachine::LeaveGame() {
    EndPause();
    StopGameTimers();
    current_ = Screen::Panel;
    ShowPanelAgain(form_);
    Told();
}

void ScreenMachine::PausedFrame() {
    TDXDraw& draw = form_.DXDraw;
    if (!draw.IsDrawable()) return;
    PaceFrame(form_.Application.clock(), pause_tick_now_, pause_tick_last_, StandardFrameMs);
    menu_.Draw(draw);
    draw.Present();
}
