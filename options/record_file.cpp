#include "options/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <span>
#include <vector>

#include "media/language.h"

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

// Closes a descriptor when the scope ends.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    int Release() {
        const int d = fd;
        fd = -1;
        return d;
    }
};

struct FileStart {
    std::vector<uint8_t> bytes; // up to the bytes asked for
    uint64_t size = 0;          // the whole file's
};

// Up to max bytes of the file; nullopt with errno set when it cannot be read.
std::optional<FileStart> ReadUpTo(const std::string& path, size_t max) {
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) return std::nullopt;
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    FileStart start;
    start.bytes.resize(max);
    size_t got = 0;
    while (got < max) {
        const ssize_t n = ::read(file.fd, start.bytes.data() + got, max - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    start.bytes.resize(got);
    start.size = std::max<uint64_t>(static_cast<uint64_t>(info.st_size), got);
    return start;
}

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

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
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
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 && errno == ENOENT) return result;
    result.Existed = true;

    // One byte more than a table tells a long file from a table.
    const std::optional<FileStart> start = ReadUpTo(path, RecordTableSize + 1);
    if (!start) {
        result.Fault = TableFault::Unreadable;
        result.Reason = Reason(errno);
        return result;
    }
    result.Size = start->size;
    std::span<const uint8_t> bytes(start->bytes);
    if (bytes.size() > RecordTableSize) {
        result.Fault = TableFault::TooLong;
        bytes = bytes.first(RecordTableSize);
    }
    if (std::optional<TRecordTable> table = ParseRecordTable(bytes)) {
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
                      path.c_str(), aside.c_str(), Reason(errno).c_str());
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
    const std::filesystem::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ec);
        if (ec)
            return CannotWrite(path, Format(Tr("フォルダー %s を作れません: %s"),
                                            target.parent_path().c_str(), ec.message().c_str()));
    }

    // A name of our own beside the table, so the rename never crosses file systems.
    Descriptor file;
    std::string temp;
    for (int n = 0; file.fd < 0; ++n) {
        temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(n);
        file.fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file.fd < 0 && (errno != EEXIST || n >= 100)) return CannotWrite(path, Reason(errno));
    }
    const std::vector<uint8_t> bytes = SerializeRecordTable(table);
    bool ok = WriteAll(file.fd, bytes) && ::fsync(file.fd) == 0;
    int error = errno;
    if (::close(file.Release()) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return CannotWrite(path, Reason(error));
    }
    // The rename itself reaches the disk with the folder.
    Descriptor folder{::open(target.has_parent_path() ? target.parent_path().c_str() : ".",
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd >= 0) ::fsync(folder.fd);
    return std::nullopt;
}
