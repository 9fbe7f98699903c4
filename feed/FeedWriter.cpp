#include "feed/FeedWriter.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace {
constexpr std::size_t BufferSize = 1 << 20;
}

FeedWriter::FeedWriter(const std::filesystem::path& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw std::system_error(errno, std::generic_category(), path.string());
    buffer_.reserve(BufferSize);
}

FeedWriter::~FeedWriter() {
    if (fd_ < 0) return;
    // Stopped part-way: keep what was written so far, as far as possible.
    try {
        flush();
    } catch (...) {
    }
    ::close(fd_);
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
    if (::close(fd) != 0) throw std::system_error(errno, std::generic_category(), path_.string());
}
