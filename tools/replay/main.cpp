// brannock-replay [--lang ja|en] SCRIPT OUTDIR: the game headless on a virtual clock,
// driven by a script. Its texts are Japanese, whatever the locale, unless --lang says
// otherwise, so that a run shows the same on every machine.
#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "media/language.h"
#include "media/report.h"
#include "tools/replay/replay.h"

int main(int argc, char** argv) {
    SetReportingProgramName("brannock-replay");
    std::optional<Language> language = Language::Japanese;
    if (argc == 5 && std::string(argv[1]) == "--lang") {
        language = LanguageFromCode(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc != 3 || !language) {
        ReportProblemLine("", "usage: brannock-replay [--lang ja|en] SCRIPT OUTDIR");
        return 2;
    }
    if (const std::string problem = UseLanguage(*language); !problem.empty()) {
        ReportProblemLine("", problem);
        return 1;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::ifstream script(argv[1]);
    if (!script) {
        ReportProblemLine(argv[1], "cannot read the script");
        return 2;
    }
    // SIGINT and SIGTERM end the tool as they end any program, rather than being taken
    // for a request to close the game that a script would not know of.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        ReportProblemLine("", std::string("cannot start SDL: ") + SDL_GetError());
        return 1;
    }
    int status = 0;
    try {
        RunReplay(script, argv[2]);
    } catch (const std::exception& e) {
        ReportProblemLine("", e.what());
        status = 1;
    }
    SDL_Quit();
    return status;
}
