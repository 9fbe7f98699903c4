// The reader-ready document written by GenerateFeed for FeedFormat "2.0".
#include "feed/FolderLock.h"
#include "tests/feed/GenerateFixture.h"
#include "tests/feed/StrictXml.h"

#include <regex>
#include <thread>

namespace {

// A Windows-1252 page naming its encoding, with a base address, a link two
// items share and an item without any link.
const std::string Page =
    "<html><head><meta charset=\"windows-1252\"><title>Harbour &amp; Town</title>"
    "<base href=\"http://harbour.example/news/\"></head><body><ul>"
    "<li><a href=\"story-1.html\">Caf\xe9 opens &amp; more</a><p>First <b>story</b><script>x()</script></p></li>"
    "<li><a href=\"/section/\">Section</a> <a class=\"headline\" href=\"story-2.html?a=1&amp;b=2\">Second</a>"
    "<p>Two</p></li>"
    "<li><a href=\"/section/\">Section</a> <a class=\"headline\" href=\"story-3.html\">Third</a><p>Three</p></li>"
    "<li>No link here<p>Four \x93quoted\x94</p></li></ul></body></html>";

class ReaderFeed : public GenerateFixture {
protected:
    void SetUp() override {
        profile = NewFeedProfile("Harbour");
        profile.SourceType = "Local";
        profile.Source = (pages / "page.html").string();
        profile.FeedFormat = "2.0";
        profile.StartString = "<ul><li>";
        profile.StartItemString = "<li>";
        profile.EndString = "</ul>";
        profile.TitleEndString = "<p>";
        profile.EndItemString = "</li>";
        profile.FeedLink = "http://x/?a=1&b=2";
        profile.StripHTMLTags = "1";
    }
};

std::string guidKind(const std::string& doc, std::size_t item) {
    std::size_t at = 0;
    for (std::size_t i = 0; i <= item; ++i) at = doc.find("<guid isPermaLink=\"", at) + 19;
    return doc.substr(at, doc.find('"', at) - at);
}

}  // namespace

TEST_F(ReaderFeed, ItemsGetPlainUtf8TitlesAbsoluteLinksAndGuidsReadersTellApart) {
    ASSERT_TRUE(run(Page)) << dialogs.messages().at(0).text;
    const std::string doc = document();
    EXPECT_TRUE(doc.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<rss version=\"2.0\">\r\n<channel>\r\n"
                                "<title>Harbour &amp; Town</title>\r\n<link>http://x/?a=1&amp;b=2</link>\r\n"
                                "<description>Harbour &amp; Town</description>\r\n"
                                "<generator>My Veltrane</generator>\r\n<lastBuildDate>"));
    EXPECT_TRUE(std::regex_search(doc, std::regex("<lastBuildDate>(Mon|Tue|Wed|Thu|Fri|Sat|Sun), [0-3][0-9] "
                                                  "[A-Z][a-z][a-z] 20[0-9][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] "
                                                  "\\+0000</lastBuildDate>")));
    const auto items = strict::items(doc);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].title, "Caf\xc3\xa9 opens & more");
    EXPECT_EQ(items[0].link, "http://harbour.example/news/story-1.html");
    EXPECT_EQ(items[0].guid, items[0].link);
    EXPECT_EQ(items[0].description, "First story");
    // Two items share /section/: neither may claim it as its own guid.
    EXPECT_EQ(items[1].title, "Section Second");
    EXPECT_EQ(items[1].link, "http://harbour.example/section/");
    EXPECT_EQ(items[2].link, items[1].link);
    EXPECT_NE(items[1].guid, items[2].guid);
    EXPECT_EQ(items[3].link, "http://x/?a=1&b=2");  // no link of its own: the feed's
    EXPECT_EQ(items[3].description, "Four \xe2\x80\x9cquoted\xe2\x80\x9d");
    EXPECT_EQ((std::vector<std::string>{guidKind(doc, 0), guidKind(doc, 1), guidKind(doc, 2), guidKind(doc, 3)}),
              (std::vector<std::string>{"true", "false", "false", "false"}));
    for (const auto& it : items) EXPECT_TRUE(std::regex_match(it.guid, std::regex("http.*|[0-9a-f]{16}"))) << it.guid;

    // The same page gives the same guids on the next run.
    ASSERT_TRUE(run(Page));
    const auto again = strict::items(document());
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(again[i].guid, items[i].guid) << i;
}

TEST_F(ReaderFeed, TheLinkMarkerPicksTheLinkAndUnstrippedDescriptionsAreSafeMarkup) {
    profile.LinkString = "class=\"headline\"";
    profile.StripHTMLTags = "0";
    profile.TitleEndString = "";
    profile.FeedTitle = "My \xe9 feed";  // one byte a character, as the window stores it
    ASSERT_TRUE(run(Page, true));
    const std::string doc = document();
    EXPECT_NE(doc.find("<title>My \xc3\xa9 feed</title>"), std::string::npos);
    const auto items = strict::items(doc);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].link, "http://x/?a=1&b=2");  // no marker in the item
    EXPECT_EQ(items[1].link, "http://harbour.example/news/story-2.html?a=1&b=2");
    EXPECT_EQ(items[2].link, "http://harbour.example/news/story-3.html");
    EXPECT_EQ(guidKind(doc, 1), "true");
    EXPECT_EQ(items[0].title, "My \xc3\xa9 feed");  // "Use Feed Title" answered Yes
    EXPECT_EQ(items[0].description,
              "<a href=\"http://harbour.example/news/story-1.html\">Caf\xc3\xa9 opens &amp; more</a>"
              "<p>First <b>story</b></p>");
}

TEST(FolderLock, ASecondRunWaitsForTheFirstAndGivesUpWhenItTakesTooLong) {
    TempDir folder;
    auto first = FolderLock::Acquire(folder.path(), std::chrono::milliseconds(0));
    ASSERT_TRUE(first);
    EXPECT_FALSE(FolderLock::Acquire(folder.path(), std::chrono::milliseconds(50)));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        first.reset();
    });
    EXPECT_TRUE(FolderLock::Acquire(folder.path(), std::chrono::seconds(30)));
    release.join();
    EXPECT_EQ(LockTimeoutMessage("/p", std::chrono::seconds(60)),
              "Another feed generation in /p did not finish within 60 seconds, Please try again.");
}
