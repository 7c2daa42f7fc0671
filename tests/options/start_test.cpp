// FormCreate's options and START: the controls set from the settings file, the world
// settings START derives from them, what it writes back, and how it fails.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/game.h"
#include "media/events.h"
#include "media/replace_file.h"
#include "options/dialogs.h"
#include "options/option_table.h"
#include "tests/support/options_fixture.h"

namespace {

using StartTest = OptionsFixture;

// The radio button checked in a group; every other one of the group must be unchecked.
std::string CheckedIn(TOptionsPanel& panel, const TGroupBox& group) {
    std::string checked;
    for (const TRadioButton* button : panel.GroupMembers(group)) {
        if (!button->Checked) continue;
        if (!checked.empty()) return checked + " and " + button->Name;
        checked = button->Name;
    }
    return checked;
}

TEST_F(StartTest, TheSettingsFileSetsTheControlsOrLeavesTheDesignedDefaults) {
    struct Row {
        const char* file; // the settings file's text; null: no file at all
        const char *light, *monitor, *control, *difficulty, *camera;
        bool translucent, no_texture;
        int track;
    };
    const Row rows[] = {
        {nullptr, "RadioButton19", "RadioButton15", "RadioButton6", "RadioButton3", "RadioButton7",
         true, false, 2},
        {"[Brannock]\nPlay=4\n解像度=2\nライト設定=1\n半透明=0\n操作方式=1\nテクスチャ=0\n"
         "難易度=4\n背景描画=5\nカメラ位置=3\n",
         "RadioButton20", "RadioButton17", "RadioButton11", "RadioButton5", "RadioButton9", false,
         true, 5},
        // Out of range: the designed defaults stay, but the track bar clamps.
        {"[Brannock]\n難易度=7\n解像度=-1\nライト設定=3\nカメラ位置=4\n操作方式=2\n半透明=5\n"
         "テクスチャ=2\n背景描画=9\n",
         "RadioButton19", "RadioButton15", "RadioButton6", "RadioButton3", "RadioButton7", true,
         false, 5},
        {"[Brannock]\n背景描画=-3\n難易度=x\n", "RadioButton19", "RadioButton15", "RadioButton6",
         "RadioButton3", "RadioButton7", true, false, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file ? r.file : "no settings file");
        if (r.file) CreateFormWithSettings(r.file);
        ASSERT_EQ(std::filesystem::exists(SettingsFilePath()), r.file != nullptr);
        TOptionsPanel& p = form().Panel1;
        EXPECT_EQ(CheckedIn(p, p.LightGroup), r.light);
        EXPECT_EQ(CheckedIn(p, p.MonitorGroup), r.monitor);
        EXPECT_EQ(CheckedIn(p, p.ControlGroup), r.control);
        EXPECT_EQ(CheckedIn(p, p.DifficultyGroup), r.difficulty);
        EXPECT_EQ(CheckedIn(p, p.CameraGroup), r.camera);
        EXPECT_EQ(p.CheckBox4.Checked, r.translucent);
        EXPECT_EQ(p.CheckBox2.Checked, r.no_texture);
        EXPECT_EQ(p.TrackBar1.Position(), r.track);
        EXPECT_FALSE(p.RadioButton13.Enabled) << "a play count under 5 unlocks nothing";
        EXPECT_FALSE(p.RadioButton14.Enabled);
    }
}

TEST_F(StartTest, NoSettingsFileStartWritesAllKeysAndTheDesignDefaults) {
    ASSERT_FALSE(std::filesystem::exists(SettingsFilePath()));
    TOptionsPanel& p = form().Panel1;
    EXPECT_EQ(world().Play_Count, 0);

    Button1Click(form());
    const std::vector<std::pair<std::string, std::string>> written = {
        {"Play", "0"},
        {"ライト設定", "2"},
        {"半透明", "1"},
        {"テクスチャ", "1"},
        {"操作方式", "0"},
        {"解像度", "0"},
        {"カメラ位置", "0"},
        {"背景描画", "2"},
        {"難易度", "2"},
        {RowOf(Option::WhiteFlash).key, "1"},
        {RowOf(Option::FocusPause).key, "1"},
        {RowOf(Option::EscapeQuits).key, "0"},
        {RowOf(Option::QuitAfterGame).key, "0"},
        {RowOf(Option::MusicVolume).key, "100"},
        {RowOf(Option::EffectsVolume).key, "100"},
        {RowOf(Option::Mute).key, "0"},
        {RowOf(Option::LanguageChoice).key, "0"},
        {"描画フレームレート", "0"}, // the display's rate
        // The controls in SDL's names: keys, then the pad's button.
        {"操作_上", "Up, Keypad 8 | pad dpup"},
        {"操作_下", "Keypad 5, Down, Keypad 2 | pad dpdown"},
        {"操作_左", "Left, Keypad 4 | pad dpleft"},
        {"操作_右", "Right, Keypad 6 | pad dpright"},
        {"操作_ボタン1", "Z, Space, Return | pad a"},
        {"操作_ボタン2", "X, D | pad b"},
        {"操作_ボタン3", "F, C | pad x"},
        {"操作_ボタン4", "G | pad y"},
        {"操作_ボタン7", "A | pad leftshoulder"},
        {"操作_ボタン8", "S | pad rightshoulder"}};
    EXPECT_EQ(StoredKeys(), written) << "every key, in the order START writes them";

    const World& w = world();
    EXPECT_EQ(w.Stage_No, 1);
    EXPECT_EQ(w.Map_Image, &form().Image1);
    EXPECT_EQ(w.Wall_Image, &form().Image4);
    EXPECT_EQ(w.Light_Mode, 2);
    EXPECT_TRUE(w.Alpha_Blend);
    EXPECT_FALSE(w.No_Texture);
    EXPECT_FALSE(w.AC_Control);
    EXPECT_EQ(w.Display_Mode, 0);
    EXPECT_DOUBLE_EQ(w.Screen_Scale, 1.0);
    EXPECT_EQ(w.Camera_Mode, 0);
    EXPECT_EQ(w.Back_Distance, 230);
    EXPECT_EQ(w.Difficulty, 2);
    EXPECT_EQ(w.Difficulty_Name, "Nomal");
    EXPECT_EQ(w.Score, 650000);
    EXPECT_EQ(w.Boss_HP, 300);
    EXPECT_DOUBLE_EQ(w.Energy, 300.0) << "FormCreate's energy stands outside Very Hard";
    EXPECT_FALSE(w.Special1);
    EXPECT_FALSE(w.Special2);
    EXPECT_FALSE(w.No_Flash);

    // Panel hidden, border gone, full-screen 640 x 480 open, the title timer running.
    EXPECT_FALSE(p.Visible);
    EXPECT_TRUE(form().Borderless);
    EXPECT_TRUE(form().DXDraw.Options().Has(doFullScreen));
    EXPECT_TRUE(form().DXDraw.Initialized());
    EXPECT_EQ(form().DXDraw.Width(), 640);
    EXPECT_EQ(form().DXDraw.Height(), 480);
    EXPECT_TRUE(form().OPTimer.Enabled());
    EXPECT_FALSE(form().DXTimer.Enabled()) << "the scene is built by the title screen";
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
}

TEST_F(StartTest, StoredOptionsComeBackUnchanged) {
    CreateFormWithSettings(
        "[Brannock]\nPlay=4\n解像度=2\nライト設定=1\n半透明=0\n操作方式=1\nテクスチャ=0\n"
        "難易度=4\n背景描画=5\nカメラ位置=3\n");
    Button1Click(form());
    for (const auto& [key, value] : {std::pair<const char*, const char*>{"Play", "4"},
                                     {"解像度", "2"},
                                     {"ライト設定", "1"},
                                     {"半透明", "0"},
                                     {"操作方式", "1"},
                                     {"テクスチャ", "0"},
                                     {"難易度", "4"},
                                     {"背景描画", "5"},
                                     {"カメラ位置", "3"}})
        EXPECT_EQ(Stored(key), value) << key;
    EXPECT_TRUE(world().No_Texture);
    EXPECT_FALSE(world().Alpha_Blend);
    EXPECT_TRUE(world().AC_Control);
    EXPECT_EQ(world().Light_Mode, 1);
}

TEST_F(StartTest, TheWhiteFlashSettingIsReadAndWrittenBackButNotTheCommandLine) {
    struct Case {
        const char* file;
        bool option_off;
        bool off;
        const char* written;
        const char* told = ""; // at the top of the memo, after the file's name
    };
    const Case cases[] = {
        {"", false, false, "1"},
        {"画面フラッシュ=0\n", false, true, "0"},
        {"画面フラッシュ=1\n", false, false, "1"},
        {"画面フラッシュ=2\n", false, false, "1",
         "画面フラッシュ=2 は使えません（0 から 1 までの整数）。1 として扱います"},
        {"", true, false, "1"},
        {"画面フラッシュ=0\n", true, true, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << (c.option_off ? " --no-flash" : ""));
        CreateFormWithSettings(std::string("[Brannock]\n") + c.file);
        form().NoFlashOption = c.option_off;
        EXPECT_EQ(world().No_Flash, c.off);
        EXPECT_EQ(FlashesOff(form()), c.off || c.option_off);
        if (*c.told) {
            EXPECT_EQ(form().Panel1.Memo1.Lines[0], SettingsFilePath() + ": " + c.told);
        }
        Button1Click(form());
        EXPECT_EQ(Stored(RowOf(Option::WhiteFlash).key), c.written);
    }
}

TEST_F(StartTest, PlayCountUnlocksTheBonusModesAndOnlyExactCountsSwitchThemOn) {
    struct Case {
        const char* play;
        bool enabled13, enabled14, special1, special2;
        const char* written;
    };
    const Case cases[] = {
        {"4", false, false, false, false, "4"}, {"5", true, false, true, false, "5"},
        {"7", true, false, false, false, "7"},  {"0x0A", true, true, false, true, "10"},
        {"11", true, true, false, false, "11"}, {"$5", true, false, true, false, "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.play);
        CreateFormWithSettings(std::string("[Brannock]\nPlay=") + c.play + "\n");
        EXPECT_EQ(form().Panel1.RadioButton13.Enabled, c.enabled13);
        EXPECT_EQ(form().Panel1.RadioButton14.Enabled, c.enabled14);
        Button1Click(form());
        EXPECT_EQ(world().Special1, c.special1);
        EXPECT_EQ(world().Special2, c.special2);
        EXPECT_EQ(Stored("Play"), c.written) << "the count is written back unchanged, in decimal";
    }
}

TEST_F(StartTest, ACheckedBonusButtonSwitchesItsModeOn) {
    CreateFormWithSettings("[Brannock]\nPlay=12\n");
    form().Panel1.Check(form().Panel1.RadioButton13);
    Button1Click(form());
    EXPECT_TRUE(world().Special1);
    EXPECT_FALSE(world().Special2);
}

TEST_F(StartTest, DifficultyTableSetsEveryColumnAndTheEnemiesHitPoints) {
    struct Row {
        const char* button;
        int difficulty, boss_damage, score;
        const char* name;
        int missiles;
        double regen, energy;
        int zako, walker;
    };
    const Row rows[] = {
        {"RadioButton1", 0, 5, 0, "Practice", 9999, 1.0, 300.0, 2, 4},
        {"RadioButton2", 1, 10, 500000, "Eazy", 9999, 2.0, 300.0, 1, 2},
        {"RadioButton3", 2, 5, 650000, "Nomal", 9999, 1.0, 300.0, 2, 4},
        {"RadioButton4", 3, 3, 800000, "Hard", 9999, 0.2, 300.0, 3, 6},
        {"RadioButton5", 4, 2, 990000, "Very Hard", 0, 0.0, 0.0, 4, 8},
        {"RadioButton12", 5, 5, 0, "Time Attack", 9999, 1.0, 300.0, 2, 4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.button);
        CreateFormWithSettings("");
        form().Panel1.Check(*form().Panel1.FindRadioButton(r.button));
        Button1Click(form());
        const World& w = world();
        EXPECT_EQ(w.Difficulty, r.difficulty);
        EXPECT_EQ(w.Boss_Damage, r.boss_damage);
        EXPECT_EQ(w.Score, r.score);
        EXPECT_EQ(w.Difficulty_Name, r.name);
        EXPECT_EQ(w.Missile_Stock, r.missiles);
        EXPECT_DOUBLE_EQ(w.Energy_Regen, r.regen);
        EXPECT_DOUBLE_EQ(w.Energy, r.energy);
        for (const TParts& z : w.Zako) EXPECT_EQ(z.Life, r.zako);
        for (const TParts& g : w.GH) EXPECT_EQ(g.Life, r.walker);
        EXPECT_EQ(w.Boss_HP, 300);
        EXPECT_EQ(Stored("難易度"), std::to_string(r.difficulty));
    }
}

TEST_F(StartTest, DisplayModesSetSizeScaleAndStoredValue) {
    struct Mode {
        const char* button;
        int width, height, stored;
        double scale;
        bool full_screen;
    };
    const Mode modes[] = {
        {"RadioButton15", 640, 480, 0, 1.0, true},
        {"RadioButton16", 800, 600, 1, 1.25, true},
        {"RadioButton17", 1024, 768, 2, 1.6, true},
        {"RadioButton18", 647, 471, 3, 1.0, false},
    };
    for (const Mode& m : modes) {
        SCOPED_TRACE(m.button);
        CreateFormWithSettings("");
        form().Panel1.Check(*form().Panel1.FindRadioButton(m.button));
        Button1Click(form());
        EXPECT_EQ(world().Display_Mode, m.stored);
        EXPECT_DOUBLE_EQ(world().Screen_Scale, m.scale);
        EXPECT_EQ(Stored("解像度"), std::to_string(m.stored));
        EXPECT_EQ(form().DXDraw.Options().Has(doFullScreen), m.full_screen);
        EXPECT_EQ(form().DXDraw.Width(), m.width);
        EXPECT_EQ(form().DXDraw.Height(), m.height);
        EXPECT_TRUE(form().Borderless);
        // The window mode shows the pointer over the display; full-screen hides it.
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), m.full_screen ? SDL_DISABLE : SDL_ENABLE);
    }
}

TEST_F(StartTest, CameraLightingAndBackgroundDistance) {
    struct Choice {
        const char* camera;
        int camera_mode;
        const char* light;
        int light_mode;
        int track;
        int distance;
    };
    const Choice choices[] = {
        {"RadioButton7", 0, "RadioButton19", 2, 0, 170},
        {"RadioButton10", 1, "RadioButton20", 1, 5, 320},
        {"RadioButton8", 2, "RadioButton21", 0, 1, 200},
        {"RadioButton9", 3, "RadioButton19", 2, 3, 260},
    };
    for (const Choice& c : choices) {
        SCOPED_TRACE(c.camera);
        CreateFormWithSettings("");
        TOptionsPanel& p = form().Panel1;
        p.Check(*p.FindRadioButton(c.camera));
        p.Check(*p.FindRadioButton(c.light));
        p.TrackBar1.SetPosition(c.track);
        Button1Click(form());
        EXPECT_EQ(world().Camera_Mode, c.camera_mode);
        EXPECT_EQ(Stored("カメラ位置"), std::to_string(c.camera_mode));
        EXPECT_EQ(world().Light_Mode, c.light_mode);
        EXPECT_EQ(Stored("ライト設定"), std::to_string(c.light_mode));
        EXPECT_EQ(world().Back_Distance, c.distance);
        EXPECT_EQ(Stored("背景描画"), std::to_string(c.track));
    }
}

// Settings that cannot be stored never keep the player from playing: START says why once
// and the title comes. The panel shows what could be read; the memo says what could not.
TEST_F(StartTest, SettingsThatCannotBeStoredAreSaidOnceAndTheGameStarts) {
    const std::string file = "[Brannock]\n難易度=4\n";
    const struct {
        std::string text; // of bn.ini; empty: a folder in its place
        int injected;
        const char* difficulty; // the button the panel shows
        const char* box;        // the reason START gives; null: no box
        const char* memo;       // the reason at the top of the memo; null: the option text
    } rows[] = {
        {file, EACCES, "RadioButton5", "アクセスが許可されていません", nullptr},
        {file, ENOSPC, "RadioButton5", "ディスクに空きがありません", nullptr},
        {"", 0, "RadioButton3", "フォルダーです", "フォルダーです"},
        {file + '\0', 0, "RadioButton5", nullptr, "文字でないバイト"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.injected);
        std::filesystem::remove_all(SettingsFilePath());
        if (row.text.empty()) std::filesystem::create_directories(SettingsFilePath());
        CreateFormWithSettings(row.text); // writes no file over a folder
        std::vector<std::string> boxes;
        form().ShowModal = [&](TModalDialog& dialog) {
            boxes.push_back(static_cast<TMessageDialog&>(dialog).Text);
            dialog.ModalResult = TModalResult::OK;
        };
        TOptionsPanel& p = form().Panel1;
        EXPECT_EQ(CheckedIn(p, p.DifficultyGroup), row.difficulty);
        const std::string& top = p.Memo1.Lines.at(0);
        EXPECT_EQ(top.find(row.memo ? row.memo : SettingsFilePath()) != std::string::npos,
                  row.memo != nullptr)
            << top;
        SetInjectedWriteError(row.injected);
        Button1Click(form());
        SetInjectedWriteError(0);
        EXPECT_FALSE(p.Visible);
        EXPECT_TRUE(form().OPTimer.Enabled());
        ASSERT_EQ(boxes.size(), row.box ? 1u : 0u);
        if (row.box) {
            EXPECT_TRUE(boxes[0].starts_with("設定を保存できません: " + SettingsFilePath()));
            EXPECT_NE(boxes[0].find(row.box), std::string::npos) << boxes[0];
        }
        EXPECT_EQ(Stored("Play"), "(missing)") << "nothing was stored";
    }
}

TEST_F(StartTest, DisplayErrorReachesTheErrorBoxAndLeavesStartAtThatStep) {
    form().DXDraw.Display.BitCount = 12; // no such screen mode
    std::vector<std::string> shown;
    app_.ErrorBox = [&](const std::string& message) { shown.push_back(message); };
    SDL_Event alt_s{};
    alt_s.type = SDL_KEYDOWN;
    alt_s.key.keysym.sym = SDLK_s;
    alt_s.key.keysym.mod = KMOD_LALT;
    ASSERT_EQ(SDL_PushEvent(&alt_s), 1);
    app_.Step(false);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("ディスプレイモードを変更できません"), std::string::npos) << shown[0];
    EXPECT_FALSE(form().Panel1.Visible);
    EXPECT_FALSE(form().OPTimer.Enabled());
    EXPECT_EQ(Stored("難易度"), "2") << "every setting was stored before";
}

} // namespace
