#include "FeedBuilder.h"
#include "FsizeLimit.h"
#include "MdlRSSHead.h"
#include "PageSource.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::string CRLF = "\r\n";

std::string header(const std::string& title = "", const std::string& link = "", const std::string& desc = "") {
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<rss version=\"0.91\">\r\n<channel>\r\n<title>" +
           title + "</title>\r\n<link>" + link + "</link>\r\n<description>" + desc +
           "</description>\r\n<language>en-us</language>\r\n";
}

std::string item(const std::string& title, const std::string& link, const std::string& desc) {
    return "<item>\r\n<title>\r\n" + title + "\r\n</title>\r\n<link>\r\n" + link + "\r\n</link>\r\n<description>\r\n" +
           desc + "\r\n</description>\r\n</item>\r\n";
}

const std::string closing = "</channel>\r\n</rss>\r\n";

// A local profile over a page written into a second temporary folder.
class Generate : public ::testing::Test {
protected:
    TempDir folder;  // the program's folder
    TempDir pages;
    FeedProfile profile;
    ScriptedDialogs dialogs;

    void SetUp() override {
        profile = NewFeedProfile("Test");
        profile.SourceType = "Local";
        profile.Source = (pages / "page.html").string();
        profile.FeedLink = "http://example.com/";
    }

    bool run(const std::string& page, bool useFeedTitle = false) {
        pages.write("page.html", page);
        dialogs.answers.push_back(useFeedTitle);
        return GenerateFeed(folder.path(), profile, "", dialogs);
    }
    std::string document() const { return folder.read("test.xml"); }

    void expectStop(const std::string& text, MessageIcon icon) {
        auto m = dialogs.messages();
        ASSERT_EQ(m.size(), 1u);
        EXPECT_EQ(m[0].text, text);
        EXPECT_EQ(m[0].icon, icon);
        EXPECT_EQ(m[0].title, "My Veltrane");
    }
};

}  // namespace

TEST(MdlRSSHead, BuildsTheSevenHeaderLinesWithTheirPlaceholders) {
    EXPECT_EQ(BuildRSSHeader(), (std::vector<std::string>{
                                    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",
                                    "<rss version=\"0.91\">",
                                    "<channel>",
                                    "<title>#FEED_TITLE#</title>",
                                    "<link>#FEED_LINK#</link>",
                                    "<description>#FEED_DESCRIPTION#</description>",
                                    "<language>en-us</language>",
                                }));
}

TEST_F(Generate, TheDefaultMarkersMakeTheWholeBodyOneItem) {
    ASSERT_TRUE(run("<html><head><title>T</title></head>\r\n<body><p>Hello</p></body></html>"));
    EXPECT_EQ(document(), header("", "http://example.com/") + item(".", "http://example.com/", "\r\n<body><p>Hello</p>") + closing);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, DialogCall::Question);
    EXPECT_EQ(dialogs.calls[0].text, "Use Feed Title where Item Title is empty");
    EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.calls[0].title, "My Veltrane");
}

TEST_F(Generate, CutsTitlesAndDescriptionsByTheirMarkersWithStrippingOff) {
    profile.StartString = "<ul><li>";
    profile.StartItemString = "<li>";
    profile.EndString = "</ul>";
    profile.TitleEndString = "</a>";
    profile.EndItemString = "</li>";
    profile.FeedTitle = "Tom & Jerry";
    profile.FeedDesc = "d";
    ASSERT_TRUE(run("<p>x</p><ul><li><a>One</a> first</li><li><a>Two</a>\tsecond</li></ul><ul>"));
    EXPECT_EQ(document(), header("Tom & Jerry", "http://example.com/", "d") +
                              item("<a>One", "http://example.com/", "</a> first") +
                              item("<a>Two", "http://example.com/", "</a>\tsecond") + closing);
}

TEST_F(Generate, StrippingCleansTitlesAndDescriptionsIntoPlainText) {
    profile.StartString = "<ul>";
    profile.StartItemString = "<li>";
    profile.EndString = "</ul>";
    profile.TitleEndString = "</a>";
    profile.StripHTMLTags = "yes";
    ASSERT_FALSE(run("<ul><li><a href=\"/x\">One &amp; two</a>\r\n  <b>first</b>&nbsp;line</li></ul>"));
    // Item 1 is empty: it cannot hold the Title End String.
    expectStop("Source webpage does not contains the Title End String:</a> in Feed Item 1", MessageIcon::Warning);
    EXPECT_EQ(document(), header("", "http://example.com/"));

    dialogs = ScriptedDialogs{};
    profile.StartString = "<ul><li>";
    ASSERT_TRUE(run("<ul><li><a href=\"/x\">One &amp; two</a>\r\n  <b>first</b>&nbsp;line</li></ul>"));
    EXPECT_EQ(document(), header("", "http://example.com/") +
                              item("One amp; two", "http://example.com/", "first line") + closing);
}

TEST_F(Generate, ItemsAreCutAtEveryStartItemStringAndTheFirstPieceCounts) {
    profile.StartString = "<channel>";
    profile.StartItemString = "<item>";
    profile.EndString = "</channel>";
    profile.TitleEndString = "</title>";
    ASSERT_FALSE(run("<channel> <item>a</title>b</item><item>c</title>d</item></channel>"));
    expectStop("Source webpage does not contains the Title End String:</title> in Feed Item 1",
               MessageIcon::Warning);
    EXPECT_EQ(document(), header("", "http://example.com/"));  // stopped after the header, file closed
}

TEST_F(Generate, AnEmptyTitleEndStringGivesDotTitlesOrTheFeedTitleWhenAsked) {
    profile.StartString = "[";
    profile.StartItemString = "|";
    profile.EndString = "]";
    profile.TitleEndString = "";
    profile.FeedTitle = "Feed";
    ASSERT_TRUE(run("......[a|b|c]...", false));
    EXPECT_EQ(document(), header("Feed", "http://example.com/") + item(".", "http://example.com/", "a") +
                              item(".", "http://example.com/", "b") + item(".", "http://example.com/", "c") + closing);
    dialogs = ScriptedDialogs{};
    ASSERT_TRUE(run("......[a|b|c]...", true));
    EXPECT_EQ(document(), header("Feed", "http://example.com/") + item("Feed", "http://example.com/", "a") +
                              item("Feed", "http://example.com/", "b") + item("Feed", "http://example.com/", "c") +
                              closing);
}

TEST_F(Generate, OnlyATitleOfExactlyADotIsReplacedByTheFeedTitle) {
    profile.StartString = "[";
    profile.StartItemString = "|";
    profile.EndString = "]";
    profile.TitleEndString = ":";
    profile.StripHTMLTags = "1";
    profile.FeedTitle = "Feed";
    ASSERT_TRUE(run("......[<b></b>:x|.:y]", true));
    EXPECT_EQ(document(), header("Feed", "http://example.com/") + item("", "http://example.com/", ":x") +
                              item("Feed", "http://example.com/", ":y") + closing);
}

TEST_F(Generate, AnEndItemStringEqualToTheTitleEndStringLeavesEveryDescriptionEmpty) {
    profile.StartString = "[";
    profile.StartItemString = "|";
    profile.EndString = "]";
    profile.TitleEndString = ":";
    profile.EndItemString = ":";
    ASSERT_TRUE(run("......[t1:d1|t2:d2]"));
    EXPECT_EQ(document(), header("", "http://example.com/") + item("t1", "http://example.com/", "") +
                              item("t2", "http://example.com/", "") + closing);
}

TEST_F(Generate, TheEndItemStringCutsTheDescriptionAfterTheTitle) {
    profile.StartString = "[";
    profile.StartItemString = "|";
    profile.EndString = "]";
    profile.TitleEndString = ":";
    profile.EndItemString = ";";
    ASSERT_TRUE(run("......[t1:d1;rest|t2:;]"));
    EXPECT_EQ(document(), header("", "http://example.com/") + item("t1", "http://example.com/", ":d1") +
                              item("t2", "http://example.com/", ":") + closing);
}

TEST_F(Generate, AMissingEndItemStringStopsAtItsItemWithItsNumber) {
    profile.StartString = "[";
    profile.StartItemString = "|";
    profile.EndString = "]";
    profile.TitleEndString = ":";
    profile.EndItemString = ";";
    ASSERT_FALSE(run("......[t1:d1;|t2:d2;|t3:d3]"));
    expectStop("Source webpage does not contains the Item End String:; in Feed Item 3", MessageIcon::Warning);
    EXPECT_EQ(document(), header("", "http://example.com/") + item("t1", "http://example.com/", ":d1") +
                              item("t2", "http://example.com/", ":d2"));
}

TEST_F(Generate, AnEndItemStringOnlyBeforeTheDescriptionIsAFailure) {
    profile.StartString = "[";
    profile.StartItemString = "|";
    profile.EndString = "]";
    profile.TitleEndString = ":";
    profile.EndItemString = ";";
    ASSERT_FALSE(run("......|[t;1:d1]"));
    expectStop("The Item End String does not occur after the Title End String in Feed Item 1\r\n"
               "Unable to generate RSS Feed",
               MessageIcon::Error);
}

TEST_F(Generate, AnEmptyEndStringGivesADocumentWithoutItems) {
    profile.EndString = "";
    ASSERT_TRUE(run("<html><head></head><body>x</body></html>"));
    EXPECT_EQ(document(), header("", "http://example.com/") + closing);
    EXPECT_EQ(dialogs.calls.size(), 1u);  // the question is still asked
}

TEST_F(Generate, AnEndStringOnlyBeforeTheStartStringIsAFailureThatLeavesTestXmlAlone) {
    folder.write("test.xml", "previous");
    profile.StartString = "<body>";
    profile.EndString = "</head>";
    profile.StartItemString = "x";
    ASSERT_FALSE(run("<html><head></head><body>x</html>"));
    expectStop("The End String does not occur after the Start String: </head>\r\nUnable to generate RSS Feed",
               MessageIcon::Error);
    EXPECT_EQ(document(), "previous");
}

TEST_F(Generate, ChecksTheLengthThenStartEndAndItemStartInThatOrder) {
    folder.write("test.xml", "previous");
    ASSERT_FALSE(run("123456789"));
    expectStop("Invalid Source page, Unable to generate feed.", MessageIcon::Error);

    struct Case {
        std::string start, end, itemStart, message;
    };
    const std::vector<Case> cases = {
        {"<x>", "<y>", "<z>", "Source webpage does not contains the Start String:<x>"},
        {"<a>", "<y>", "<z>", "Source webpage does not contains the End String:<y>"},
        {"<a>", "<b>", "<z>", "Source webpage does not contains the Item Start String:<z>"},
        {"<A>", "<b>", "<c>", "Source webpage does not contains the Start String:<A>"},  // exact case
    };
    for (const Case& c : cases) {
        dialogs = ScriptedDialogs{};
        profile.StartString = c.start;
        profile.EndString = c.end;
        profile.StartItemString = c.itemStart;
        ASSERT_FALSE(run("<a>1<c>2<b>3"));
        expectStop(c.message, MessageIcon::Warning);
        EXPECT_TRUE(dialogs.calls.size() == 1) << "no question before the checks pass";
    }
    EXPECT_EQ(document(), "previous");
}

TEST_F(Generate, APageOfTenCharactersPassesTheLengthCheck) {
    profile.StartString = "";
    profile.StartItemString = "";
    profile.EndString = "9";
    ASSERT_TRUE(run("0123456789"));
    EXPECT_EQ(document(), header("", "http://example.com/") + item(".", "http://example.com/", "012345678") + closing);
}

TEST_F(Generate, TheRegionStartingWithTheItemMarkerGivesAnEmptyFirstItemThatStopsTheRun) {
    profile.StartString = "<ul>";
    profile.StartItemString = "<li>";
    profile.EndString = "</ul>";
    profile.TitleEndString = "";
    ASSERT_FALSE(run("<ul><li>a<li>b</ul>......"));
    expectStop("Source webpage does not contains the Title End String: in Feed Item 1", MessageIcon::Warning);
}

TEST_F(Generate, HeaderValuesGoInUnescapedAndBytesPassThrough) {
    profile.FeedTitle = "A & B <i>";
    profile.FeedLink = "http://x/?a=1&b=2";
    profile.FeedDesc = "caf\xe9 #FEED_TITLE#";
    const std::string body("\r\n\xe9\xff\x01 <p>", 9);
    ASSERT_TRUE(run("<html><head></head>" + body + "</body>"));
    EXPECT_EQ(document(), header("A & B <i>", "http://x/?a=1&b=2", "caf\xe9 #FEED_TITLE#") +
                              item(".", "http://x/?a=1&b=2", body) + closing);
}

TEST_F(Generate, MoreThan32767ItemsAreAllWritten) {
    profile.StartString = "[";
    profile.StartItemString = "|";
    profile.EndString = "]";
    profile.TitleEndString = ":";
    std::string page = "..........[";
    const int count = 40000;
    for (int i = 0; i < count; ++i) page += (i ? "|t:" : "t:") + std::to_string(i);
    page += "]";
    ASSERT_TRUE(run(page));
    const std::string doc = document();
    std::size_t items = 0;
    for (std::size_t at = 0; (at = doc.find("<item>", at)) != std::string::npos; ++at) ++items;
    EXPECT_EQ(items, static_cast<std::size_t>(count));
    EXPECT_NE(doc.find(item("t", "http://example.com/", ":39999") + closing), std::string::npos);
}

TEST_F(Generate, AFailedWriteOfTheDocumentReportsTheSystemReason) {
    profile.StartString = "[";
    profile.StartItemString = "|";
    profile.EndString = "]";
    std::string page = "..........[x";
    for (int i = 0; i < 40000; ++i) page += "|x";  // 80 kB of page, 3 MB of document
    page += "]";
    pages.write("page.html", page);
    dialogs.answers.push_back(false);
    bool ok;
    {
        FsizeLimit limit(1 << 20);
        ok = GenerateFeed(folder.path(), profile, "", dialogs);
    }
    EXPECT_FALSE(ok);
    expectStop((folder / "test.xml").string() + ": File too large\r\nUnable to generate RSS Feed", MessageIcon::Error);
    EXPECT_EQ(folder.read("src.dat"), page);
}

TEST_F(Generate, ATestXmlThatCannotBeCreatedReportsTheSystemReason) {
    std::filesystem::create_directory(folder / "test.xml");
    EXPECT_FALSE(run("<head></head><body>x</body>"));
    expectStop((folder / "test.xml").string() + ": Is a directory\r\nUnable to generate RSS Feed", MessageIcon::Error);
}

TEST_F(Generate, ALocalSourceThatIsMissingOrAFolderIsNotFound) {
    folder.write("test.xml", "previous");
    for (std::string source : {std::string(), (pages / "missing.html").string(), pages.str()}) {
        dialogs = ScriptedDialogs{};
        profile.Source = source;
        EXPECT_FALSE(GenerateFeed(folder.path(), profile, "", dialogs));
        expectStop("Source file not found, Please specify a valid file", MessageIcon::Error);
    }
    EXPECT_EQ(document(), "previous");
    EXPECT_FALSE(std::filesystem::exists(folder / "src.dat"));
}

TEST_F(Generate, AnySourceTypeOtherThanWebIsALocalFile) {
    for (const char* type : {"Local", "web", "", "WEB "}) {
        dialogs = ScriptedDialogs{};
        profile.SourceType = type;
        EXPECT_TRUE(run("<head></head><body>same</body>")) << type;
        EXPECT_EQ(folder.read("src.dat"), "<head></head><body>same</body>");
    }
}
