// The game's time: the clock beneath it with the paused stretches left out. Stopped, it
// stands at the moment it stopped; going again, it goes on from there. Everything the game
// counts in time (its frames' pace, the play clock, the frame timers) reads it, so a pause
// costs the game nothing, and a demo taped from it never sees one.
#pragma once

#include <cstdint>

#include "media/clock.h"

class GameTime : public Clock {
public:
    explicit GameTime(Clock& base) : base_(base) {}

    uint32_t Now() override;
    // A wait on the stopped clock would never end: it returns at once.
    void WaitUntil(uint32_t deadline) override;

    void Stop();
    void Go();
    bool Stopped() const { return stopped_; }
    // The clock beneath, which goes on through a pause (the pause screen paces on it).
    Clock& Base() { return base_; }

private:
    Clock& base_;
    bool stopped_ = false;
    uint32_t stopped_at_ = 0; // the game's time while stopped
    uint32_t set_aside_ = 0;  // the base's time the pauses took
};
