// A frame timer that runs from the application's idle processing, not from an operating
// system timer. All timers share the application's single idle slot: enabling one takes
// the slot from whichever timer holds it; disabling one empties the slot only if it holds
// it.
#pragma once

#include <cstdint>
#include <functional>

#include "media/application.h"

class TDXTimer {
public:
    // On the application's clock, or on the clock given (the game's own time).
    explicit TDXTimer(TApplication& application);
    TDXTimer(TApplication& application, Clock& clock);
    ~TDXTimer();
    TDXTimer(const TDXTimer&) = delete;
    TDXTimer& operator=(const TDXTimer&) = delete;

    bool ActiveOnly() const { return active_only_; }
    void SetActiveOnly(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Enabled again after a pause: the timer goes on where it stopped. Its last tick and
    // its frame-rate count stay (its clock stood still meanwhile: nothing is read), and no
    // new screen begins (OnEnable is not told).
    void Continue();
    // Counts its frame rate from nothing again, as a new timer does (a new game).
    void ForgetRate();
    int Interval() const { return interval_; }
    void SetInterval(int value);
    int FramesPerSecond() const { return frames_per_second_; }
    bool Installed() const { return installed_; }

    std::function<void(TDXTimer& sender, int lag_count)> OnTimer;
    // Told when the timer is enabled: its screen begins.
    std::function<void(TDXTimer& sender)> OnEnable;
    std::function<void(TDXTimer& sender)> OnActivate;
    std::function<void(TDXTimer& sender)> OnDeactivate;

    // One idle pass of the application while this timer holds the slot.
    void IdleTick();

private:
    void Install();   // resets the last tick and the rate window, takes the slot
    void Uninstall(); // no longer installed; empties the slot if this timer holds it
    void TakeSlot();
    void ApplicationActivated(bool active);

    TApplication& application_;
    Clock& clock_;
    bool active_only_ = true;
    bool enabled_ = false;
    int interval_ = 1000;
    int lag_divisor_ = 1000;
    int frames_per_second_ = 0;
    uint32_t last_tick_ = 0;
    uint32_t frame_counter_ = 0;
    uint32_t rate_window_start_ = 0;
    bool installed_ = false;
    int listener_id_ = 0;
};
