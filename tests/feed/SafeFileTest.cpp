#include "FsizeLimit.h"
#include "SafeFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string failureOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return DescribeFailure(e);
    }
    return "no failure";
}

std::string allBytes(std::size_t size) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i * 7 + i / 256);
    return s;
}

}  // namespace

TEST(SafeFile, CopyAndWriteReplaceTheTargetByteForByteEvenWhenEmpty) {
    TempDir dir;
    const std::string bytes = allBytes(3 << 20);
    dir.write("old", "old contents that are longer than nothing");
    WriteFileReplacing(dir / "old", bytes);
    EXPECT_TRUE(dir.read("old") == bytes);
    dir.write("target", "previous, longer than the source would be if it were short");
    CopyFileReplacing(dir / "old", dir / "target");
    EXPECT_TRUE(ReadWholeFile(dir / "target") == bytes);
    dir.write("empty", "");
    CopyFileReplacing(dir / "empty", dir / "target");
    EXPECT_EQ(dir.read("target"), "");
}

TEST(SafeFile, FailuresNameTheFileAndReasonAndLeaveTheTargetAsItWasWithNoTemporaryBehind) {
    TempDir dir;
    dir.write("big", allBytes(1 << 20));
    dir.write("target", "keep me");
    const std::string target = (dir / "target").string();
    {
        FsizeLimit limit(4096);
        EXPECT_EQ(failureOf([&] { CopyFileReplacing(dir / "big", dir / "target"); }), target + ": File too large");
        EXPECT_EQ(failureOf([&] { WriteFileReplacing(dir / "target", std::string(5000, 'x')); }),
                  target + ": File too large");
    }
    EXPECT_EQ(failureOf([&] { ReadWholeFile(dir / "missing"); }), (dir / "missing").string() + ": No such file or directory");
    EXPECT_EQ(failureOf([&] { ReadWholeFile(dir.path()); }), dir.str() + ": Is a directory");
    EXPECT_EQ(failureOf([&] { CopyFileReplacing(dir.path(), dir / "target"); }), dir.str() + ": Is a directory");
    EXPECT_EQ(failureOf([&] { WriteFileReplacing(dir / "no-folder" / "x", "bytes"); }),
              (dir / "no-folder" / "x").string() + ": No such file or directory");
    EXPECT_EQ(dir.read("target"), "keep me");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}
