#include "feed/SafeFile.h"

#include "feed/SignalCleanup.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

[[noreturn]] void throwErrno(const fs::path& path, int err) {
    throw std::system_error(err, std::generic_category(), path.string());
}

// An open descriptor closed on every way out.
struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    // Closes now and reports what close() said; delayed write errors of
    // some file systems only show up here.
    int release() {
        int r = ::close(fd);
        fd = -1;
        return r;
    }
};

void writeAll(int fd, const char* data, std::size_t size, const fs::path& path) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            throwErrno(path, errno);
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// The mode a replacing file gets: that of the regular file it replaces, or
// the usual one of a new file.
mode_t modeFor(const fs::path& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string hiddenPattern(const fs::path& target) {
    const std::string name = "." + target.filename().string() + ".XXXXXX";
    return target.parent_path().empty() ? name : (target.parent_path() / name).string();
}

// A fresh hidden name beside the target, not yet taken.
std::string freshHiddenName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name = hiddenPattern(target);
    name.resize(name.size() - 6);
    return name + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

ReplacingFile::ReplacingFile(const fs::path& target) : target_(target) {
    const mode_t mode = modeFor(target);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        // File systems without O_TMPFILE: a named file, removed on a signal.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) throwErrno(target, errno);
        std::string pattern = hiddenPattern(target);
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        fd_ = ::mkostemp(buf.data(), O_CLOEXEC);
        if (fd_ < 0) throwErrno(target, errno);
        named_ = buf.data();
        slot_ = RemoveOnSignal(named_.c_str());
    }
    ::fchmod(fd_, mode);
}

bool ReplacingFile::commitIfAbsent() {
    // A link never replaces an existing name: exactly the test wanted.
    const std::string from = named_.empty() ? "/proc/self/fd/" + std::to_string(fd_) : named_;
    const int rc = ::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW);
    const int err = errno;
    if (rc != 0 && err != EEXIST) throwErrno(target_, err);
    const int fd = fd_;
    fd_ = -1;
    const int closed = ::close(fd);
    const int closeErr = errno;
    if (rc == 0 && closed != 0) {
        ::unlink(target_.c_str());
        throwErrno(target_, closeErr);
    }
    return rc == 0;  // the destructor removes the hidden name, if any
}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!named_.empty()) ::unlink(named_.c_str());
    KeepOnSignal(slot_);
}

void ReplacingFile::commit() {
    if (named_.empty()) {
        // Give the finished file a hidden name, then move it over the target:
        // a link cannot replace an existing name, a rename can.
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (;;) {
            std::string name = freshHiddenName(target_);
            slot_ = RemoveOnSignal(name.c_str());
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                named_ = std::move(name);
                break;
            }
            const int err = errno;
            KeepOnSignal(slot_);
            slot_ = -1;
            if (err != EEXIST) throwErrno(target_, err);
        }
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throwErrno(target_, errno);
    if (::rename(named_.c_str(), target_.c_str()) != 0) throwErrno(target_, errno);
    named_.clear();
    KeepOnSignal(slot_);
    slot_ = -1;
}


std::string ReadWholeFile(const fs::path& path) {
    Fd f(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (f.fd < 0) throwErrno(path, errno);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) throwErrno(path, errno);
    if (S_ISDIR(st.st_mode)) throwErrno(path, EISDIR);
    // Read straight into a string of the announced size; files that grow
    // under us or announce no size (pipes, /proc) are read on in chunks.
    std::string out(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0, '\0');
    std::size_t used = 0;
    auto readSome = [&](char* into, std::size_t room) {
        for (;;) {
            ssize_t n = ::read(f.fd, into, room);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) throwErrno(path, errno);
        }
    };
    while (used < out.size()) {
        std::size_t n = readSome(out.data() + used, out.size() - used);
        if (n == 0) break;
        used += n;
    }
    if (used == out.size()) {
        char more[65536];
        while (std::size_t n = readSome(more, sizeof more)) {
            out.resize(used);
            out.append(more, n);
            used += n;
        }
    }
    out.resize(used);
    return out;
}

void WriteFileReplacing(const fs::path& target, std::string_view bytes) {
    ReplacingFile tmp(target);
    writeAll(tmp.fd(), bytes.data(), bytes.size(), target);
    tmp.commit();
}

void CopyFileReplacing(const fs::path& from, const fs::path& to) {
    // A fifo or device as the source would block or never end: only a
    // regular file is copied, and opening one never waits.
    Fd in(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (in.fd < 0) throwErrno(from, errno);
    struct stat st {};
    if (::fstat(in.fd, &st) != 0) throwErrno(from, errno);
    if (!S_ISREG(st.st_mode)) throwErrno(from, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    ReplacingFile tmp(to);
    // Let the kernel move the bytes when it can; fall back to read/write.
    bool kernelCopy = S_ISREG(st.st_mode) && st.st_size > 0;
    while (kernelCopy) {
        ssize_t n = ::copy_file_range(in.fd, nullptr, tmp.fd(), nullptr, 1 << 30, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) {
                // Nothing was copied by the failing call; go on from the
                // current offsets with plain reads.
                kernelCopy = false;
                break;
            }
            throwErrno(to, errno);
        }
        if (n == 0) break;
    }
    if (!kernelCopy) {
        std::vector<char> buf(1 << 20);
        for (;;) {
            ssize_t n = ::read(in.fd, buf.data(), buf.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                throwErrno(from, errno);
            }
            if (n == 0) break;
            writeAll(tmp.fd(), buf.data(), static_cast<std::size_t>(n), to);
        }
    }
    tmp.commit();
}

std::string ReadRegularFile(const fs::path& path, std::size_t maxBytes) {
    // O_NONBLOCK: opening a fifo must not wait for a writer; O_NOFOLLOW: a
    // link is refused, not read through.
    Fd f(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (f.fd < 0) throwErrno(path, errno == ELOOP ? EINVAL : errno);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) throwErrno(path, errno);
    if (!S_ISREG(st.st_mode)) throwErrno(path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) throwErrno(path, EFBIG);
    // The size may change under us: never read past the limit whatever it says.
    std::string out(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == out.size()) {
            if (out.size() > maxBytes) throwErrno(path, EFBIG);
            out.resize(std::min<std::size_t>(maxBytes + 1, out.size() * 2));
        }
        ssize_t n = ::read(f.fd, out.data() + used, out.size() - used);
        if (n < 0) {
            if (errno == EINTR) continue;
            throwErrno(path, errno);
        }
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    if (used > maxBytes) throwErrno(path, EFBIG);
    out.resize(used);
    return out;
}

std::string DescribeFailure(const std::exception& e) { return e.what(); }
