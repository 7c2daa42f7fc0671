// The settings page, opened from the panel's "設定…" button: the options beyond the
// designed panel, one row each (SettingsRows), shown as a slider, a check box or a choice.
// A change is applied at once through OnChange; OK keeps the values (the caller stores
// them), Cancel and Escape put back the ones the page opened with, applied again.
//
// Plain data with keyboard handling like the other dialogs (options/dialogs.h); the panel's
// UI draws it (dialog_draw.cpp), at the panel's scale like every page and dialog.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "options/dialogs.h"
#include "options/option_table.h"

enum class SettingKind : uint8_t {
    Slider, // 0 to 100 %
    Check,  // on (1) or off (0)
    Choice, // one of its choices, from 0
};

inline constexpr size_t MaxSettingChoices = 5;

struct SettingsRow {
    Option option;
    SettingKind kind;
    const char* caption; // marked for translation, translated when drawn
    std::array<const char*, MaxSettingChoices> choices{};
    // Check: the stored value shown as "on" (the white flash stores 1 for "drawn").
    int32_t on_value = 1;
    // Choice: the value each choice stores when by_value, otherwise its place from 0. A stored
    // value none of them stores is shown as a number after them.
    bool by_value = false;
    std::array<int32_t, MaxSettingChoices> values{};
    // Choice: the choices on a line of their own under the caption (the row is two lines).
    bool choices_below = false;
};

// A Choice row's choices, and the one showing a stored value (none: a number of its own).
size_t ChoiceCount(const SettingsRow& row);
int32_t ChoiceValue(const SettingsRow& row, size_t choice);
std::optional<size_t> ChoiceOf(const SettingsRow& row, int32_t value);

// The page's rows, top to bottom. A new setting is one more line here (and its row in the
// option table).
inline constexpr std::array SettingsRows = {
    SettingsRow{Option::MusicVolume, SettingKind::Slider, TrMark("音楽の音量")},
    SettingsRow{Option::EffectsVolume, SettingKind::Slider, TrMark("効果音の音量")},
    SettingsRow{Option::Mute, SettingKind::Check, TrMark("ミュート（M キー）")},
    SettingsRow{Option::WhiteFlash, SettingKind::Check, TrMark("白い画面フラッシュ")},
    SettingsRow{Option::LanguageChoice,
                SettingKind::Choice,
                TrMark("言語"),
                {TrMark("自動"), "日本語", "English"}},
    SettingsRow{Option::FocusPause, SettingKind::Check, TrMark("非アクティブ時に一時停止")},
    SettingsRow{Option::EscapeQuits, SettingKind::Check, TrMark("ESCで即終了（従来どおり）")},
    SettingsRow{Option::QuitAfterGame, SettingKind::Check, TrMark("ゲーム後に終了（従来どおり）")},
    SettingsRow{Option::FrameRate,
                SettingKind::Choice,
                TrMark("描画フレームレート"),
                {TrMark("30（従来どおり）"), TrMark("ディスプレイに合わせる"), "60", "120", "144"},
                1,
                true,
                {30, 0, 60, 120, 144},
                true},
};

// The page's title and its Cancel button, translated when drawn (the language may change
// while the page is open).
inline constexpr const char* SettingsTitle = TrMark("設定");
// TRANSLATORS: the button that leaves the settings page without keeping its changes.
inline constexpr const char* CancelCaption = TrMark("キャンセル");
// TRANSLATORS: the settings page's button that opens the controls page; & marks the Alt letter.
inline constexpr const char* ControlsCaption = TrMark("操作…(&K)");

class TSettingsPage : public TModalDialog {
public:
    // values: every option's stored value now (only the rows' are shown).
    explicit TSettingsPage(const std::array<int32_t, OptionCount>& values);

    static constexpr int VolumeStep = 5;   // an arrow key moves a slider by this
    static constexpr int RowHeight = 26;   // the page's layout, in panel pixels
    static constexpr int TitleHeight = 22; // the title bar
    static constexpr int RowsTop = TitleHeight + 12;
    // Where row i starts, and its height (one or two lines).
    static int RowTop(size_t i);
    static int RowLines(const SettingsRow& row) { return row.choices_below ? 2 : 1; }

    std::array<int32_t, OptionCount> Values; // as the page shows them
    // Told of every change, the value stored as the option table keeps it.
    std::function<void(Option, int32_t)> OnChange;
    TButton OKButton, CancelButton;
    // Bottom left: opens the controls page (the caller sets its OnClick). A click or key
    // only asks for it (ControlsWanted); the loop showing the page opens it between frames.
    TButton ControlsButton;
    bool ControlsWanted = false;
    // 0 .. rows - 1 a row, then OK, then Cancel, then Controls.
    size_t Focus = 0;

    int32_t Value(const SettingsRow& row) const { return Values[static_cast<size_t>(row.option)]; }
    // Sets a row's value (kept in its range) and tells OnChange when it changed.
    void Set(const SettingsRow& row, int32_t value);
    // Whether a check row shows "on".
    bool On(const SettingsRow& row) const { return Value(row) == row.on_value; }
    void Toggle(const SettingsRow& row) { Set(row, On(row) ? 1 - row.on_value : row.on_value); }

    bool KeyDown(int key, bool shift, bool alt) override;
    std::string GlyphText() const override;
    std::vector<TButton*> Buttons() override { return {&OKButton, &CancelButton, &ControlsButton}; }

private:
    void Cancel();
    std::array<int32_t, OptionCount> opened_with_;
};
