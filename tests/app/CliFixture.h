#pragma once
// veltrane run as a program over a temporary profiles' folder, with the
// local pages and outputs in a second one.
#include "tests/support/RunProgram.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

class CliTest : public ::testing::Test {
protected:
    TempDir dir;    // the profiles' folder
    TempDir pages;  // pages and outputs

    ProgramRun run(std::vector<std::string> args, long fullDiskAt = 0) {
        args.insert(args.begin(), {"--dir", dir.str()});
        return RunProgram(VELTRANE_EXE, args, {.workDir = {}, .fullDiskAt = fullDiskAt});
    }
    // A local profile over pages/FILE.html cutting <li> items out of `page`,
    // titles ending at ":", descriptions at "</li>".
    void profile(const std::string& file, const std::string& title, const std::string& page,
                 const std::string& format = "") {
        pages.write(file + ".html", page);
        std::string lines = "My Veltrane\r\n" + title + "\r\nLocal\r\n" + (pages / (file + ".html")).string() +
                            "\r\n<ul><li>\r\n<li>\r\n</ul>\r\n" + title + "\r\n\r\nhttp://example.com/\r\n:\r\n</li>\r\n0\r\n";
        if (!format.empty()) lines += format + "\r\n\r\n";
        dir.write(file, lines);
    }
};
