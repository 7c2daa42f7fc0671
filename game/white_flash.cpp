#include "game/white_flash.h"

#include <algorithm>

#include "game/world.h"

bool TakeWhiteFlash(World& w, bool flashes_off) {
    for (int32_t& age : w.Flash_Ages) age = std::min(age + 1, WhiteFlashWindowFrames);
    const bool wanted = w.White_Flash;
    w.White_Flash = false;
    // The oldest of the last three flashes must have left the window.
    if (!wanted || flashes_off || w.Flash_Ages.back() < WhiteFlashWindowFrames) return false;
    std::shift_right(w.Flash_Ages.begin(), w.Flash_Ages.end(), 1);
    w.Flash_Ages.front() = 0;
    return true;
}
