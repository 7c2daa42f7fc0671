// Keyboard and joystick turned into 36 named input states the game reads once per frame.
#pragma once

#include <array>
#include <bitset>
#include <memory>
#include <cstdint>
#include <optional>
#include <set>

#include "media/application.h"

union SDL_Event;

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

// Name of a state as the game spells it ("InUp", "InButton1", ...).
const char* InputStateName(int state);

// Three Windows virtual-key codes per state (0 = none).
using TKeyAssigns = std::array<std::array<uint32_t, 3>, InputStateCount>;

class TDXInput {
public:
    explicit TDXInput(TApplication& application);
    ~TDXInput();
    TDXInput(const TDXInput&) = delete;
    TDXInput& operator=(const TDXInput&) = delete;

    TKeyAssigns KeyAssigns{};
    bool ActiveOnly = true;
    // Joystick settings.
    int DeadZone = 50; // percent
    int Range = 1000;

    // The state set the game reads.
    TDXInputStates States;
    bool Has(TDXInputState s) const { return States.test(static_cast<size_t>(s)); }

    void UpdateInput();
    // Keeps the keyboard state from window events.
    void HandleEvent(const SDL_Event& event);
    // Tests and the replay tool: hold exactly these virtual-key codes instead of the real
    // keyboard (nullopt returns to the real keyboard).
    void SetScriptedKeys(std::optional<std::set<uint32_t>> virtual_keys);

private:
    struct Impl;
    TApplication& application_;
    std::unique_ptr<Impl> impl_;
    TDXInputStates previous_union_;
};

// Windows virtual-key code of an SDL scancode (0 when the key has none).
uint32_t VirtualKeyOfScancode(int scancode);
