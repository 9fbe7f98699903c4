#include "FsizeLimit.h"
#include "SafeFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <system_error>

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

TEST(SafeFile, CopyAndWriteReplaceTheTargetByteForByte) {
    TempDir dir;
    const std::string bytes = allBytes(3 << 20);
    dir.write("old", "old contents that are longer than nothing");
    WriteFileReplacing(dir / "old", bytes);
    EXPECT_TRUE(dir.read("old") == bytes);
    dir.write("target", "previous, longer than the source would be if it were short");
    CopyFileReplacing(dir / "old", dir / "target");
    EXPECT_TRUE(dir.read("target") == bytes);
    EXPECT_TRUE(ReadWholeFile(dir / "target") == bytes);
}

TEST(SafeFile, AnEmptySourceGivesAnEmptyCopy) {
    TempDir dir;
    dir.write("empty", "");
    dir.write("target", "something");
    CopyFileReplacing(dir / "empty", dir / "target");
    EXPECT_EQ(dir.read("target"), "");
}

TEST(SafeFile, AFailedCopyOrWriteLeavesTheTargetAsItWasAndNoTemporaryBehind) {
    TempDir dir;
    dir.write("big", allBytes(1 << 20));
    dir.write("target", "keep me");
    {
        FsizeLimit limit(4096);
        EXPECT_EQ(failureOf([&] { CopyFileReplacing(dir / "big", dir / "target"); }),
                  (dir / "target").string() + ": File too large");
        EXPECT_EQ(failureOf([&] { WriteFileReplacing(dir / "target", std::string(5000, 'x')); }),
                  (dir / "target").string() + ": File too large");
    }
    EXPECT_EQ(dir.read("target"), "keep me");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(SafeFile, FailuresNameTheFileAndTheSystemReason) {
    TempDir dir;
    EXPECT_EQ(failureOf([&] { ReadWholeFile(dir / "missing"); }), (dir / "missing").string() + ": No such file or directory");
    EXPECT_EQ(failureOf([&] { ReadWholeFile(dir.path()); }), dir.str() + ": Is a directory");
    EXPECT_EQ(failureOf([&] { CopyFileReplacing(dir.path(), dir / "x"); }), dir.str() + ": Is a directory");
    EXPECT_EQ(failureOf([&] { WriteFileReplacing(dir / "no-folder" / "x", "bytes"); }),
              (dir / "no-folder" / "x").string() + ": No such file or directory");
}
