// START: the panel's choices become the world's settings, are stored for the next run,
// fix the display mode and the difficulty, and the title screen begins.
#include "app/game.h"
#include "app/main_form.h"
#include "game/difficulty.h"
#include "options/option_table.h"
#include "options/options.h"

// Settings that cannot be stored never keep the player from playing: the first failure
// is said once (a file kept as it is was said in the memo already), and the game starts.
void StoreSetting(TMainForm& form, const char* key, int value) {
    StoreSettingText(form, key, std::to_string(value));
}

void StoreSettingText(TMainForm& form, const char* key, const std::string& value) {
    if (form.DemoPlayback || form.SettingsNotStored) return;
    try {
        WriteSettingText(key, value);
    } catch (const EIniFileException& e) {
        form.SettingsNotStored = true;
        if (!e.KeptAsIs) ReportProblem(form, Format(Tr("設定を保存できません: %s"), e.what()));
    }
}

namespace {

struct DisplayModeRow {
    int width, height; // 0: the display's own 640 x 480
    double screen_scale;
};

// By display mode number.
constexpr DisplayModeRow DisplayModes[display_mode::Count] = {
    {0, 0, 1.0},
    {800, 600, 1.25},
    {1024, 768, 1.6},
    {0, 0, 1.0},
};

void ApplyDisplayMode(TMainForm& form) {
    World& w = form.world;
    const DisplayModeRow& mode = DisplayModes[w.Display_Mode];
    if (mode.width != 0) {
        form.DXDraw.Display.Width = mode.width;
        form.DXDraw.Display.Height = mode.height;
    }
    w.Screen_Scale = mode.screen_scale;
    if (w.Display_Mode == display_mode::Window) {
        // The borderless form window.
        TDXDrawOptions options = form.DXDraw.Options();
        options.Exclude(doFullScreen);
        form.DXDraw.SetOptions(options);
    }
}

// What the chosen difficulty gives.
void ApplyDifficulty(World& w) {
    const DifficultyRules* rules = RulesOf(w.Difficulty);
    if (rules == nullptr) return;
    w.Boss_Damage = rules->boss_damage;
    w.Score = rules->stage_points;
    w.Difficulty_Name = rules->name;
    w.Missile_Stock = rules->missile_stock;
    w.Energy_Regen = rules->energy_regen;
    if (w.Difficulty == difficulty::VeryHard) w.Energy = 0.0;
}

// Stage 1's maps, then every option of the table into the world and into bn.ini, in the
// table's order.
void ApplyAndStoreOptions(TMainForm& form) {
    World& w = form.world;
    TOptionsPanel& p = form.Panel1;
    w.Stage_No = 1;
    w.Map_Image = &form.Image1;
    w.Wall_Image = &form.Image4;
    for (const OptionRow& row : OptionTable) {
        if (!row.key) continue; // the bonus modes were switched on before
        const std::optional<int32_t> chosen = PanelChoice(row, p);
        if (chosen) SetWorldValue(row, w, *chosen);
        if (row.id == Option::Display) ApplyDisplayMode(form);
        if (row.id == Option::Difficulty && chosen) ApplyDifficulty(w);
        StoreSetting(form, row.key, StoredValueOfWorld(row, w));
    }
}

// A bonus mode is on when its button is checked, or by itself at exactly its play count.
void SwitchOnBonusModes(TMainForm& form) {
    World& w = form.world;
    for (const OptionRow& row : OptionTable) {
        if (row.control != OptionControl::Bonus) continue;
        if (PanelChoice(row, form.Panel1) == 1 || w.Play_Count == row.unlocked_by_plays)
            SetWorldValue(row, w, 1);
    }
}

} // namespace

void Button1Click(TMainForm& form) {
    World& w = form.world;
    SwitchOnBonusModes(form);

    form.Borderless = true;
    form.Window.SetBorderless(true);
    ApplyAndStoreOptions(form);
    StoreControls(form);
    ApplyControls(form);

    SetEnemyHitPoints(w);
    w.Boss_HP = FullHitPoints;
    form.Panel1.Visible = false;

    // The window mode opens the window as the player left it, at its size.
    if (form.Window.Created() && !form.DXDraw.Options().Has(doFullScreen))
        form.DesktopWindow.Open();
    // An error here reaches the error box: the panel stays hidden, no title screen.
    form.DXDraw.InitializeDisplay();
    // Without textures the engine ignores texture names in mesh files (instead of
    // changing the working directory away from them).
    if (rm::Engine* engine = form.DXDraw.D3DRM()) engine->SetLoadNamedTextures(!w.No_Texture);
    ChangeScreen(form, Screen::Title);
}
