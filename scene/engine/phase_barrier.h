// Where the threads drawing a frame meet between its phases: each waits until all have
// arrived, and the last to arrive first does what must be done by one thread alone. A
// waiting thread spins for a few microseconds (the others are usually that close behind),
// then sleeps.
#pragma once

#include <atomic>
#include <cstdint>

#include "scene/engine/call_ref.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rm {

class PhaseBarrier {
public:
    // Threads meeting; set only while none is waiting.
    void SetCount(int count) { count_ = count; }

    // Returns once count threads have arrived; the last one to arrive runs last() before
    // releasing the others. What the threads did before arriving is seen by all of them
    // afterwards, and by last().
    void ArriveAndWait(CallRef<> last) {
        const uint32_t generation = generation_.load(std::memory_order_acquire);
        if (arrived_.fetch_add(1, std::memory_order_acq_rel) + 1 == count_) {
            arrived_.store(0, std::memory_order_relaxed);
            last();
            generation_.store(generation + 1, std::memory_order_release);
            generation_.notify_all();
            return;
        }
        for (int spin = 0; spin < SpinChecks; ++spin) {
            if (generation_.load(std::memory_order_acquire) != generation) return;
#if defined(__SSE2__)
            _mm_pause();
#endif
        }
        while (generation_.load(std::memory_order_acquire) == generation)
            generation_.wait(generation, std::memory_order_acquire);
    }
    void ArriveAndWait() {
        ArriveAndWait([] {});
    }

private:
    static constexpr int SpinChecks = 2000;

    int count_ = 1;
    std::atomic<int> arrived_{0};
    std::atomic<uint32_t> generation_{0};
};

} // namespace rm
