#include "options/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

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

// Up to max bytes of the file; nullopt with errno set when it cannot be read.
std::optional<std::vector<uint8_t>> ReadUpTo(const std::string& path, size_t max) {
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) return std::nullopt;
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(max);
    size_t got = 0;
    while (got < max) {
        const ssize_t n = ::read(file.fd, bytes.data() + got, max - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
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
    return path + " に書き込めません (" + reason +
           "): the record table could not be saved and stays as it was";
}

} // namespace

TTableRead ReadTableFile(const std::string& path) {
    TTableRead result;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 && errno == ENOENT) return result;
    result.Existed = true;

    // One byte more than a table tells a long file from a table.
    const std::optional<std::vector<uint8_t>> bytes = ReadUpTo(path, RecordTableSize + 1);
    std::string what;
    if (!bytes) {
        what = "を読み込めません (" + Reason(errno) + ")";
    } else if (std::optional<TRecordTable> table = ParseRecordTable(*bytes)) {
        result.Table = *table;
        result.FromFile = true;
        return result;
    } else {
        const std::string size =
            bytes->size() > RecordTableSize ? "more than 1080" : std::to_string(bytes->size());
        what = "は記録表ではありません (" + size + " bytes instead of 1080)";
    }

    const std::string aside = AsideName(path);
    if (std::rename(path.c_str(), aside.c_str()) != 0) {
        result.MayWrite = false;
        result.Problem = path + " " + what + "; it cannot be moved aside (" + Reason(errno) +
                         ") and is left as it is, so this result is not saved";
        return result;
    }
    result.Problem =
        path + " " + what + ": kept as " + aside + "; a new table is started with this result";
    return result;
}

std::optional<std::string> WriteTableFile(const std::string& path, const TRecordTable& table) {
    const std::filesystem::path target(path);
    std::error_code ec;
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), ec);
        if (ec)
            return CannotWrite(path, "cannot create the folder " + target.parent_path().string() +
                                         ": " + ec.message());
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
