#pragma once
// Makes every write beyond `bytes` into any file fail with "File too large"
// while the object lives: a full disk that even root cannot get around.
#include <csignal>
#include <sys/resource.h>

class FsizeLimit {
public:
    explicit FsizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lim{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FsizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FsizeLimit(const FsizeLimit&) = delete;
    FsizeLimit& operator=(const FsizeLimit&) = delete;

private:
    void (*oldHandler_)(int);
    rlimit saved_{};
};
