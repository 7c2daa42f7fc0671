// The stored options into the panel when the form is created, by the option table.
#include "app/main_form.h"
#include "options/option_table.h"
#include "options/options.h"

namespace {

int32_t ReadStored(const OptionRow& row) {
    return ReadSettingInt(row.key, row.default_value);
}

} // namespace

void ReadPlayCount(TMainForm& form) {
    World& w = form.world;
    w.Play_Count = ReadStored(RowOf(Option::PlayCount));
    for (const OptionRow& row : OptionTable)
        if (row.control == OptionControl::Bonus && w.Play_Count >= row.unlocked_by_plays)
            (form.Panel1.*row.buttons[0]).Enabled = true;
}

void ReadRemainingOptions(TMainForm& form) {
    // The play count is read again with the rest; the bonus buttons keep what the first
    // reading unlocked.
    for (const OptionRow& row : OptionTable)
        if (row.key) ShowStoredValue(row, form.Panel1, form.world, ReadStored(row));
}
