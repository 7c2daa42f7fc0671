#include "media/desktop_opener.h"

#include <SDL.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "media/language.h"

namespace {

#if defined(__unix__) && !defined(__ANDROID__)
// The program SDL asks to open a URL on these systems.
constexpr const char* DesktopOpener = "xdg-open";

bool OnSearchPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/bin:/bin";
    while (true) {
        const size_t end = std::min(folders.find(':'), folders.size());
        const std::string folder(folders.substr(0, end));
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) return true;
        if (end == folders.size()) return false;
        folders.remove_prefix(end + 1);
    }
}
#endif

} // namespace

std::string OpenWithDesktop(const std::string& url) {
#if defined(__unix__) && !defined(__ANDROID__)
    // SDL starts the opener without waiting for it, so a missing one would go unnoticed.
    if (!OnSearchPath(DesktopOpener))
        return Format(Tr("文書を開くプログラム %s が見つかりません"), DesktopOpener);
#endif
    if (SDL_OpenURL(url.c_str()) == 0) return "";
    const std::string reason = SDL_GetError();
    return reason.empty() ? "SDL_OpenURL" : reason;
}
