// Reading a game file whole: every refusal is an EFOpenError that names the file and why.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "media/read_file.h"

namespace {

TEST(GameFileReading, RefusalsNameTheFileAndTheReason) {
    const auto dir = std::filesystem::temp_directory_path() / "brannock-read-file-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "folder.wav");
    ASSERT_EQ(::mkfifo((dir / "pipe.wav").c_str(), 0600), 0);
    std::ofstream(dir / "four.wav") << "RIFF";
    EXPECT_EQ(ReadBinaryFile((dir / "four.wav").string()),
              (std::vector<uint8_t>{'R', 'I', 'F', 'F'}));

    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {(dir / "folder.wav").string(), "ファイルを開けません（フォルダーです）"},
        {(dir / "none.wav").string(), "ファイルを開けません（ファイルがありません）"},
        {(dir / "pipe.wav").string(), "ファイルを開けません（通常のファイルではありません）"},
        {"/dev/zero", "ファイルを開けません（通常のファイルではありません）"}, // not read forever
    };
    for (const auto& c : cases) {
        try {
            ReadBinaryFile(c.path);
            ADD_FAILURE() << c.path << " was read";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(std::string(e.what()), c.path + ": " + c.reason);
        }
    }
    std::vector<uint8_t> bytes;
    const std::optional<FileProblem> large = ReadFileWithin((dir / "four.wav").string(), 3, bytes);
    ASSERT_TRUE(large.has_value());
    EXPECT_EQ(large->reason, "3 バイトより大きいファイルです");
    std::filesystem::remove_all(dir);
}

} // namespace
