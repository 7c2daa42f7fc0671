// The window mode as a desktop window, beyond the designed borderless window of the form's
// size: the player may resize and maximise it, F11 and Alt+Enter switch to full screen at
// the desktop's resolution and back, and the next start opens it as it was left (bn.ini).
// The display draws at the window's client size throughout. The designed full-screen modes
// and everything before START are untouched.
#pragma once

#include <algorithm>

#include "media/display.h"

struct TEvent;
class TMainForm;

// How the window was left, as stored in bn.ini.
enum class TWindowState { Normal = 0, Maximized = 1, FullScreen = 2 };

class TDesktopWindow {
public:
    explicit TDesktopWindow(TMainForm& form) : form_(form) {}
    ~TDesktopWindow();
    TDesktopWindow(const TDesktopWindow&) = delete;
    TDesktopWindow& operator=(const TDesktopWindow&) = delete;

    // START in the window mode, before the display opens: the window becomes resizable and
    // takes the size and state stored in bn.ini (not while a demo plays back).
    void Open();
    bool IsOpen() const { return open_; }
    // Window and key events: true when the event was the full-screen key (F11, Alt+Enter),
    // which the game's input then never sees.
    bool HandleEvent(const TEvent& event);

    // The smallest window: what 640 x 480 shows, or the designed form where that is smaller.
    static constexpr int MinWidth = std::min(640, TDXDraw::DesignWidth);
    static constexpr int MinHeight = std::min(480, TDXDraw::DesignHeight);

private:
    // The display's window mode ends (the ending, closing): the size and state are stored
    // when they changed, and the window is the designed form again.
    void Close();

    TMainForm& form_;
    bool open_ = false;
    int listener_ = 0;
    // What bn.ini holds (as read at Open), so an unchanged window writes nothing.
    int stored_width_ = 0;
    int stored_height_ = 0;
    TWindowState stored_state_ = TWindowState::Normal;
};
