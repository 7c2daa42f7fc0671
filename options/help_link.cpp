#include "options/help_link.h"

#include <SDL.h>

#include <filesystem>

#include "media/game_folder.h"

void TMailAndHP::OpenHomePage() {
    std::string url = HomePageAddress;
    // A bare document name is a file among the game files.
    if (url.find("://") == std::string::npos) {
        std::string folder;
        try {
            folder = GameFolder();
        } catch (const EGameFilesMissing&) {
            Success = false;
            return;
        }
        url = "file://" + (std::filesystem::path(folder) / url).string();
    }
    Success = SDL_OpenURL(url.c_str()) == 0;
}
