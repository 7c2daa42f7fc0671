#include "media/clock.h"

#include <chrono>
#include <thread>

namespace {
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
    for (;;) {
        const int32_t left = static_cast<int32_t>(deadline - Now());
        if (left <= 0) return;
        if (left > 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(left - 2));
        else
            std::this_thread::yield();
    }
}

void VirtualClock::WaitUntil(uint32_t deadline) {
    if (!ClockReached(now_, deadline)) now_ = deadline;
}
