// A full disk for the life of a scope: files cannot grow past a size limit, and writes past
// it fail (EFBIG) instead of raising a signal.
#pragma once

#include <sys/resource.h>

#include <csignal>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    // False when the limit could not be set (the test cannot go on).
    bool ok() const { return ok_; }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
    bool ok_ = false;
};
