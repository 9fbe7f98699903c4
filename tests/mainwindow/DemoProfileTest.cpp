// The demo profile and page that ship beside the program make a feed with
// no network, through the window.
#include "WindowFixture.h"
#include "htmSyntaxBox.h"

#include <QPushButton>

#include <cstdlib>

namespace {
std::string sourceFile(const std::string& relative) {
    const char* root = std::getenv("MV_SOURCE_DIR");
    return TempDir::readFile(std::filesystem::path(root ? root : ".") / relative);
}
}  // namespace

TEST_F(WindowTest, TheDemoProfileMakesAFeedFromTheBundledPage) {
    const std::string page = sourceFile("app/myveltrane/demo/harbour-news.htm");
    std::string profile = sourceFile("app/myveltrane/demo/demo-profile.txt");
    ASSERT_FALSE(page.empty()) << "set MV_SOURCE_DIR to the repository";
    dir.write("harbour-news.htm", page);
    // As the build lays it out: CR LF lines, the page's full path on line 4.
    std::string lines;
    for (char c : profile) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    lines.replace(lines.find("@PAGE@"), 6, (dir / "harbour-news.htm").string());
    dir.write("000001.rss", lines);

    open();
    ASSERT_EQ(w->List1->count(), 1);
    EXPECT_EQ(w->List1->item(0)->text(), "Harbour Town Weekly - demo (000001.rss)");
    clickEntry("000001.rss");
    click(w->wenButtons_H4);
    EXPECT_EQ(w->Label6->text().toStdString(), (dir / "harbour-news.htm").string());
    clickTab(2);
    dialogs.answers.push_back(true);
    dialogs.files.push_back((dir / "harbour").string());
    click(w->Command3);
    ASSERT_TRUE(dialogs.messages().empty()) << lastMessage();

    const std::string feed = dir.read("harbour.xml");
    EXPECT_EQ(feed, dir.read("test.xml"));
    size_t items = 0;
    for (size_t at = feed.find("<item>"); at != std::string::npos; at = feed.find("<item>", at + 1)) ++items;
    EXPECT_EQ(items, 4u);
    EXPECT_NE(feed.find("<title>\r\nWinter timetable for the island ferry\r\n</title>"), std::string::npos) << feed;
    EXPECT_NE(feed.find("<description>\r\nThe Saturday fish market opens in the old rope hall until March, same "
                        "stalls, same hours: 6:00 to 12:00.\r\n</description>"),
              std::string::npos)
        << feed;
    EXPECT_EQ(w->SSTab1->currentIndex(), 3);
}
