// The full-window white flash of a hit, kept safe to look at: flashing faster than three
// times a second can trigger seizures in people with photosensitive epilepsy, so at most
// three flashes are drawn in any 31 consecutive game frames (one second and more at 33 ms a
// frame; 30 frames are only 990 ms), and none when the player has turned them off.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct World;

constexpr size_t MaxWhiteFlashes = 3;
constexpr int32_t WhiteFlashWindowFrames = 31;

// Frames since each of the last flashes drawn, newest first; a flash long ago counts as
// the whole window.
using FlashAges = std::array<int32_t, MaxWhiteFlashes>;
constexpr FlashAges NoRecentWhiteFlashes() {
    FlashAges ages{};
    ages.fill(WhiteFlashWindowFrames);
    return ages;
}

// The frame loop's last step before showing the frame, once per game frame: whether this
// frame is filled white. Clears White_Flash whether the flash is drawn or skipped; changes
// nothing else but the limiter's own count (Flash_Ages). flashes_off is the player's
// choice for this run.
bool TakeWhiteFlash(World& w, bool flashes_off);
