#include "app/command_line.h"

#include <charconv>

#include "options/option_table.h"

namespace {

constexpr const char* Usage =
    "usage: brannock [--lang ja|en] [--help | --version | [--no-flash] [--fps 30|display|N] "
    "[--record FILE | --play FILE]]\n";
constexpr const char* LangOption = "--lang";

std::string HelpText() {
    return std::string(Usage) +
           "A 3D robot shooter: steer the robot through three walled stages, destroy\n"
           "the zako and G-walkers and defeat the boss. Screen, controls and the other\n"
           "options are chosen on the panel the game opens with.\n\n"
           "  -h, --help     show this help and exit\n"
           "  --version      show the version and exit\n"
           "  --lang ja|en   the game in Japanese or English for this run; without it\n"
           "                 the language chosen on the panel's settings page, and\n"
           "                 when that is automatic the desktop's (LANGUAGE, LC_ALL,\n"
           "                 LC_MESSAGES, LANG): Japanese for ja and C, English else\n"
           "  --no-flash     no white flash when the robot is hit, for this run (for\n"
           "                 good: on the settings page, or " +
           RowOf(Option::WhiteFlash).key +
           "=0 in bn.ini)\n"
           "  --fps 30|display|N\n"
           "                 how often the game is drawn, for this run: 30, its steps as\n"
           "                 designed; the display's rate, or N (30 to 1000) pictures a\n"
           "                 second, showing the moving things between the steps (the game\n"
           "                 still steps 30 times a second; pictures lag by up to one step\n"
           "                 and one refresh). For good: on the settings page, or\n"
           "                 " +
           RowOf(Option::FrameRate).key +
           "=30|0|N in bn.ini (0: the display's rate, the default)\n"
           "  --record FILE  play, and record a game from START on into the demo FILE\n"
           "  --play FILE    show the demo FILE with its own settings, then exit (Escape\n"
           "                 stops it; of yours only the white flash setting is used)\n\n"
           "P, Escape or a gamepad's Start pauses the game; M mutes and unmutes it.\n"
           "Escape on GAME OVER and the end of a game go back to the panel. The panel's\n"
           "settings page (also in the [Brannock] section of bn.ini) holds the music and\n"
           "effects volumes, mute, the white flash, the language and these three:\n"
           "  " +
           RowOf(Option::FocusPause).key +
           "=0  no pause when the window loses the focus (1, the default, pauses)\n"
           "  " +
           RowOf(Option::EscapeQuits).key +
           "=1  Escape closes the game at once, everywhere, as designed\n"
           "  " +
           RowOf(Option::QuitAfterGame).key + "=1  the game closes after its ending, as designed\n";
}

CommandLine Refused(const std::string& reason) {
    CommandLine result;
    result.action = CommandLine::Action::Refuse;
    result.exit_status = 2;
    result.problem = reason;
    result.text = Usage;
    return result;
}

} // namespace

std::string VersionText() {
    return "brannock " + GameVersion();
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
    // --help and --version win over the rest once the whole line is understood; the
    // first of them counts.
    std::optional<CommandLine::Action> asked;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            asked = asked.value_or(CommandLine::Action::Help);
        } else if (argument == "--version") {
            asked = asked.value_or(CommandLine::Action::Version);
        } else if (argument == "--no-flash") {
            result.no_flash = true;
        } else if (argument == "--fps") {
            const std::string rate = i + 1 < arguments.size() ? arguments[++i] : "";
            int per_second = 0;
            const auto [end, error] =
                std::from_chars(rate.data(), rate.data() + rate.size(), per_second);
            if (rate == "display")
                result.draw_rate = {true, 0, true};
            else if (error == std::errc() && end == rate.data() + rate.size() && per_second >= 30 &&
                     per_second <= 1000)
                result.draw_rate = {false, per_second, true};
            else
                return Refused("option '--fps' takes 30, display or a number from 30 to 1000");
        } else if (argument == "--record" || argument == "--play") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty())
                return Refused("option '" + argument + "' needs a demo file name");
            if (!result.record_file.empty() || !result.play_file.empty())
                return Refused("only one of '--record' and '--play' may be given");
            (argument == "--record" ? result.record_file : result.play_file) = arguments[++i];
        } else {
            return Refused(
                std::string(argument.starts_with("-") ? "unknown option" : "unexpected argument") +
                " '" + argument + "'");
        }
    }
    if (asked) {
        result.action = *asked;
        result.text = *asked == CommandLine::Action::Help ? HelpText() : VersionText() + "\n";
    }
    return result;
}
