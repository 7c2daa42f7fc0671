// A game controller in the options panel, the settings page and the dialogs: its d-pad or
// left stick moves the focus, A activates what has it, B goes back, Start confirms (START
// on the panel). The pad's inputs come from media/ui_input.h; this is the one table that
// turns them into what a dialog does, and into the key a dialog made for the keyboard acts
// on for it.
#pragma once

#include "media/ui_input.h"

enum class DialogAction { None, Up, Down, Left, Right, Activate, Back, Start };

// What a pad input does in a dialog; None for an input not from a pad.
DialogAction DialogActionOf(const TUiEvent& input);

// The key (media/events.h) a dialog that knows only the keyboard takes for the action:
// the arrows, Space (activate), Escape (back), Enter (start); key_code::None for None.
int KeyOfDialogAction(DialogAction action);
