// Generating a feed from the window, viewing it and saving it, with the
// demo profile and page that ship beside the program: no network needed.
#include "tests/mainwindow/LoopbackServer.h"
#include "tests/mainwindow/WindowFixture.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <cstdlib>

namespace {
std::string demoFile(const std::string& name) {
    const char* root = std::getenv("MV_SOURCE_DIR");
    return TempDir::readFile(std::filesystem::path(root ? root : ".") / "app/myveltrane/demo" / name);
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
    const std::string page = demoFile("harbour-news.htm");
    ScriptedDialogs* script = &dialogs;  // the dialogs the window answers through

    // The demo profile as the build lays it out: CR LF lines, the page's
    // full path on line 4.
    void openOnDemo(const std::string& pagePath) {
        ASSERT_FALSE(page.empty()) << "set MV_SOURCE_DIR to the repository";
        std::string lines;
        for (char c : demoFile("demo-profile.txt")) lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
        lines.replace(lines.find("@PAGE@"), 6, pagePath);
        dir.write("000001.rss", lines);
        open(script);
        select("000001.rss");
    }

    // Opens the demo on its page and presses Generate Feed.
    void generateLocal(const std::string& saveAs) {
        dir.write("harbour-news.htm", page);
        openOnDemo((dir / "harbour-news.htm").string());
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

TEST_F(GenerateTest, TheDemoFeedIsShownColouredAndSavedByteForByte) {
    const std::string target = (dir / "out.xml").string();
    generateLocal(target);

    // The question, then the save chooser; no message.
    ASSERT_EQ(dialogs.calls.size(), 2u) << lastMessage();
    EXPECT_EQ(dialogs.calls[0].kind, DialogCall::Question);
    EXPECT_EQ(dialogs.calls[0].text, "Use Feed Title where Item Title is empty");
    expectChooser(dialogs.calls[1], DialogCall::SaveFile, "Select file to save XML code", "XML Files *.xml", "*.xml");

    const std::string feed = dir.read("test.xml");
    EXPECT_EQ(dir.read("out.xml"), feed);
    EXPECT_EQ(dir.read("src.dat"), page);
    size_t items = 0;
    for (size_t at = feed.find("<item>"); at != std::string::npos; at = feed.find("<item>", at + 1)) ++items;
    EXPECT_EQ(items, 4u);
    EXPECT_NE(feed.find("<title>\r\nWinter timetable for the island ferry\r\n</title>"), std::string::npos) << feed;
    EXPECT_NE(feed.find("<description>\r\nThe Saturday fish market opens in the old rope hall"), std::string::npos);

    EXPECT_EQ(w->SSTab1->currentIndex(), 3);
    EXPECT_FALSE(w->SSTab1->isTabVisible(4));
    EXPECT_EQ(withoutCr(w->htmSyntaxBox1->Text().toStdString()), withoutCr(feed));
    EXPECT_TRUE(w->htmSyntaxBox1->Locked());
    // Coloured: the tag colour of the stored settings shows in the document.
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
    EXPECT_EQ(files, 5u);  // the profile, the page, src.dat, test.xml and the folder's lock file

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

TEST_F(GenerateTest, TheWaitPointerShowsWhileGeneratingAndFailuresLeaveTheWindowUsable) {
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

    // The page gone: an error before any question.
    watching.calls.clear();
    std::filesystem::remove(dir / "harbour-news.htm");
    click(w->Command3);
    ASSERT_EQ(watching.calls.size(), 1u);
    expectOneMessage(watching, MessageIcon::Error, "Source file not found, Please specify a valid file");
    EXPECT_EQ(w->SSTab1->currentIndex(), 2);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
    QTest::keyClicks(w->txtFeedTitle, "x");  // edits still save
    EXPECT_EQ(profileLines()[7], "Harbour Town Weeklyx");
}

TEST_F(GenerateTest, AWebProfileDownloadsTheAddressInTheBox) {
    TempDir site;
    site.write("news.htm", page);
    LoopbackServer server(site.str());
    ASSERT_TRUE(server.running());
    openOnDemo("");
    click(w->Option1);
    retype(w->txtSource, QString::fromStdString(server.url("news.htm")));
    generate((dir / "web").string());
    ASSERT_TRUE(dialogs.messages().empty()) << lastMessage();
    EXPECT_EQ(dir.read("src.dat"), page);
    EXPECT_EQ(dir.read("web.xml"), dir.read("test.xml"));
    EXPECT_NE(dir.read("test.xml").find("Winter timetable"), std::string::npos);
    EXPECT_EQ(profileLines()[2], "Web");
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
