#include "options/help_link.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "media/desktop_opener.h"
#include "media/game_folder.h"
#include "media/language.h"

std::string DocumentUrl(const std::string& address, const std::string& folder) {
    if (address.find("://") != std::string::npos) return address;
    const std::string path = (std::filesystem::path(folder) / address).lexically_normal().string();
    // Spaces and non-ASCII folder names must not break the URL.
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            url += ch;
        } else {
            url += '%';
            url += Hex[c >> 4];
            url += Hex[c & 0xF];
        }
    }
    return url;
}

void TMailAndHP::OpenHomePage() {
    Document = HomePageAddress;
    Failure.clear();
    // A bare document name is a file among the game files.
    std::string folder;
    if (HomePageAddress.find("://") == std::string::npos) {
        try {
            folder = GameFolder();
        } catch (const EGameFilesMissing& e) {
            Failure = e.what();
            Success = false;
            return;
        }
        Document = (std::filesystem::path(folder) / HomePageAddress).lexically_normal().string();
    }
    const std::string url = DocumentUrl(HomePageAddress, folder);
    Failure = Opener ? Opener(url) : OpenWithDesktop(url);
    Success = Failure.empty();
}
