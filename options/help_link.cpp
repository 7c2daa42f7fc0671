#include "options/help_link.h"

#include <SDL.h>

#include <filesystem>

void TMailAndHP::OpenHomePage() {
    std::string url = HomePageAddress;
    // A bare document name is a file beside the program.
    if (url.find("://") == std::string::npos) {
        char* base = SDL_GetBasePath();
        std::filesystem::path path = std::filesystem::path(base != nullptr ? base : "") / url;
        SDL_free(base);
        url = "file://" + path.string();
    }
    Success = SDL_OpenURL(url.c_str()) == 0;
}
