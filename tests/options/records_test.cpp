// The record tables with the form: the panel's record buttons, entering a result with the
// name dialog, and what a file problem does to both.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "media/system_reason.h"
#include "options/options.h"
#include "options/record_table.h"
#include "options/records.h"
#include "tests/support/dialog_fixture.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/language_scope.h"

namespace {

namespace fs = std::filesystem;

class RecordsTest : public DialogFixture {
protected:
    const std::string& ScoreFile() { return world().Score_File; }
    const std::string& TimeFile() { return world().Time_File; }

    static ino_t Inode(const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    }

    // Scores 1000, 900, ..., 100 named "p1".."p10", filler bytes 7 8 9.
    static TRecordTable Falling() {
        TRecordTable table = ClearedTable();
        for (size_t n = 0; n < RecordCount; ++n) {
            table[n].Score = 1000 - 100 * static_cast<int32_t>(n);
            table[n].Name.fill('#');
            SetName(table[n], "p" + std::to_string(n + 1));
            table[n].Filler = {7, 8, 9};
        }
        return table;
    }

    std::optional<TRecordTable> Stored(const std::string& path) {
        return ParseRecordTable(FileBytes(path));
    }
};

TEST_F(RecordsTest, ShowingATableWithoutAFileCreatesTenNoBodyEntries) {
    Button4Click(form());
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].name, "TfrmScore");
    EXPECT_EQ(shown_[0].highlight, 0);
    for (size_t n = 0; n < 10; ++n) {
        EXPECT_EQ(shown_[0].texts[2 * n], "NoBody");
        EXPECT_EQ(shown_[0].texts[2 * n + 1], "0");
        EXPECT_EQ(shown_[0].colours[n], 0xFFFFFFu) << "nothing highlighted";
    }
    EXPECT_EQ(FileBytes(ScoreFile()), SerializeRecordTable(ClearedTable()));
    EXPECT_FALSE(fs::exists(TimeFile()));

    Button6Click(form());
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[1].texts[1], "99分59秒999") << "the time table shows times";
    EXPECT_EQ(FileBytes(TimeFile()), SerializeRecordTable(ClearedTable()));
}

TEST_F(RecordsTest, ZeroDoesNotEnterAClearedTableButTheFileIsWrittenAgain) {
    ClearTable(form(), ScoreFile());
    const ino_t before = Inode(ScoreFile());
    ASSERT_NE(before, 0u);
    EXPECT_EQ(InsertRecord(form(), ScoreFile(), 0), 11);
    EXPECT_TRUE(shown_.empty()) << "no name dialog";
    EXPECT_NE(Inode(ScoreFile()), before) << "rewritten";
    EXPECT_EQ(FileBytes(ScoreFile()), SerializeRecordTable(ClearedTable()));
}

TEST_F(RecordsTest, AResultEqualToRank3EntersAtRank4WithTheTypedName) {
    WriteBytes(ScoreFile(), SerializeRecordTable(Falling()));
    answers_ = {"山田"};
    EXPECT_EQ(InsertRecord(form(), ScoreFile(), 800), 4);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].name, "TfrmInput");
    EXPECT_EQ(shown_[0].texts[0], "Player") << "the edit box starts with Player";
    const std::optional<TRecordTable> stored = Stored(ScoreFile());
    ASSERT_TRUE(stored);
    const TRecordTable& t = *stored;
    EXPECT_EQ(t[2].Score, 800);
    EXPECT_EQ(NameBytes(t[2]), "p3");
    EXPECT_EQ(t[3].Score, 800);
    EXPECT_EQ(NameBytes(t[3]), "\x8E\x52\x93\x63") << "stored as Shift-JIS";
    EXPECT_EQ(t[3].Name[5], '#') << "the rest of the field keeps its bytes";
    EXPECT_EQ(t[3].Filler, (std::array<uint8_t, 3>{7, 8, 9}));
    EXPECT_EQ(NameBytes(t[4]), "p4");
    EXPECT_EQ(t[9].Score, 200) << "the old tenth fell out";

    Button4Click(form());
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[1].texts[6], "山田") << "shown decoded";
}

TEST_F(RecordsTest, ANameDialogClosedWithoutOkLeavesTheNameEmpty) {
    answers_ = {"<escape>"};
    EXPECT_EQ(InsertRecord(form(), ScoreFile(), 5), 1);
    const std::optional<TRecordTable> stored = Stored(ScoreFile());
    ASSERT_TRUE(stored);
    EXPECT_EQ(NameBytes((*stored)[0]), "");
    EXPECT_EQ((*stored)[0].Name[1], 'o') << "the bytes after the zero stay (\"NoBody\")";
    EXPECT_EQ((*stored)[0].Score, 5);
}

TEST_F(RecordsTest, ALastPlaceResultReplacesTheTenth) {
    WriteBytes(ScoreFile(), SerializeRecordTable(Falling()));
    answers_ = {"Z"};
    EXPECT_EQ(InsertRecord(form(), ScoreFile(), 101), 10);
    EXPECT_EQ(NameBytes((*Stored(ScoreFile()))[9]), "Z");
    EXPECT_EQ(InsertRecord(form(), ScoreFile(), 101), 11) << "equal to the tenth: out";
    EXPECT_EQ(shown_.size(), 1u);
}

TEST_F(RecordsTest, TablesFromOtherCopiesShowTheirShiftJisNames) {
    TRecordTable table = Falling();
    SetName(table[0], "\x83\x75\x83\x89\x83\x6D\x83\x62\x83\x4E"); // ブラノック
    table[0].Filler = {0xDE, 0xAD, 0xBF};
    WriteBytes(TimeFile(), SerializeRecordTable(table));
    Button6Click(form());
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].texts[0], "ブラノック");
    EXPECT_EQ(shown_[0].texts[1], "99分58秒999");
    answers_ = {"x"};
    EXPECT_EQ(InsertRecord(form(), TimeFile(), 1100), 1);
    const std::optional<TRecordTable> stored = Stored(TimeFile());
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)[1].Filler, (std::array<uint8_t, 3>{0xDE, 0xAD, 0xBF})) << "carried";
    EXPECT_EQ(NameBytes((*stored)[1]), NameBytes(table[0]));
}

TEST_F(RecordsTest, ADamagedFileIsKeptAsideWithAMessageAndTheResultIsKept) {
    WriteBytes(ScoreFile(), std::vector<uint8_t>(1000, 0x41));
    answers_ = {"<enter>", "Hanako"}; // Enter confirms the message box
    EXPECT_EQ(InsertRecord(form(), ScoreFile(), 777), 1);
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].name, "MessageBox");
    EXPECT_NE(shown_[0].texts[1].find(ScoreFile()), std::string::npos) << shown_[0].texts[1];
    EXPECT_NE(shown_[0].texts[1].find(".bad"), std::string::npos) << shown_[0].texts[1];
    EXPECT_EQ(shown_[1].name, "TfrmInput");
    const std::optional<TRecordTable> stored = Stored(ScoreFile());
    ASSERT_TRUE(stored) << "a whole table again";
    EXPECT_EQ((*stored)[0].Score, 777);
    EXPECT_EQ(NameBytes((*stored)[0]), "Hanako");
    EXPECT_EQ(NameBytes((*stored)[1]), "NoBody");
    int kept = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(ScoreFile()).parent_path()))
        if (entry.path().extension() == ".bad") {
            ++kept;
            EXPECT_EQ(FileBytes(entry.path().string()), std::vector<uint8_t>(1000, 0x41));
            // One language, the game's own.
            EXPECT_EQ(shown_[0].texts[1], ScoreFile() +
                                              " は記録表ではありません（1000 バイト。記録表は 1080 "
                                              "バイトです）。ファイルは " +
                                              entry.path().string() +
                                              " として残し、この記録から新しい表を始めます。");
        }
    EXPECT_EQ(kept, 1);
}

TEST_F(RecordsTest, ALongTableKeepsItsRecordsAndTheWholeFileAside) {
    std::vector<uint8_t> bytes = SerializeRecordTable(Falling());
    bytes.resize(1500, 0x41);
    WriteBytes(ScoreFile(), bytes);
    answers_ = {"<enter>", "Jiro"};
    EXPECT_EQ(InsertRecord(form(), ScoreFile(), 950), 2);
    TRecordTable expected = Falling();
    InsertAt(expected, 2, 950);
    SetName(expected[1], "Jiro");
    EXPECT_EQ(Stored(ScoreFile()), expected) << "the first 1080 bytes were the table";
    const fs::path folder = fs::path(ScoreFile()).parent_path();
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_TRUE(entry.path().extension() != ".bad" || FileBytes(entry.path()) == bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2) << "the table and the copy";
}

// The record buttons only show: a faulty file is reported and left as it is.
TEST_F(RecordsTest, ShowingAFaultyTableReportsItAndChangesNoFile) {
    for (const auto& [size, first_name] :
         {std::pair{1000, "NoBody"}, {1500, "p1"}, {0, "NoBody"}}) {
        SCOPED_TRACE(size); // 0: a folder stands in the table's place
        fs::remove_all(fs::path(ScoreFile()).parent_path());
        std::vector<uint8_t> bytes = SerializeRecordTable(Falling());
        bytes.resize(static_cast<size_t>(size), 0x41);
        size == 0 ? void(fs::create_directories(ScoreFile())) : WriteBytes(ScoreFile(), bytes);
        shown_.clear();
        Button4Click(form());
        ASSERT_EQ(shown_.size(), 2u);
        EXPECT_NE(shown_[0].texts[1].find(ScoreFile()), std::string::npos) << shown_[0].texts[1];
        EXPECT_EQ(shown_[1].texts[0], first_name);
        EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(ScoreFile()).parent_path()), {}),
                  1);
        EXPECT_TRUE(size == 0 || FileBytes(ScoreFile()) == bytes);
    }
}

TEST_F(RecordsTest, AFailingWriteSaysSoOnceAndLeavesTheOldTable) {
    WriteBytes(ScoreFile(), SerializeRecordTable(Falling()));
    answers_ = {"Taro"};
    TRecordTable entered{};
    int rank = 0;
    {
        FileSizeLimit limit(100);
        ASSERT_TRUE(limit.ok());
        rank = InsertRecord(form(), ScoreFile(), 950, &entered);
    }

    EXPECT_EQ(rank, 2);
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].name, "TfrmInput");
    EXPECT_EQ(shown_[1].name, "MessageBox");
    EXPECT_NE(shown_[1].texts[1].find(ScoreFile()), std::string::npos);
    EXPECT_NE(shown_[1].texts[1].find(SystemReason(EFBIG)), std::string::npos);
    EXPECT_EQ(FileBytes(ScoreFile()), SerializeRecordTable(Falling()));
    EXPECT_EQ(entered[1].Score, 950) << "the result is still there to be shown";
    EXPECT_EQ(NameBytes(entered[1]), "Taro");
}

TEST_F(RecordsTest, TheClearButtonsAskFirstAndClearOnlyOnYes) {
    WriteBytes(ScoreFile(), SerializeRecordTable(Falling()));
    WriteBytes(TimeFile(), SerializeRecordTable(Falling()));
    answers_ = {"<no>"};
    Button5Click(form());
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].name, "MessageBox");
    EXPECT_EQ(shown_[0].texts[0], "ハイスコアクリアの確認");
    EXPECT_EQ(shown_[0].texts[1], "ハイスコアを消去しますか？");
    EXPECT_EQ(Stored(ScoreFile()), Falling());

    answers_ = {"<yes>"};
    Button5Click(form());
    EXPECT_EQ(Stored(ScoreFile()), ClearedTable());
    EXPECT_EQ(Stored(TimeFile()), Falling()) << "the other table is not touched";

    answers_ = {"<escape>"};
    Button7Click(form());
    EXPECT_EQ(Stored(TimeFile()), Falling()) << "Escape answers No";
    answers_ = {"<yes>"};
    Button7Click(form());
    EXPECT_EQ(Stored(TimeFile()), ClearedTable());
    EXPECT_EQ(shown_.size(), 4u);
}

TEST_F(RecordsTest, ThePanelsRecordButtonsAreWiredToTheirTables) {
    form().Panel1.Click(form().Panel1.Button6);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_TRUE(fs::exists(TimeFile()));
    EXPECT_FALSE(fs::exists(ScoreFile()));
    answers_ = {"<yes>"};
    form().Panel1.Click(form().Panel1.Button5);
    EXPECT_TRUE(fs::exists(ScoreFile()));
}

// The tables and their files are the same in both languages: a name typed in English
// mode is stored in Shift-JIS as always and shows the same in Japanese.
TEST_F(RecordsTest, InEnglishTheDialogsSpeakEnglishAndTheFilesStayTheSame) {
    std::vector<uint8_t> written;
    {
        LanguageScope english(Language::English);
        answers_ = {"<no>"};
        Button7Click(form());
        ASSERT_EQ(shown_.size(), 1u);
        EXPECT_EQ(shown_[0].texts, (std::vector<std::string>{"Clear the time attack table",
                                                             "Clear the time attack table?"}));
        answers_ = {"太郎"};
        EXPECT_EQ(InsertRecord(form(), TimeFile(), TimeRecordValue(83456)), 1);
        written = FileBytes(TimeFile());
        Button6Click(form());
        ASSERT_EQ(shown_.size(), 3u);
        EXPECT_EQ(shown_[2].texts[0], "太郎");
        EXPECT_EQ(shown_[2].texts[1], "1m23s456");
        EXPECT_EQ(shown_[2].texts[2], "Nobody") << "an empty entry in English";
        answers_ = {"<yes>"}; // the English Alt letter of Yes
        Button5Click(form());
        EXPECT_EQ(Stored(ScoreFile()), ClearedTable());
    }
    Button6Click(form());
    EXPECT_EQ(shown_.back().texts[0], "太郎");
    EXPECT_EQ(shown_.back().texts[1], "1分23秒456");
    EXPECT_EQ(FileBytes(TimeFile()), written) << "showing the table wrote nothing else";
    EXPECT_EQ(NameBytes(Stored(TimeFile()).value()[0]), "\x91\xBE\x98\x59") << "Shift-JIS";
}

} // namespace
