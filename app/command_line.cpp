#include "app/command_line.h"

namespace {

constexpr const char* Usage = "usage: brannock [--help | --version]\n";

} // namespace

std::string VersionText() {
    return std::string("brannock ") + BRANNOCK_VERSION;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    // The first argument decides, as with most programs: --help wins over what follows it.
    if (arguments.empty()) return result;
    const std::string& first = arguments[0];
    if (first == "--help" || first == "-h") {
        result.action = CommandLine::Action::Help;
        result.text = std::string(Usage) +
                      "A 3D robot shooter: steer the robot through three walled stages, destroy\n"
                      "the zako and G-walkers and defeat the boss. Screen, controls and the other\n"
                      "options are chosen on the panel the game opens with.\n\n"
                      "  -h, --help     show this help and exit\n"
                      "  --version      show the version and exit\n";
    } else if (first == "--version") {
        result.action = CommandLine::Action::Version;
        result.text = VersionText() + "\n";
    } else {
        result.action = CommandLine::Action::Refuse;
        result.exit_status = 2;
        result.text =
            "brannock: " +
            std::string(first.starts_with("-") ? "unknown option" : "unexpected argument") + " '" +
            first + "'\n" + Usage;
    }
    return result;
}
