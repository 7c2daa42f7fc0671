#include "options/record_file.h"

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <span>
#include <vector>

#include "media/language.h"
#include "media/read_file.h"
#include "media/replace_file.h"
#include "media/system_reason.h"

namespace {

// A table is 1080 bytes; a longer file is read up to this size (its first 1080 bytes are
// its table), and anything larger cannot be one.
constexpr size_t MaxTableFileSize = size_t{1} << 20;

std::string TimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// "<path>.<time>.bad", or with a number added when that name is taken.
std::string AsideName(const std::string& path) {
    const std::string stem = path + "." + TimeStamp();
    std::string name = stem + ".bad";
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(name, ec) || ec; ++n)
        name = stem + "-" + std::to_string(n) + ".bad";
    return name;
}

std::string CannotWrite(const std::string& path, const std::string& reason) {
    return Format(Tr("%s に書き込めません（%s）。記録は保存されず、表は元のままです。"),
                  path.c_str(), reason.c_str());
}

unsigned long long Bytes(const TTableRead& read) {
    return static_cast<unsigned long long>(read.Size);
}

} // namespace

TTableRead ReadTableFile(const std::string& path) {
    TTableRead result;
    std::vector<uint8_t> bytes;
    if (const std::optional<FileProblem> problem = ReadFileWithin(path, MaxTableFileSize, bytes)) {
        if (problem->missing) return result;
        result.Existed = true;
        result.Fault = TableFault::Unreadable;
        result.Reason = problem->reason;
        return result;
    }
    result.Existed = true;
    result.Size = bytes.size();
    std::span<const uint8_t> table_bytes(bytes);
    if (table_bytes.size() > RecordTableSize) {
        result.Fault = TableFault::TooLong;
        table_bytes = table_bytes.first(RecordTableSize);
    }
    if (std::optional<TRecordTable> table = ParseRecordTable(table_bytes)) {
        result.Table = *table;
        result.FromFile = true;
    } else {
        result.Fault = TableFault::NotATable;
    }
    return result;
}

std::string ShowingProblem(const std::string& path, const TTableRead& read) {
    switch (read.Fault) {
    case TableFault::None:
        return "";
    case TableFault::Unreadable:
        return Format(Tr("記録表 %s を読み込めません（%s）。空の表を表示します。"), path.c_str(),
                      read.Reason.c_str());
    case TableFault::NotATable:
        return Format(Tr("%s は記録表ではありません（%llu バイト。記録表は 1080 バイトです）。"
                         "空の表を表示します。"),
                      path.c_str(), Bytes(read));
    case TableFault::TooLong:
        return Format(Tr("%s は記録表より長いファイルです（%llu バイト。記録表は 1080 "
                         "バイトです）。始めの 1080 バイトを表として表示します。"),
                      path.c_str(), Bytes(read));
    }
    return "";
}

std::string SetFaultyFileAside(const std::string& path, const TTableRead& read, bool& may_write) {
    const std::string aside = AsideName(path);
    if (std::rename(path.c_str(), aside.c_str()) != 0) {
        may_write = false;
        return Format(Tr("%s を %s に移せません（%s）。ファイルはそのまま残し、この記録は保存し"
                         "ません。"),
                      path.c_str(), aside.c_str(), SystemReason(errno).c_str());
    }
    switch (read.Fault) {
    case TableFault::Unreadable:
        return Format(Tr("記録表 %s を読み込めません（%s）。ファイルは %s として残し、この記録から"
                         "新しい表を始めます。"),
                      path.c_str(), read.Reason.c_str(), aside.c_str());
    case TableFault::TooLong:
        return Format(Tr("%s は記録表より長いファイルです（%llu バイト。記録表は 1080 "
                         "バイトです）。ファイル全体を %s として残し、始めの 1080 "
                         "バイトの表にこの記録を加えます。"),
                      path.c_str(), Bytes(read), aside.c_str());
    case TableFault::None:
    case TableFault::NotATable:
        break;
    }
    return Format(Tr("%s は記録表ではありません（%llu バイト。記録表は 1080 バイトです）。"
                     "ファイルは %s として残し、この記録から新しい表を始めます。"),
                  path.c_str(), Bytes(read), aside.c_str());
}

std::optional<std::string> WriteTableFile(const std::string& path, const TRecordTable& table) {
    const std::vector<uint8_t> bytes = SerializeRecordTable(table);
    std::string reason;
    if (ReplaceFileContents(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                            reason))
        return std::nullopt;
    return CannotWrite(path, reason);
}
