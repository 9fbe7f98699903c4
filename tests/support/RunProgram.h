#pragma once
// Runs a program as a child process and reports what it did: exit status,
// standard output and error, wall and CPU time and peak memory. The tests
// that run veltrane and the other programs use it, and so do the benchmarks
// that time whole processes.
#include "tests/support/FullDisk.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct ProgramRun {
    int status = -1;  // exit status; 128 + the signal's number when killed
    std::string out;
    std::string err;
    double seconds = 0;     // wall time from start to end
    double cpuSeconds = 0;  // user and system time
    double peakMB = 0;      // largest resident set
};

struct ProgramOptions {
    std::string workDir;       // empty: the caller's
    long fullDiskAt = 0;       // > 0: writes beyond this many bytes into one file fail
};

inline ProgramRun RunProgram(const std::string& exe, const std::vector<std::string>& args,
                             const ProgramOptions& options = {}) {
    TempDir capture;
    const std::string outPath = (capture / "out").string(), errPath = (capture / "err").string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(exe.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2(::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        if (!options.workDir.empty() && ::chdir(options.workDir.c_str()) != 0) ::_exit(126);
        std::optional<FullDisk> full;
        if (options.fullDiskAt > 0) full.emplace(static_cast<rlim_t>(options.fullDiskAt));
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int ws = 0;
    rusage usage{};
    ::wait4(pid, &ws, 0, &usage);
    ProgramRun r;
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
    r.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    r.peakMB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kB on Linux
    r.out = TempDir::readFile(outPath);
    r.err = TempDir::readFile(errPath);
    return r;
}
