// The stored options into the panel when the form is created. A value outside its listed
// range sets nothing, so the designed default stays checked.
#include <array>

#include "app/main_form.h"
#include "options/options.h"

namespace {

// Checks choices[value] when the value indexes one of them.
template <size_t N>
void CheckByValue(TOptionsPanel& panel, int value, const std::array<TRadioButton*, N>& choices) {
    if (value >= 0 && value < static_cast<int>(N))
        panel.Check(*choices[static_cast<size_t>(value)]);
}

} // namespace

void ReadPlayCount(TMainForm& form) {
    World& w = form.world;
    TOptionsPanel& p = form.Panel1;
    w.Play_Count = ReadSettingInt("Play", 0);
    if (w.Play_Count >= 5) p.RadioButton13.Enabled = true;
    if (w.Play_Count >= 10) p.RadioButton14.Enabled = true;
}

void ReadRemainingOptions(TMainForm& form) {
    World& w = form.world;
    TOptionsPanel& p = form.Panel1;

    CheckByValue(
        p, ReadSettingInt("解像度", 0),
        std::array{&p.RadioButton15, &p.RadioButton16, &p.RadioButton17, &p.RadioButton18});
    w.Play_Count = ReadSettingInt("Play", 0);
    CheckByValue(p, ReadSettingInt("ライト設定", 2),
                 std::array{&p.RadioButton21, &p.RadioButton20, &p.RadioButton19});
    if (ReadSettingInt("半透明", 1) == 0) p.CheckBox4.Checked = false;
    if (ReadSettingInt("操作方式", 0) == 1) p.Check(p.RadioButton11);
    if (ReadSettingInt("テクスチャ", 1) == 0) p.CheckBox2.Checked = true;
    CheckByValue(p, ReadSettingInt("難易度", 2),
                 std::array{&p.RadioButton1, &p.RadioButton2, &p.RadioButton3, &p.RadioButton4,
                            &p.RadioButton5, &p.RadioButton12});
    p.TrackBar1.SetPosition(ReadSettingInt("背景描画", 2));
    CheckByValue(p, ReadSettingInt("カメラ位置", 0),
                 std::array{&p.RadioButton7, &p.RadioButton10, &p.RadioButton8, &p.RadioButton9});
    // Not on the panel: the player's choice is kept in the file only.
    w.No_Flash = ReadSettingInt(WhiteFlashKey, 1) == 0;
}
