// Generate Feed from the window: the document shown and saved, the wait
// pointer, failures reaching the user. The demo profile and page that ship
// beside the program need no network. How the engine cuts pages and handles
// files is tested at the engine (tests/feed).
#include "tests/mainwindow/WindowFixture.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QPushButton>
#include <QRadioButton>

namespace {
// Notes the window's pointer when the generator asks its question.
class PointerWatchingDialogs : public ScriptedDialogs {
public:
    const std::unique_ptr<frmMain>* window = nullptr;
    std::vector<Qt::CursorShape> seen;
    bool askYesNo(const std::string& text, MessageIcon icon, const std::string& title) override {
        seen.push_back((*window)->cursor().shape());
        return ScriptedDialogs::askYesNo(text, icon, title);
    }
};
}  // namespace

class GenerateTest : public WindowTest {
protected:
    PointerWatchingDialogs script;

    void openOnDemo() {
        script.window = &w;
        WindowTest::openOnDemo("", &script);
    }
    void generate(const std::string& saveAs) { WindowTest::generate(script, saveAs); }
};

TEST_F(GenerateTest, TheFeedIsShownColouredUnderTheWaitPointerAndSavedByteForByte) {
    openOnDemo();
    const std::string target = (dir / "out.xml").string();
    generate(target);
    ASSERT_EQ(script.calls.size(), 2u) << "the question and the save chooser only";
    expectChooser(script.calls[1], DialogCall::SaveFile, "Select file to save XML code", "XML Files *.xml", "*.xml");
    EXPECT_EQ(script.seen, std::vector<Qt::CursorShape>{Qt::WaitCursor});
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);

    std::string feed = dir.read("test.xml");
    EXPECT_NE(feed.find("<title>\r\nWinter timetable for the island ferry\r\n</title>"), std::string::npos) << feed;
    EXPECT_EQ(dir.read("out.xml"), feed);
    std::erase(feed, '\r');  // the viewer shows lines
    EXPECT_EQ(w->htmSyntaxBox1->Text().toStdString(), feed);
    EXPECT_NE(w->htmSyntaxBox1->TextRTF().indexOf("\\blue192"), -1) << "the tag colour shows";
    EXPECT_EQ(w->SSTab1->currentIndex(), 3);
    EXPECT_EQ(w->lblFileName->text(),
              "RSS Feed XML code generated and successfully saved\r\nFile Location : " + QString::fromStdString(target));

    // Selecting the profile again empties the viewer.
    select("000001.rss");
    EXPECT_TRUE(w->htmSyntaxBox1->Text().isEmpty());
}

TEST_F(GenerateTest, ACancelOrAFailureSavesNothingAndTheSavedNameEndsInXmlInAnyLetterCase) {
    openOnDemo();
    generate("");
    generate((dir / "no-such-folder" / "feed.xml").string());
    expectOneMessage(script, MessageIcon::Error);
    EXPECT_EQ(w->lblFileName->text(), "");
    EXPECT_EQ(w->SSTab1->currentIndex(), 3);

    generate((dir / "upper.XML").string());
    EXPECT_EQ(dir.read("upper.XML"), dir.read("test.xml"));
    generate((dir / "feed.rss").string());
    EXPECT_EQ(dir.read("feed.rss.xml"), dir.read("test.xml"));
    EXPECT_FALSE(exists("feed.rss"));
    EXPECT_EQ(script.unscripted, 0);
}

TEST_F(GenerateTest, AFailedRunIsShownAndTheSettingsStayOpen) {
    openOnDemo();
    clickTab(2);
    retype(w->Text1, "<nowhere>");
    generate("");
    expectOneMessage(script, MessageIcon::Warning, "Source webpage does not contains the Start String:<nowhere>");
    EXPECT_EQ(w->SSTab1->currentIndex(), 2);
}

// After a switch from Local to Web the address box, still empty, is what
// the run downloads.
TEST_F(GenerateTest, AFailedDownloadOfTheAddressBoxReachesTheUser) {
    openOnDemo();
    click(w->Option1);
    generate("");
    expectOneMessage(script, MessageIcon::Error, "Unable to download webpage, Please try again.");
}
