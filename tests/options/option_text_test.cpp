// option.txt for the memo: read line by line, and a file that cannot be shown says why.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "options/options.h"

namespace {

namespace fs = std::filesystem;

class OptionTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("brannock-option-text-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path() const { return (dir_ / "option.txt").string(); }

    fs::path dir_;
    std::vector<std::string> lines_{"old"};
};

TEST_F(OptionTextTest, LinesWithoutTheirEnds) {
    std::ofstream(Path()) << "一行目\r\n\r\n　三行目\n";
    EXPECT_EQ(ReadOptionText(Path(), lines_), "");
    EXPECT_EQ(lines_, (std::vector<std::string>{"一行目", "", "　三行目"}));
}

TEST_F(OptionTextTest, AMissingFileOrAFolderIsSaidInTheMemo) {
    const std::string missing = ReadOptionText(Path(), lines_);
    EXPECT_EQ(missing, Path() + " が見つかりません（読めません）");
    EXPECT_EQ(lines_, std::vector<std::string>{missing});

    fs::create_directories(Path());
    const std::string folder = ReadOptionText(Path(), lines_);
    EXPECT_EQ(folder, Path() + " を読めません（フォルダーです）");
    EXPECT_EQ(lines_, std::vector<std::string>{folder});
}

} // namespace
