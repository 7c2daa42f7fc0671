#include "scene/engine/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rm {

namespace {

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

using Kind = FileReadFailure::Kind;

} // namespace

std::optional<FileReadFailure> ReadWholeFile(const std::string& path, size_t max_size,
                                             std::vector<uint8_t>& out) {
    // Non-blocking, so a named pipe in a file's place cannot stall the open; a terminal
    // opened by mistake never becomes the controlling one.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return FileReadFailure{Kind::CannotOpen, errno};
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return FileReadFailure{Kind::CannotRead, errno};
    if (S_ISDIR(info.st_mode)) return FileReadFailure{Kind::Folder};
    if (!S_ISREG(info.st_mode)) return FileReadFailure{Kind::NotRegular};
    if (static_cast<uint64_t>(info.st_size) > max_size) return FileReadFailure{Kind::TooLarge};
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(info.st_size));
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return FileReadFailure{Kind::CannotRead, errno};
        }
        if (got == 0) break;
        // The file may grow while it is read.
        if (bytes.size() + static_cast<size_t>(got) > max_size)
            return FileReadFailure{Kind::TooLarge};
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    out = std::move(bytes);
    return std::nullopt;
}

std::string DescribeFailure(const FileReadFailure& failure) {
    switch (failure.kind) {
    case Kind::Folder:
        return "it is a folder, not a file";
    case Kind::NotRegular:
        return "it is not a regular file";
    case Kind::TooLarge:
        return "the file is too large";
    case Kind::CannotOpen:
        return std::string("cannot open the file: ") + std::strerror(failure.system_error);
    case Kind::CannotRead:
        break;
    }
    return std::string("cannot read the file: ") + std::strerror(failure.system_error);
}

bool ReadFileBytes(const std::string& path, size_t max_size, std::vector<uint8_t>& out,
                   std::string& error) {
    const std::optional<FileReadFailure> failure = ReadWholeFile(path, max_size, out);
    if (failure) error = DescribeFailure(*failure);
    return !failure;
}

} // namespace rm
