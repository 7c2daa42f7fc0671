// The program's command line: --help, --version, --no-flash, --fps RATE, --record FILE and
// --play FILE, and --lang ja|en with any of them; anything else is refused.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game/version.h"
#include "media/language.h"

// How often the game is drawn: at its 30 steps a second as designed, as often as the display
// shows pictures, or a number of times a second.
struct DrawRate {
    bool display = false;
    int per_second = 30; // when not the display's
    bool given = false;  // --fps was given: it wins over the setting for this run
};

struct CommandLine {
    enum class Action { Play, Help, Version, Refuse };
    Action action = Action::Play;
    std::string text;    // what to print: help, version, or the usage line after a refusal
    std::string problem; // Refuse: why the command line was refused
    int exit_status = 0; // for anything but Play
    // With Play: the demo to record the game into, or to play instead of a game (one of
    // them at most).
    std::string record_file;
    std::string play_file;
    // The language asked for with --lang; without it the locale decides.
    std::optional<Language> language;
    // With Play: no white flash when the robot is hit, for this run only.
    bool no_flash = false;
    // With Play: --fps, for this run only.
    DrawRate draw_rate;
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// "brannock 0.5"
std::string VersionText();
