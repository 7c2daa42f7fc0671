#include "media/clock.h"

#include <chrono>
#include <thread>

namespace {

// A sleep ends 50 to 90 microseconds after its deadline on an otherwise idle core here
// (timer slack and wake-up latency); waking 0.3 ms early and spinning for the rest keeps
// frames to the millisecond for about 1 % of a core at 30 frames a second. Lateness
// from a busy run queue is not something a margin can hide.
constexpr uint64_t SleepMarginNs = 300000;

uint64_t SteadyNanoseconds() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}
} // namespace

RealClock::RealClock() : start_ns_(SteadyNanoseconds()) {}

uint32_t RealClock::Now() {
    return static_cast<uint32_t>((SteadyNanoseconds() - start_ns_) / 1000000u);
}

void RealClock::WaitUntil(uint32_t deadline) {
    const uint64_t now = SteadyNanoseconds();
    const uint64_t elapsed_ms = (now - start_ns_) / 1000000u;
    const int32_t left_ms = static_cast<int32_t>(deadline - static_cast<uint32_t>(elapsed_ms));
    if (left_ms <= 0) return;
    // The nanosecond at which Now() first reads the deadline.
    const uint64_t target = start_ns_ + (elapsed_ms + static_cast<uint64_t>(left_ms)) * 1000000u;
    using std::chrono::nanoseconds;
    using std::chrono::steady_clock;
    if (target > now + SleepMarginNs)
        std::this_thread::sleep_until(
            steady_clock::time_point(nanoseconds(target - SleepMarginNs)));
    while (SteadyNanoseconds() < target) {
        // The last fraction of a millisecond: too short to sleep through reliably.
    }
}

void VirtualClock::WaitUntil(uint32_t deadline) {
    if (!ClockReached(now_, deadline)) now_ = deadline;
}

void PaceFrame(Clock& clock, uint32_t& now, uint32_t& last, int32_t interval_ms) {
    now = clock.Now();
    while (static_cast<int32_t>(now - last) < interval_ms) {
        clock.WaitUntil(last + static_cast<uint32_t>(interval_ms));
        now = clock.Now();
    }
    last = now;
}
