// The record tables as bytes and on disk: format, rank rules, score texts, Shift-JIS
// names, and the safe reading and writing of the files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "media/system_reason.h"
#include "options/record_file.h"
#include "options/record_table.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/language_scope.h"

namespace {

namespace fs = std::filesystem;

std::string Hex(const std::string& s) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return out;
}

// A table whose scores fall from 1000 in steps of 100, with recognisable names and filler.
TRecordTable Falling() {
    TRecordTable table = ClearedTable();
    for (size_t n = 0; n < RecordCount; ++n) {
        table[n].Score = 1000 - 100 * static_cast<int32_t>(n);
        table[n].Name.fill(static_cast<uint8_t>('a' + n));
        SetName(table[n], std::string("rank") + std::to_string(n + 1));
        table[n].Filler = {static_cast<uint8_t>(n), 0xAB, 0xCD};
    }
    return table;
}

TEST(RecordTable, ACleared10RecordFileIs1080BytesOfNoBodyAndZero) {
    const std::vector<uint8_t> bytes = SerializeRecordTable(ClearedTable());
    ASSERT_EQ(bytes.size(), 1080u);
    for (size_t n = 0; n < 10; ++n) {
        const uint8_t* r = bytes.data() + 108 * n;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(r), 6), "NoBody");
        for (size_t k = 6; k < 108; ++k) EXPECT_EQ(r[k], 0) << "record " << n << " byte " << k;
    }
}

TEST(RecordTable, OnlyExactly1080BytesAreATable) {
    const std::vector<uint8_t> good = SerializeRecordTable(Falling());
    EXPECT_TRUE(ParseRecordTable(good).has_value());
    EXPECT_FALSE(ParseRecordTable(std::span(good).first(1079)).has_value());
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(ParseRecordTable(longer).has_value());
    EXPECT_FALSE(ParseRecordTable({}).has_value());
}

TEST(RecordTable, FieldsSitAtTheirOffsetsAndSurviveARoundTrip) {
    std::vector<uint8_t> bytes = SerializeRecordTable(ClearedTable());
    // Record 2: a score of -2 and 0x04030201 in record 3, little-endian; filler bytes set.
    uint8_t* r2 = bytes.data() + 108;
    r2[104] = 0xFE;
    r2[105] = r2[106] = r2[107] = 0xFF;
    r2[101] = 0x11;
    r2[102] = 0x22;
    r2[103] = 0x33;
    uint8_t* r3 = bytes.data() + 216;
    r3[104] = 1;
    r3[105] = 2;
    r3[106] = 3;
    r3[107] = 4;
    r3[100] = 'Z'; // a name with no zero within its 101 bytes
    for (size_t k = 0; k < 100; ++k) r3[k] = 'x';
    const std::optional<TRecordTable> table = ParseRecordTable(bytes);
    ASSERT_TRUE(table);
    EXPECT_EQ((*table)[1].Score, -2);
    EXPECT_EQ((*table)[1].Filler, (std::array<uint8_t, 3>{0x11, 0x22, 0x33}));
    EXPECT_EQ((*table)[2].Score, 0x04030201);
    EXPECT_EQ(NameBytes((*table)[2]), std::string(100, 'x') + "Z");
    EXPECT_EQ(NameBytes((*table)[0]), "NoBody");
    EXPECT_EQ(SerializeRecordTable(*table), bytes) << "every byte is carried";
}

TEST(RecordTable, RankIsTheFirstRecordWithALesserScore) {
    const TRecordTable table = Falling(); // 1000, 900, ..., 100
    EXPECT_EQ(RankOf(table, 1001), 1);
    EXPECT_EQ(RankOf(table, 1000), 2) << "equal scores keep the older entry ahead";
    EXPECT_EQ(RankOf(table, 800), 4) << "equal to rank 3 places at rank 4";
    EXPECT_EQ(RankOf(table, 801), 3);
    EXPECT_EQ(RankOf(table, 101), 10);
    EXPECT_EQ(RankOf(table, 100), 11);
    EXPECT_EQ(RankOf(ClearedTable(), 0), 11) << "no entry of a cleared table is less than 0";
    EXPECT_EQ(RankOf(ClearedTable(), 1), 1);
    EXPECT_EQ(RankOf(ClearedTable(), -1), 11) << "the comparison is signed";
}

TEST(RecordTable, InsertingShiftsDownAndKeepsTheOldBytesUnderTheNewName) {
    TRecordTable table = Falling();
    InsertAt(table, 4, 850);
    EXPECT_EQ(table[3].Score, 850);
    EXPECT_EQ(NameBytes(table[3]), "rank4") << "the name is set separately";
    EXPECT_EQ(table[4].Score, 700);
    EXPECT_EQ(NameBytes(table[4]), "rank4");
    EXPECT_EQ(table[9].Score, 200) << "the old tenth falls out";
    EXPECT_EQ(table[2].Score, 800);

    SetName(table[3], "AB");
    EXPECT_EQ(NameBytes(table[3]), "AB");
    EXPECT_EQ(table[3].Name[2], 0);
    EXPECT_EQ(table[3].Name[3], 'k') << "after the zero the field keeps what stood there";
    EXPECT_EQ(table[3].Name[100], 'd');
    EXPECT_EQ(table[3].Filler, (std::array<uint8_t, 3>{3, 0xAB, 0xCD})) << "filler carried";

    TRecordTable last = Falling();
    InsertAt(last, 10, 150);
    EXPECT_EQ(last[9].Score, 150);
    EXPECT_EQ(last[8].Score, 200);
    SetName(last[0], "");
    EXPECT_EQ(NameBytes(last[0]), "");
}

TEST(RecordTable, ScoresShowAsPointsOrAsMinutesSecondsAndMilliseconds) {
    EXPECT_EQ(ScoreText(650000, false), "650000");
    EXPECT_EQ(ScoreText(-40, false), "-40");
    EXPECT_EQ(TimeRecordValue(83456), 5916543);
    EXPECT_EQ(ScoreText(5916543, true), "1分23秒456");
    EXPECT_EQ(ScoreText(TimeRecordValue(60005), true), "1分0秒005");
    EXPECT_EQ(ScoreText(TimeRecordValue(60009), true), "1分0秒009");
    EXPECT_EQ(ScoreText(TimeRecordValue(60010), true), "1分0秒010");
    EXPECT_EQ(ScoreText(TimeRecordValue(60099), true), "1分0秒099");
    EXPECT_EQ(ScoreText(TimeRecordValue(60100), true), "1分0秒100");
    EXPECT_EQ(TimeRecordValue(750000), 5249999) << "12 min 30 s";
    EXPECT_EQ(ScoreText(5249999, true), "12分30秒000");
    EXPECT_EQ(ScoreText(0, true), "99分59秒999") << "a cleared entry";
    EXPECT_EQ(ScoreText(5999999 - 59999, true), "0分59秒999");
}

TEST(RecordTable, InEnglishTimesKeepTheirDigitsAndPointsStayNumbers) {
    LanguageScope english(Language::English);
    const std::pair<int32_t, const char*> rows[] = {
        {5916543, "1m23s456"}, {TimeRecordValue(60005), "1m0s005"}, {0, "99m59s999"}};
    for (const auto& [score, shown] : rows) EXPECT_EQ(ScoreText(score, true), shown);
    EXPECT_EQ(ScoreText(650000, false), "650000");
}

TEST(ShiftJisNames, TypedNamesBecomeShiftJisAndComeBackTheSame) {
    EXPECT_EQ(Hex(NameToShiftJis("山田")), "8E 52 93 63 ");
    EXPECT_EQ(Hex(NameToShiftJis("ｱ")), "B1 ") << "half-width katakana is one byte";
    EXPECT_EQ(NameToShiftJis("Taro"), "Taro");
    for (const std::string name : {"山田太郎", "ﾌﾞﾗﾉｯｸ", "Player ①", "ＡＢＣ", "A-b_c"})
        EXPECT_EQ(NameFromShiftJis(NameToShiftJis(name)), name);
}

TEST(ShiftJisNames, CharactersWithoutAShiftJisFormBecomeQuestionMarks) {
    EXPECT_EQ(NameToShiftJis("a😀b"), "a?b");
    EXPECT_EQ(NameToShiftJis("é"), "?");
    EXPECT_EQ(NameToShiftJis(std::string("x\xFFy\xE3\x81")), "x?y??") << "broken UTF-8";
    // Bytes that are no Shift-JIS character show as "?", and a byte after a bad lead
    // byte is not swallowed.
    EXPECT_EQ(NameFromShiftJis("\x81 A"), "? A");
    EXPECT_EQ(NameFromShiftJis("AB\x93"), "AB?") << "a lead byte at the end";
}

TEST(ShiftJisNames, LongNamesAreCutAtACharacterBoundaryWithin100Bytes) {
    std::string fifty, sixty_one;
    for (int i = 0; i < 50; ++i) fifty += "あ";
    EXPECT_EQ(NameToShiftJis(fifty).size(), 100u) << "exactly 100 bytes fit";
    EXPECT_EQ(NameToShiftJis(fifty + "い").size(), 100u);
    // One byte first: the fiftieth two-byte character would end at byte 101.
    const std::string odd = NameToShiftJis("a" + fifty);
    EXPECT_EQ(odd.size(), 99u);
    EXPECT_EQ(NameFromShiftJis(odd), "a" + fifty.substr(0, 49 * 3));
    std::string ascii(120, 'x');
    EXPECT_EQ(NameToShiftJis(ascii), std::string(100, 'x'));
    std::string many;
    for (int i = 0; i < 120; ++i) many += "漢";
    const std::string cut = NameToShiftJis(many);
    EXPECT_EQ(cut.size(), 100u);
    EXPECT_EQ(NameFromShiftJis(cut).size(), 50u * 3u) << "fifty whole characters";
}

class RecordFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("brannock-records-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        path_ = (dir_ / "data" / "brannock" / "bnscore.dat").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::vector<uint8_t> FileBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    void WriteBytes(const std::vector<uint8_t>& bytes) {
        fs::create_directories(fs::path(path_).parent_path());
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<fs::path> FolderFiles() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(fs::path(path_).parent_path()))
            files.push_back(entry.path());
        return files;
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(RecordFileTest, AMissingFileReadsAsClearedAndWritingCreatesTheFolder) {
    const TTableRead read = ReadTableFile(path_);
    EXPECT_FALSE(read.Existed);
    EXPECT_FALSE(read.FromFile);
    EXPECT_EQ(read.Fault, TableFault::None);
    EXPECT_EQ(read.Table, ClearedTable());

    EXPECT_EQ(WriteTableFile(path_, Falling()), std::nullopt);
    EXPECT_EQ(FileBytes(path_), SerializeRecordTable(Falling()));
    EXPECT_EQ(FolderFiles().size(), 1u) << "no temporary file is left behind";
    const TTableRead again = ReadTableFile(path_);
    EXPECT_TRUE(again.FromFile);
    EXPECT_EQ(again.Table, Falling());
}

// Reading changes no file; before a result is written the file goes aside whole. A long
// file's first 1080 bytes are its table.
TEST_F(RecordFileTest, AFileThatIsNoWholeTableIsReadAsItIsAndSetAsideWhole) {
    struct Case {
        size_t size;
        TableFault fault;
        bool from_file;
    };
    const Case cases[] = {{1000, TableFault::NotATable, false},
                          {0, TableFault::NotATable, false},
                          {1080, TableFault::None, true},
                          {1081, TableFault::TooLong, true},
                          {5000, TableFault::TooLong, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        fs::remove_all(dir_);
        std::vector<uint8_t> bytes = SerializeRecordTable(Falling());
        bytes.resize(c.size, 0x5A);
        WriteBytes(bytes);
        const TTableRead read = ReadTableFile(path_);
        EXPECT_TRUE(read.Existed);
        EXPECT_EQ(read.Fault, c.fault);
        EXPECT_EQ(read.FromFile, c.from_file);
        EXPECT_EQ(read.Table, c.from_file ? Falling() : ClearedTable());
        EXPECT_EQ(read.Size, c.size);
        EXPECT_EQ(FileBytes(path_), bytes) << "reading changes nothing";
        EXPECT_EQ(FolderFiles().size(), 1u);
        if (c.fault == TableFault::None) continue;
        EXPECT_NE(ShowingProblem(path_, read).find(path_), std::string::npos);

        bool may_write = true;
        const std::string message = SetFaultyFileAside(path_, read, may_write);
        EXPECT_TRUE(may_write);
        EXPECT_FALSE(fs::exists(path_));
        const std::vector<fs::path> files = FolderFiles();
        ASSERT_EQ(files.size(), 1u);
        const std::string aside = files[0].string();
        EXPECT_EQ(aside.rfind(path_ + ".", 0), 0u) << aside;
        EXPECT_EQ(aside.substr(aside.size() - 4), ".bad");
        EXPECT_EQ(FileBytes(aside), bytes);
        EXPECT_NE(message.find(path_), std::string::npos) << message;
        EXPECT_NE(message.find(aside), std::string::npos) << message;
    }
}

TEST_F(RecordFileTest, APipeADeviceOrAHugeFileIsUnreadableAtOnce) {
    const struct {
        const char* what;
        std::function<void()> make;
        const char* reason;
    } rows[] = {
        {"a pipe", [&] { ::mkfifo(path_.c_str(), 0600); }, "通常のファイルではありません"},
        {"a device", [&] { fs::create_symlink("/dev/zero", path_); },
         "通常のファイルではありません"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(dir_);
        fs::create_directories(fs::path(path_).parent_path());
        row.make();
        const TTableRead read = ReadTableFile(path_);
        EXPECT_TRUE(read.Existed);
        EXPECT_EQ(read.Fault, TableFault::Unreadable);
        EXPECT_EQ(read.Reason, row.reason);
        EXPECT_EQ(read.Table, ClearedTable());
    }
}

TEST_F(RecordFileTest, TwoDamagedFilesInOneSecondAreBothKept) {
    bool may_write = true;
    WriteBytes(std::vector<uint8_t>(10, 1));
    SetFaultyFileAside(path_, ReadTableFile(path_), may_write);
    WriteBytes(std::vector<uint8_t>(20, 2));
    SetFaultyFileAside(path_, ReadTableFile(path_), may_write);
    std::vector<size_t> sizes;
    for (const fs::path& file : FolderFiles()) sizes.push_back(fs::file_size(file));
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<size_t>{10, 20}));
}

TEST_F(RecordFileTest, AFullDiskLeavesTheOldTableAsItWasAndSaysWhy) {
    WriteBytes(SerializeRecordTable(Falling()));
    // A file size limit makes every write past 500 bytes fail, as a full disk does.
    std::optional<std::string> problem;
    {
        FileSizeLimit limit(500);
        ASSERT_TRUE(limit.ok());
        problem = WriteTableFile(path_, ClearedTable());
    }

    ASSERT_TRUE(problem.has_value()) << "the failure is reported";
    EXPECT_NE(problem->find(path_), std::string::npos) << *problem;
    EXPECT_NE(problem->find(SystemReason(EFBIG)), std::string::npos) << *problem;
    EXPECT_EQ(FileBytes(path_), SerializeRecordTable(Falling()));
    EXPECT_EQ(FolderFiles().size(), 1u) << "the half-written temporary file is removed";
}

TEST_F(RecordFileTest, AFolderThatCannotBeMadeIsReported) {
    // The data folder's place is taken by a file.
    fs::create_directories(dir_ / "data");
    std::ofstream(dir_ / "data" / "brannock") << "not a folder";
    const std::optional<std::string> problem = WriteTableFile(path_, ClearedTable());
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(path_), std::string::npos) << *problem;
    EXPECT_EQ(fs::file_size(dir_ / "data" / "brannock"), 12u);
}

TEST_F(RecordFileTest, AReadOnlyFolderLeavesTheOldTable) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop the superuser";
    WriteBytes(SerializeRecordTable(Falling()));
    const fs::path folder = fs::path(path_).parent_path();
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const std::optional<std::string> problem = WriteTableFile(path_, ClearedTable());
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(path_), std::string::npos) << *problem;
    EXPECT_EQ(FileBytes(path_), SerializeRecordTable(Falling()));
}

} // namespace
