// brannock-replay [--lang ja|en] SCRIPT OUTDIR: the game headless on a virtual clock,
// driven by a script. Its texts are Japanese, whatever the locale, unless --lang says
// otherwise, so that a run shows the same on every machine.
#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "media/language.h"
#include "tools/replay/replay.h"

int main(int argc, char** argv) {
    std::optional<Language> language = Language::Japanese;
    if (argc == 5 && std::string(argv[1]) == "--lang") {
        language = LanguageFromCode(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc != 3 || !language) {
        std::cerr << "usage: brannock-replay [--lang ja|en] SCRIPT OUTDIR\n";
        return 2;
    }
    if (const std::string problem = UseLanguage(*language); !problem.empty()) {
        std::cerr << "brannock-replay: " << problem << "\n";
        return 1;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::ifstream script(argv[1]);
    if (!script) {
        std::cerr << "brannock-replay: cannot read " << argv[1] << "\n";
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::cerr << "brannock-replay: cannot start SDL: " << SDL_GetError() << "\n";
        return 1;
    }
    int status = 0;
    try {
        RunReplay(script, argv[2]);
    } catch (const ScriptError& e) {
        std::cerr << e.what() << "\n";
        status = 1;
    } catch (const std::exception& e) {
        std::cerr << "brannock-replay: " << e.what() << "\n";
        status = 1;
    }
    SDL_Quit();
    return status;
}
