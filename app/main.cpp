// Program entry: the application, the main form, the message loop.
#include <SDL.h>

#include <exception>
#include <iostream>

#include "app/main_form.h"
#include "media/application.h"
#include "media/clock.h"
#include "media/video_start.h"

namespace {
// Long enough for any display that answers at all; a hung one is given up on.
constexpr int DisplayPatienceMs = 900;
} // namespace

int main(int, char**) {
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_JOYSTICK) != 0) {
        ShowErrorMessage("Brannock", std::string("Cannot start SDL: ") + SDL_GetError());
        return 1;
    }
    const std::string no_display = WithinPatience(DisplayPatienceMs, StartRealVideo);
    if (!no_display.empty()) {
        std::cerr << "no display: " << no_display << std::endl;
        SDL_Quit();
        return 1;
    }
    RealClock clock;
    TApplication application(clock);
    application.Title = "Brannock";
    int status = 0;
    try {
        TMainForm form(application);
        application.Run();
    } catch (const std::exception& e) {
        // Creating the form failed (no display, a missing or broken game file).
        ShowErrorMessage(application.Title, e.what());
        status = 1;
    }
    SDL_Quit();
    return status;
}
