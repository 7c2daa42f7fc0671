// The main form: owns the window, every media component, the options panel, the two HUD
// surfaces and the world state. Game steps are free functions taking a context the form
// builds (game/context.h), never the form itself.
//
// Failures: the game (app/ and the game folders) catches no component's exception; it
// reaches the application's error box, which reports it (media/report.h) and shows it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/desktop_window.h"
#include "app/screen_machine.h"
#include "game/context.h"
#include "game/world.h"
#include "media/application.h"
#include "media/dib.h"
#include "media/display.h"
#include "media/game_time.h"
#include "media/image_list.h"
#include "media/input.h"
#include "media/language.h"
#include "media/sound.h"
#include "media/surface.h"
#include "media/tape_clock.h"
#include "media/timer.h"
#include "media/ui_input.h"
#include "media/window.h"
#include "options/bindings.h"
#include "options/help_link.h"
#include "options/options_panel.h"

class TModalDialog;

class TMainForm {
public:
    // Builds the form as designed and runs FormCreate. The window opens only when
    // open_window is set (the game; tests and tools may run without one).
    explicit TMainForm(TApplication& application, bool open_window = true);
    ~TMainForm();
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Designed properties.
    // TRANSLATORS: the window title, the game's name.
    std::string Caption = Tr("Brannock");
    int ClientWidth = TDXDraw::DesignWidth;
    int ClientHeight = TDXDraw::DesignHeight;
    bool Borderless = false;

    TApplication& Application;
    // The game's time: the application's clock with the pauses left out, read through the
    // tape a demo records or plays. The game frames, the title, transition and ending
    // screens, their timers and the play clock all read Tape.
    GameTime GameClock{Application.clock()};
    TapeClock Tape{GameClock};
    TWindow Window;
    TDXDraw DXDraw;
    // The window mode's window as the player sizes it (beyond the designed form).
    TDesktopWindow DesktopWindow{*this};
    TDXTimer DXTimer;
    TDXInput DXInput1;
    TOptionsPanel Panel1;
    TDXSound DXSound1;
    TDXWaveList DXWaveList1;
    TDXImageList DXImageList1;
    TImage Image1, Image2, Image3, Image4, Image5, Image6;
    TDXDIB PicBack, PicBack2;
    TDXTimer OPTimer;
    TMailAndHP MailAndHP1;
    TDXTimer EndingTimer;
    TDXTimer TunagiTimer;
    // Which screen runs (after the timers it hands the idle slot between).
    ScreenMachine Screens{*this};
    // The program's own keys and the pause menu's input, read from the window's events.
    TUiReader UiReader;

    // HUD surfaces, alive between display initialise and finalise.
    std::unique_ptr<TDirectDrawSurface> Radar_Surface;
    std::unique_ptr<TDirectDrawSurface> Gauge_Surface;

    World world;

    // What the game steps reach: the world, the input states, the scene, the wave list.
    GameContext MakeGameContext();
    // What the screens reach besides: the display, the pictures, the HUD surfaces, the
    // stage maps, and the hand-over to another screen (the screen machine, Screens).
    ScreenContext MakeScreenContext();

    // Closes the form: the message loop ends.
    void Close();
    bool Closed() const { return closed_; }
    // Set while a demo plays: START stores no settings and the ending enters no record.
    bool DemoPlayback = false;
    // Set once the settings could not be stored (the player was told): nothing more is
    // stored in this run.
    bool SettingsNotStored = false;
    // The player's controls as bn.ini keeps them, applied to DXInput1 at START.
    Bindings Controls = DesignedBindings();
    // The replay tool and a demo playing back: START applies the designed keys and pad,
    // whatever the player bound.
    bool DesignedControlsOnly = false;
    // What the title names under its prompt (ScreenContext::button1_names).
    std::string Button1Names;
    // Where the help memo lists the inputs bound otherwise than designed, and its lines.
    size_t ControlsMemoAt = 0, ControlsMemoLines = 0;
    // --no-flash: no white flash in this run, whatever bn.ini says (nothing is stored).
    bool NoFlashOption = false;
    // --lang: the language of this run, whatever the settings page chooses.
    std::optional<Language> LanguageOption;
    // Shows a dialog modally and returns once it is closed. The game runs it in the
    // window over what the window shows; tests and the replay tool put their own here.
    std::function<void(TModalDialog&)> ShowModal;

private:
    bool closed_ = false;
    std::function<void(const std::string&)> default_error_box_;
};

// Whether the player turned the white flash of a hit off, in bn.ini or for this run.
inline bool FlashesOff(const TMainForm& form) {
    return form.world.No_Flash || form.NoFlashOption;
}

// Stores a setting for the next run; a demo playing back leaves the player's file alone.
void StoreSetting(TMainForm& form, const char* key, int value);
void StoreSettingText(TMainForm& form, const char* key, const std::string& value);

// The settings that act at once (app/settings.cpp): the volumes and mute as the world holds
// them, into the sound device; the language chosen, with the panel captioned again; M in
// play; and the settings page, from the panel's "設定…" button.
void ApplySoundSettings(TMainForm& form);
void ApplyLanguageChoice(TMainForm& form);
void ToggleMute(TMainForm& form);
void Button8Click(TMainForm& form);
// The controls (app/settings.cpp): into bn.ini (START, the controls page's OK); into the
// input at START (the designed ones while DesignedControlsOnly); the help memo's block of
// the changed ones; and the controls page, from the settings page.
void StoreControls(TMainForm& form);
void ApplyControls(TMainForm& form);
void ShowChangedControls(TMainForm& form);
void OpenControlsPage(TMainForm& form);
// The language of a run: the command line's, else the one chosen on the settings page
// (language_choice), else the desktop's.
Language LanguageFor(int32_t choice, std::optional<Language> command_line,
                     const LanguageVariables& desktop);

// The panel's window at a UI scale (options/panel_scale.h): the form's client area times
// the scale, centred; every page and dialog the panel draws follows it.
void ShowPanelAtScale(TMainForm& form, int scale);

// The display's designed options and size: the form's creation, and a new game again.
void DesignDisplay(TMainForm& form);

// Form events.
void FormCreate(TMainForm& form);
void FormKeyDown(TMainForm& form, int key);
void Button2Click(TMainForm& form);
bool FormCloseQuery(TMainForm& form);
void DXDrawInitialize(TMainForm& form);
void DXDrawFinalize(TMainForm& form);
void DXDrawInitializeSurface(TMainForm& form);
void DXDrawRestoreSurface(TMainForm& form);
// The game's way of showing a dialog: a loop of its own in the window until it closes.
void RunModalInWindow(TMainForm& form, TModalDialog& dialog);
// One event while a dialog is up (Panel1.Modal): a pad plugged in or out is opened or let
// go, the pad's buttons and stick act on the dialog, keys and clicks go to it as keys.
void DispatchModalEvent(TMainForm& form, const TEvent& event);
