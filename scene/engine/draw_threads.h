// The threads that help the device draw: started at the first Run, asleep between frames,
// stopped with the object. Run hands every thread the same piece of work, the calling
// thread included as number 0, and returns when all of them have finished it, also when
// one of them failed: the first failure is then thrown on the calling thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "scene/engine/call_ref.h"

namespace rm {

class DrawThreads {
public:
    explicit DrawThreads(int count);
    ~DrawThreads() { Stop(); }
    DrawThreads(const DrawThreads&) = delete;
    DrawThreads& operator=(const DrawThreads&) = delete;

    // Threads taking part in Run, the caller included.
    int Count() const { return count_; }
    // Stops the helpers; the next Run starts count - 1 new ones. Not while Run is under way.
    void SetCount(int count);
    // work(0) on the calling thread and work(i) on helper i, all at once. Whatever work
    // throws, no thread is still at it when Run returns or throws.
    void Run(CallRef<int> work);

private:
    void Start();
    void Stop();
    void Serve(int index, uint64_t seen);

    int count_ = 1;
    std::vector<std::thread> helpers_;
    std::mutex mutex_;
    std::condition_variable start_; // a new piece of work, or the end
    std::condition_variable done_;  // the last helper finished
    const CallRef<int>* work_ = nullptr;
    uint64_t generation_ = 0;           // counts the pieces of work handed out
    int running_ = 0;                   // helpers still at the current piece
    std::exception_ptr helper_failure_; // the first a helper threw at the current piece
    bool stopping_ = false;
};

} // namespace rm
