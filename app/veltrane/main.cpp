// veltrane: the feed engine for scripts and scheduled runs.
#include "app/veltrane/Cli.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

// The folder of the executable: where the window keeps its profiles too.
std::filesystem::path programFolder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::absolute(argv0, ec);
    return exe.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    int rc = cli::run(args, programFolder(argv[0]), std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "veltrane: cannot write to standard output\n";
        if (rc == cli::ExitOk) rc = cli::ExitFailed;
    }
    return rc;
}
