#include "app/command_line.h"

namespace {

constexpr const char* Usage =
    "usage: brannock [--lang ja|en] [--help | --version | --record FILE | --play FILE]\n";
constexpr const char* LangOption = "--lang";

CommandLine Refused(const std::string& reason) {
    CommandLine result;
    result.action = CommandLine::Action::Refuse;
    result.exit_status = 2;
    result.text = "brannock: " + reason + "\n" + Usage;
    return result;
}

} // namespace

std::string VersionText() {
    return std::string("brannock ") + BRANNOCK_VERSION;
}

std::string GameVersion() {
    return BRANNOCK_VERSION;
}

CommandLine ParseCommandLine(const std::vector<std::string>& all_arguments) {
    CommandLine result;
    // --lang CODE (or --lang=CODE) may stand anywhere; the rest is read without it.
    std::vector<std::string> arguments;
    for (size_t i = 0; i < all_arguments.size(); ++i) {
        const std::string& argument = all_arguments[i];
        const bool joined = argument.starts_with(std::string(LangOption) + "=");
        if (argument != LangOption && !joined) {
            arguments.push_back(argument);
            continue;
        }
        if (result.language) return Refused("option '--lang' given twice");
        if (!joined && i + 1 == all_arguments.size())
            return Refused("option '--lang' needs a language: ja or en");
        const std::string code =
            joined ? argument.substr(std::string(LangOption).size() + 1) : all_arguments[++i];
        result.language = LanguageFromCode(code);
        if (!result.language) return Refused("unknown language '" + code + "': ja or en");
    }
    // The first argument decides, as with most programs: --help wins over what follows it.
    if (arguments.empty()) return result;
    const std::string& first = arguments[0];
    if (first == "--help" || first == "-h") {
        result.action = CommandLine::Action::Help;
        result.text =
            std::string(Usage) +
            "A 3D robot shooter: steer the robot through three walled stages, destroy\n"
            "the zako and G-walkers and defeat the boss. Screen, controls and the other\n"
            "options are chosen on the panel the game opens with.\n\n"
            "  -h, --help     show this help and exit\n"
            "  --version      show the version and exit\n"
            "  --lang ja|en   the game in Japanese or English; without it the desktop's\n"
            "                 language decides (LANGUAGE, LC_ALL, LC_MESSAGES, LANG):\n"
            "                 Japanese for ja and C, English for every other\n"
            "  --record FILE  play, and record the game from START on into the demo FILE\n"
            "  --play FILE    show the demo FILE with its own settings, then exit\n"
            "                 (Escape stops it; nothing of yours is read or written)\n";
    } else if (first == "--version") {
        result.action = CommandLine::Action::Version;
        result.text = VersionText() + "\n";
    } else if (first == "--record" || first == "--play") {
        if (arguments.size() < 2 || arguments[1].empty())
            return Refused("option '" + first + "' needs a demo file name");
        if (arguments.size() > 2) return Refused("unexpected argument '" + arguments[2] + "'");
        (first == "--record" ? result.record_file : result.play_file) = arguments[1];
    } else {
        return Refused(
            std::string(first.starts_with("-") ? "unknown option" : "unexpected argument") + " '" +
            first + "'");
    }
    return result;
}
