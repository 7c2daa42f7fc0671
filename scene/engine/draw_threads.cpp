#include "scene/engine/draw_threads.h"

#include <algorithm>

namespace rm {

DrawThreads::DrawThreads(int count) : count_(std::max(count, 1)) {}

void DrawThreads::SetCount(int count) {
    count = std::max(count, 1);
    if (count == count_) return;
    Stop();
    count_ = count;
}

void DrawThreads::Start() {
    stopping_ = false;
    // Each helper waits for the first piece of work handed out after this point.
    try {
        for (int i = 1; i < count_; ++i)
            helpers_.emplace_back([this, i, seen = generation_] { Serve(i, seen); });
    } catch (...) {
        Stop(); // all or none: the next Run tries again
        throw;
    }
}

void DrawThreads::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    start_.notify_all();
    for (std::thread& helper : helpers_) helper.join();
    helpers_.clear();
}

void DrawThreads::Run(CallRef<int> work) {
    if (count_ > 1) {
        if (helpers_.empty()) Start();
        {
            const std::lock_guard lock(mutex_);
            work_ = &work;
            running_ = count_ - 1;
            helper_failure_ = nullptr;
            ++generation_;
        }
        start_.notify_all();
    }
    std::exception_ptr failure;
    try {
        work(0);
    } catch (...) {
        failure = std::current_exception();
    }
    if (count_ > 1) {
        // The helpers work on what the caller's frame holds: they finish before it goes.
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return running_ == 0; });
        work_ = nullptr;
        if (!failure) failure = helper_failure_;
        helper_failure_ = nullptr;
    }
    if (failure) std::rethrow_exception(failure);
}

void DrawThreads::Serve(int index, uint64_t seen) {
    for (;;) {
        const CallRef<int>* work = nullptr;
        {
            std::unique_lock lock(mutex_);
            start_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) return;
            seen = generation_;
            work = work_;
        }
        std::exception_ptr failure;
        try {
            (*work)(index);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard lock(mutex_);
            if (failure && !helper_failure_) helper_failure_ = failure;
            if (--running_ == 0) done_.notify_one();
        }
    }
}

} // namespace rm
