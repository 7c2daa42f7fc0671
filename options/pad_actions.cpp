#include "options/pad_actions.h"

#include <array>

#include "media/events.h"

namespace {

struct PadRow {
    UiInput input;
    DialogAction action;
    int key;
};

constexpr std::array PadTable = {
    PadRow{UiInput::Up, DialogAction::Up, key_code::Up},
    PadRow{UiInput::Down, DialogAction::Down, key_code::Down},
    PadRow{UiInput::Left, DialogAction::Left, key_code::Left},
    PadRow{UiInput::Right, DialogAction::Right, key_code::Right},
    PadRow{UiInput::Choose, DialogAction::Activate, key_code::Space}, // A
    PadRow{UiInput::Back, DialogAction::Back, key_code::Escape},      // B
    PadRow{UiInput::Pause, DialogAction::Start, key_code::Enter},     // Start
};

} // namespace

DialogAction DialogActionOf(const TUiEvent& input) {
    if (!input.pad) return DialogAction::None;
    for (const PadRow& row : PadTable)
        if (row.input == input.input) return row.action;
    return DialogAction::None;
}

int KeyOfDialogAction(DialogAction action) {
    for (const PadRow& row : PadTable)
        if (row.action == action) return row.key;
    return key_code::None;
}
