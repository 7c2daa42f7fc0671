// The one millisecond clock every time read goes through. The game reads it where the
// original read the multimedia time and the system tick count; tests and the replay tool
// swap in a virtual clock that only moves when told to.
#pragma once

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; wraps like a 32-bit tick count.
    virtual uint32_t Now() = 0;
    // Returns once Now() has reached the deadline (a signed 32-bit comparison).
    virtual void WaitUntil(uint32_t deadline) = 0;
};

// Wall-clock time. Waiting sleeps until 0.3 ms before the deadline and spins for the rest,
// so pacing keeps 1 ms resolution without burning a core.
class RealClock : public Clock {
public:
    RealClock();
    uint32_t Now() override;
    void WaitUntil(uint32_t deadline) override;

private:
    uint64_t start_ns_;
};

// Time that moves only when told: a wait jumps straight to its deadline, so scripted runs
// are frame-exact and repeatable.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(uint32_t start = 0) : now_(start) {}
    uint32_t Now() override { return now_; }
    void WaitUntil(uint32_t deadline) override;
    void Advance(uint32_t ms) { now_ += ms; }
    void Set(uint32_t t) { now_ = t; }

private:
    uint32_t now_;
};

// True when a is at or after b on the wrapping 32-bit clock.
inline bool ClockReached(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) >= 0;
}

// One frame of pacing: waits until interval_ms have passed since last (on the wrapping
// clock), then sets now and last to the time reached. Every screen paces its frames so.
void PaceFrame(Clock& clock, uint32_t& now, uint32_t& last, int32_t interval_ms);
