#include "media/timer.h"

#include <algorithm>
#include <cmath>

TDXTimer::TDXTimer(TApplication& application) : application_(application) {
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

void TDXTimer::SetInterval(int value) {
    if (value == interval_) return;
    interval_ = std::max(value, 0);
    lag_divisor_ = std::max(value, 1);
}

void TDXTimer::Install() {
    const uint32_t now = application_.clock().Now();
    last_tick_ = now;
    rate_window_start_ = now;
    application_.SetIdleSlot(this, [this] { IdleTick(); });
}

void TDXTimer::Uninstall() {
    if (!installed_) return;
    application_.ClearIdleSlot();
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
    const uint32_t t = application_.clock().Now();
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
