#pragma once
// The demo profile and page that ship beside the program, read from the
// repository named by MV_SOURCE_DIR.
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <string>

inline std::string DemoFile(const std::string& name) {
    const char* root = std::getenv("MV_SOURCE_DIR");
    return TempDir::readFile(std::filesystem::path(root ? root : ".") / "app/myveltrane/demo" / name);
}

// The demo profile as the build lays it out: CR LF line ends and the page
// at `page`; empty when the repository is not found.
inline std::string DemoProfile(const std::string& page) {
    std::string lines;
    for (char c : DemoFile("demo-profile.txt")) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    if (const auto at = lines.find("@PAGE@"); at != std::string::npos) lines.replace(at, 6, page);
    return lines;
}
