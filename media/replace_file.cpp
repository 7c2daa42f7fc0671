#include "media/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

std::string Reason(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) {
            if (wrote == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

} // namespace

bool ReplaceFileContents(const std::string& path, const std::string& text, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target = path;
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    const std::string temporary = target.string() + ".tmp";

    // The new file gets the old one's permissions.
    mode_t mode = 0666;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) mode = old.st_mode & 07777;

    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) {
        error = Reason("create");
        return false;
    }
    bool ok = WriteAll(fd, text);
    if (!ok) error = Reason("write");
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        error = Reason("flush");
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = Reason("close");
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = Reason("rename");
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with its folder.
    const int folder = ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}
