// The settings file: number conversion, reads that always look at the file, and writes
// that create the file, keep its other keys and fail with the designed message.
#include <SDL_gamecontroller.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

#include "options/bindings.h"
#include "options/options.h"
#include "tests/support/env_scope.h"
#include "tests/support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() /
                ("brannock-settings-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home_);
        fs::create_directories(home_);
        config_.emplace("XDG_CONFIG_HOME", home_.c_str());
    }
    void TearDown() override { fs::remove_all(home_); }

    fs::path IniPath() const { return home_ / "brannock" / "bn.ini"; }
    void WriteIni(const std::string& text) const {
        fs::create_directories(IniPath().parent_path());
        std::ofstream(IniPath()) << text;
    }
    std::string IniText() const {
        std::ifstream in(IniPath());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    int IniLines() const {
        const std::string text = IniText();
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }
    // The settings START writes, in its order.
    static void WriteAsStartDoes() {
        for (const char* key : {"Play", "解像度", "ライト設定", "半透明", "操作方式", "テクスチャ",
                                "難易度", "背景描画", "カメラ位置"})
            WriteSettingInt(key, 1);
    }

    fs::path home_;
    std::optional<EnvScope> config_;
};

TEST(SettingTextTest, DecimalHexadecimalAndEverythingElse) {
    EXPECT_EQ(SettingTextToInt("0"), 0);
    EXPECT_EQ(SettingTextToInt("42"), 42);
    EXPECT_EQ(SettingTextToInt("-3"), -3);
    EXPECT_EQ(SettingTextToInt("+7"), 7);
    EXPECT_EQ(SettingTextToInt("2147483647"), 2147483647);
    EXPECT_EQ(SettingTextToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(SettingTextToInt("2147483648"), std::nullopt) << "beyond 32 bits";
    EXPECT_EQ(SettingTextToInt("0x0A"), 10);
    EXPECT_EQ(SettingTextToInt("0XfF"), 255);
    EXPECT_EQ(SettingTextToInt("$1f"), 31);
    EXPECT_EQ(SettingTextToInt("$a"), 10) << "the first letter digit";
    EXPECT_EQ(SettingTextToInt("$FFFFFFFF"), -1) << "hexadecimal fills all 32 bits";
    EXPECT_EQ(SettingTextToInt("$100000000"), std::nullopt);
    EXPECT_EQ(SettingTextToInt("0x"), std::nullopt) << "too short for hexadecimal";
    EXPECT_EQ(SettingTextToInt("0x0x"), std::nullopt);
    EXPECT_EQ(SettingTextToInt(""), std::nullopt);
    EXPECT_EQ(SettingTextToInt("$"), std::nullopt);
    EXPECT_EQ(SettingTextToInt("-"), std::nullopt);
    EXPECT_EQ(SettingTextToInt("3.5"), std::nullopt);
    EXPECT_EQ(SettingTextToInt("12abc"), std::nullopt);
    EXPECT_EQ(SettingTextToInt("ten"), std::nullopt);
    EXPECT_EQ(SettingTextToInt("１０"), std::nullopt) << "full-width digits are not digits";
}

TEST_F(SettingsFileTest, LivesInTheConfigFolderAndIgnoresARelativeOne) {
    EXPECT_EQ(SettingsFilePath(), IniPath().string());
    const EnvScope relative("XDG_CONFIG_HOME", "relative/dir");
    const EnvScope home("HOME", home_.c_str());
    EXPECT_EQ(SettingsFilePath(), (home_ / ".config" / "brannock" / "bn.ini").string());
}

TEST_F(SettingsFileTest, MissingFileKeyOrNumberGivesTheDefault) {
    EXPECT_EQ(ReadSettingInt("Play", 4), 4);
    EXPECT_FALSE(fs::exists(IniPath())) << "reading never creates the file";
    WriteIni("[Brannock]\n難易度=abc\nPlay=0x0A\n背景描画 = \"3\"\n[Other]\nカメラ位置=2\n");
    EXPECT_EQ(ReadSettingInt("難易度", 2), 2);
    EXPECT_EQ(ReadSettingInt("Play", 0), 10);
    EXPECT_EQ(ReadSettingInt("背景描画", 2), 3) << "spaces and quotes around a value";
    EXPECT_EQ(ReadSettingInt("カメラ位置", 0), 0) << "another section's key";
    EXPECT_EQ(ReadSettingInt("play", 0), 10) << "key names ignore ASCII case";
}

TEST_F(SettingsFileTest, EveryReadSeesTheFileAsItIsNow) {
    WriteIni("[Brannock]\nPlay=3\n");
    EXPECT_EQ(ReadSettingInt("Play", 0), 3);
    WriteIni("[Brannock]\nPlay=8\n");
    EXPECT_EQ(ReadSettingInt("Play", 0), 8);
    fs::remove(IniPath());
    EXPECT_EQ(ReadSettingInt("Play", 0), 0);
}

TEST_F(SettingsFileTest, FirstWriteCreatesFolderAndFileAndLaterWritesKeepOtherKeys) {
    WriteSettingInt("解像度", 3);
    ASSERT_TRUE(fs::exists(IniPath()));
    WriteSettingInt("Play", 10);
    WriteSettingInt("解像度", 1);
    const std::string text = IniText();
    EXPECT_NE(text.find("[Brannock]"), std::string::npos);
    EXPECT_NE(text.find("Play=10"), std::string::npos) << text;
    EXPECT_NE(text.find("解像度=1"), std::string::npos) << text;
    EXPECT_EQ(text.find("解像度=3"), std::string::npos) << "a key is written once";
    EXPECT_NE(text.rfind("\xEF\xBB\xBF", 0), 0u) << "no byte-order mark";
    EXPECT_EQ(ReadSettingInt("解像度", 0), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(IniPath().parent_path()), {}), 1);
}

TEST_F(SettingsFileTest, WriteKeepsOtherSectionsAndComments) {
    WriteIni("; mine\n[Other]\nx=1\n[Brannock]\nPlay=2\n");
    WriteSettingInt("Play", 5);
    const std::string text = IniText();
    EXPECT_NE(text.find("; mine"), std::string::npos) << text;
    EXPECT_NE(text.find("x=1"), std::string::npos) << text;
    EXPECT_EQ(ReadSettingInt("Play", 0), 5);
}

TEST_F(SettingsFileTest, UnwritableFileRaisesTheMessageWithItsName) {
    // The folder's place is taken by a plain file, so nothing can be written there.
    std::ofstream(home_ / "brannock") << "not a folder";
    try {
        WriteSettingInt("Play", 1);
        FAIL() << "the write did not fail";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), IniPath().string() +
                                             " に書き込めません（ファイルを読めません: "
                                             "パスの途中にフォルダーでないものがあります）");
    }
    EXPECT_EQ(ReadSettingInt("Play", 7), 7) << "an unreadable file reads as defaults";
}

TEST_F(SettingsFileTest, ExistingFileThatCannotBeReadIsNotReplaced) {
    fs::create_directories(IniPath()); // bn.ini is a folder: it exists but cannot be read
    fs::create_directories(IniPath() / "keep");
    EXPECT_THROW(WriteSettingInt("Play", 1), EIniFileException);
    EXPECT_TRUE(fs::is_directory(IniPath() / "keep"));
    EXPECT_EQ(ReadSettingInt("Play", 9), 9);
}

TEST_F(SettingsFileTest, AFullDiskKeepsTheOldFileWhole) {
    // A comment makes the file larger than the limit below, so the rewrite cannot fit.
    const std::string old = "; " + std::string(3000, 'x') + "\n\n[Brannock]\nPlay=7\n";
    WriteIni(old);
    {
        FileSizeLimit limit(2048);
        ASSERT_TRUE(limit.ok());
        try {
            WriteSettingInt("Play", 8);
            FAIL() << "the write did not fail";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(std::string(e.what()),
                      IniPath().string() + " に書き込めません（ファイルサイズの上限を超えます）");
        }
    }
    EXPECT_EQ(IniText(), old) << "the old file is untouched";
    EXPECT_EQ(std::distance(fs::directory_iterator(IniPath().parent_path()), {}), 1)
        << "the temporary file is removed";
    EXPECT_EQ(ReadSettingInt("Play", 0), 7);
    {
        FileSizeLimit limit(4096); // room enough: the same write goes through
        ASSERT_TRUE(limit.ok());
        WriteSettingInt("Play", 8);
    }
    EXPECT_EQ(ReadSettingInt("Play", 0), 8);
    EXPECT_NE(IniText().find(std::string(3000, 'x')), std::string::npos) << "the comment stays";
}

TEST_F(SettingsFileTest, AnUnclosedSectionHeaderDoesNotMakeTheFileGrow) {
    WriteIni("[Brannock\nPlay==\n");
    WriteAsStartDoes();
    const int lines = IniLines();
    WriteAsStartDoes();
    WriteAsStartDoes();
    EXPECT_EQ(IniLines(), lines) << IniText();
    EXPECT_EQ(ReadSettingInt("難易度", 0), 1);
    EXPECT_EQ(ReadSettingInt("Play", 0), 1);
}

TEST_F(SettingsFileTest, Utf8SignaturesDoNotChangeWhatALineMeans) {
    // A second write of the same value must leave the file as the first left it.
    for (const std::string header : {"[Brannock", "[B[Bran\""}) {
        SCOPED_TRACE(header);
        WriteIni("\xEF\xBB\xBF" + header + "\n解像度=0x2\n半透明=-12no");
        EXPECT_EQ(ReadSettingInt("解像度", 9), 9) << "no section holds it";
        WriteSettingInt("Play", 7);
        const std::string once = IniText();
        WriteSettingInt("Play", 7);
        EXPECT_EQ(IniText(), once);
        EXPECT_EQ(ReadSettingInt("Play", 0), 7);
    }
    WriteIni("\xEF\xBB\xBF[Brannock]\nPlay=3\n");
    EXPECT_EQ(ReadSettingInt("Play", 0), 3) << "a whole header behind the signature counts";
    // A signature further down means the same whether or not a write brings it to the top.
    WriteIni("junk\n\xEF\xBB\xBF[Brannock]=1\n難易度=2\n");
    for (int write = 0; write < 3; ++write) {
        EXPECT_EQ(ReadSettingInt("難易度", 0), 2) << "after " << write << " writes";
        WriteSettingInt("Play", 7);
    }
}

TEST_F(SettingsFileTest, AHeaderCutByACarriageReturnDoesNotMakeTheFileGrow) {
    // The ini library ends a line at a lone carriage return: "[Bran" is a header of its own.
    WriteIni("[Bran\ron]c\nkPlay]\nkPlay=3\r\n[Brannock]\n難易度=2\n");
    WriteAsStartDoes();
    const std::string once = IniText();
    WriteAsStartDoes();
    WriteAsStartDoes();
    EXPECT_EQ(IniText(), once);
    EXPECT_EQ(ReadSettingInt("Play", 0), 1);
}

TEST_F(SettingsFileTest, KeysAfterAnUnclosedHeaderStayInTheSectionBefore) {
    WriteIni("[Brannock]\nPlay=3\n[Other\n難易度=1\n");
    EXPECT_EQ(ReadSettingInt("Play", 0), 3);
    EXPECT_EQ(ReadSettingInt("難易度", 0), 1);
    WriteIni("[Other]\nx=1\n[Brannock\n難易度=1\n");
    EXPECT_EQ(ReadSettingInt("難易度", 0), 0) << "still in [Other]";
}

TEST_F(SettingsFileTest, TheFirstOfTwoEqualKeysOrSectionsCounts) {
    WriteIni("[Brannock]\nPlay=1\nPlay=2\n[Other]\nPlay=5\n[Brannock]\nPlay=3\n難易度=4\n");
    EXPECT_EQ(ReadSettingInt("Play", 0), 1);
    WriteIni("[Brannock]\n難易度=4\n[Brannock]\nPlay=3\nPlay=2\n");
    EXPECT_EQ(ReadSettingInt("Play", 0), 3) << "the first copy in the section's second part";
    EXPECT_EQ(ReadSettingInt("難易度", 0), 4);

    WriteIni("[Brannock]\nPlay=1\nPlay=2\n");
    WriteSettingInt("Play", 9);
    EXPECT_EQ(ReadSettingInt("Play", 0), 9) << "a write replaces the copy that is read";
    const std::string text = IniText();
    EXPECT_EQ(text.find("Play=2"), std::string::npos) << text;
}

// What cannot be read whole is never written: the game reads what it can and says why.
TEST_F(SettingsFileTest, AFileThatCannotBeReadWholeIsNeverWritten) {
    const std::string nul =
        std::string("[Brannock]\n解像度=3\n") + '\0' + "\n難易度=4\nmine=42\n[Other]\nz=3\n";
    struct Row {
        const char* what;
        std::function<void(const fs::path&)> make;
        int resolution, difficulty; // as read, 9 and 8 for none
        bool kept_as_is;            // read in part: not written, and not said again
        const char* said;
    };
    const auto text = [](std::string bytes) {
        return [bytes](const fs::path& p) { std::ofstream(p, std::ios::binary) << bytes; };
    };
    const Row rows[] = {
        {"a folder", [](const fs::path& p) { fs::create_directories(p / "keep"); }, 9, 8, false,
         "フォルダーです"},
        {"a device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }, 9, 8, false,
         "通常のファイルではありません"},
        {"2 MB", text("[Brannock]\n解像度=3\n;" + std::string(2'000'000, 'x')), 9, 8, false,
         "1048576 バイトより大きいファイルです"},
        {"a NUL byte", text(nul), 3, 4, true, "文字でないバイト"},
        {"bytes that are no UTF-8", text("[Brannock]\n\xFF\xFE=1\n難易度=4\n\x80\n"), 9, 4, true,
         "文字でないバイト"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(home_);
        fs::create_directories(IniPath().parent_path());
        row.make(IniPath());
        const auto before = fs::symlink_status(IniPath()).type();
        const std::string bytes = fs::is_regular_file(IniPath()) ? IniText() : "";
        EXPECT_EQ(ReadSettingInt("解像度", 9), row.resolution);
        EXPECT_EQ(ReadSettingInt("難易度", 8), row.difficulty);
        const std::optional<std::string> problem = SettingsFileProblem();
        ASSERT_TRUE(problem.has_value());
        EXPECT_TRUE(problem->starts_with(IniPath().string())) << *problem;
        EXPECT_NE(problem->find(row.said), std::string::npos) << *problem;
        try {
            WriteSettingInt("Play", 1);
            ADD_FAILURE() << "written";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.KeptAsIs, row.kept_as_is) << e.what();
        }
        EXPECT_EQ(fs::symlink_status(IniPath()).type(), before);
        if (!bytes.empty()) {
            EXPECT_EQ(IniText(), bytes);
        }
    }
}

// A write changes its key's line, or adds one, and every other byte stays.
TEST_F(SettingsFileTest, AWriteChangesOnlyItsOwnLine) {
    const struct {
        const char* before;
        const char* after; // of 難易度=1
    } rows[] = {
        {"[Brannock]\n難易度=4\nno equals\n\n; note\n[Other]\nz=3\n",
         "[Brannock]\n難易度=1\nno equals\n\n; note\n[Other]\nz=3\n"},
        {"# top\r\n[brannock]\r\nPlay = 2\r\n\r\n[Other]\r\n難易度=4",
         "# top\r\n[brannock]\r\nPlay = 2\r\n難易度=1\r\n\r\n[Other]\r\n難易度=4"},
        {"[Other]\nx", "[Other]\nx\n[Brannock]\n難易度=1\n"},
        {"[Brannock]\n 難易度 = \"4\" \n[Brannock]\n難易度=3\n",
         "[Brannock]\n 難易度 =1\n[Brannock]\n"},
    };
    for (const auto& row : rows) {
        WriteIni(row.before);
        WriteSettingInt("難易度", 1);
        EXPECT_EQ(IniText(), row.after);
    }
}

TEST_F(SettingsFileTest, ALinkedSettingsFileStaysALink) {
    const fs::path real = home_ / "dotfiles" / "bn.ini";
    fs::create_directories(real.parent_path());
    std::ofstream(real) << "[Brannock]\nPlay=2\n";
    fs::create_directories(IniPath().parent_path());
    fs::create_symlink(real, IniPath());
    WriteSettingInt("Play", 4);
    EXPECT_TRUE(fs::is_symlink(IniPath()));
    EXPECT_EQ(ReadSettingInt("Play", 0), 4);
    std::ifstream in(real);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("Play=4"), std::string::npos);
}

} // namespace

// The controls in bn.ini by SDL's names (any case, the comma key too); a refused key, an
// unknown name or a fourth key is unusable: the designed binding and a line naming it.
TEST_F(SettingsFileTest, ControlsReadByNameAndRefuseWhatTheyCannotUse) {
    struct Row {
        const char* text;
        std::optional<Binding> read;   // nullopt: unusable
        const char* written = nullptr; // BindingText of what was read, when not text
    };
    std::vector<Row> rows = {
        {"Z, Space, Return | pad a", Binding{{'Z', 32, 13}, SDL_CONTROLLER_BUTTON_A}},
        {"keypad 8 , up|pad DPUP", Binding{{104, 38, 0}, SDL_CONTROLLER_BUTTON_DPAD_UP},
         "Keypad 8, Up | pad dpup"},
        {",, Left Shift | pad back", Binding{{188, 16, 0}, SDL_CONTROLLER_BUTTON_BACK}},
        {"| pad y", Binding{{}, SDL_CONTROLLER_BUTTON_Y}},
        {"", Binding{}},
    };
    for (const char* unusable : {"Escape", "Z, P", "M", "F11", "Left Alt", "Z | pad start",
                                 "Z, Nonsense", "Z X", "A, B, C, D", "Z | joy a", "Z | pad"})
        rows.push_back({unusable, std::nullopt});
    const Bindings designed = DesignedBindings();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const std::optional<Binding> read = BindingOfText(row.text);
        EXPECT_EQ(read, row.read);
        if (read) {
            EXPECT_EQ(BindingText(*read), row.written ? row.written : row.text);
        }
        fs::remove_all(IniPath());
        std::vector<std::string> told;
        EXPECT_EQ(ReadStoredBindings(told), designed) << "a missing key is the designed one";
        WriteSettingText("操作_ボタン2", row.text);
        Bindings expected = designed;
        expected[5] = row.read.value_or(designed[5]);
        EXPECT_EQ(ReadStoredBindings(told), expected);
        ASSERT_EQ(told.size(), row.read ? 0u : 1u);
        if (!row.read) {
            EXPECT_EQ(told[0], UnusableBindingMessage("操作_ボタン2", row.text));
        }
    }
}
