// What the program's own keys and a menu drawn on the game's picture read from a window
// event, beside the game's input states: Escape; the pause key (P, a game controller's
// Start); mute (M); up and down (the arrows, keypad 8 and 2, the pad's d-pad and left stick);
// left and right (the pad's d-pad and left stick only: the keyboard's arrows stay the form's
// and the dialogs' own keys); choose (Enter, Space, Z, the pad's A); back (the pad's B); and
// the mouse pointer, in the pixels of the picture the window shows.
#pragma once

#include "media/events.h"

class TWindow;

enum class UiInput { None, Escape, Pause, Mute, Up, Down, Left, Right, Choose, Back, Point, Click };

struct TUiEvent {
    UiInput input = UiInput::None;
    int x = 0, y = 0; // Point, Click: on the picture shown
    bool pad = false; // from a game controller's button or stick
};

class TUiReader {
public:
    // A key held down repeats only up and down; the stick moves once each time it is
    // pushed past half its travel.
    TUiEvent Read(const TEvent& event, const TWindow& window);

private:
    int stick_ = 0;   // the left stick now: -1 up, 0 near the centre, 1 down
    int stick_x_ = 0; // and across: -1 left, 0 near the centre, 1 right
};
