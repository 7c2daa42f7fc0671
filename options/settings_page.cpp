#include "options/settings_page.h"

#include <algorithm>

#include "media/events.h"

namespace {
constexpr int PageWidth = 480;
constexpr int ButtonWidth = 97, ButtonHeight = 24, ButtonGap = 8, Margin = 12;
} // namespace

TSettingsPage::TSettingsPage(const std::array<int32_t, OptionCount>& values)
    : Values(values), opened_with_(values) {
    Name = "SettingsPage";
    Caption = SettingsTitle;
    Color = 0xF0F0F0;
    Width = PageWidth;
    const int buttons_top = RowTop(SettingsRows.size()) + 8;
    Height = buttons_top + ButtonHeight + Margin;
    Place(OKButton, "OK", "OK", Width - Margin - 2 * ButtonWidth - ButtonGap, buttons_top,
          ButtonWidth, ButtonHeight);
    Place(CancelButton, "Cancel", CancelCaption, Width - Margin - ButtonWidth, buttons_top,
          ButtonWidth, ButtonHeight);
    Place(ControlsButton, "Controls", ControlsCaption, Margin, buttons_top, 2 * ButtonWidth - 34,
          ButtonHeight);
    OKButton.Default = true;
    CancelButton.Cancel = true;
    OKButton.OnClick = [this] { ModalResult = TModalResult::OK; };
    CancelButton.OnClick = [this] { Cancel(); };
}

size_t ChoiceCount(const SettingsRow& row) {
    size_t count = 0;
    while (count < row.choices.size() && row.choices[count] != nullptr) ++count;
    return count;
}

int32_t ChoiceValue(const SettingsRow& row, size_t choice) {
    return row.by_value ? row.values[choice] : static_cast<int32_t>(choice);
}

std::optional<size_t> ChoiceOf(const SettingsRow& row, int32_t value) {
    for (size_t c = 0; c < ChoiceCount(row); ++c)
        if (ChoiceValue(row, c) == value) return c;
    return std::nullopt;
}

int TSettingsPage::RowTop(size_t i) {
    int top = RowsTop;
    for (size_t r = 0; r < i && r < SettingsRows.size(); ++r)
        top += RowLines(SettingsRows[r]) * RowHeight;
    return top;
}

void TSettingsPage::Set(const SettingsRow& row, int32_t value) {
    const OptionRow& option = RowOf(row.option);
    value = std::clamp(value, option.min, option.max);
    int32_t& shown = Values[static_cast<size_t>(row.option)];
    if (shown == value) return;
    shown = value;
    if (OnChange) OnChange(row.option, value);
}

void TSettingsPage::Cancel() {
    for (const SettingsRow& row : SettingsRows)
        Set(row, opened_with_[static_cast<size_t>(row.option)]);
    ModalResult = TModalResult::Cancel;
}

bool TSettingsPage::KeyDown(int key, bool shift, bool alt) {
    const size_t stops = SettingsRows.size() + 3;
    const size_t ok = SettingsRows.size(), cancel = ok + 1, controls = ok + 2;
    const auto open_controls = [this] { ControlsWanted = true; };
    if (alt) {
        if (key == 'K') open_controls();
        return key == 'K';
    }
    switch (key) {
    case key_code::Escape:
        Cancel();
        return true;
    case key_code::Tab:
        Focus = shift ? (Focus + stops - 1) % stops : (Focus + 1) % stops;
        return true;
    case key_code::Up:
        Focus = (Focus + stops - 1) % stops;
        return true;
    case key_code::Down:
        Focus = (Focus + 1) % stops;
        return true;
    case key_code::Enter:
        if (Focus == cancel)
            Cancel();
        else if (Focus == controls)
            open_controls();
        else
            ModalResult = TModalResult::OK;
        return true;
    default:
        break;
    }
    if (Focus >= ok) {
        if (key == key_code::Space) {
            if (Focus == controls)
                open_controls();
            else
                (Focus == ok ? OKButton : CancelButton).OnClick();
        }
        // Left and Right go round the three buttons as they stand: Controls, OK, Cancel.
        const size_t order[] = {controls, ok, cancel};
        const size_t at = Focus == controls ? 0 : Focus == ok ? 1 : 2;
        if (key == key_code::Left) Focus = order[(at + 2) % 3];
        if (key == key_code::Right) Focus = order[(at + 1) % 3];
        return key == key_code::Space || key == key_code::Left || key == key_code::Right;
    }
    const SettingsRow& row = SettingsRows[Focus];
    const int back = key == key_code::Left ? -1 : 0;
    const int ahead = key == key_code::Right ? 1 : 0;
    switch (row.kind) {
    case SettingKind::Slider:
        if (key == key_code::Home) Set(row, 0);
        if (key == key_code::End) Set(row, 100);
        if (back + ahead != 0) Set(row, Value(row) + (back + ahead) * VolumeStep);
        return back + ahead != 0 || key == key_code::Home || key == key_code::End;
    case SettingKind::Check:
        if (key == key_code::Space) Toggle(row);
        return key == key_code::Space;
    case SettingKind::Choice: {
        // Round the choices; from a value none of them shows, Right and Space go to the first
        // and Left to the last.
        const auto count = static_cast<int>(ChoiceCount(row));
        const std::optional<size_t> at = ChoiceOf(row, Value(row));
        const int step = key == key_code::Space ? 1 : back + ahead;
        if (step != 0) {
            const int next =
                at ? (static_cast<int>(*at) + count + step) % count : (step > 0 ? 0 : count - 1);
            Set(row, ChoiceValue(row, static_cast<size_t>(next)));
        }
        return step != 0;
    }
    }
    return false;
}

std::string TSettingsPage::GlyphText() const {
    std::string text =
        std::string(Tr(SettingsTitle)) + Tr(CancelCaption) + Tr(ControlsCaption) + "OK0123456789 %";
    for (const SettingsRow& row : SettingsRows) {
        text += Tr(row.caption);
        for (const char* choice : row.choices)
            if (choice != nullptr) text += Tr(choice);
    }
    return text;
}
