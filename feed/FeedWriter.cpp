#include "feed/FeedWriter.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {
constexpr std::size_t BufferSize = 1 << 20;
}

namespace {

// Opens the regular file at the path for writing from its start. A
// planted link, fifo or device there is removed and a new file created in
// its place: nothing is ever written through a link, and nothing blocks.
int openInPlace(const std::filesystem::path& path) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd < 0 && errno != ELOOP && errno != ENXIO && errno != EISDIR) return -1;
        struct stat st {};
        if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            if (::ftruncate(fd, 0) != 0) {
                const int err = errno;
                ::close(fd);
                errno = err;
                return -1;
            }
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            return fd;
        }
        if (fd >= 0) ::close(fd);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) return -1;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

FeedWriter::FeedWriter(const std::filesystem::path& path) : path_(path) {
    fd_ = openInPlace(path);
    if (fd_ < 0) throw std::system_error(errno, std::generic_category(), path.string());
    buffer_.reserve(BufferSize);
}

FeedWriter::FeedWriter(const FeedOutput& output) : path_(output.path) {
    if (output.fd < 0) {
        fd_ = openInPlace(path_);
        if (fd_ < 0) throw std::system_error(errno, std::generic_category(), path_.string());
    } else {
        fd_ = output.fd;
        ownsFd_ = false;
    }
    buffer_.reserve(BufferSize);
}

FeedWriter::~FeedWriter() {
    if (fd_ < 0) return;
    // Stopped part-way: keep what was written so far, as far as possible.
    try {
        flush();
    } catch (...) {
    }
    if (ownsFd_) ::close(fd_);
}

void FeedWriter::line(std::string_view text) {
    if (buffer_.size() + text.size() + 2 > BufferSize) {
        flush();
        if (text.size() + 2 > BufferSize) {
            // One huge line: hand it over without copying.
            writeRaw(text.data(), text.size());
            writeRaw("\r\n", 2);
            return;
        }
    }
    buffer_.append(text);
    buffer_ += "\r\n";
}

void FeedWriter::writeRaw(const char* p, std::size_t left) {
    while (left > 0) {
        ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw std::system_error(errno, std::generic_category(), path_.string());
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
}

void FeedWriter::flush() {
    try {
        writeRaw(buffer_.data(), buffer_.size());
    } catch (...) {
        buffer_.clear();
        throw;
    }
    buffer_.clear();
}

void FeedWriter::close() {
    flush();
    int fd = fd_;
    fd_ = -1;
    if (ownsFd_ && ::close(fd) != 0) throw std::system_error(errno, std::generic_category(), path_.string());
}
