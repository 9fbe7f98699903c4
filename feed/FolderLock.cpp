#include "feed/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <thread>
#include <unistd.h>

std::unique_ptr<FolderLock> FolderLock::Acquire(const std::filesystem::path& folder,
                                                std::chrono::milliseconds patience,
                                                const std::string& lockFileName) {
    const std::filesystem::path path = folder / lockFileName;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) throw std::system_error(errno, std::generic_category(), path.string());
    // flock() belongs to the open file, not the process: two threads or two
    // windows of one process exclude each other as two processes do.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return std::unique_ptr<FolderLock>(new FolderLock(fd));
        const int err = errno;
        if (err != EWOULDBLOCK && err != EINTR) {
            ::close(fd);
            throw std::system_error(err, std::generic_category(), path.string());
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) break;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
    ::close(fd);
    return nullptr;
}

FolderLock::~FolderLock() { ::close(fd_); }  // closing releases the lock

std::string LockTimeoutMessage(const std::filesystem::path& folder, std::chrono::milliseconds patience) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(patience).count();
    return "Another feed generation in " + folder.string() + " did not finish within " + std::to_string(seconds) +
           (seconds == 1 ? " second" : " seconds") + ", Please try again.";
}
