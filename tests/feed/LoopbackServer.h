#pragma once
// One HTTP server on 127.0.0.1 for a whole test program, serving a
// temporary folder. Started on first use, stopped at the end of the run
// (and on its own when the test program dies).
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "TempDir.h"

class LoopbackServer {
public:
    static LoopbackServer& instance() {
        static LoopbackServer server;  // stopped when the program exits
        return server;
    }

    // Base address, e.g. "http://127.0.0.1:41234/"; empty if the server
    // could not be started.
    const std::string& base() {
        if (pid_ == 0) start();
        return base_;
    }
    const TempDir& root() const { return root_; }
    ~LoopbackServer() { stop(); }

private:
    void start() {
        // The download must reach the loopback server directly.
        for (const char* v : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            ::unsetenv(v);
        ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
        ::setenv("no_proxy", "127.0.0.1,localhost", 1);
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::close(fds[1]);
            ::execlp("python3", "python3", "-u", LOOPBACK_SERVER_SCRIPT, root_.str().c_str(), (char*)nullptr);
            ::_exit(127);
        }
        ::close(fds[1]);
        std::FILE* f = ::fdopen(fds[0], "r");
        char line[64] = {0};
        if (f && std::fgets(line, sizeof line, f)) {
            int port = std::atoi(line);
            if (port > 0) base_ = "http://127.0.0.1:" + std::to_string(port) + "/";
        }
        if (f) std::fclose(f);
    }
    void stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

    TempDir root_;
    pid_t pid_ = 0;
    std::string base_;
};
