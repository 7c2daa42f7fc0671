// Runs the real program flow from a script on a virtual clock and writes the world state
// after every frame. Script lines:
//   check NAME / uncheck NAME   a radio button or check box of the options panel
//   trackbar N                  the position of TrackBar1
//   click NAME                  a button of the options panel
//   frames N [KEY+KEY...]       N frames holding exactly these keys (SDL scancode names,
//                               spaces allowed: "Keypad 5", "Left + Keypad +")
//   shot NAME [blend B]         the screen as OUTDIR/NAME.png; with a blend, the game's
//                               picture between its last two steps (0 to 1), no step run
//   inbetween N                 after every game step from here on, N pictures between
//                               it and the next, at blends 1/(N+1) .. N/(N+1)
//   answer TEXT                 answers a dialog (a name, -, yes, no, ok)
//   type TEXT                   types into the name entry while it is up
//   timer NAME                  hands the frames to a frame timer (a test lever)
// Blank lines and lines starting with '#' are ignored.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>

struct ScriptError : std::runtime_error {
    ScriptError(int line_number, const std::string& message)
        : std::runtime_error("script line " + std::to_string(line_number) + ": " + message),
          line(line_number) {}
    int line;
};

// Runs the script; the form closing ends the run early. Throws ScriptError for a line it
// cannot run. SDL must be initialised by the caller.
void RunReplay(std::istream& script, const std::string& out_dir);
