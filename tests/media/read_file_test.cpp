// Reading a game file whole: every refusal is an EFOpenError that names the file and why.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/read_file.h"

namespace {

TEST(GameFileReading, RefusalsNameTheFileAndTheReason) {
    const auto dir = std::filesystem::temp_directory_path() / "brannock-read-file-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "folder.wav");
    std::ofstream(dir / "four.wav") << "RIFF";
    EXPECT_EQ(ReadBinaryFile((dir / "four.wav").string()),
              (std::vector<uint8_t>{'R', 'I', 'F', 'F'}));

    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {(dir / "folder.wav").string(), "ファイルを開けません（フォルダーです）"},
        {(dir / "none.wav").string(),
         "ファイルを開けません（" + std::string(std::strerror(ENOENT)) + "）"},
        {"/dev/zero", "ファイルを開けません（it is not a regular file）"}, // not read forever
    };
    for (const auto& c : cases) {
        try {
            ReadBinaryFile(c.path);
            ADD_FAILURE() << c.path << " was read";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(std::string(e.what()), c.path + ": " + c.reason);
        }
    }
    std::filesystem::remove_all(dir);
}

} // namespace
