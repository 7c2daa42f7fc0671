// brannock-soak: games started and left in one run, as a player does it, and the resident
// memory on the panel after each. Headless (SDL's dummy drivers) on a virtual clock, with
// the form's window, so the panel draws too. Each game: START in the window mode, the
// title, button 1, 90 frames walking and firing, then back to the panel, by the pause
// menu (P, Down, Enter) in odd games and by Escape on "GAME OVER" in even ones. Prints one
// JSON line:
//   {"games":50,"rss_mb":{"1":..,"10":..,"50":..},"growth_mb":..}
// growth_mb is the last game's figure less the first's; the target is under 5.
//
// Options: --games N (default 50), --settings-dir DIR (where bn.ini and the record tables
//          go; default a fresh temporary folder).
#include <SDL.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

#include "app/game.h"
#include "app/main_form.h"

namespace {

constexpr uint32_t VkUp = 38, VkZ = 90;
constexpr int GameFrames = 90;

double ResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

class Soak {
public:
    Soak() : app_(clock_), form_(app_) {}

    // One game, started and left; false when it did not go as a player's would.
    bool Game(int number) {
        form_.Panel1.Check(form_.Panel1.RadioButton18);
        form_.Panel1.Click(form_.Panel1.Button1);
        Frames(3, {});
        Frames(1, {VkZ});
        Frames(GameFrames, {VkUp, VkZ});
        if (number % 2 == 1) {
            Press(SDLK_p);
            Frames(2, {});
            Press(SDLK_DOWN);
            Press(SDLK_RETURN);
        } else {
            form_.world.Robo_HP = 0;
            Frames(2, {});
            Press(SDLK_ESCAPE);
        }
        Frames(5, {}); // the panel draws
        return form_.Screens.Current() == Screen::Panel && !form_.Closed();
    }

private:
    void Press(SDL_Keycode key) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
        event.key.windowID = form_.Window.window_id();
        SDL_PushEvent(&event);
        event.type = SDL_KEYUP;
        SDL_PushEvent(&event);
    }
    // n frames of the running screen (on the panel, n passes of the message loop).
    void Frames(int n, const std::set<uint32_t>& keys) {
        form_.DXInput1.SetScriptedKeys(keys);
        for (int i = 0; i < n; ++i) {
            const uint64_t shown = form_.DXDraw.PresentCount();
            for (int pass = 0; pass < 100000; ++pass) {
                const bool timer = app_.HasIdleSlot();
                app_.Step(false);
                if (form_.Closed() || (!timer && !app_.HasIdleSlot()) ||
                    form_.DXDraw.PresentCount() != shown)
                    break;
                clock_.Advance(1);
            }
        }
    }

    VirtualClock clock_{1000};
    TApplication app_;
    TMainForm form_;
};

} // namespace

int main(int argc, char** argv) {
    int games = 50;
    std::filesystem::path folder;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--games" && i + 1 < argc) {
            games = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--settings-dir" && i + 1 < argc) {
            folder = argv[++i];
        } else {
            std::cerr << "usage: brannock-soak [--games N] [--settings-dir DIR]\n";
            return 2;
        }
    }
    const bool own_folder = folder.empty();
    if (own_folder)
        folder = std::filesystem::temp_directory_path() /
                 ("brannock-soak-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return 1;
    nlohmann::json rss;
    double first = 0, last = 0;
    int rc = 0;
    {
        Soak soak;
        for (int n = 1; n <= games; ++n) {
            if (!soak.Game(n)) {
                std::cerr << "brannock-soak: game " << n << " did not end on the panel\n";
                rc = 1;
                break;
            }
            last = ResidentMb();
            if (n == 1) first = last;
            if (n == 1 || n == 10 || n == games) rss[std::to_string(n)] = last;
        }
    }
    SDL_Quit();
    if (own_folder) std::filesystem::remove_all(folder);
    std::cout << nlohmann::json{{"games", games}, {"rss_mb", rss}, {"growth_mb", last - first}}
              << "\n";
    return rc;
}
