#pragma once
// A full disk that even root cannot get around: while the object lives,
// every write beyond `bytes` into any one file fails with "File too large".
// A child process that builds one before exec keeps the limit.
#include <csignal>
#include <sys/resource.h>

class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lim{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    void (*oldHandler_)(int);
    rlimit saved_{};
};
