#pragma once
// --help and --version, answered by every program before anything else
// starts: no window opens, no file is written, the exit status is 0.
#include <cstdio>
#include <cstring>

#ifndef MV_VERSION
#error "MV_VERSION is set for the programs by app/CMakeLists.txt"
#endif

// Returns -1 when neither option is on the command line; otherwise prints
// the answer on standard output and returns the exit status, 0. The usage
// text is printed as given and should end in a line break. Arguments after
// "--" are not options.
inline int answerStandardOptions(int argc, char** argv, const char* program, const char* usage) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", program, MV_VERSION);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    return -1;
}
