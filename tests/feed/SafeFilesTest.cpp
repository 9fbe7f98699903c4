// Files handled safely: links are replaced or refused, never followed; a
// fifo never blocks; profile reads are bounded.
#include "feed/ProfileStore.h"
#include "tests/feed/GenerateFixture.h"

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

using SafeFiles = GenerateFixture;

TEST_F(SafeFiles, PlantedLinksAsTestXmlAndSrcDatAreReplacedNotFollowed) {
    pages.write("victim", "precious");
    fs::create_symlink(pages / "victim", folder / "test.xml");
    fs::create_symlink(pages / "victim", folder / "src.dat");
    profile = NewFeedProfile("local");
    profile.SourceType = "Local";
    profile.Source = (pages / "page.html").string();
    profile.StartString = "<ul><li>";
    profile.StartItemString = "<li>";
    profile.EndString = "</ul>";
    ASSERT_TRUE(run("<ul><li>One:first</li></ul>")) << (dialogs.calls.empty() ? "" : dialogs.calls[0].text);
    EXPECT_EQ(pages.read("victim"), "precious");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "test.xml")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "src.dat")));
    EXPECT_NE(folder.read("test.xml").find("One"), std::string::npos);
}

TEST_F(SafeFiles, ALinkAFifoAndAnOversizedProfileAreBadFileFormatWithoutBlocking) {
    folder.write("000001.rss", ProfileFileContent(NewFeedProfile("real")));
    fs::create_symlink(folder / "000001.rss", folder / "000002.rss");
    ASSERT_EQ(::mkfifo((folder / "000003.rss").c_str(), 0644), 0);
    folder.write("000004.rss", ProfileFileContent(NewFeedProfile("huge")));
    fs::resize_file(folder / "000004.rss", MaxProfileBytes + 1);  // sparse: costs no disk
    for (const char* name : {"000002.rss", "000003.rss", "000004.rss"}) {
        ProfileSession session;
        ScriptedDialogs d;
        EXPECT_FALSE(ReadProfile(folder.path(), name, session, d)) << name;
        ASSERT_EQ(d.calls.size(), 1u);
        EXPECT_EQ(d.calls[0].text, "Bad file format");
    }
    EXPECT_EQ(LoadProfilesInList(folder.path()), (std::vector<std::string>{"real (000001.rss)", "huge (000004.rss)"}));
}
