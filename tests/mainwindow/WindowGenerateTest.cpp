// Generating a feed from the window, viewing it and saving it.
#include "LoopbackServer.h"
#include "WindowFixture.h"
#include "htmSyntaxBox.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

namespace {
// A page with two stories between the markers of storyProfile().
const char* const Page =
    "<html><head><title>T</title></head><body>\n"
    "<div class=\"s\"><h2>First &amp; best</h2><p>One <b>bold</b> line</p></div>\n"
    "<div class=\"s\"><h2>Second</h2><p>Two</p></div>\n"
    "<p class=\"end\">bye</p></body></html>\n";

FeedProfile storyProfile(const std::string& source, const std::string& type) {
    FeedProfile p = NewFeedProfile("Stories");
    p.SourceType = type;
    p.Source = source;
    p.StartString = "<div class=\"s\">";
    p.StartItemString = "<div class=\"s\">";
    p.EndString = "<p class=\"end\">";
    p.TitleEndString = "</h2>";
    p.EndItemString = "</p>";
    p.FeedTitle = "Story feed";
    p.FeedLink = "http://127.0.0.1/";
    p.StripHTMLTags = "1";
    return p;
}

// Records the window's pointer at the moment the generator asks its question.
class PointerWatchingDialogs : public ScriptedDialogs {
public:
    const std::unique_ptr<frmMain>* window = nullptr;
    std::vector<Qt::CursorShape> seen;
    bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title) override {
        if (window && *window) seen.push_back((*window)->cursor().shape());
        return ScriptedDialogs::askYesNo(text, icon, title);
    }
};

// Disk reads in tests keep CR LF; the viewer shows lines.
std::string withoutCr(std::string s) {
    std::erase(s, '\r');
    return s;
}
}  // namespace

class GenerateTest : public WindowTest {
protected:
    ScriptedDialogs* script = &dialogs;  // the dialogs the window answers through

    // Selects a Local profile on the bundled page and presses Generate Feed.
    void generateLocal(const std::string& saveAs) {
        dir.write("page.htm", Page);
        writeProfile("000001.rss", storyProfile((dir / "page.htm").string(), "Local"));
        open(script);
        select("000001.rss");
        generate(saveAs);
    }

    // Presses Generate Feed, answering the question and the save chooser.
    void generate(const std::string& saveAs, bool feedTitleForEmptyItems = true) {
        clickTab(2);
        script->answers.push_back(feedTitleForEmptyItems);
        script->files.push_back(saveAs);
        click(w->Command3);
    }
};

TEST_F(GenerateTest, AGeneratedFeedIsShownColouredAndSavedByteForByte) {
    const std::string target = (dir / "out.xml").string();
    generateLocal(target);

    // The question, then the save chooser; no message.
    ASSERT_EQ(dialogs.calls.size(), 2u) << lastMessage();
    EXPECT_EQ(dialogs.calls[0].kind, DialogCall::Question);
    EXPECT_EQ(dialogs.calls[0].text, "Use Feed Title where Item Title is empty");
    EXPECT_EQ(dialogs.calls[1].kind, DialogCall::SaveFile);
    EXPECT_EQ(dialogs.calls[1].request.title, "Select file to save XML code");
    ASSERT_EQ(dialogs.calls[1].request.filters.size(), 1u);
    EXPECT_EQ(dialogs.calls[1].request.filters[0].name, "XML Files *.xml");
    EXPECT_EQ(dialogs.calls[1].request.filters[0].pattern, "*.xml");

    const std::string feed = dir.read("test.xml");
    ASSERT_NE(feed.find("<title>\r\nFirst amp; best\r\n</title>"), std::string::npos) << feed;
    EXPECT_NE(feed.find("<description>\r\nOne bold line\r\n</description>"), std::string::npos);
    EXPECT_EQ(dir.read("out.xml"), feed);
    EXPECT_EQ(dir.read("src.dat"), Page);

    EXPECT_EQ(w->SSTab1->currentIndex(), 3);
    EXPECT_FALSE(w->SSTab1->isTabVisible(4));
    EXPECT_EQ(withoutCr(w->htmSyntaxBox1->Text().toStdString()), withoutCr(feed));
    // Coloured: the tag colour of the stored settings shows in the document.
    EXPECT_TRUE(w->htmSyntaxBox1->Locked());
    EXPECT_EQ(w->htmSyntaxBox1->TagColor(), 0xC00000u);
    EXPECT_NE(w->htmSyntaxBox1->TextRTF().indexOf("\\blue192"), -1);
    EXPECT_EQ(w->lblFileName->text(),
              "RSS Feed XML code generated and successfully saved\r\nFile Location : " + QString::fromStdString(target));
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(GenerateTest, TheSavedNameEndsInXmlWhateverTheLetterCase) {
    generateLocal((dir / "upper.XML").string());
    EXPECT_EQ(dir.read("upper.XML"), dir.read("test.xml"));
    EXPECT_FALSE(exists("upper.XML.xml"));

    generate((dir / "feed.rss").string(), false);
    EXPECT_FALSE(exists("feed.rss"));
    EXPECT_EQ(dir.read("feed.rss.xml"), dir.read("test.xml"));
    EXPECT_TRUE(w->lblFileName->text().endsWith("/feed.rss.xml"));
}

TEST_F(GenerateTest, ACancelledOrFailedSaveKeepsTheDocumentAndSavesNothing) {
    generateLocal("");
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(dialogs.unscripted, 0);
    EXPECT_EQ(w->SSTab1->currentIndex(), 3);
    EXPECT_FALSE(w->htmSyntaxBox1->Text().isEmpty());
    EXPECT_EQ(w->lblFileName->text(), "");
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 4u);  // the profile, the page, src.dat and test.xml

    generate((dir / "no-such-folder" / "feed.xml").string());
    expectOneMessage(dialogs, MessageIcon::Error);
    EXPECT_EQ(w->lblFileName->text(), "");
    EXPECT_EQ(w->SSTab1->currentIndex(), 3);
    EXPECT_FALSE(w->htmSyntaxBox1->Text().isEmpty());
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);

    // Selecting the profile again empties the viewer.
    select("000001.rss");
    EXPECT_TRUE(w->htmSyntaxBox1->Text().isEmpty());
    EXPECT_EQ(w->SSTab1->currentIndex(), 1);
}

TEST_F(GenerateTest, TheWaitPointerShowsWhileGeneratingAndGoesAfterAFailure) {
    PointerWatchingDialogs watching;
    watching.window = &w;
    script = &watching;
    generateLocal("");
    ASSERT_EQ(watching.seen.size(), 1u);
    EXPECT_EQ(watching.seen[0], Qt::WaitCursor);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);

    // A page without the Start String: the run stops with a warning.
    clickTab(2);
    retype(w->Text1, "<nowhere>");
    click(w->Command3);
    expectOneMessage(watching, MessageIcon::Warning, "Source webpage does not contains the Start String:<nowhere>");
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(GenerateTest, AMissingLocalPageIsReportedAndTheWindowStaysUsable) {
    openWith(storyProfile((dir / "gone.htm").string(), "Local"));
    clickTab(2);
    click(w->Command3);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    expectOneMessage(dialogs, MessageIcon::Error, "Source file not found, Please specify a valid file");
    EXPECT_EQ(w->SSTab1->currentIndex(), 2);
    EXPECT_FALSE(exists("test.xml"));
    EXPECT_TRUE(enabledOnItsOwn(w->Command3));
    QTest::keyClicks(w->txtFeedTitle, "x");  // edits still save
    EXPECT_EQ(profileLines()[7], "Story feedx");
}

TEST_F(GenerateTest, AWebProfileDownloadsTheAddressInTheBox) {
    TempDir site;
    site.write("news.htm", Page);
    LoopbackServer server(site.str());
    ASSERT_TRUE(server.running());
    openWith(storyProfile("", "Web"));
    retype(w->txtSource, QString::fromStdString(server.url("news.htm")));
    generate((dir / "web").string());
    ASSERT_TRUE(dialogs.messages().empty()) << lastMessage();
    EXPECT_EQ(dir.read("src.dat"), Page);
    EXPECT_EQ(dir.read("web.xml"), dir.read("test.xml"));
    EXPECT_NE(dir.read("test.xml").find("Second"), std::string::npos);
    EXPECT_EQ(profileLines()[3], server.url("news.htm"));

    // An address the server does not have: the download fails, nothing changes.
    const std::string before = dir.read("test.xml");
    clickTab(1);
    retype(w->txtSource, QString::fromStdString(server.url("missing.htm")));
    clickTab(2);
    click(w->Command3);
    expectOneMessage(dialogs, MessageIcon::Error, "Unable to download webpage, Please try again.");
    EXPECT_EQ(dir.read("test.xml"), before);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
}
