// The demo profile follows the program folder it is in; nothing else moves.
#include "app/myveltrane/DemoProfile.h"

#include "feed/ProfileStore.h"
#include "tests/mainwindow/DemoFiles.h"

#include <gtest/gtest.h>

TEST(RelayDemoProfile, OnlyTheDemoProfileIsPointedAtThePageBesideTheProgram) {
    // The demo profile as the build lays it, naming a folder that is gone.
    const std::string gone = "/gone/bin/demo/harbour-news.htm";
    const std::string built = DemoProfile(gone);
    ASSERT_NE(built.find(gone), std::string::npos) << "set MV_SOURCE_DIR to the repository";

    TempDir program;
    program.write("000001.rss", built);
    std::string chosen = built;  // the user pointed the demo at a page of their own
    chosen.replace(chosen.find(gone), gone.size(), "/home/u/page.htm");
    program.write("000002.rss", chosen);
    FeedProfile mine = NewFeedProfile("Mine");  // another profile on the demo page
    mine.SourceType = "Local";
    mine.Source = gone;
    program.write("000003.rss", ProfileFileContent(mine));

    EXPECT_TRUE(RelayDemoProfile(program.path()).empty()) << "no page beside the program to point at";
    std::filesystem::create_directory(program / "demo");
    program.write("demo/harbour-news.htm", "<p>page</p>");
    EXPECT_EQ(RelayDemoProfile(program.path()), std::vector<std::string>{"000001.rss"});
    std::string expected = built;
    expected.replace(expected.find(gone), gone.size(), (program / "demo/harbour-news.htm").string());
    EXPECT_EQ(program.read("000001.rss"), expected);
    EXPECT_EQ(program.read("000002.rss"), chosen);
    EXPECT_EQ(program.read("000003.rss"), ProfileFileContent(mine));
    EXPECT_TRUE(RelayDemoProfile(program.path()).empty()) << "at home it stays";
}
