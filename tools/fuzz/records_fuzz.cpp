// libFuzzer target for the record tables: the input is a table file as another program (or
// a damaged disk) may have left it. A table that reads writes back byte for byte; every
// name shows and ranks without touching memory it does not own; reading changes no file,
// and a file that is no whole table is moved aside whole before a result is written.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "options/record_file.h"
#include "options/record_table.h"

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("brannock-fuzz-records-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

size_t FilesIn(const std::filesystem::path& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Whatever the last input left (a table, or a refused file set aside) goes first.
    for (const auto& entry : std::filesystem::directory_iterator(Folder()))
        std::filesystem::remove(entry.path());
    const std::string path = (Folder() / "Score.dat").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    const TTableRead read = ReadTableFile(path);
    if (read.FromFile) {
        // A table, or the start of a longer file: it writes back as the first 1080 bytes.
        if (size < 1080) __builtin_trap();
        const std::vector<uint8_t> written = SerializeRecordTable(read.Table);
        if (std::memcmp(written.data(), data, written.size()) != 0) __builtin_trap();
    }
    if (FilesIn(Folder()) != 1) __builtin_trap(); // reading changes no file
    if (read.Fault != TableFault::None) {
        // Before a result is written, the file goes aside whole.
        bool may_write = true;
        if (ShowingProblem(path, read).empty()) __builtin_trap();
        if (SetFaultyFileAside(path, read, may_write).empty() || !may_write) __builtin_trap();
        if (std::filesystem::exists(path) || FilesIn(Folder()) != 1) __builtin_trap();
        const auto aside = std::filesystem::directory_iterator(Folder())->path();
        if (std::filesystem::file_size(aside) != size) __builtin_trap();
    }

    TRecordTable table = read.Table;
    for (const TRecord& record : table) {
        (void)NameFromShiftJis(NameBytes(record));
        (void)ScoreText(record.Score, false);
        (void)ScoreText(record.Score, true);
    }
    // The input's first bytes as a new score, its rest as a typed name.
    int32_t value = 0;
    std::memcpy(&value, data, size < sizeof value ? size : sizeof value);
    const int rank = RankOf(table, value);
    if (rank < 1 || rank > NoRank) __builtin_trap();
    if (rank != NoRank) {
        InsertAt(table, rank, value);
        const std::string typed(reinterpret_cast<const char*>(data), size);
        SetName(table[static_cast<size_t>(rank - 1)], NameToShiftJis(typed));
        if (table[static_cast<size_t>(rank - 1)].Score != value) __builtin_trap();
    }
    if (!ParseRecordTable(SerializeRecordTable(table))) __builtin_trap();
    return 0;
}
