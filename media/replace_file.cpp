#include "media/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>

#include "media/language.h"
#include "media/system_reason.h"

namespace {

std::atomic<int> injected_error{0};

bool FailsAtCreation(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// Past a file-size limit the system would end the program with SIGXFSZ; ignored, the
// write fails with EFBIG instead. Set before every write: a test may have put the
// default back.
void KeepFileSizeLimitFromEndingTheProgram() {
    std::signal(SIGXFSZ, SIG_IGN);
}

int CreateFile(const std::string& path, int flags, mode_t mode) {
    KeepFileSizeLimitFromEndingTheProgram();
    if (FailsAtCreation(injected_error)) {
        errno = injected_error;
        return -1;
    }
    return ::open(path.c_str(), flags | O_WRONLY | O_CREAT | O_CLOEXEC, mode);
}

bool WriteAll(int fd, std::string_view bytes) {
    if (const int error = injected_error; error != 0 && !FailsAtCreation(error)) {
        errno = error;
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) {
            if (wrote == 0) errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(wrote));
    }
    return true;
}

bool Fail(std::string& error) {
    error = SystemReason(errno);
    return false;
}

// A new file beside target, of a name no other writer (another copy of the game) uses.
int CreateTemporaryBeside(const std::string& target, mode_t mode, std::string& temporary) {
    for (int n = 0;; ++n) {
        temporary = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(n);
        const int fd = CreateFile(temporary, O_EXCL, mode);
        if (fd >= 0 || errno != EEXIST || n >= 100) return fd;
    }
}

// Where a write to path lands: a symbolic link keeps pointing where it did.
std::filesystem::path ResolvedTarget(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec) return resolved;
    }
    return path;
}

// The new file that is to replace target, with the old one's permissions; -1 (errno set)
// when target is a file the user may not write, which stays.
int CreateReplacement(const std::filesystem::path& target, std::string& temporary) {
    mode_t mode = 0666;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
        if (::access(target.c_str(), W_OK) != 0) return -1;
    }
    return CreateTemporaryBeside(target.string(), mode, temporary);
}

} // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target = ResolvedTarget(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::create_directories(folder, ec);
    if (ec) {
        error = Format(Tr("フォルダー %s を作れません: %s"), folder.c_str(),
                       SystemReason(ec.value()).c_str());
        return false;
    }
    std::string temporary;
    const int fd = CreateReplacement(target, temporary);
    if (fd < 0) return Fail(error);
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int failure = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        errno = failure;
        return Fail(error);
    }
    // The rename itself reaches the disk with its folder.
    const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_fd >= 0) {
        ::fsync(folder_fd);
        ::close(folder_fd);
    }
    return true;
}

bool TAppendFile::Open(const std::string& path, std::string& error) {
    Close();
    target_ = ResolvedTarget(path).string();
    fd_ = CreateReplacement(target_, temporary_);
    if (fd_ < 0) temporary_.clear();
    return fd_ >= 0 || Fail(error);
}

bool TAppendFile::Append(std::string_view bytes, std::string& error) {
    if (fd_ < 0) {
        errno = EBADF;
        return Fail(error);
    }
    KeepFileSizeLimitFromEndingTheProgram();
    return WriteAll(fd_, bytes) || Fail(error);
}

bool TAppendFile::Publish(std::string& error) {
    if (fd_ < 0) {
        errno = EBADF;
        return Fail(error);
    }
    if (temporary_.empty()) return true;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return Fail(error);
    temporary_.clear();
    return true;
}

void TAppendFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

void SetInjectedWriteError(int error) {
    injected_error = error;
}
