// The controls page, opened from the settings page's "操作…" button: a row per game input
// (options/bindings.h) with three key slots and one pad slot. Arrows and Tab move the
// focus, Enter (or a click) on a slot waits for the next key or pad button, Escape stops
// waiting, Delete or Backspace clears the slot. Keys the program keeps for itself are
// refused with the reason in the status line; a key or button that two inputs share (or
// one of the fixed keys H J U N) is a conflict: both slots are marked and the status line
// names the other input. "既定に戻す" puts back the designed table; OK keeps what the page
// shows (the caller stores it), Cancel and Escape leave the bindings as they were.
//
// Plain data with keyboard handling like the other dialogs; dialog_draw.cpp draws it.
#pragma once

#include <string>
#include <vector>

#include "options/bindings.h"
#include "options/dialogs.h"

struct TEvent;

inline constexpr const char* ControlsTitle = TrMark("操作");
// TRANSLATORS: the controls page's column heads: the game input, its keys, its pad button.
inline constexpr const char* InputHeader = TrMark("入力");
inline constexpr const char* KeysHeader = TrMark("キー");
inline constexpr const char* PadHeader = TrMark("パッド");
// TRANSLATORS: the controls page's button that puts back the designed keys.
inline constexpr const char* ResetCaption = TrMark("既定に戻す");

class TControlsPage : public TModalDialog {
public:
    explicit TControlsPage(const Bindings& bindings);

    static constexpr int TitleHeight = 22, HeaderTop = 30, RowsTop = 52, RowHeight = 24;
    static constexpr int NameLeft = 16, SlotsLeft = 168, SlotWidth = 104, SlotGap = 6;
    static constexpr size_t ButtonRow = BindableInputs.size();

    Bindings Shown; // as the page shows them
    // The focus: a slot (Row < ButtonRow, Column < SlotCount) or, on ButtonRow, a button
    // (Column 0 Reset, 1 OK, 2 Cancel).
    size_t Row = 0, Column = 0;
    // Enter was pressed on the focused slot: the next key (or pad button) goes into it.
    bool Waiting = false;
    TButton ResetButton, OKButton, CancelButton;

    int SlotLeft(size_t slot) const {
        return SlotsLeft + static_cast<int>(slot) * (SlotWidth + SlotGap);
    }
    int StatusTop() const; // the status line, under the rows
    int ButtonsTop() const;
    // The line under the rows: what the page waits for, why a key was refused, or the
    // conflict of the focused slot (translated when asked).
    std::string Status() const;
    // Whether a slot's key or button is shared with another input or a fixed key.
    bool InConflict(size_t row, size_t slot) const;

    // Focuses a slot and waits for its key or button (a click on it).
    void StartWaiting(size_t row, size_t slot);
    // A key pressed, as a virtual-key code: into the slot waited for.
    void VirtualKeyDown(uint32_t key);
    // A game controller's button (SDL_GameControllerButton) pressed: into the pad slot
    // waited for.
    void PadButtonDown(int sdl_button);
    void Reset();

    bool KeyDown(int key, bool shift, bool alt) override;
    std::string GlyphText() const override;
    std::vector<TButton*> Buttons() override { return {&ResetButton, &OKButton, &CancelButton}; }

private:
    void Cancel();
    void Move(int rows, int columns);
    size_t Columns() const { return Row == ButtonRow ? 3 : SlotCount; }
    Bindings opened_with_;
    const char* refusal_ = nullptr; // why the last key was not taken
};

// The window's events a controls page takes before the dialog keys: while it waits, the
// key as the keyboard's scancode gives it (the keypad's keys, Shift, ...) and a pad's
// buttons. True when the page took the event.
bool RouteToControlsPage(TModalDialog& dialog, const TEvent& event);
