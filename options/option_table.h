// One row per option START takes: the bn.ini key it is kept under, the panel controls that
// show it, the world value START makes of it, its default and its range. Reading the file
// at creation, START, the demo header and the settings fuzz target all go by this table.
//
// A row's value is the number bn.ini keeps. The world holds it as a number (scaled for the
// background distance) or as a flag set by one value; a demo records the world's numbers
// as they are and its flags as 0 or 1.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "game/world.h"
#include "options/options_panel.h"

// The options in the table's order: the order START stores them in, and a demo's.
enum class Option : uint8_t {
    PlayCount,
    Special1,
    Special2,
    Light,
    Translucency,
    NoTexture,
    ControlScheme,
    Display,
    Camera,
    BackDistance,
    Difficulty,
    WhiteFlash,
    FocusPause,
    EscapeQuits,
    QuitAfterGame,
    MusicVolume,
    EffectsVolume,
    Mute,
    LanguageChoice,
    FrameRate,
    Count,
};
inline constexpr size_t OptionCount = static_cast<size_t>(Option::Count);

// How an option shows on the panel.
enum class OptionControl : uint8_t {
    None,      // not on the panel: kept in bn.ini only
    PlayCount, // not on the panel: unlocks the bonus buttons
    Bonus,     // a bonus button, unlocked by the play count
    Choice,    // a group of radio buttons, one per value from 0
    CheckBox,
    TrackBar, // its position is the value
};

// A group where none of START's tested buttons is checked chooses nothing.
inline constexpr int32_t KeepWorldValue = INT32_MIN;
inline constexpr size_t MaxChoices = 6;

struct OptionRow {
    Option id;
    const char* key;       // under [Brannock] in bn.ini; null: not kept there
    const char* name;      // the world's name for it, in messages
    int32_t default_value; // when the key is missing or not a number
    int32_t min, max;      // the values it takes
    bool in_demo;          // recorded in a demo's header
    OptionControl control;
    // Choice: the button of each value from 0; Bonus: its own button.
    std::array<TRadioButton TOptionsPanel::*, MaxChoices> buttons{};
    // Choice: the values START tests, in this order (the first checked one counts), and its
    // value when none of them is checked.
    std::array<int8_t, MaxChoices> start_order{-1, -1, -1, -1, -1, -1};
    int32_t none_checked = KeepWorldValue;
    TCheckBox TOptionsPanel::*check_box = nullptr; // CheckBox
    int32_t checked_value = 1;                     // CheckBox: the value it shows checked
    TTrackBar TOptionsPanel::*track_bar = nullptr; // TrackBar
    // Bonus: its button is enabled from this play count on, and START switches the mode on
    // at exactly this count.
    int32_t unlocked_by_plays = 0;
    // The world's number, value x scale + offset; or its flag, set when the value is
    // flag_value.
    int32_t World::*number = nullptr;
    int32_t scale = 1, offset = 0;
    bool World::*flag = nullptr;
    int32_t flag_value = 1;
};

inline constexpr std::array<OptionRow, OptionCount> OptionTable = {{
    {.id = Option::PlayCount,
     .key = "Play",
     .name = "Play_Count",
     .default_value = 0,
     .min = INT32_MIN,
     .max = INT32_MAX,
     .in_demo = true,
     .control = OptionControl::PlayCount,
     .number = &World::Play_Count},
    {.id = Option::Special1,
     .key = nullptr,
     .name = "Special1",
     .default_value = 0,
     .min = 0,
     .max = 1,
     .in_demo = true,
     .control = OptionControl::Bonus,
     .buttons = {&TOptionsPanel::RadioButton13},
     .unlocked_by_plays = 5,
     .flag = &World::Special1},
    {.id = Option::Special2,
     .key = nullptr,
     .name = "Special2",
     .default_value = 0,
     .min = 0,
     .max = 1,
     .in_demo = true,
     .control = OptionControl::Bonus,
     .buttons = {&TOptionsPanel::RadioButton14},
     .unlocked_by_plays = 10,
     .flag = &World::Special2},
    {.id = Option::Light,
     .key = "ライト設定",
     .name = "Light_Mode",
     .default_value = light_mode::Full,
     .min = 0,
     .max = light_mode::Count - 1,
     .in_demo = true,
     .control = OptionControl::Choice,
     .buttons = {&TOptionsPanel::RadioButton21, &TOptionsPanel::RadioButton20,
                 &TOptionsPanel::RadioButton19},
     .start_order = {light_mode::Full, light_mode::Simple, -1, -1, -1, -1},
     .none_checked = light_mode::Off,
     .number = &World::Light_Mode},
    {.id = Option::Translucency,
     .key = "半透明",
     .name = "Alpha_Blend",
     .default_value = 1,
     .min = 0,
     .max = 1,
     .in_demo = true,
     .control = OptionControl::CheckBox,
     .check_box = &TOptionsPanel::CheckBox4,
     .flag = &World::Alpha_Blend},
    // The key says whether textures are used; the box is "使用しない" (do not use).
    {.id = Option::NoTexture,
     .key = "テクスチャ",
     .name = "No_Texture",
     .default_value = 1,
     .min = 0,
     .max = 1,
     .in_demo = true,
     .control = OptionControl::CheckBox,
     .check_box = &TOptionsPanel::CheckBox2,
     .checked_value = 0,
     .flag = &World::No_Texture,
     .flag_value = 0},
    {.id = Option::ControlScheme,
     .key = "操作方式",
     .name = "AC_Control",
     .default_value = 0,
     .min = 0,
     .max = 1,
     .in_demo = true,
     .control = OptionControl::Choice,
     .buttons = {&TOptionsPanel::RadioButton6, &TOptionsPanel::RadioButton11},
     .start_order = {1, -1, -1, -1, -1, -1},
     .none_checked = 0,
     .flag = &World::AC_Control},
    {.id = Option::Display,
     .key = "解像度",
     .name = "Display_Mode",
     .default_value = display_mode::FullScreen640,
     .min = 0,
     .max = display_mode::Count - 1,
     .in_demo = true,
     .control = OptionControl::Choice,
     .buttons = {&TOptionsPanel::RadioButton15, &TOptionsPanel::RadioButton16,
                 &TOptionsPanel::RadioButton17, &TOptionsPanel::RadioButton18},
     .start_order = {display_mode::FullScreen800, display_mode::FullScreen1024,
                     display_mode::FullScreen640, -1, -1, -1},
     .none_checked = display_mode::Window,
     .number = &World::Display_Mode},
    {.id = Option::Camera,
     .key = "カメラ位置",
     .name = "Camera_Mode",
     .default_value = camera_mode::BehindFar,
     .min = 0,
     .max = camera_mode::Count - 1,
     .in_demo = true,
     .control = OptionControl::Choice,
     .buttons = {&TOptionsPanel::RadioButton7, &TOptionsPanel::RadioButton10,
                 &TOptionsPanel::RadioButton8, &TOptionsPanel::RadioButton9},
     .start_order = {camera_mode::BehindFar, camera_mode::Cockpit, camera_mode::BehindNear,
                     camera_mode::Overhead, -1, -1},
     .number = &World::Camera_Mode},
    // The slider's position; the world keeps the viewport's back distance, 170 to 320.
    {.id = Option::BackDistance,
     .key = "背景描画",
     .name = "the background distance",
     .default_value = 2,
     .min = 0,
     .max = 5,
     .in_demo = true,
     .control = OptionControl::TrackBar,
     .track_bar = &TOptionsPanel::TrackBar1,
     .number = &World::Back_Distance,
     .scale = 30,
     .offset = 170},
    {.id = Option::Difficulty,
     .key = "難易度",
     .name = "Difficulty",
     .default_value = difficulty::Nomal,
     .min = 0,
     .max = difficulty::Count - 1,
     .in_demo = true,
     .control = OptionControl::Choice,
     .buttons = {&TOptionsPanel::RadioButton1, &TOptionsPanel::RadioButton2,
                 &TOptionsPanel::RadioButton3, &TOptionsPanel::RadioButton4,
                 &TOptionsPanel::RadioButton5, &TOptionsPanel::RadioButton12},
     .start_order = {difficulty::Practice, difficulty::Eazy, difficulty::Nomal, difficulty::Hard,
                     difficulty::VeryHard, difficulty::TimeAttack},
     .number = &World::Difficulty},
    // The white flash of a hit: 1 drawn, 0 never drawn. A demo does not record it.
    {.id = Option::WhiteFlash,
     .key = "画面フラッシュ",
     .name = "No_Flash",
     .default_value = 1,
     .min = 0,
     .max = 1,
     .in_demo = false,
     .control = OptionControl::None,
     .flag = &World::No_Flash,
     .flag_value = 0},
    // Beyond the design, none recorded in a demo: 1 opens the pause menu when the window
    // loses the focus; 1 lets Escape close the program at once everywhere, as designed;
    // 1 closes the program after a game's ending, as designed, instead of the panel.
    {.id = Option::FocusPause,
     .key = "非アクティブ時一時停止",
     .name = "Focus_Pause",
     .default_value = 1,
     .min = 0,
     .max = 1,
     .in_demo = false,
     .control = OptionControl::None,
     .flag = &World::Focus_Pause},
    {.id = Option::EscapeQuits,
     .key = "ESCで即終了",
     .name = "Escape_Quits",
     .default_value = 0,
     .min = 0,
     .max = 1,
     .in_demo = false,
     .control = OptionControl::None,
     .flag = &World::Escape_Quits},
    {.id = Option::QuitAfterGame,
     .key = "ゲーム後に終了",
     .name = "Quit_After_Game",
     .default_value = 0,
     .min = 0,
     .max = 1,
     .in_demo = false,
     .control = OptionControl::None,
     .flag = &World::Quit_After_Game},
    // The volumes in percent and all sound muted (M in play switches it); the language:
    // language_choice.
    {.id = Option::MusicVolume,
     .key = "音楽音量",
     .name = "Music_Volume",
     .default_value = 100,
     .min = 0,
     .max = 100,
     .in_demo = false,
     .control = OptionControl::None,
     .number = &World::Music_Volume},
    {.id = Option::EffectsVolume,
     .key = "効果音音量",
     .name = "Effects_Volume",
     .default_value = 100,
     .min = 0,
     .max = 100,
     .in_demo = false,
     .control = OptionControl::None,
     .number = &World::Effects_Volume},
    {.id = Option::Mute,
     .key = "ミュート",
     .name = "Sound_Muted",
     .default_value = 0,
     .min = 0,
     .max = 1,
     .in_demo = false,
     .control = OptionControl::None,
     .flag = &World::Sound_Muted},
    {.id = Option::LanguageChoice,
     .key = "言語",
     .name = "Language_Choice",
     .default_value = language_choice::Automatic,
     .min = 0,
     .max = language_choice::Count - 1,
     .in_demo = false,
     .control = OptionControl::None,
     .number = &World::Language_Choice},
    // Pictures a second: 0 the display's rate, 30 (or less) at the steps only as designed,
    // more: drawn between the steps that often. --fps overrides it for a run.
    {.id = Option::FrameRate,
     .key = "描画フレームレート",
     .name = "Frame_Rate",
     .default_value = 0,
     .min = 0,
     .max = 1000,
     .in_demo = false,
     .control = OptionControl::None,
     .number = &World::Frame_Rate},
}};

// bn.ini keys of no option START takes: the window mode's window as the player left it, its
// client size when neither maximised nor full screen and its state (TWindowState). Read at
// START in the window mode and written when its display closes (app/desktop_window.cpp).
inline constexpr const char* WindowWidthKey = "ウィンドウ幅";
inline constexpr const char* WindowHeightKey = "ウィンドウ高さ";
inline constexpr const char* WindowStateKey = "ウィンドウ状態";

constexpr const OptionRow& RowOf(Option id) {
    return OptionTable[static_cast<size_t>(id)];
}

// The options a demo records come first, in the file's order.
inline constexpr size_t DemoOptionCount = [] {
    size_t n = 0;
    while (n < OptionCount && OptionTable[n].in_demo) ++n;
    return n;
}();

namespace option_table_checks {
constexpr bool RowsInIdOrder() {
    for (size_t i = 0; i < OptionCount; ++i)
        if (static_cast<size_t>(OptionTable[i].id) != i) return false;
    return true;
}
constexpr bool DemoRowsFirst() {
    for (size_t i = DemoOptionCount; i < OptionCount; ++i)
        if (OptionTable[i].in_demo) return false;
    return true;
}
static_assert(RowsInIdOrder(), "each row stands at its Option's place");
static_assert(DemoRowsFirst(), "the options a demo records come before the others");
} // namespace option_table_checks

// The value a demo records for a stored value, and back.
constexpr int32_t DemoValueOf(const OptionRow& row, int32_t stored) {
    return row.flag ? (stored == row.flag_value ? 1 : 0) : stored;
}
constexpr int32_t StoredValueOfDemo(const OptionRow& row, int32_t recorded) {
    return row.flag ? (recorded != 0 ? row.flag_value : 1 - row.flag_value) : recorded;
}

// The stored value the world holds now.
int32_t StoredValueOfWorld(const OptionRow& row, const World& w);
// Puts a stored value into the world.
void SetWorldValue(const OptionRow& row, World& w, int32_t stored);
// START: the value the panel chooses; none where the panel has no say (the play count, a
// setting kept in bn.ini only) or none of a group's buttons is checked: the world's value
// then stays.
std::optional<int32_t> PanelChoice(const OptionRow& row, const TOptionsPanel& p);
// Creation: shows a value read from bn.ini on the panel. A value outside the range sets no
// control (the designed default stays), except on the track bar, which keeps it in range.
void ShowStoredValue(const OptionRow& row, TOptionsPanel& p, World& w, int32_t stored);
// Every option's default on the panel: its designed state.
void ShowDefaults(TOptionsPanel& p);
// Sets the controls so that START chooses exactly this value.
void PrepareChoice(const OptionRow& row, TOptionsPanel& p, World& w, int32_t stored);
