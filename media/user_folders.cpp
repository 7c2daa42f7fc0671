#include "media/user_folders.h"

#include <cstdlib>

std::filesystem::path GameUserFolder(UserFolder which) {
    const bool config = which == UserFolder::Config;
    const char* xdg = std::getenv(config ? "XDG_CONFIG_HOME" : "XDG_DATA_HOME");
    std::filesystem::path base;
    if (xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr && *home != '\0' ? home : ".");
        base /= config ? std::filesystem::path(".config") : std::filesystem::path(".local/share");
    }
    return base / "brannock";
}
