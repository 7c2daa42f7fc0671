// Keyboard and joystick turned into 36 named input states the game reads once per frame.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "media/application.h"

struct TEvent;

enum TDXInputState : int {
    InUp,
    InDown,
    InLeft,
    InRight,
    InButton1,
    InButton2,
    InButton3,
    InButton4,
    InButton5,
    InButton6,
    InButton7,
    InButton8,
    InButton9,
    InButton10,
    InButton11,
    InButton12,
    InButton13,
    InButton14,
    InButton15,
    InButton16,
    InButton17,
    InButton18,
    InButton19,
    InButton20,
    InButton21,
    InButton22,
    InButton23,
    InButton24,
    InButton25,
    InButton26,
    InButton27,
    InButton28,
    InButton29,
    InButton30,
    InButton31,
    InButton32,
};
constexpr int InputStateCount = 36;
using TDXInputStates = std::bitset<InputStateCount>;

// Name of a state as the game spells it ("InUp", "InButton1", ...); "" out of range.
const char* InputStateName(int state);

// Three Windows virtual-key codes per state (0 = none).
using TKeyAssigns = std::array<std::array<uint32_t, 3>, InputStateCount>;
// One game-controller button per state (SDL_GameControllerButton; -1 = none).
using TPadAssigns = std::array<int, InputStateCount>;
// The designed pad: d-pad = arrows, A/B/X/Y = buttons 1 to 4, the shoulders the
// turn/sidestep keys (InButton7, InButton8). Start is no game button (media/pad_assigns.cpp).
TPadAssigns DesignedPadAssigns();

// One input device: whether it is read, whether its states count, and what it saw at the
// last update. (The game keeps the mouse disabled, so there is no mouse device.)
struct TInputDevice {
    bool Enabled = true;
    bool BindInputStates = true;
    TDXInputStates States;
};

class TDXInput {
public:
    explicit TDXInput(TApplication& application);
    ~TDXInput();
    TDXInput(const TDXInput&) = delete;
    TDXInput& operator=(const TDXInput&) = delete;

    TKeyAssigns KeyAssigns{};
    // The buttons of a game controller; its left stick is always the arrows.
    TPadAssigns PadAssigns = DesignedPadAssigns();
    // No states while the application is not active.
    bool ActiveOnly = true;
    TInputDevice Keyboard;
    TInputDevice Joystick;
    // Joystick settings.
    int DeadZone = 50; // percent
    int Range = 1000;

    // The state set the game reads.
    TDXInputStates States;
    bool Has(TDXInputState s) const { return States.test(static_cast<size_t>(s)); }

    // Reads every device; a state enters States when it is newly held and leaves when it
    // is newly released, so a state the game removed stays out until pressed again.
    void UpdateInput();
    // Told the state set at the end of every update; may replace it (a demo records the
    // states the game read and plays them back).
    std::function<void(TDXInputStates& states)> OnUpdated;
    // Keeps the keyboard state from window events, and opens or closes the joystick as it
    // is plugged in or out.
    void HandleEvent(const TEvent& event);
    // Told when the joystick in use is pulled out (after it was closed; another one
    // plugged in may have been opened in its place).
    std::function<void()> OnJoystickLost;
    // The replay tool: only SDL's virtual joysticks are opened, so that a scripted run
    // never depends on what is plugged in; they are read also beside scripted keys.
    bool OnlyVirtualJoysticks = false;
    // Tests and the replay tool: hold exactly these virtual-key codes instead of the real
    // keyboard (nullopt returns to the real keyboard). A joystick is not read meanwhile,
    // so a scripted run never depends on what is plugged in (unless OnlyVirtualJoysticks).
    void SetScriptedKeys(std::optional<std::set<uint32_t>> virtual_keys);
    // A new screen begins: keys pressed before it and let go since are no taps on it (a
    // key still held counts as held).
    void ForgetTaps();
    // A screen goes on after a pause: keys and buttons pressed meanwhile are no presses,
    // and one still held counts only once let go and pressed again (the key that chose
    // "resume" must not also fire). Those held from before the pause stay held.
    void ForgetPressesSincePause();
    // As at program start: no state set, none seen before (a new game).
    void ForgetStates();
    bool JoystickOpen() const;
    // True when the open joystick is a pad SDL knows the layout of (a game controller):
    // d-pad and left stick are the arrows, A/B/X/Y buttons 1 to 4, the shoulders the
    // turn/sidestep keys (InButton7, InButton8). Its Start button is no game button: it
    // is the program's own (it pauses, media/ui_input.h).
    bool GamepadOpen() const;

private:
    struct Impl;
    void UpdateKeyboard();
    void UpdateJoystick();
    void UpdateGamepad();

    TApplication& application_;
    std::unique_ptr<Impl> impl_;
    TDXInputStates previous_union_;
    bool held_seen_ = false; // the next update takes what is held as already seen
};

// Windows virtual-key code of an SDL scancode (0 when the key has none). Left and right
// Shift, Ctrl and Alt give the shared code (16, 17, 18).
uint32_t VirtualKeyOfScancode(int scancode);
// The left or right code of a Shift, Ctrl or Alt key (160 to 165), else 0.
uint32_t SideVirtualKeyOfScancode(int scancode);

// A joystick axis reading in raw_min .. raw_max turned into -range .. +range, with the
// dead zone (percent of half the travel) around the centre reading 0.
int ConvertJoystickAxis(int raw, int raw_min, int raw_max, int dead_zone, int range);
