#pragma once
// Whole-file reads: the one reader of the engine's loaders and of the game's own files.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rm {

// Why a whole file could not be read. Each caller words it for its own readers.
struct FileReadFailure {
    enum class Kind { Folder, NotRegular, TooLarge, CannotOpen, CannotRead };
    Kind kind;
    int system_error = 0; // errno for CannotOpen and CannotRead; 0 when the system gave none
};

// Reads the regular file at path into out. A folder, a device, a file that cannot be
// opened or read, or one longer than max_size is refused; out is then left as it was.
std::optional<FileReadFailure> ReadWholeFile(const std::string& path, size_t max_size,
                                             std::vector<uint8_t>& out);

// The reason in a few English words, such as "it is a folder, not a file".
std::string DescribeFailure(const FileReadFailure& failure);

// ReadWholeFile for the engine's loaders: false and the described reason in error.
bool ReadFileBytes(const std::string& path, size_t max_size, std::vector<uint8_t>& out,
                   std::string& error);

} // namespace rm
