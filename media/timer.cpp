#include "media/timer.h"

#include <algorithm>
#include <cmath>

TDXTimer::TDXTimer(TApplication& application) : TDXTimer(application, application.clock()) {}

TDXTimer::TDXTimer(TApplication& application, Clock& clock)
    : application_(application), clock_(clock) {
    listener_id_ =
        application_.AddActivationListener([this](bool active) { ApplicationActivated(active); });
}

TDXTimer::~TDXTimer() {
    Uninstall();
    application_.RemoveActivationListener(listener_id_);
}

void TDXTimer::SetActiveOnly(bool value) {
    active_only_ = value;
    if (application_.Active() && value && installed_) application_.ClearIdleSlot();
}

void TDXTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    if (value) {
        Uninstall();
        if (!active_only_ || application_.Active()) Install();
        installed_ = true;
        if (OnEnable) OnEnable(*this);
    } else {
        Uninstall();
    }
}

void TDXTimer::Continue() {
    if (enabled_) return;
    enabled_ = true;
    installed_ = true;
    if (!active_only_ || application_.Active()) TakeSlot();
}

void TDXTimer::ForgetRate() {
    frames_per_second_ = 0;
    frame_counter_ = 0;
}

void TDXTimer::SetInterval(int value) {
    if (value == interval_) return;
    interval_ = std::max(value, 0);
    lag_divisor_ = std::max(value, 1);
}

void TDXTimer::Install() {
    const uint32_t now = clock_.Now();
    last_tick_ = now;
    rate_window_start_ = now;
    TakeSlot();
}

void TDXTimer::TakeSlot() {
    application_.SetIdleSlot(this, [this] { IdleTick(); });
}

void TDXTimer::Uninstall() {
    if (!installed_) return;
    // Another timer may have taken the slot since: it keeps it.
    if (application_.IdleOwner() == this) application_.ClearIdleSlot();
    installed_ = false;
}

void TDXTimer::ApplicationActivated(bool active) {
    if (active) {
        if (OnActivate) OnActivate(*this);
        if (installed_ && active_only_) Install();
    } else {
        if (OnDeactivate) OnDeactivate(*this);
        if (installed_ && active_only_ && application_.IdleOwner() == this)
            application_.ClearIdleSlot();
    }
}

void TDXTimer::IdleTick() {
    const uint32_t t = clock_.Now();
    const int64_t since_last = static_cast<int32_t>(t - last_tick_);
    if (since_last < interval_) return;
    const int lag = std::max(static_cast<int>(since_last / lag_divisor_), 1);
    last_tick_ = t;

    ++frame_counter_;
    const int64_t elapsed = std::max<int64_t>(static_cast<int32_t>(t - rate_window_start_), 1);
    if (elapsed >= 1000) {
        frames_per_second_ = static_cast<int>(std::nearbyint(
            static_cast<double>(frame_counter_) * 1000.0 / static_cast<double>(elapsed)));
        frame_counter_ = 0;
        rate_window_start_ = t;
    }
    if (OnTimer) OnTimer(*this, lag);
}
