// veltrane: the feed engine for scripts and scheduled runs.
#include "app/ProgramFolder.h"
#include "app/veltrane/Cli.h"

#include <filesystem>
#include <iostream>

namespace {

// Whether the program's folder is needed: --dir replaces it, and --help or
// --version write nothing, so then it is neither looked for nor created.
bool needsProgramFolder(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--") break;
        if (a == "--dir" || a.rfind("--dir=", 0) == 0 || a == "--help" || a == "-h" || a == "--version")
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::filesystem::path folder =
        needsProgramFolder(args) ? programfolder::ForThisProgram(argv[0]) : std::filesystem::path();
    int rc = cli::run(args, folder, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "veltrane: cannot write to standard output\n";
        if (rc == cli::ExitOk) rc = cli::ExitFailed;
    }
    return rc;
}
