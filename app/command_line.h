// The program's command line: --help and --version; anything else is refused.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Play, Help, Version, Refuse };
    Action action = Action::Play;
    std::string text;    // what to print: help, version, or the error with the usage line
    int exit_status = 0; // for anything but Play
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// "brannock 0.5"
std::string VersionText();
