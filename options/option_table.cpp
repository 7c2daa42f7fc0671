#include "options/option_table.h"

namespace {

void SetChecked(TOptionsPanel& p, TRadioButton& button, bool checked) {
    if (checked)
        p.Check(button); // its group's others are unchecked
    else
        button.Checked = false;
}

bool InRange(const OptionRow& row, int32_t value) {
    return value >= row.min && value <= row.max;
}

} // namespace

int32_t StoredValueOfWorld(const OptionRow& row, const World& w) {
    if (row.number) return (w.*row.number - row.offset) / row.scale;
    return w.*row.flag ? row.flag_value : 1 - row.flag_value;
}

void SetWorldValue(const OptionRow& row, World& w, int32_t stored) {
    if (row.number) w.*row.number = stored * row.scale + row.offset;
    if (row.flag) w.*row.flag = stored == row.flag_value;
}

std::optional<int32_t> PanelChoice(const OptionRow& row, const TOptionsPanel& p) {
    switch (row.control) {
    case OptionControl::Bonus:
        return (p.*row.buttons[0]).Checked ? 1 : 0;
    case OptionControl::Choice:
        for (const int8_t value : row.start_order)
            if (value >= 0 && (p.*row.buttons[static_cast<size_t>(value)]).Checked) return value;
        if (row.none_checked != KeepWorldValue) return row.none_checked;
        return std::nullopt;
    case OptionControl::CheckBox:
        return (p.*row.check_box).Checked ? row.checked_value : 1 - row.checked_value;
    case OptionControl::TrackBar:
        return (p.*row.track_bar).Position();
    case OptionControl::None:
    case OptionControl::PlayCount:
        break;
    }
    return std::nullopt;
}

namespace {

// The panel's part of showing a stored value; false for an option not on the panel.
bool ShowOnPanel(const OptionRow& row, TOptionsPanel& p, int32_t stored) {
    switch (row.control) {
    case OptionControl::None:
    case OptionControl::PlayCount:
        return false;
    case OptionControl::Bonus:
        return true; // switched on at START only
    case OptionControl::Choice:
        if (InRange(row, stored)) p.Check(p.*row.buttons[static_cast<size_t>(stored)]);
        return true;
    case OptionControl::CheckBox:
        if (InRange(row, stored)) (p.*row.check_box).Checked = stored == row.checked_value;
        return true;
    case OptionControl::TrackBar:
        (p.*row.track_bar).SetPosition(stored);
        return true;
    }
    return false;
}

} // namespace

void ShowStoredValue(const OptionRow& row, TOptionsPanel& p, World& w, int32_t stored) {
    if (!ShowOnPanel(row, p, stored)) SetWorldValue(row, w, stored);
}

void ShowDefaults(TOptionsPanel& p) {
    for (const OptionRow& row : OptionTable) ShowOnPanel(row, p, row.default_value);
}

void PrepareChoice(const OptionRow& row, TOptionsPanel& p, World& w, int32_t stored) {
    switch (row.control) {
    case OptionControl::None:
    case OptionControl::PlayCount:
        SetWorldValue(row, w, stored);
        return;
    case OptionControl::Bonus:
        (p.*row.buttons[0]).Checked = stored != 0;
        return;
    case OptionControl::Choice:
        for (int32_t value = row.min; value <= row.max; ++value)
            SetChecked(p, p.*row.buttons[static_cast<size_t>(value)], value == stored);
        return;
    case OptionControl::CheckBox:
        (p.*row.check_box).Checked = stored == row.checked_value;
        return;
    case OptionControl::TrackBar:
        (p.*row.track_bar).SetPosition(stored);
        return;
    }
}
