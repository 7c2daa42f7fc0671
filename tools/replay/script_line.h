// Reads one line of a replay script into its command and arguments, without running it.
// The script is outside input: everything about its text is checked here, so the runner
// only meets lines it can act on.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/replay/levers.h"

// What is wrong with a line; the runner adds the line number.
struct ScriptLineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ScriptLine {
    std::string command;               // empty for a blank or comment line
    std::vector<std::string> words;    // check/uncheck/click/shot/timer NAME; set NAME VALUE
    int number = 0;                    // trackbar position, frame count
    std::set<uint32_t> keys;           // frames: the virtual keys held
    std::string text;                  // answer/type: the rest of the line, inner spaces kept;
                                       // record/play: the demo file
    float x = 0, z = 0;                // place: where
    int width = 0, height = 0;         // window: the client size; desktop: its usable size
    int32_t key = 0;                   // press: the key (an SDL key code)
    uint16_t modifiers = 0;            // press: the modifier keys held with it (SDL's KMOD_)
    std::optional<PlaceFacing> facing; // place: which way, when given
    std::set<int> buttons;             // tap, hold: the pad's buttons (SDL_CONTROLLER_BUTTON_)
    int stick_x = 0, stick_y = 0;      // stick: the axes, -32768 .. 32767
};

// A game controller's button by its script name (a, b, x, y, start, back, up, down, left,
// right, lb, rb); -1 for an unknown name.
int PadButtonOfName(const std::string& name);

// Throws ScriptLineError for an unknown command, a missing or extra argument, a bad
// number or an unknown key.
ScriptLine ReadScriptLine(const std::string& line);
