#pragma once
// A program's folder for one fuzz run, removed at exit. It lies in memory
// where the system offers a folder there: every input writes files, and on
// a disk creating them costs more than the work under test.
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

class FuzzFolder {
public:
    explicit FuzzFolder(const std::string& name) {
        std::error_code ec;
        const std::filesystem::path shm = "/dev/shm";
        const auto base = std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
        path_ = base / ("mv-fuzz-" + name + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path_);
    }
    ~FuzzFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
