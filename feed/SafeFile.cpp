#include "feed/SafeFile.h"

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

// A temporary file beside the target; removed unless committed.
class TempBeside {
public:
    explicit TempBeside(const fs::path& target) : target_(target) {
        std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        if (target.parent_path().empty()) pattern = "." + target.filename().string() + ".XXXXXX";
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        int fd = ::mkstemp(buf.data());
        if (fd < 0) throwErrno(target, errno);
        path_ = buf.data();
        fd_ = fd;
        // mkstemp makes the file private; give it the usual permissions of a
        // new file, or those of the file it replaces.
        struct stat st {};
        mode_t mode;
        if (::stat(target.c_str(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::fchmod(fd, mode);
    }
    ~TempBeside() {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    const fs::path& target() const { return target_; }

    void commit() {
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) throwErrno(target_, errno);
        if (::rename(path_.c_str(), target_.c_str()) != 0) throwErrno(target_, errno);
        committed_ = true;
    }

private:
    fs::path target_;
    fs::path path_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace

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
    TempBeside tmp(target);
    writeAll(tmp.fd(), bytes.data(), bytes.size(), target);
    tmp.commit();
}

void CopyFileReplacing(const fs::path& from, const fs::path& to) {
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.fd < 0) throwErrno(from, errno);
    struct stat st {};
    if (::fstat(in.fd, &st) != 0) throwErrno(from, errno);
    if (S_ISDIR(st.st_mode)) throwErrno(from, EISDIR);
    TempBeside tmp(to);
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

std::string DescribeFailure(const std::exception& e) { return e.what(); }
