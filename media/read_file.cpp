#include "media/read_file.h"

#include "media/language.h"
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

std::vector<uint8_t> ReadBinaryFile(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        throw EFOpenError(Format(Tr("%s: ファイルを開けません（フォルダーです）"), path.c_str()));
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        const int error = errno;
        throw EFOpenError(
            Format(Tr("%s: ファイルを開けません（%s）"), path.c_str(), std::strerror(error)));
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (file.bad())
        throw EFOpenError(Format(Tr("%s: ファイルを読めません（読み込みエラー）"), path.c_str()));
    return bytes;
}
