// A frame timer that runs from the application's idle processing, not from an operating
// system timer. All timers share the application's single idle slot: enabling one takes
// the slot, disabling an installed one empties it, whichever timer holds it then.
#pragma once

#include <cstdint>
#include <functional>

#include "media/application.h"

class TDXTimer {
public:
    explicit TDXTimer(TApplication& application);
    ~TDXTimer();
    TDXTimer(const TDXTimer&) = delete;
    TDXTimer& operator=(const TDXTimer&) = delete;

    bool ActiveOnly() const { return active_only_; }
    void SetActiveOnly(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
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
    void Uninstall(); // empties the slot if installed
    void ApplicationActivated(bool active);

    TApplication& application_;
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
