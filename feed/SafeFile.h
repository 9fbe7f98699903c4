#pragma once
// Whole-file reads and replacing writes. A write goes to a new file that
// takes the target's place only when complete, so a full disk, a missing
// permission or a run killed half-way never leaves a half-written target
// or a stray temporary file. Failures throw std::system_error carrying the
// system's description.
#include <cstddef>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteFileReplacing(const std::filesystem::path& target, std::string_view bytes);
void CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Reads a regular file of at most maxBytes. A link, fifo, device or folder
// is refused without blocking (EINVAL-like failures), and so is a larger
// file (EFBIG); nothing more than maxBytes is ever read.
std::string ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes);

// A new file that replaces the target on commit(). Where the file system
// allows, the file has no name until then (O_TMPFILE), so a killed run
// leaves nothing; elsewhere it is a hidden file beside the target, removed
// on failure and on SIGINT or SIGTERM. The target is replaced, never
// written through: a link there is replaced by the file, not followed.
class ReplacingFile {
public:
    explicit ReplacingFile(const std::filesystem::path& target);
    ~ReplacingFile();  // without commit() the new file goes
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    int fd() const { return fd_; }
    void commit();
    // Gives the complete file the target's name only if nothing has it yet;
    // false (and the file goes) when something does.
    bool commitIfAbsent();

private:
    std::filesystem::path target_;
    std::string named_;  // the hidden file's name; empty while it has none
    int fd_ = -1;
    int slot_ = -1;      // its entry among the names removed on a signal
};

// Text for a failure as the user sees it: the system's description.
std::string DescribeFailure(const std::exception& e);
