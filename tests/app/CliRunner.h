#pragma once
// Runs the veltrane program with arguments and collects its exit status,
// standard output and standard error.
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/support/TempDir.h"

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// `fileSizeLimit` > 0 makes every write beyond that many bytes into one
// file fail in the child, as on a full disk.
inline CliResult runProgram(const std::string& exe, const std::vector<std::string>& args, long fileSizeLimit = 0,
                            const std::string& workDir = "") {
    TempDir capture;
    const std::string outPath = (capture / "out").string(), errPath = (capture / "err").string();
    pid_t pid = ::fork();
    if (pid == 0) {
        int o = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int e = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(o, 1);
        ::dup2(e, 2);
        if (!workDir.empty() && ::chdir(workDir.c_str()) != 0) ::_exit(126);
        if (fileSizeLimit > 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit lim{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &lim);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(exe.c_str()));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int ws = 0;
    ::waitpid(pid, &ws, 0);
    CliResult r;
    r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
    r.out = TempDir::readFile(outPath);
    r.err = TempDir::readFile(errPath);
    return r;
}
