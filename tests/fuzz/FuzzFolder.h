#pragma once
// A program's folder for one fuzz run, removed at exit. It lies in memory
// where the system offers a folder there: every input writes files, and on
// a disk creating them costs more than the work under test.
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

struct FuzzFolder {
    explicit FuzzFolder(const std::string& name) {
        std::error_code ec;
        path = std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
        path /= "mv-fuzz-" + name + "-" + std::to_string(::getpid());
        std::filesystem::create_directories(path);
    }
    ~FuzzFolder() { std::filesystem::remove_all(path, ec); }
    std::filesystem::path path;
    std::error_code ec;
};
