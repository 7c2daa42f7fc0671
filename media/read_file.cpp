#include "media/read_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

std::vector<uint8_t> ReadBinaryFile(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        throw EFOpenError(path + ": ファイルを開けません (a folder, not a file)");
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        const int error = errno;
        throw EFOpenError(path + ": ファイルを開けません (" + std::strerror(error) + ")");
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (file.bad()) throw EFOpenError(path + ": ファイルを読めません (read error)");
    return bytes;
}
