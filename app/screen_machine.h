// Which screen runs, decided in one place. The designed screens each have their frame
// timer (the title OPTimer, the game DXTimer, the transition TunagiTimer, the ending
// EndingTimer), and the timers share the application's single idle slot: the machine stops
// the running screen's timer and starts the next one's, so exactly one runs, and does what
// a screen needs as it begins or ends (app/screen_change.cpp).
//
// Beyond the design: the paused screen, the pause menu over the last frame shown, while
// the game's time stands still and its sounds wait; and the way back to the panel after a
// game, which shows it as a fresh launch would.
#pragma once

#include <cstdint>
#include <functional>

#include "game/context.h"
#include "media/timer.h"
#include "media/ui_input.h"
#include "screens/pause_menu.h"

class TMainForm;

// The keys the program keeps for itself, and the window losing the focus.
enum class ProgramEvent {
    Escape,
    PauseKey, // P, or a game controller's Start
    FocusLost,
    PadLost, // the game controller in use was pulled out
};

// What becomes of one of them.
enum class ScreenAction { None, Pause, Resume, BackToPanel, Quit };

// The settings that decide it (bn.ini's, and a demo playing back).
struct ScreenSettings {
    bool escape_quits = false; // Escape closes the program at once, as designed
    bool focus_pause = true;   // the window losing the focus pauses
    bool demo_playback = false;
};

// Escape closes the program on the panel, as designed, and everywhere with the designed
// setting or while a demo plays back; elsewhere it pauses, resumes the paused screen, and
// on "GAME OVER" goes back to the panel. P and Start pause and resume the four game
// screens; the window losing the focus pauses them when the setting says so, and the game
// controller in use pulled out pauses them always. A demo playing back is never paused.
ScreenAction ActionFor(ProgramEvent event, Screen screen, bool game_over,
                       const ScreenSettings& settings);

class ScreenMachine {
public:
    explicit ScreenMachine(TMainForm& form);
    ~ScreenMachine();
    ScreenMachine(const ScreenMachine&) = delete;
    ScreenMachine& operator=(const ScreenMachine&) = delete;

    Screen Current() const { return current_; }
    // The screen the pause menu stands over while paused; else the one running.
    Screen UnderPause() const { return current_ == Screen::Paused ? paused_from_ : current_; }

    // The hand-over: the title, the game (its play clock and music start), the transition,
    // the ending (its music starts). The panel after the ending: the result enters its
    // table, then the panel comes back as at a fresh launch (or the program closes, with
    // the designed setting). Paused pauses the running screen; the screen under the pause
    // menu resumes.
    void Change(Screen next);
    // A test lever: only the screen's timer starts, without what the screen does as it
    // begins.
    void StartTimerOf(Screen screen);
    // Escape, the pause key or the focus lost, as ActionFor says; true when it acted.
    bool Take(ProgramEvent event);
    // While paused, the menu's moves, its choice and the pointer.
    void TakeMenuInput(const TUiEvent& event);
    // The mouse pointer, decided here alone: hidden while a game screen covers the whole
    // screen (a full-screen mode, or the window the player made full-screen), shown on the
    // panel, over the pause menu and in a window. Dialogs show it while they are up
    // (TApplication::RunModal). Done after every change of screen; the window's changes
    // call it too.
    void ShowPointer();
    const PauseMenu& Menu() const { return menu_; }

    // Told after every change of screen.
    std::function<void(Screen now)> OnChange;

private:
    void Act(ScreenAction action);
    void Choose(PauseItem item);
    void Pause();
    void Resume();
    // The pause ends without resuming (the panel or the program's end follows).
    void EndPause();
    void LeaveGame();
    void StopGameTimers();
    TDXTimer& TimerOf(Screen screen);
    void PausedFrame();
    void Told();

    TMainForm& form_;
    Screen current_ = Screen::Panel;
    Screen paused_from_ = Screen::Panel;
    PauseMenu menu_;
    // The paused screen's frames, on the application's clock: it goes on through a pause.
    TDXTimer pause_timer_;
    uint32_t pause_tick_now_ = 0, pause_tick_last_ = 0;
    int focus_listener_ = 0;
};

// What a screen needs as it begins or ends (app/screen_change.cpp).
// A stage begins: the game frames, a play clock counted from now, the game's music.
void BeginStage(TMainForm& form);
// The ending is over: the display closes and the result enters its table (not a demo's).
void EnterResult(TMainForm& form);
// The panel as a fresh launch with the current bn.ini shows it: the sounds stopped, the
// display closed, the world, the scene, the input states and the timers' counts as before
// the first START, the window and the panel as designed.
void ShowPanelAgain(TMainForm& form);
