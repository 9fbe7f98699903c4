// Where a program keeps its profiles: beside a build's executable, in the
// user's data folder once installed, and what the first start lays there.
#include "app/ProgramFolder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using programfolder::Choose;

TEST(ProgramFolder, BuildOrPortableFolderIsTheExecutablesFolder) {
    TempDir t;
    fs::create_directories(t / "build/bin");
    // bin/ alone is no install: an install also lays share/myveltrane.
    EXPECT_EQ(Choose(t / "build/bin", "/usr/bin", "/x/data", "/home/u"), t / "build/bin");
    EXPECT_EQ(Choose(t.path(), "/usr/bin", "/x/data", "/home/u"), t.path());
}

TEST(ProgramFolder, InstalledProgramUsesTheUserDataFolder) {
    TempDir t;
    fs::create_directories(t / "prefix/bin");
    const fs::path bin = t / "prefix/bin";
    EXPECT_EQ(Choose(bin, bin, "/x/data", "/home/u"), fs::path("/x/data/myveltrane"));
    // Unset or relative XDG_DATA_HOME: the default under the home folder.
    EXPECT_EQ(Choose(bin, bin, nullptr, "/home/u"), fs::path("/home/u/.local/share/myveltrane"));
    EXPECT_EQ(Choose(bin, bin, "data", "/home/u"), fs::path("/home/u/.local/share/myveltrane"));
    // Installed under another prefix than the one built for (DESTDIR, --prefix).
    fs::create_directories(t / "prefix/share/myveltrane");
    EXPECT_EQ(Choose(bin, "/usr/bin", "/x/data", "/home/u"), fs::path("/x/data/myveltrane"));
}

TEST(ProgramFolder, FirstStartLaysTheDemoAndKeepsAUsersProfiles) {
    TempDir data, home;
    data.write("demo-profile.txt", "My Veltrane\nHarbour demo\nLocal\n@PAGE@\n");
    fs::create_directories(data / "demo");
    data.write("demo/harbour-news.htm", "<p>news</p>");

    const fs::path folder = home / "share/myveltrane";
    ASSERT_TRUE(programfolder::LayDemo(folder, data.path()));
    const fs::path page = folder / "demo/harbour-news.htm";
    EXPECT_EQ(TempDir::readFile(page), "<p>news</p>");
    EXPECT_EQ(TempDir::readFile(folder / "000001.rss"),
              "My Veltrane\r\nHarbour demo\r\nLocal\r\n" + page.string() + "\r\n");

    // A folder that already holds a profile gets no demo profile.
    fs::remove(folder / "000001.rss");
    home.write("share/myveltrane/000007.rss", "mine");
    ASSERT_TRUE(programfolder::LayDemo(folder, data.path()));
    EXPECT_FALSE(fs::exists(folder / "000001.rss"));
    EXPECT_EQ(home.read("share/myveltrane/000007.rss"), "mine");
}
