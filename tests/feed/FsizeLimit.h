#pragma once
// Makes every write beyond `bytes` into any file fail with "File too large"
// while the object lives: a full disk that even root cannot get around.
#include <csignal>
#include <sys/resource.h>

class FsizeLimit {
public:
    explicit FsizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = saved_;
        lim.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FsizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FsizeLimit(const FsizeLimit&) = delete;
    FsizeLimit& operator=(const FsizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};
