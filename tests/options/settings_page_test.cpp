// The settings page by keyboard: arrows and Space change the focused row within its range,
// every change is told at once, Cancel (or Escape) puts back and tells again what the page
// opened with, OK keeps what it shows. The UI scale the panel, its page and its dialogs are
// drawn at.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "media/events.h"
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
