// The stored options into the panel when the form is created, by the option table.
#include <algorithm>

#include "app/main_form.h"
#include "media/report.h"
#include "options/bindings.h"
#include "options/option_table.h"
#include "options/options.h"

namespace {

int32_t ReadStored(const OptionRow& row) {
    return ReadSettingInt(row.key, row.default_value);
}

// What the panel makes of a stored value it cannot use: the track bar keeps a number within
// its ends, every other control keeps its designed default.
int32_t UsedInstead(const OptionRow& row, std::optional<int32_t> value) {
    if (row.control == OptionControl::TrackBar && value)
        return std::clamp(*value, row.min, row.max);
    return row.default_value;
}

// A problem of bn.ini on stderr and at the top of the memo.
void Tell(std::vector<std::string>& told, const std::string& message) {
    ReportProblemLine(SettingsFilePath(), message);
    told.push_back(SettingsFilePath() + ": " + message);
}

} // namespace

std::string UnusedSettingMessage(const std::string& key, const std::string& text, int min, int max,
                                 int used) {
    return Format(Tr("%s=%s は使えません（%d から %d までの整数）。%d として扱います"), key.c_str(),
                  text.c_str(), min, max, used);
}

int ReadCheckedSetting(const std::string& key, int min, int max, int fallback) {
    const std::optional<std::string> text = ReadSettingText(key);
    if (!text) return fallback;
    const std::optional<int> value = SettingTextToInt(*text);
    if (value && *value >= min && *value <= max) return *value;
    ReportProblemLine(SettingsFilePath(), UnusedSettingMessage(key, *text, min, max, fallback));
    return fallback;
}

void ReadPlayCount(TMainForm& form) {
    World& w = form.world;
    w.Play_Count = ReadStored(RowOf(Option::PlayCount));
    for (const OptionRow& row : OptionTable)
        if (row.control == OptionControl::Bonus && w.Play_Count >= row.unlocked_by_plays)
            (form.Panel1.*row.buttons[0]).Enabled = true;
}

void ReadRemainingOptions(TMainForm& form) {
    std::vector<std::string> told;
    if (const std::optional<std::string> problem = SettingsFileProblem()) {
        ReportProblemLine("", *problem);
        told.push_back(*problem);
    }
    // The play count is read again with the rest; the bonus buttons keep what the first
    // reading unlocked.
    for (const OptionRow& row : OptionTable) {
        if (!row.key) continue;
        const std::optional<std::string> text = ReadSettingText(row.key);
        const std::optional<int32_t> value = text ? SettingTextToInt(*text) : std::nullopt;
        ShowStoredValue(row, form.Panel1, form.world, value.value_or(row.default_value));
        if (text && (!value || *value < row.min || *value > row.max))
            Tell(told,
                 UnusedSettingMessage(row.key, *text, row.min, row.max, UsedInstead(row, value)));
    }
    std::vector<std::string> unusable;
    form.Controls = ReadStoredBindings(unusable);
    for (const std::string& message : unusable) Tell(told, message);
    form.ControlsMemoAt = told.empty() ? 0 : told.size() + 1;
    if (told.empty()) return;
    told.emplace_back();
    std::vector<std::string>& memo = form.Panel1.Memo1.Lines;
    memo.insert(memo.begin(), told.begin(), told.end());
}
