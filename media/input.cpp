#include "media/input.h"

#include <SDL.h>

#include <array>
#include <cstdlib>

namespace {

constexpr int RawAxisMin = -32768;
constexpr int RawAxisMax = 32767;
constexpr int MaxButtons = 32;
constexpr size_t KeyCodes = 256;

constexpr std::array<const char*, InputStateCount> StateNames = {
    "InUp",       "InDown",     "InLeft",     "InRight",    "InButton1",  "InButton2",
    "InButton3",  "InButton4",  "InButton5",  "InButton6",  "InButton7",  "InButton8",
    "InButton9",  "InButton10", "InButton11", "InButton12", "InButton13", "InButton14",
    "InButton15", "InButton16", "InButton17", "InButton18", "InButton19", "InButton20",
    "InButton21", "InButton22", "InButton23", "InButton24", "InButton25", "InButton26",
    "InButton27", "InButton28", "InButton29", "InButton30", "InButton31", "InButton32",
};

// n / d (d > 0) rounded to the nearest integer, halves to even.
int64_t RoundedDivide(int64_t n, int64_t d) {
    int64_t q = n / d;
    const int64_t twice_rest = 2 * std::llabs(n % d);
    if (twice_rest > d || (twice_rest == d && q % 2 != 0)) q += n < 0 ? -1 : 1;
    return q;
}

} // namespace

const char* InputStateName(int state) {
    if (state < 0 || state >= InputStateCount) return "";
    return StateNames[static_cast<size_t>(state)];
}

int ConvertJoystickAxis(int raw, int raw_min, int raw_max, int dead_zone, int range) {
    const int64_t half = (int64_t{raw_max} - raw_min) / 2;
    const int64_t centred = int64_t{raw} - raw_min - half;
    const int64_t dead = half * dead_zone / 100;
    const int64_t span = half - dead;
    if (span <= 0 || std::llabs(centred) <= dead) return 0;
    const int64_t beyond = centred > 0 ? centred - dead : centred + dead;
    return static_cast<int>(RoundedDivide(beyond * range, span));
}

struct TDXInput::Impl {
    std::bitset<SDL_NUM_SCANCODES> held;
    // Keys that went down since the last update: a tap between two frames still counts.
    std::bitset<SDL_NUM_SCANCODES> pressed;
    std::optional<std::set<uint32_t>> scripted;
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID joystick_id = -1;
    // Set when SDL knows the pad's layout: then it is read by its named buttons.
    SDL_GameController* controller = nullptr;

    void OpenJoystick(int device_index, bool only_virtual) {
        if (joystick != nullptr) return;
        if (only_virtual && SDL_JoystickIsVirtual(device_index) == SDL_FALSE) return;
        if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) != 0 && SDL_IsGameController(device_index)) {
            controller = SDL_GameControllerOpen(device_index);
            if (controller != nullptr) joystick = SDL_GameControllerGetJoystick(controller);
        }
        if (joystick == nullptr) joystick = SDL_JoystickOpen(device_index);
        joystick_id = joystick != nullptr ? SDL_JoystickInstanceID(joystick) : -1;
    }
    void CloseJoystick() {
        if (controller != nullptr)
            SDL_GameControllerClose(controller); // closes its joystick too
        else if (joystick != nullptr)
            SDL_JoystickClose(joystick);
        controller = nullptr;
        joystick = nullptr;
        joystick_id = -1;
    }
};

TDXInput::TDXInput(TApplication& application)
    : application_(application), impl_(std::make_unique<Impl>()) {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) != 0 && SDL_NumJoysticks() > 0)
        impl_->OpenJoystick(0, false);
}

TDXInput::~TDXInput() {
    impl_->CloseJoystick();
}

bool TDXInput::JoystickOpen() const {
    return impl_->joystick != nullptr;
}

bool TDXInput::GamepadOpen() const {
    return impl_->controller != nullptr;
}

void TDXInput::HandleEvent(const TEvent& from) {
    if (from.native == nullptr) return;
    const SDL_Event& event = *from.native;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const int scancode = event.key.keysym.scancode;
        if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) break;
        impl_->held.set(static_cast<size_t>(scancode), event.type == SDL_KEYDOWN);
        if (event.type == SDL_KEYDOWN) impl_->pressed.set(static_cast<size_t>(scancode));
        break;
    }
    case SDL_WINDOWEVENT:
        // Keys let go in another window never report it here.
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
            impl_->held.reset();
            impl_->pressed.reset();
        }
        break;
    case SDL_JOYDEVICEADDED:
        impl_->OpenJoystick(event.jdevice.which, OnlyVirtualJoysticks);
        break;
    case SDL_JOYDEVICEREMOVED:
        if (impl_->joystick != nullptr && event.jdevice.which == impl_->joystick_id) {
            impl_->CloseJoystick();
            for (int i = 0; i < SDL_NumJoysticks() && impl_->joystick == nullptr; ++i)
                impl_->OpenJoystick(i, OnlyVirtualJoysticks);
            if (OnJoystickLost) OnJoystickLost();
        }
        break;
    default:
        break;
    }
}

void TDXInput::SetScriptedKeys(std::optional<std::set<uint32_t>> virtual_keys) {
    impl_->scripted = std::move(virtual_keys);
}

void TDXInput::ForgetTaps() {
    impl_->pressed.reset();
}

void TDXInput::ForgetPressesSincePause() {
    impl_->pressed.reset();
    held_seen_ = true;
}

void TDXInput::ForgetStates() {
    impl_->pressed.reset();
    States.reset();
    previous_union_.reset();
    held_seen_ = false;
}

void TDXInput::UpdateKeyboard() {
    Keyboard.States.reset();
    const auto held = impl_->held | impl_->pressed;
    impl_->pressed.reset();
    if (!Keyboard.Enabled || (ActiveOnly && !application_.Active())) return;
    std::bitset<KeyCodes> down;
    if (impl_->scripted) {
        for (uint32_t key : *impl_->scripted)
            if (key < KeyCodes) down.set(key);
    } else {
        for (size_t scancode = 0; scancode < held.size(); ++scancode) {
            if (!held.test(scancode)) continue;
            down.set(VirtualKeyOfScancode(static_cast<int>(scancode)));
            down.set(SideVirtualKeyOfScancode(static_cast<int>(scancode)));
        }
    }
    down.reset(0); // code 0 marks an empty slot of the table
    for (size_t state = 0; state < KeyAssigns.size(); ++state)
        for (uint32_t key : KeyAssigns[state])
            if (key < KeyCodes && down.test(key)) Keyboard.States.set(state);
}

void TDXInput::UpdateJoystick() {
    Joystick.States.reset();
    SDL_Joystick* stick = impl_->joystick;
    if (!Joystick.Enabled || stick == nullptr || (impl_->scripted && !OnlyVirtualJoysticks)) return;
    if (ActiveOnly && !application_.Active()) return;
    if (impl_->controller != nullptr) {
        UpdateGamepad();
        return;
    }
    const auto axis = [&](int index) {
        if (index >= SDL_JoystickNumAxes(stick)) return 0;
        return ConvertJoystickAxis(SDL_JoystickGetAxis(stick, index), RawAxisMin, RawAxisMax,
                                   DeadZone, Range);
    };
    const int x = axis(0);
    const int y = axis(1);
    if (x < 0) Joystick.States.set(InLeft);
    if (x > 0) Joystick.States.set(InRight);
    if (y < 0) Joystick.States.set(InUp);
    if (y > 0) Joystick.States.set(InDown);
    const int buttons = std::min(SDL_JoystickNumButtons(stick), MaxButtons);
    for (int i = 0; i < buttons; ++i)
        if (SDL_JoystickGetButton(stick, i) != 0)
            Joystick.States.set(static_cast<size_t>(InButton1 + i));
}

void TDXInput::UpdateGamepad() {
    SDL_GameController* pad = impl_->controller;
    const auto held = [pad](SDL_GameControllerButton button) {
        return SDL_GameControllerGetButton(pad, button) != 0;
    };
    const auto axis = [&](SDL_GameControllerAxis which) {
        return ConvertJoystickAxis(SDL_GameControllerGetAxis(pad, which), RawAxisMin, RawAxisMax,
                                   DeadZone, Range);
    };
    TDXInputStates& states = Joystick.States;
    const int x = axis(SDL_CONTROLLER_AXIS_LEFTX);
    const int y = axis(SDL_CONTROLLER_AXIS_LEFTY);
    if (x < 0) states.set(InLeft);
    if (x > 0) states.set(InRight);
    if (y < 0) states.set(InUp);
    if (y > 0) states.set(InDown);
    for (size_t state = 0; state < PadAssigns.size(); ++state) {
        const int button = PadAssigns[state];
        if (button >= 0 && button < SDL_CONTROLLER_BUTTON_MAX &&
            held(static_cast<SDL_GameControllerButton>(button)))
            states.set(state);
    }
}

void TDXInput::UpdateInput() {
    UpdateKeyboard();
    UpdateJoystick();
    TDXInputStates now;
    if (Keyboard.BindInputStates) now |= Keyboard.States;
    if (Joystick.BindInputStates) now |= Joystick.States;
    if (held_seen_) {
        previous_union_ |= now;
        held_seen_ = false;
    }
    // Only changes of the devices move States, so a state the game took out stays out
    // until it is released and pressed again.
    States |= now & ~previous_union_;
    States &= ~(~now & previous_union_);
    previous_union_ = now;
    if (OnUpdated) OnUpdated(States);
}
