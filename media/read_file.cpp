#include "media/read_file.h"

#include <cerrno>

#include "media/language.h"
#include "media/system_reason.h"
#include "scene/engine/file_bytes.h"

std::optional<FileProblem> ReadFileWithin(const std::string& path, size_t max_size,
                                          std::vector<uint8_t>& out) {
    using Kind = rm::FileReadFailure::Kind;
    const std::optional<rm::FileReadFailure> failure = rm::ReadWholeFile(path, max_size, out);
    if (!failure) return std::nullopt;
    FileProblem problem;
    switch (failure->kind) {
    case Kind::Folder:
        problem.reason = Tr("フォルダーです");
        break;
    case Kind::NotRegular:
        problem.reason = Tr("通常のファイルではありません");
        break;
    case Kind::TooLarge:
        problem.reason = Format(Tr("%llu バイトより大きいファイルです"),
                                static_cast<unsigned long long>(max_size));
        break;
    case Kind::CannotOpen:
        problem.missing = failure->system_error == ENOENT;
        problem.reason = SystemReason(failure->system_error);
        break;
    case Kind::CannotRead:
        problem.reason =
            Format(Tr("読み込みエラー: %s"), SystemReason(failure->system_error).c_str());
        break;
    }
    return problem;
}

std::vector<uint8_t> ReadBinaryFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (const std::optional<FileProblem> problem = ReadFileWithin(path, MaxGameFileSize, bytes))
        throw EFOpenError(
            Format(Tr("%s: ファイルを開けません（%s）"), path.c_str(), problem->reason.c_str()));
    return bytes;
}
