// Files handled safely: links are replaced or refused, never followed; a
// fifo never blocks; profile reads are bounded.
#include "feed/FeedBuilder.h"
#include "feed/ProfileStore.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(SafeFiles, PlantedLinksAsTestXmlAndSrcDatAreReplacedNotFollowed) {
    TempDir folder, outside;
    outside.write("victim", "precious");
    outside.write("page.html", "<ul><li>One:first</li></ul>");
    fs::create_symlink(outside / "victim", folder / "test.xml");
    fs::create_symlink(outside / "victim", folder / "src.dat");
    FeedProfile p = NewFeedProfile("local");
    p.SourceType = "Local";
    p.Source = (outside / "page.html").string();
    p.StartString = "<ul><li>";
    p.StartItemString = "<li>";
    p.EndString = "</ul>";
    ScriptedDialogs d;
    d.answers.push_back(false);
    ASSERT_TRUE(GenerateFeed(folder.path(), p, "", d)) << (d.calls.empty() ? "" : d.calls[0].text);
    EXPECT_EQ(outside.read("victim"), "precious");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "test.xml")));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "src.dat")));
    EXPECT_NE(folder.read("test.xml").find("One"), std::string::npos);
}

TEST(SafeFiles, ALinkAFifoAndAnOversizedProfileAreBadFileFormatWithoutBlocking) {
    TempDir folder;
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
