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
    for (int i = 1; i < count_; ++i)
        helpers_.emplace_back([this, i, seen = generation_] { Serve(i, seen); });
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
            ++generation_;
        }
        start_.notify_all();
    }
    work(0);
    if (count_ > 1) {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return running_ == 0; });
        work_ = nullptr;
    }
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
        (*work)(index);
        {
            const std::lock_guard lock(mutex_);
            if (--running_ == 0) done_.notify_one();
        }
    }
}

} // namespace rm
