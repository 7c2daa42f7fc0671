// The settings page by keyboard: arrows and Space change the focused row within its range,
// every change is told at once, Cancel (or Escape) puts back and tells again what the page
// opened with, OK keeps what it shows. The UI scale the panel, its page and its dialogs are
// drawn at.
#include <SDL_gamecontroller.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "media/events.h"
#include "options/controls_page.h"
#include "options/panel_scale.h"
#include "options/settings_page.h"

namespace {

std::array<int32_t, OptionCount> Opened() {
    std::array<int32_t, OptionCount> values{};
    for (const OptionRow& row : OptionTable)
        values[static_cast<size_t>(row.id)] = row.default_value;
    values[static_cast<size_t>(Option::MusicVolume)] = 50;
    return values;
}

size_t RowIndex(Option option) {
    for (size_t i = 0; i < SettingsRows.size(); ++i)
        if (SettingsRows[i].option == option) return i;
    return SettingsRows.size();
}

} // namespace

TEST(SettingsPageTest, KeysChangeTheFocusedRowWithinItsRangeAndCancelPutsEverythingBack) {
    const struct {
        Option row;
        std::vector<int> keys;
        int32_t shown; // the stored value after the keys
    } cases[] = {
        {Option::MusicVolume, {key_code::Right, key_code::Right}, 60},
        {Option::MusicVolume, {key_code::End, key_code::Right}, 100},
        {Option::EffectsVolume, {key_code::Home, key_code::Left}, 0},
        {Option::Mute, {key_code::Space}, 1},
        {Option::WhiteFlash, {key_code::Space}, 0}, // ticked is "drawn", stored 1
        {Option::LanguageChoice, {key_code::Left}, language_choice::English},
        {Option::LanguageChoice, {key_code::Space, key_code::Right}, language_choice::English},
        {Option::EscapeQuits, {key_code::Space, key_code::Space}, 0},
        {Option::FrameRate, {key_code::Right}, 60},                 // from the display's
        {Option::FrameRate, {key_code::Left, key_code::Left}, 144}, // round past 30
    };
    for (const auto& c : cases) {
        for (const int close : {key_code::Escape, key_code::Enter}) {
            TSettingsPage page(Opened());
            std::vector<std::pair<Option, int32_t>> told;
            page.OnChange = [&](Option o, int32_t v) { told.emplace_back(o, v); };
            page.Focus = RowIndex(c.row);
            for (const int key : c.keys) EXPECT_TRUE(page.KeyDown(key, false, false));
            const auto at = static_cast<size_t>(c.row);
            EXPECT_EQ(page.Values[at], c.shown) << RowOf(c.row).key;
            if (c.shown != Opened()[at]) {
                ASSERT_FALSE(told.empty()) << RowOf(c.row).key;
                EXPECT_EQ(told.back(), std::make_pair(c.row, c.shown));
            }
            page.KeyDown(close, false, false);
            const bool kept = close == key_code::Enter;
            EXPECT_EQ(page.ModalResult, kept ? TModalResult::OK : TModalResult::Cancel);
            EXPECT_EQ(page.Values, kept ? page.Values : Opened()) << RowOf(c.row).key;
            if (!kept && c.shown != Opened()[at]) {
                EXPECT_EQ(told.back(), std::make_pair(c.row, Opened()[at])) << "not told back";
            }
        }
    }
}

TEST(SettingsPageTest, TheUiScaleIsTheLargestWholeOneAtWhichThePanelFitsTheDesktop) {
    const struct {
        int width, height, scale;
    } desktops[] = {{640, 480, 1},   {1280, 1024, 1}, {1294, 942, 2},  {1920, 1080, 2},
                    {1293, 2000, 1}, {2560, 1440, 3}, {3840, 2160, 4}, {3840, 2112, 4},
                    {3840, 1883, 3}, {0, 0, 1}};
    for (const auto& d : desktops)
        EXPECT_EQ(PanelScaleFor(d.width, d.height), d.scale) << d.width << " x " << d.height;
}

// The controls page: slots take keys (V: by scancode) and pad buttons, refuse the program's
// own, clear, reset, name conflicts (two inputs, or a fixed key); Escape puts back.
TEST(SettingsPageTest, ControlsPageSlotsTakeKeysAndButtonsAndNameConflicts) {
    using namespace key_code;
    constexpr size_t UpRow = 0, B1 = 4, B2 = 5, B3 = 6, B4 = 7;
    const auto V = [](int key) { return 1000 + key; };
    const auto Pad = [](int button) { return 2000 + button; };
    constexpr int ResetClick = -1, OkClick = -2;
    const Bindings d = DesignedBindings();
    const struct {
        size_t row, column;
        std::vector<int> steps; // dialog keys, V(key), Pad(button), clicks
        Binding shown;          // the row afterwards
        const char* status;     // a part of the status line; "" for none
        TModalResult closed = TModalResult::None;
    } rows[] = {
        {B4, 1, {Enter, V(105)}, {{'G', 105, 0}, SDL_CONTROLLER_BUTTON_Y}, ""},
        {B2, 1, {Enter, 'X'}, {{0, 'X', 0}, SDL_CONTROLLER_BUTTON_B}, ""}, // once in its row
        {B1, 0, {Enter}, d[B1], "キーを押してください"},
        {B1, 0, {Enter, Escape}, d[B1], ""},
        {B1, 2, {Enter, V('P')}, d[B1], "P は一時停止"},
        {UpRow, 1, {Delete}, {{38, 0, 0}, SDL_CONTROLLER_BUTTON_DPAD_UP}, ""},
        {UpRow,
         2,
         {Right, Space, V('Q'), Pad(SDL_CONTROLLER_BUTTON_LEFTSTICK)},
         {{38, 104, 0}, SDL_CONTROLLER_BUTTON_LEFTSTICK},
         ""},
        {B2, 0, {Enter, V(' ')}, {{' ', 'D', 0}, SDL_CONTROLLER_BUTTON_B}, "Space は「①ボタン」"},
        {B4, 0, {Enter, V('H')}, {{'H', 0, 0}, SDL_CONTROLLER_BUTTON_Y}, "ゲームの固定キー"},
        {B3,
         PadSlot,
         {Enter, Pad(SDL_CONTROLLER_BUTTON_A)},
         {{'F', 'C', 0}, SDL_CONTROLLER_BUTTON_A},
         "a は「①ボタン」"},
        {UpRow, 0, {Delete, Tab, Delete, ResetClick}, d[UpRow], ""},
        {UpRow,
         0,
         {Delete, OkClick},
         {{0, 104, 0}, SDL_CONTROLLER_BUTTON_DPAD_UP},
         "",
         TModalResult::OK},
        {UpRow, 0, {Delete, Escape}, d[UpRow], "", TModalResult::Cancel},
    };
    for (const auto& row : rows) {
        TControlsPage page(d);
        page.Row = row.row;
        page.Column = row.column;
        for (const int step : row.steps) {
            if (step < 0) (step == ResetClick ? page.ResetButton : page.OKButton).OnClick();
            if (step >= 2000) page.PadButtonDown(step - 2000);
            if (step >= 1000 && step < 2000)
                page.VirtualKeyDown(static_cast<uint32_t>(step - 1000));
            if (step >= 0 && step < 1000) page.KeyDown(step, false, false);
        }
        const std::string status = page.Status();
        EXPECT_EQ(page.Shown[row.row], row.shown) << status;
        EXPECT_TRUE(*row.status ? status.find(row.status) != std::string::npos : status.empty())
            << status;
        EXPECT_EQ(page.ModalResult, row.closed) << status;
    }
}
