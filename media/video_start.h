// Starting SDL's video on a driver that shows windows on a real screen. The game never
// falls back to the offscreen or dummy drivers by itself: an invisible game that runs
// until killed helps nobody. (The replay tool and the tests ask for the dummy driver.)
#pragma once

#include <string>

// Starts the video subsystem. With SDL_VIDEODRIVER set, only that driver is tried, as
// asked; otherwise every driver that needs a real screen, in SDL's order. Returns "" on
// success, else why no display could be opened (SDL's reasons, one line).
std::string StartRealVideo();

// True for the drivers that draw to no screen at all.
bool IsHeadlessVideoDriver(const std::string& name);

// Runs start() and, when it has not returned within patience_ms (a display server that
// accepts the connection and never answers), reports "ディスプレイがありません: ..." (media/report.h) and ends
// the process with status 1.
std::string WithinPatience(int patience_ms, std::string (*start)());
