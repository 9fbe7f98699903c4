#include "tests/feed/GenerateFixture.h"

#include <array>

namespace {

// Header values go in byte for byte, no other marker replaced; only a bare
// "&" and every "<" are escaped, so the document stays well-formed XML.
const std::string Title = "A & B <i>", Link = "http://x/?a=1&b=2", Desc = "caf\xe9 #FEED_TITLE#";
const std::string TitleXml = "A &amp; B &lt;i>", LinkXml = "http://x/?a=1&amp;b=2";
const std::string Header = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<rss version=\"0.91\">\r\n<channel>\r\n"
                           "<title>" + TitleXml + "</title>\r\n<link>" + LinkXml + "</link>\r\n<description>" + Desc +
                           "</description>\r\n<language>en-us</language>\r\n";
const std::string Closing = "</channel>\r\n</rss>\r\n";

std::string item(const std::string& title, const std::string& desc) {
    return "<item>\r\n<title>\r\n" + title + "\r\n</title>\r\n<link>\r\n" + LinkXml + "\r\n</link>\r\n<description>\r\n" +
           desc + "\r\n</description>\r\n</item>\r\n";
}

// A local classic profile over pages/page.html.
class Generate : public GenerateFixture {
protected:
    void SetUp() override {
        profile = {"Test", "Local", (pages / "page.html").string(), "</head>", "</body>", "</body>", Title, Desc, Link,
                   "", "", "0"};
    }
    void markers(std::string start, std::string itemStart, std::string end, std::string titleEnd = "",
                 std::string endItem = "") {
        profile.StartString = std::move(start);
        profile.StartItemString = std::move(itemStart);
        profile.EndString = std::move(end);
        profile.TitleEndString = std::move(titleEnd);
        profile.EndItemString = std::move(endItem);
    }
    void expectStop(const std::string& text, MessageIcon icon) {
        const auto m = dialogs.messages();
        ASSERT_EQ(m.size(), 1u);
        EXPECT_EQ(m[0].text, text);
        EXPECT_EQ(m[0].icon, icon);
        EXPECT_EQ(m[0].title, "My Veltrane");
    }
};

// One row: markers, page, answer, and the items expected (title, description)
// or the message the run stops with after those items. The cutting rules at
// large are compared with the step-by-step ones in CorpusTest.cpp; these rows
// keep what that comparison does not see (bytes above 127, the answer, the
// icons) and the edge of the length check.
struct MarkerCase {
    const char* what;
    std::string start, itemStart, end, titleEnd, endItem, strip;
    bool useFeedTitle;
    std::string page;
    std::vector<std::pair<std::string, std::string>> items;
    std::string stop;
};

}  // namespace

TEST_F(Generate, MarkersCutTitlesAndDescriptionsAsDescribedForEachCase) {
    const std::string tEnd = "Source webpage does not contains the Title End String:";
    const std::string body("\r\n\xe9\xff\x01 <p>", 9);
    const std::vector<MarkerCase> cases = {
        {"the default markers: the whole body, bytes as they are", "</head>", "</body>", "</body>", "", "", "0", false,
         "<html><head><title>T</title></head>" + body + "</body></html>", {{".", body}}, ""},
        {"stripping makes plain one-line text", "<ul><li>", "<li>", "</ul>", "</a>", "", "yes", false,
         "<ul><li><a href=\"/x\">One &amp; two</a>\r\n  <b>first</b>&nbsp;line</li></ul>",
         {{"One amp; two", "first line"}}, ""},
        {"the piece before the first item marker is item 1", "<channel>", "<item>", "</channel>", "</title>", "",
         "0", false, "<channel> <item>a</title>b</item><item>c</title>d</item></channel>", {},
         tEnd + "</title> in Feed Item 1"},
        {"only a title of exactly a dot becomes the feed title", "[", "|", "]", ":", "", "1", true,
         "......[<b></b>:x|.:y]", {{"", ":x"}, {Title, ":y"}}, ""},
        {"an End Item String only before the description", "[", "|", "]", ":", ";", "0", false, "......|[t;1:d1]", {},
         "The Item End String does not occur after the Title End String in Feed Item 1\r\nUnable to generate RSS Feed"},
        {"ten characters pass the length check", "", "", "9", "", "", "0", false, "0123456789", {{".", "012345678"}},
         ""},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.what);
        markers(c.start, c.itemStart, c.end, c.titleEnd, c.endItem);
        profile.StripHTMLTags = c.strip;
        EXPECT_EQ(run(c.page, c.useFeedTitle), c.stop.empty());
        ASSERT_FALSE(dialogs.calls.empty());
        EXPECT_EQ(dialogs.calls[0].kind, DialogCall::Question);
        EXPECT_EQ(dialogs.calls[0].text, "Use Feed Title where Item Title is empty");
        EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Warning);
        EXPECT_EQ(dialogs.calls[0].title, "My Veltrane");
        std::string expected = Header;
        for (const auto& [title, desc] : c.items) expected += item(title, desc);
        if (c.stop.empty()) {
            expected += Closing;
            EXPECT_TRUE(dialogs.messages().empty());
        } else {
            expectStop(c.stop, c.stop.ends_with("Feed") ? MessageIcon::Error : MessageIcon::Warning);
        }
        EXPECT_EQ(document(), expected);
    }
}

TEST_F(Generate, ThePageChecksRunInOrderBeforeTheQuestionAndLeaveTestXmlAlone) {
    folder.write("test.xml", "previous");
    const std::string doesNot = "Source webpage does not contains the ";
    const std::vector<std::array<std::string, 5>> cases = {  // page, Start, End, Item Start String, message
        {"123456789", "", "", "", "Invalid Source page, Unable to generate feed."},
        {"<a>1<c>2<b>3", "<x>", "<y>", "<z>", doesNot + "Start String:<x>"},
        {"<a>1<c>2<b>3", "<a>", "<y>", "<z>", doesNot + "End String:<y>"},
        {"<a>1<c>2<b>3", "<a>", "<b>", "<z>", doesNot + "Item Start String:<z>"},
        {"<a>1<c>2<b>3", "<A>", "<b>", "<c>", doesNot + "Start String:<A>"},  // exact case
        {"<html><head></head><body>x</html>", "<body>", "</head>", "x",
         "The End String does not occur after the Start String: </head>\r\nUnable to generate RSS Feed"},
    };
    for (const auto& [page, start, end, itemStart, message] : cases) {
        SCOPED_TRACE(message);
        markers(start, itemStart, end);
        ASSERT_FALSE(run(page));
        const bool fatal = message.ends_with("Feed") || message.ends_with("feed.");
        expectStop(message, fatal ? MessageIcon::Error : MessageIcon::Warning);
        EXPECT_EQ(dialogs.calls.size(), 1u) << "no question before the checks pass";
    }
    EXPECT_EQ(document(), "previous");
}

TEST_F(Generate, MoreThan32767ItemsAreAllWrittenAndAFailedCopyOrWriteNamesTheSystemReason) {
    markers("[", "|", "]", ":");
    std::string page = "..........[";
    const int count = 40000;  // 400 kB of page, 3 MB of document
    for (int i = 0; i < count; ++i) page += (i ? "|t:" : "t:") + std::to_string(i);
    page += "]";
    ASSERT_TRUE(run(page));
    const std::string doc = document();
    int items = 0;
    for (std::size_t at = 0; (at = doc.find("<item>", at)) != std::string::npos; ++at) ++items;
    EXPECT_EQ(items, count);
    EXPECT_TRUE(doc.ends_with(item("t", ":39999") + Closing));

    const std::string unable = "\r\nUnable to generate RSS Feed";
    folder.write("src.dat", "older copy");
    EXPECT_FALSE(run(page, false, 100 << 10));
    expectStop((folder / "src.dat").string() + ": File too large" + unable, MessageIcon::Error);
    EXPECT_EQ(folder.read("src.dat"), "older copy");
    // src.dat, test.xml and the folder's lock file, nothing else.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3) << "a temporary was left";
    EXPECT_FALSE(run(page, false, 1 << 20));
    expectStop((folder / "test.xml").string() + ": File too large" + unable, MessageIcon::Error);
    EXPECT_TRUE(folder.read("src.dat") == page);

    std::filesystem::remove(folder / "test.xml");
    std::filesystem::create_directory(folder / "test.xml");
    EXPECT_FALSE(run(page));
    expectStop((folder / "test.xml").string() + ": Is a directory" + unable, MessageIcon::Error);
}

TEST_F(Generate, AnySourceTypeButWebCopiesALocalFileThatMustExist) {
    for (const char* type : {"Local", "web", "", "WEB "}) {
        profile.SourceType = type;
        EXPECT_TRUE(run("<head></head><body>same</body>")) << type;
        EXPECT_EQ(folder.read("src.dat"), "<head></head><body>same</body>");
    }
    folder.write("test.xml", "previous");
    std::filesystem::remove(folder / "src.dat");
    for (std::string source : {std::string(), (pages / "missing.html").string(), pages.str()}) {
        dialogs = ScriptedDialogs{};
        profile.Source = source;
        EXPECT_FALSE(GenerateFeed(folder.path(), profile, "", dialogs));
        expectStop("Source file not found, Please specify a valid file", MessageIcon::Error);
    }
    EXPECT_EQ(document(), "previous");
    EXPECT_FALSE(std::filesystem::exists(folder / "src.dat"));
}
