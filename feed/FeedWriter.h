#pragma once
// Writes the document line by line, CR LF after each line, through a large
// buffer. Failures throw std::system_error naming the file.
#include <filesystem>
#include <string>
#include <string_view>

class FeedWriter {
public:
    explicit FeedWriter(const std::filesystem::path& path);  // creates or truncates
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
    std::string buffer_;
};
