#include "media/game_time.h"

uint32_t GameTime::Now() {
    return stopped_ ? stopped_at_ : base_.Now() - set_aside_;
}

void GameTime::WaitUntil(uint32_t deadline) {
    if (!stopped_) base_.WaitUntil(deadline + set_aside_);
}

void GameTime::Stop() {
    if (stopped_) return;
    stopped_at_ = base_.Now() - set_aside_;
    stopped_ = true;
}

void GameTime::Go() {
    if (!stopped_) return;
    set_aside_ = base_.Now() - stopped_at_;
    stopped_ = false;
}
