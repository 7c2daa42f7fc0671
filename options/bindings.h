// The player's controls: for each game input that can be bound, up to three keys (the
// designed table's width) and one game-controller button. The designed table is the
// form's key table (DesignedKeyAssigns) with the designed pad (DesignedPadAssigns); the
// other input states (InButton29-32: H J U N) stay fixed. The left stick of a pad is
// always the arrows.
//
// bn.ini keeps one readable line per input, e.g. "操作_上=Up, Keypad 8 | pad dpup": SDL's
// key names (its scancode names) and SDL's pad button names.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "media/input.h"
#include "media/input_names.h"
#include "media/language.h"

inline constexpr size_t KeySlots = 3;
// The slot index of the pad button, after the key slots.
inline constexpr size_t PadSlot = KeySlots;
inline constexpr size_t SlotCount = KeySlots + 1;

struct Binding {
    std::array<uint32_t, KeySlots> keys{}; // Windows virtual-key codes, 0 = empty
    int pad = -1;                          // SDL_GameControllerButton, -1 = none
    bool operator==(const Binding&) const = default;
};

struct BindableInput {
    TDXInputState state;
    const char* key;     // in bn.ini
    const char* caption; // marked for translation
};

inline constexpr std::array BindableInputs = {
    BindableInput{InUp, "操作_上", TrMark("上")},
    BindableInput{InDown, "操作_下", TrMark("下")},
    BindableInput{InLeft, "操作_左", TrMark("左")},
    BindableInput{InRight, "操作_右", TrMark("右")},
    BindableInput{InButton1, "操作_ボタン1", TrMark("①ボタン")},
    BindableInput{InButton2, "操作_ボタン2", TrMark("②ボタン")},
    BindableInput{InButton3, "操作_ボタン3", TrMark("③ボタン")},
    BindableInput{InButton4, "操作_ボタン4", TrMark("④ボタン")},
    // TRANSLATORS: the A key: turns or sidesteps left, as the control scheme says.
    BindableInput{InButton7, "操作_ボタン7", TrMark("左旋回・左移動")},
    // TRANSLATORS: the S key: turns or sidesteps right, as the control scheme says.
    BindableInput{InButton8, "操作_ボタン8", TrMark("右旋回・右移動")},
};
using Bindings = std::array<Binding, BindableInputs.size()>;

Bindings DesignedBindings();
// The tables the input reads: the bound inputs from bindings, every other state designed.
void ApplyBindings(const Bindings& bindings, TKeyAssigns& keys, TPadAssigns& pad);

// Why the program keeps a key or pad button for itself (translated), or nullptr when it
// can be bound: Escape, P, M, F11, Alt (Alt+Enter); the pad's Start.
const char* RefusedKey(uint32_t key);
const char* RefusedPadButton(int button);

// The binding as bn.ini keeps it, and back; nullopt for a value that names an unknown
// or refused key or button, or more keys than the slots.
std::string BindingText(const Binding& binding);
std::optional<Binding> BindingOfText(std::string_view text);

// What else uses the key or button in a slot of an input: the other input's name or the
// game's fixed keys (translated); "" when nothing else does (or the slot is empty).
std::string ConflictOf(const Bindings& bindings, size_t input, size_t slot);
bool HasConflicts(const Bindings& bindings);

// The bindings stored in bn.ini: a missing key is the designed binding, and so is a value
// that cannot be used, with a line for each such value in problems.
Bindings ReadStoredBindings(std::vector<std::string>& problems);
std::string UnusableBindingMessage(const std::string& key, const std::string& text);

// "Z / Space / Return / A": the keys and pad button of an input, for texts that name them.
std::string BoundNames(const Binding& binding);
// The help memo's block naming the inputs bound otherwise than designed; empty when none is.
std::vector<std::string> ChangedBindingLines(const Bindings& bindings);
