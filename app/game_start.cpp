// START: the panel's choices become the world's settings, are stored for the next run,
// fix the display mode and the difficulty, and the title screen begins.
#include "app/game.h"
#include "app/main_form.h"
#include "media/language.h"
#include "options/options.h"

namespace {

// Stores a setting for the next run; a demo playing back leaves the player's file alone.
void Store(const TMainForm& form, const std::string& key, int value) {
    if (!form.DemoPlayback) WriteSettingInt(key, value);
}

int Flag(bool value) {
    return value ? 1 : 0;
}

struct DifficultyRow {
    TRadioButton TOptionsPanel::*button;
    int32_t difficulty;
    int32_t boss_damage;
    int32_t score;
    const char* name;
    int32_t missile_stock;
    double energy_regen;
};

// Tested in this order; the first checked one counts. The names are the game's own
// spellings; the HUD shows them in the player's language.
constexpr DifficultyRow DifficultyTable[] = {
    {&TOptionsPanel::RadioButton1, 0, 5, 0, "Practice", 9999, 1.0},
    {&TOptionsPanel::RadioButton2, 1, 10, 500000, TrMark("Eazy"), 9999, 2.0},
    // TRANSLATORS: the game's own spelling of "Normal" on the HUD's stage line.
    {&TOptionsPanel::RadioButton3, 2, 5, 650000, TrMark("Nomal"), 9999, 1.0},
    {&TOptionsPanel::RadioButton4, 3, 3, 800000, "Hard", 9999, 0.2},
    {&TOptionsPanel::RadioButton5, 4, 2, 990000, "Very Hard", 0, 0.0},
    {&TOptionsPanel::RadioButton12, 5, 5, 0, "Time Attack", 9999, 1.0},
};

void ChooseDisplayMode(TMainForm& form) {
    World& w = form.world;
    TOptionsPanel& p = form.Panel1;
    if (p.RadioButton16.Checked) {
        form.DXDraw.Display.Width = 800;
        form.DXDraw.Display.Height = 600;
        Store(form, "解像度", 1);
        w.Screen_Scale = 1.25;
        w.Display_Mode = 1;
    } else if (p.RadioButton17.Checked) {
        form.DXDraw.Display.Width = 1024;
        form.DXDraw.Display.Height = 768;
        Store(form, "解像度", 2);
        w.Screen_Scale = 1.6;
        w.Display_Mode = 2;
    } else if (p.RadioButton15.Checked) {
        Store(form, "解像度", 0);
        w.Screen_Scale = 1.0;
        w.Display_Mode = 0;
    } else {
        // Window mode: the borderless form window, with the pointer shown.
        Store(form, "解像度", 3);
        w.Screen_Scale = 1.0;
        w.Display_Mode = 3;
        form.Window.SetCursorVisible(true);
        TDXDrawOptions options = form.DXDraw.Options();
        options.Exclude(doFullScreen);
        form.DXDraw.SetOptions(options);
    }
}

void ChooseDifficulty(World& w, TOptionsPanel& p) {
    for (const DifficultyRow& row : DifficultyTable) {
        if (!(p.*row.button).Checked) continue;
        w.Difficulty = row.difficulty;
        w.Boss_Damage = row.boss_damage;
        w.Score = row.score;
        w.Difficulty_Name = row.name;
        w.Missile_Stock = row.missile_stock;
        w.Energy_Regen = row.energy_regen;
        if (row.difficulty == 4) w.Energy = 0.0;
        return;
    }
}

// Steps 5 to 14: everything that stores a setting. A write can fail.
void ApplyAndStoreOptions(TMainForm& form) {
    World& w = form.world;
    TOptionsPanel& p = form.Panel1;
    w.Stage_No = 1;
    w.Map_Image = &form.Image1;
    w.Wall_Image = &form.Image4;
    Store(form, "Play", w.Play_Count);

    if (p.RadioButton19.Checked)
        w.Light_Mode = 2;
    else if (p.RadioButton20.Checked)
        w.Light_Mode = 1;
    else
        w.Light_Mode = 0;
    Store(form, "ライト設定", w.Light_Mode);

    w.Alpha_Blend = p.CheckBox4.Checked;
    Store(form, "半透明", Flag(w.Alpha_Blend));
    w.No_Texture = p.CheckBox2.Checked;
    Store(form, "テクスチャ", Flag(!w.No_Texture));
    w.AC_Control = p.RadioButton11.Checked;
    Store(form, "操作方式", Flag(w.AC_Control));

    ChooseDisplayMode(form);

    if (p.RadioButton7.Checked)
        w.Camera_Mode = 0;
    else if (p.RadioButton8.Checked)
        w.Camera_Mode = 2;
    else if (p.RadioButton10.Checked)
        w.Camera_Mode = 1;
    else if (p.RadioButton9.Checked)
        w.Camera_Mode = 3;
    Store(form, "カメラ位置", w.Camera_Mode);

    w.Back_Distance = 30 * p.TrackBar1.Position() + 170;
    Store(form, "背景描画", p.TrackBar1.Position());

    ChooseDifficulty(w, p);
    Store(form, "難易度", w.Difficulty);
    Store(form, WhiteFlashKey, Flag(!w.No_Flash));
}

} // namespace

void Button1Click(TMainForm& form) {
    World& w = form.world;
    TOptionsPanel& p = form.Panel1;
    if (p.RadioButton13.Checked) w.Special1 = true;
    if (p.RadioButton14.Checked) w.Special2 = true;
    // Exactly 5 and exactly 10 plays switch the bonus modes on by themselves.
    if (w.Play_Count == 10) w.Special2 = true;
    if (w.Play_Count == 5) w.Special1 = true;

    form.Window.SetCursorVisible(false);
    form.Borderless = true;
    form.Window.SetBorderless(true);
    try {
        ApplyAndStoreOptions(form);
    } catch (...) {
        // The settings file could not be written: START stops with the error, and the
        // panel must stay usable, so the pointer and the border come back.
        form.Window.SetCursorVisible(true);
        form.Borderless = false;
        form.Window.SetBorderless(false);
        throw;
    }

    SetEnemyHitPoints(w);
    w.Boss_HP = 300;
    p.Visible = false;

    // The window mode opens the window as the player left it, at its size.
    if (form.Window.Created() && !form.DXDraw.Options().Has(doFullScreen))
        form.DesktopWindow.Open();
    // An error here reaches the error box: the panel stays hidden, no title screen.
    form.DXDraw.InitializeDisplay();
    // Without textures the engine ignores texture names in mesh files (instead of
    // changing the working directory away from them).
    if (rm::Engine* engine = form.DXDraw.D3DRM()) engine->SetLoadNamedTextures(!w.No_Texture);
    form.OPTimer.SetEnabled(true);
}
