#include "media/tape_clock.h"

uint32_t TapeClock::Now() {
    switch (mode_) {
    case Mode::Through:
        return base_.Now();
    case Mode::Record:
        last_ = base_.Now();
        taken_.push_back(last_);
        return last_;
    case Mode::Play:
        break;
    }
    if (tape_.empty()) {
        ran_out_ = true;
        return last_;
    }
    last_ = tape_.front();
    tape_.pop_front();
    if (wall_ != nullptr) {
        if (!paced_started_) {
            paced_started_ = true;
            wall_origin_ = wall_->Now();
            tape_origin_ = last_;
        }
        wall_->WaitUntil(wall_origin_ + (last_ - tape_origin_));
    }
    return last_;
}

void TapeClock::WaitUntil(uint32_t deadline) {
    if (mode_ != Mode::Play) base_.WaitUntil(deadline);
}

void TapeClock::StartRecording() {
    mode_ = Mode::Record;
    taken_.clear();
}

void TapeClock::StopRecording() {
    if (mode_ == Mode::Record) mode_ = Mode::Through;
    taken_.clear();
}

std::vector<uint32_t> TapeClock::TakeReadings() {
    std::vector<uint32_t> readings;
    readings.swap(taken_);
    return readings;
}

void TapeClock::StartPlayback() {
    mode_ = Mode::Play;
    tape_.clear();
    ran_out_ = false;
}

void TapeClock::Feed(const std::vector<uint32_t>& readings) {
    tape_.insert(tape_.end(), readings.begin(), readings.end());
}

uint32_t TapeClock::Time() {
    return mode_ == Mode::Play ? last_ : base_.Now();
}
