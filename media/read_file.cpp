#include "media/read_file.h"

#include "media/language.h"
#include "scene/engine/file_bytes.h"
#include <cstring>

namespace {

// No picture or sound of the game comes near this; a larger file is refused unread.
constexpr size_t MaxGameFileSize = size_t{256} << 20;

} // namespace

std::vector<uint8_t> ReadBinaryFile(const std::string& path) {
    using Kind = rm::FileReadFailure::Kind;
    std::vector<uint8_t> bytes;
    const std::optional<rm::FileReadFailure> failure =
        rm::ReadWholeFile(path, MaxGameFileSize, bytes);
    if (!failure) return bytes;
    if (failure->kind == Kind::Folder)
        throw EFOpenError(Format(Tr("%s: ファイルを開けません（フォルダーです）"), path.c_str()));
    if (failure->kind != Kind::CannotRead) {
        // The system's own words where it gave any, else the reader's (a device, a huge file).
        const std::string reason = failure->kind == Kind::CannotOpen
                                       ? std::strerror(failure->system_error)
                                       : rm::DescribeFailure(*failure);
        throw EFOpenError(
            Format(Tr("%s: ファイルを開けません（%s）"), path.c_str(), reason.c_str()));
    }
    throw EFOpenError(Format(Tr("%s: ファイルを読めません（読み込みエラー）"), path.c_str()));
}
