// How often the game is drawn between its steps, and how often it was.
#pragma once

#include <cstdint>

#include "media/clock.h"

// Pictures between the game's steps, as often as the display shows them: each shows the
// moving things at the time since the last step (blend 0 at the step, 1 at the next), on
// a clock of their own that demos do not record; they are no frames of the frame timer.
struct DrawPace {
    bool display = false; // at the display's refresh rate
    int per_second = 0;   // otherwise this many a second; 30 or less: at the steps only
    Clock* clock = nullptr;
    uint32_t step_at = 0; // the clock at the last step
    uint64_t drawn = 0;   // pictures drawn between steps so far
    bool as_set = false;  // instead of display and per_second: the setting (World::Frame_Rate)
    // The pictures drawn a second (the steps' and those between), counted on the drawing
    // clock over each whole second; 0 while drawn at the steps only. The HUD shows it.
    int measured = 0;
    uint32_t second_from = 0;
    int in_second = 0;
    bool counting = false;
};
