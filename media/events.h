// A window event in the program's own terms, as the form, the options panel and its
// dialogs read it. The media components that need SDL's own event (the window, the
// input, the UI glue) find it in native.
#pragma once

#include <cstdint>
#include <string_view>

union SDL_Event;

// The keys the form, the panel and the dialogs act on, as Windows virtual-key codes (the
// codes the designed key table is written in); a letter or a digit is its upper-case
// character ('A', '7'). A key is the one the keyboard layout puts there: Alt with the key
// that types "s" is Alt+'S' on any layout.
namespace key_code {
constexpr int None = 0; // any key none of them acts on
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13; // either Enter key
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Delete = 46;
constexpr int F11 = 122;
} // namespace key_code

inline bool IsLetterKey(int key) {
    return key >= 'A' && key <= 'Z';
}
inline bool IsLetterOrDigitKey(int key) {
    return IsLetterKey(key) || (key >= '0' && key <= '9');
}

enum class TEventKind {
    Other,
    KeyDown,
    KeyUp,
    TextInput,   // text typed through the system's text input
    TextEditing, // text an input method is composing
    MouseMotion,
    MouseDown,
    MouseUp,
    MouseWheel,
    Window,      // a change of a window: size, focus, shown, the pointer entering...
    RenderReset, // the renderer lost its targets or its device: surfaces are drawn anew
};

struct TEvent {
    TEventKind kind = TEventKind::Other;
    uint32_t window_id = 0; // the window it concerns (TWindow::window_id), 0 for none
    // KeyDown, KeyUp: the key (key_code), the modifiers held, and whether it is the
    // keyboard's repeat of a held key.
    int key = key_code::None;
    bool shift = false, alt = false, repeat = false;
    // TextInput, TextEditing: UTF-8, valid while the event is handled.
    std::string_view text;
    // MouseDown: the left button's second click in a row.
    bool double_click = false;
    // Window: the window's client size changed.
    bool resized = false;
    // SDL's own event, for the media components; null in an event made by hand.
    const SDL_Event* native = nullptr;
};

// The event as the program reads it; native points to event.
TEvent EventOf(const SDL_Event& event);
