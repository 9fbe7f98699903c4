#pragma once
// One HTTP server on 127.0.0.1 for a whole test program, serving a
// temporary folder (starting one costs about half a second). Started on
// first use; it ends on its own within half a second of the test program's
// end (the script watches its parent). Besides the folder's files it knows
// a few failing addresses: see loopback_server.py.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/TempDir.h"

class LoopbackServer {
public:
    static LoopbackServer& instance() {
        static LoopbackServer server;
        return server;
    }
    // Base address, e.g. "http://127.0.0.1:41234/"; empty if the server
    // could not be started.
    const std::string& base() const { return base_; }
    const TempDir& root() const { return root_; }

private:
    LoopbackServer() {
        // The download must reach the loopback server directly.
        for (const char* v : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            ::unsetenv(v);
        ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
        ::setenv("no_proxy", "127.0.0.1,localhost", 1);
        // exec: the server's parent is this program, not a shell.
        const std::string command =
            "exec python3 -u '" LOOPBACK_SERVER_SCRIPT "' '" + root_.str() + "' 2>/dev/null";
        std::FILE* port = ::popen(command.c_str(), "r");  // left open: the server's output ends with it
        char line[64] = {0};
        if (port && std::fgets(line, sizeof line, port) && std::atoi(line) > 0)
            base_ = "http://127.0.0.1:" + std::to_string(std::atoi(line)) + "/";
    }

    TempDir root_;
    std::string base_;
};
