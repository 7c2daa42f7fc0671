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

} // namespace

bool ReadFileBytes(const std::string& path, size_t max_size, std::vector<uint8_t>& out,
                   std::string& error) {
    // Non-blocking, so a named pipe in a file's place cannot stall the open.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        error = std::string("cannot open the file: ") + std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        error = std::string("cannot read the file: ") + std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        error = "it is a folder, not a file";
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "it is not a regular file";
        return false;
    }
    if (static_cast<uint64_t>(info.st_size) > max_size) {
        error = "the file is too large";
        return false;
    }
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(info.st_size));
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            error = std::string("cannot read the file: ") + std::strerror(errno);
            return false;
        }
        if (got == 0) break;
        // The file may grow while it is read.
        if (bytes.size() + static_cast<size_t>(got) > max_size) {
            error = "the file is too large";
            return false;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    out = std::move(bytes);
    return true;
}

} // namespace rm
