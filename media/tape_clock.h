// A clock that can tape the readings it gives and give taped readings back. A demo is
// recorded by taping every reading of every frame; played back, the same code asks the
// clock the same questions and gets the same answers, so the game runs exactly as it did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "media/clock.h"

class TapeClock : public Clock {
public:
    // Until told otherwise every reading and wait passes through to base.
    explicit TapeClock(Clock& base) : base_(base) {}

    uint32_t Now() override;
    // Passes through; while playing back there is nothing to wait for (see SetPacing).
    void WaitUntil(uint32_t deadline) override;

    // --- recording: readings pass through and are kept ---
    void StartRecording();
    void StopRecording();
    bool Recording() const { return mode_ == Mode::Record; }
    // The readings given since the last call.
    std::vector<uint32_t> TakeReadings();

    // --- playback: readings come from the tape, in order ---
    void StartPlayback();
    bool PlayingBack() const { return mode_ == Mode::Play; }
    void Feed(const std::vector<uint32_t>& readings);
    size_t ReadingsLeft() const { return tape_.size(); }
    // True once a reading was asked for with the tape empty (the run left the recording);
    // such a reading repeats the last one.
    bool RanOut() const { return ran_out_; }
    // Plays at the recorded speed: each reading is given once `wall` has moved as far from
    // the first reading's moment as the taped readings did. Without pacing, readings come at
    // once (headless runs).
    void SetPacing(Clock* wall) { wall_ = wall; }

    // The time for reports: the last taped reading while playing back, else the base clock
    // (not taped).
    uint32_t Time();

private:
    enum class Mode { Through, Record, Play };
    Clock& base_;
    Mode mode_ = Mode::Through;
    std::vector<uint32_t> taken_;
    std::deque<uint32_t> tape_;
    uint32_t last_ = 0;
    bool ran_out_ = false;
    Clock* wall_ = nullptr;
    bool paced_started_ = false;
    uint32_t wall_origin_ = 0;
    uint32_t tape_origin_ = 0;
};
