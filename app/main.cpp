// Program entry: the application, the main form, the message loop; a demo recorded or
// played when the command line asks for one.
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/main_form.h"
#include "demo/demo_command.h"
#include "media/application.h"
#include "media/clock.h"
#include "media/game_folder.h"
#include "media/gl_probe.h"
#include "media/language.h"
#include "media/report.h"
#include "media/video_start.h"
#include "options/option_table.h"
#include "options/options.h"

namespace {
// Long enough for any display that answers at all; a hung one is given up on.
constexpr int DisplayPatienceMs = 900;
} // namespace

int main(int argc, char** argv) {
    const CommandLine command_line =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (command_line.action == CommandLine::Action::Refuse) {
        ReportProblemLine("", command_line.problem);
        ReportFollowUp(command_line.text);
        return command_line.exit_status;
    }
    if (command_line.action != CommandLine::Action::Play) {
        std::cout << command_line.text;
        return command_line.exit_status;
    }
    // The texts in the player's language from here on: the command line's, the one chosen
    // on the settings page, or the desktop's.
    const Language language =
        LanguageFor(ReadSettingInt(RowOf(Option::LanguageChoice).key, language_choice::Automatic),
                    command_line.language, ReadLanguageVariables());
    if (const std::string problem = UseLanguage(language); !problem.empty())
        ReportProblemLine("", problem + "; the texts stay Japanese");
    // A demo that cannot be played or written is refused before anything opens.
    std::optional<Demo> demo;
    if (!command_line.play_file.empty()) {
        demo = LoadDemoToPlay(command_line.play_file);
        if (!demo) return 2;
    }
    std::unique_ptr<DemoWriter> writer;
    if (!command_line.record_file.empty()) {
        writer = OpenDemoToRecord(command_line.record_file);
        if (!writer) return 2;
    }
    // Before anything starts a thread: the child that asks which GL the machine has.
    StartGlProbe();
    // Missing game files are said display or not: nothing could be played anyway.
    std::string missing_files;
    try {
        GameFolder();
    } catch (const EGameFilesMissing& e) {
        missing_files = e.what();
    }
    const PlatformSession platform; // ends on every way out below
    if (!platform.Error().empty()) {
        ShowErrorMessage("Brannock", platform.Error());
        return 1;
    }
    const std::string no_display = WithinPatience(DisplayPatienceMs, StartRealVideo);
    if (!missing_files.empty()) {
        ShowErrorMessage("Brannock", missing_files); // a message box only where there is a display
        return 1;
    }
    if (!no_display.empty()) {
        ReportProblemLine("", Format(Tr("ディスプレイがありません: %s"), no_display.c_str()));
        return 1;
    }
    // The game's own time, with pauses left out, and the tape a demo records or plays are
    // the form's (TMainForm::GameClock, Tape).
    RealClock wall;
    RealClock drawing; // the pictures between steps: on their own clock, which no demo holds
    TApplication application(wall);
    application.Title = Tr("Brannock");
    int status = 0;
    try {
        TMainForm form(application);
        form.NoFlashOption = command_line.no_flash;
        form.LanguageOption = command_line.language;
        form.BetweenSteps.display = command_line.draw_rate.display;
        form.BetweenSteps.per_second = command_line.draw_rate.per_second;
        form.BetweenSteps.clock = &drawing;
        form.BetweenSteps.as_set = !command_line.draw_rate.given;
        if (demo) {
            status = PlayDemoInWindow(form, std::move(*demo), command_line.play_file);
        } else if (writer) {
            RecordGameInWindow(form, std::move(writer));
        } else {
            application.Run();
        }
    } catch (const std::exception& e) {
        // Creating the form failed (no display, a missing or broken game file).
        ShowErrorMessage(application.Title, e.what());
        status = 1;
    }
    return status;
}
