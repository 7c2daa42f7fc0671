// Writing a file never loses the old one and never ends the program: past a file-size
// limit, without permission or on a full disk the write fails with the system's reason.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/replace_file.h"
#include "media/system_reason.h"
#include "tests/support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;

TEST(FileWriting, AFailedWriteKeepsTheOldFileLeavesNothingBehindAndSaysWhy) {
    const fs::path dir = fs::temp_directory_path() / ("brannock-write-" + std::to_string(getpid()));
    const fs::path file = dir / "bn.ini";
    const std::string old = "old\n", bigger(4096, 'n');
    struct Row {
        const char* what;
        int injected;
        rlim_t limit;
        int error;
        bool demo;      // a start written, put in place, then more
        uintmax_t left; // bytes in the file after the failure
    };
    const Row rows[] = {
        {"past a file-size limit", 0, 100, EFBIG, false, 4},
        {"without permission", EACCES, RLIM_INFINITY, EACCES, false, 4},
        {"on a full disk", ENOSPC, RLIM_INFINITY, ENOSPC, false, 4},
        {"a demo past a file-size limit", 0, 100, EFBIG, true, 100},
        {"a demo on a full disk", ENOSPC, RLIM_INFINITY, ENOSPC, true, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(file) << old;
        const int status = ExitStatusUnderFileSizeLimit(row.limit, [&] {
            SetInjectedWriteError(row.injected);
            std::string error;
            TAppendFile demo;
            const bool wrote = row.demo ? demo.Open(file, error) && demo.Append("start\n", error) &&
                                              demo.Publish(error) && demo.Append(bigger, error)
                                        : ReplaceFileContents(file, bigger, error);
            return wrote ? 1 : error == SystemReason(row.error) ? 0 : 2;
        });
        EXPECT_EQ(status, 0) << "-1: ended by a signal; 1: written; 2: another reason";
        EXPECT_EQ(fs::file_size(file), row.left);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "nothing left beside";
    }
    std::string error;
    EXPECT_TRUE(ReplaceFileContents(file, bigger, error)) << error;
    EXPECT_EQ(fs::file_size(file), bigger.size());
    fs::remove_all(dir);
}

} // namespace
