// Names of keys and game-controller buttons as SDL writes them, for texts a player reads
// and edits (bn.ini, the controls page), and the key or button an event presses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct TEvent;

// SDL's name of the key (its first scancode giving the virtual-key code): "Z", "Keypad 8";
// "" for none.
std::string KeyName(uint32_t key);
// The virtual-key code of an SDL key name (any case); 0 when it names no key the game reads.
uint32_t KeyOfName(std::string_view name);
// SDL's name of a game-controller button ("a", "dpup"); "" for none.
std::string PadButtonName(int button);
int PadButtonOfName(std::string_view name); // -1 for no button
int PadButtonCount();
int PadStartButton(); // the program's own (it pauses)

// A key newly pressed (no repeat), as the virtual-key code of its scancode.
std::optional<uint32_t> PressedVirtualKey(const TEvent& event);
// A game controller's button pressed.
std::optional<int> PressedPadButton(const TEvent& event);
