// The settings that act at once, and the settings page the panel opens.
#include <algorithm>
#include <array>

#include "app/main_form.h"
#include "game/waves.h"
#include "media/volume_ramp.h"
#include "options/controls_page.h"
#include "options/option_table.h"
#include "options/options.h"
#include "options/settings_page.h"

void ApplySoundSettings(TMainForm& form) {
    const World& w = form.world;
    const float music = w.Sound_Muted ? 0.0f : VolumeGain(w.Music_Volume);
    const float effects = w.Sound_Muted ? 0.0f : VolumeGain(w.Effects_Volume);
    form.DXSound1.SetVolumes(music, effects);
}

Language LanguageFor(int32_t choice, std::optional<Language> command_line,
                     const LanguageVariables& desktop) {
    if (command_line) return *command_line;
    if (choice == language_choice::Japanese) return Language::Japanese;
    if (choice == language_choice::English) return Language::English;
    return ChooseLanguage(desktop);
}

void ApplyLanguageChoice(TMainForm& form) {
    const Language language =
        LanguageFor(form.world.Language_Choice, form.LanguageOption, ReadLanguageVariables());
    if (language == CurrentLanguage()) return;
    if (const std::string problem = UseLanguage(language); !problem.empty())
        ReportProblem(form, problem);
    form.Panel1.Recaption();
}

void ToggleMute(TMainForm& form) {
    World& w = form.world;
    w.Sound_Muted = !w.Sound_Muted;
    ApplySoundSettings(form);
    const OptionRow& row = RowOf(Option::Mute);
    StoreSetting(form, row.key, StoredValueOfWorld(row, w));
}

namespace {

// A short sample of a volume just changed, unless one is still playing.
void PlaySample(TMainForm& form, Option option) {
    const int index = option == Option::MusicVolume ? wave::GameClear : wave::PlayerShot;
    TWaveCollectionItem& item = form.DXWaveList1.Items(index);
    if (item.PlayingCount() == 0) item.Play(false);
}

} // namespace

void Button8Click(TMainForm& form) {
    World& w = form.world;
    std::array<int32_t, OptionCount> values{};
    for (const SettingsRow& row : SettingsRows)
        values[static_cast<size_t>(row.option)] = StoredValueOfWorld(RowOf(row.option), w);
    TSettingsPage page(values);
    page.ControlsButton.OnClick = [&form] { OpenControlsPage(form); };
    page.OnChange = [&form, &w](Option option, int32_t value) {
        SetWorldValue(RowOf(option), w, value);
        switch (option) {
        case Option::MusicVolume:
        case Option::EffectsVolume:
            ApplySoundSettings(form);
            PlaySample(form, option);
            break;
        case Option::Mute:
            ApplySoundSettings(form);
            break;
        case Option::LanguageChoice:
            ApplyLanguageChoice(form);
            break;
        default:
            break; // read where they act
        }
    };
    form.ShowModal(page);
    if (page.ModalResult != TModalResult::OK) return;
    for (const SettingsRow& row : SettingsRows)
        StoreSetting(form, RowOf(row.option).key, page.Value(row));
}

void StoreControls(TMainForm& form) {
    for (size_t i = 0; i < BindableInputs.size(); ++i)
        StoreSettingText(form, BindableInputs[i].key, BindingText(form.Controls[i]));
}

void ApplyControls(TMainForm& form) {
    TDXInput& input = form.DXInput1;
    const Bindings& bindings = form.DesignedControlsOnly ? DesignedBindings() : form.Controls;
    ApplyBindings(bindings, input.KeyAssigns, input.PadAssigns);
    constexpr size_t Button1 = 4;
    static_assert(BindableInputs[Button1].state == InButton1);
    const Binding& button1 = bindings[Button1];
    form.Button1Names = button1 == DesignedBindings()[Button1] ? "" : BoundNames(button1);
}

void ShowChangedControls(TMainForm& form) {
    std::vector<std::string>& memo = form.Panel1.Memo1.Lines;
    const auto at = static_cast<std::ptrdiff_t>(std::min(form.ControlsMemoAt, memo.size()));
    const auto old_end = std::min(memo.size(), form.ControlsMemoAt + form.ControlsMemoLines);
    memo.erase(memo.begin() + at, memo.begin() + static_cast<std::ptrdiff_t>(old_end));
    std::vector<std::string> block = ChangedBindingLines(form.Controls);
    if (!block.empty()) block.emplace_back();
    memo.insert(memo.begin() + at, block.begin(), block.end());
    form.ControlsMemoLines = block.size();
}

void OpenControlsPage(TMainForm& form) {
    TControlsPage page(form.Controls);
    form.ShowModal(page);
    if (page.ModalResult != TModalResult::OK) return;
    form.Controls = page.Shown;
    StoreControls(form);
    ShowChangedControls(form);
}
