// The one whole-file reader: what it refuses, and why, in the words its callers build on.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "scene/engine/file_bytes.h"
#include "tests/engine/test_files.h"

namespace {

using engine_test::ScratchFolder;
using engine_test::WriteText;
using Kind = rm::FileReadFailure::Kind;

struct ReadCase {
    const char* what;
    const char* name; // in the scratch folder, or an absolute path
    size_t max_size;
    std::optional<Kind> refused; // nullopt: read whole
    int system_error;
    const char* reason; // DescribeFailure's words, at their start
};

TEST(WholeFileReading, ReadsRegularFilesUpToTheLimitAndSaysWhyItRefusesTheRest) {
    ScratchFolder folder;
    WriteText(folder.Path("five.txt"), "12345");
    std::filesystem::create_directories(folder.Path("folder"));
    ASSERT_EQ(::mkfifo(folder.Path("pipe").c_str(), 0600), 0);
    const ReadCase cases[] = {
        {"at the limit", "five.txt", 5, std::nullopt, 0, ""},
        {"one byte over", "five.txt", 4, Kind::TooLarge, 0, "the file is too large"},
        {"missing", "none.txt", 99, Kind::CannotOpen, ENOENT, "cannot open the file: "},
        {"a folder", "folder", 99, Kind::Folder, 0, "it is a folder, not a file"},
        {"a named pipe", "pipe", 99, Kind::NotRegular, 0, "it is not a regular file"},
        {"a device", "/dev/zero", 99, Kind::NotRegular, 0, "it is not a regular file"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = c.name[0] == '/' ? c.name : folder.Path(c.name);
        std::vector<uint8_t> bytes = {7};
        const std::optional<rm::FileReadFailure> failure =
            rm::ReadWholeFile(path, c.max_size, bytes);
        ASSERT_EQ(failure.has_value(), c.refused.has_value());
        if (!failure) {
            EXPECT_EQ(bytes, (std::vector<uint8_t>{'1', '2', '3', '4', '5'}));
            continue;
        }
        EXPECT_EQ(failure->kind, *c.refused);
        EXPECT_EQ(failure->system_error, c.system_error);
        EXPECT_EQ(bytes, std::vector<uint8_t>{7}) << "a refused read leaves the buffer alone";
        EXPECT_EQ(rm::DescribeFailure(*failure).rfind(c.reason, 0), 0u)
            << rm::DescribeFailure(*failure);
    }
}

} // namespace
