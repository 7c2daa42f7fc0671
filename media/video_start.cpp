#include "media/video_start.h"

#include <SDL.h>

#include "media/language.h"
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

bool IsHeadlessVideoDriver(const std::string& name) {
    return name == "offscreen" || name == "dummy" || name == "evdev";
}

std::string StartRealVideo() {
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (asked != nullptr && *asked != '\0') {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return "";
        return std::string(SDL_GetError()) + " (SDL_VIDEODRIVER=" + asked + ")";
    }
    std::string reasons;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const std::string name = SDL_GetVideoDriver(i);
        if (IsHeadlessVideoDriver(name)) continue;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, name.c_str());
        const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, nullptr);
        if (started) return "";
        reasons += (reasons.empty() ? "" : ", ") + std::string(SDL_GetError());
    }
    const char* display = SDL_getenv("DISPLAY");
    reasons += display != nullptr ? " (DISPLAY=" + std::string(display) + ")"
                                  : std::string(Tr("（DISPLAY が設定されていません）"));
    return reasons;
}

std::string WithinPatience(int patience_ms, std::string (*start)()) {
    std::mutex mutex;
    std::condition_variable changed;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (changed.wait_for(lock, std::chrono::milliseconds(patience_ms), [&] { return done; }))
            return;
        const char* display = SDL_getenv("DISPLAY");
        std::fprintf(stderr, "%s\n",
                     Format(Tr("ディスプレイがありません: %s が応答しません"),
                            display != nullptr ? display : Tr("ディスプレイ"))
                         .c_str());
        std::fflush(stderr);
        std::_Exit(1);
    });
    std::string result = start();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    changed.notify_one();
    watchdog.join();
    return result;
}
