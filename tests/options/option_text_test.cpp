// option.txt for the memo: read line by line, and a file that cannot be shown says why.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
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

// Whatever stands there is never waited for nor read without end.
TEST_F(OptionTextTest, AFileThatCannotBeShownIsSaidInTheMemo) {
    const struct {
        std::function<void(const std::string&)> make;
        std::string said; // after the path
    } rows[] = {
        {[](const std::string&) {}, " が見つかりません"},
        {[](const std::string& p) { fs::create_directories(p); },
         " を読めません（フォルダーです）"},
        {[](const std::string& p) { ::mkfifo(p.c_str(), 0600); },
         " を読めません（通常のファイルではありません）"},
        {[](const std::string& p) { fs::create_symlink("/dev/zero", p); },
         " を読めません（通常のファイルではありません）"},
    };
    for (const auto& row : rows) {
        fs::remove_all(Path());
        row.make(Path());
        const std::string said = ReadOptionText(Path(), lines_);
        EXPECT_EQ(said, Path() + row.said);
        EXPECT_EQ(lines_, std::vector<std::string>{said});
    }
}

} // namespace
