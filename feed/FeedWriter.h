#pragma once
// Writes the document line by line, CR LF after each line, through a large
// buffer. Failures throw std::system_error naming the file.
#include <filesystem>
#include <string>
#include <string_view>

// Where a document goes: the file at `path`, written in place, or, when
// `fd` is open, that descriptor, which stays its owner's (the name is then
// only for messages).
struct FeedOutput {
    std::filesystem::path path;
    int fd = -1;
};

class FeedWriter {
public:
    // Creates or truncates the file; a link or other non-regular file at
    // the path is replaced by a new file, never written through.
    explicit FeedWriter(const std::filesystem::path& path);
    explicit FeedWriter(const FeedOutput& output);
    ~FeedWriter();
    FeedWriter(const FeedWriter&) = delete;
    FeedWriter& operator=(const FeedWriter&) = delete;

    void line(std::string_view text);
    void close();  // flushes and closes; reports delayed write errors

private:
    void flush();
    void writeRaw(const char* p, std::size_t size);
    std::filesystem::path path_;
    int fd_ = -1;
    bool ownsFd_ = true;
    std::string buffer_;
};
