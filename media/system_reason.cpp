#include "media/system_reason.h"

#include <cerrno>
#include <cstring>

#include "media/language.h"

namespace {

struct ReasonRow {
    int error;
    const char* text;
};

// What a player can meet when a file is read or written.
constexpr ReasonRow Reasons[] = {
    {ENOENT, TrMark("ファイルがありません")},
    {EACCES, TrMark("アクセスが許可されていません")},
    {EPERM, TrMark("操作が許可されていません")},
    {EROFS, TrMark("読み取り専用のファイルシステムです")},
    {ENOSPC, TrMark("ディスクに空きがありません")},
    {EDQUOT, TrMark("ディスクの使用量の上限に達しました")},
    {EFBIG, TrMark("ファイルサイズの上限を超えます")},
    {EISDIR, TrMark("フォルダーです")},
    {ENOTDIR, TrMark("パスの途中にフォルダーでないものがあります")},
    {EIO, TrMark("入出力エラー")},
    {ELOOP, TrMark("シンボリックリンクが多すぎます")},
    {ENAMETOOLONG, TrMark("ファイル名が長すぎます")},
};

} // namespace

std::string SystemReason(int error) {
    for (const ReasonRow& row : Reasons)
        if (row.error == error) return Tr(row.text);
    return std::strerror(error);
}
