// Editing a profile: every box, the check box, the source options and the
// page chooser save the profile file at once.
#include "WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {
const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);

FeedProfile localProfile(const std::string& name, const std::string& path) {
    FeedProfile p = NewFeedProfile(name);
    p.SourceType = "Local";
    p.Source = path;
    return p;
}
}  // namespace

TEST_F(WindowTest, EveryFieldIsWrittenToTheFileAtOnce) {
    openWith(NewFeedProfile("Edits"));
    clickTab(2);
    const struct {
        QLineEdit* box;
        size_t line;  // 0-based line of the profile file
    } boxes[] = {
        {w->Text1, 4},        {w->Text2, 5},       {w->Text3, 6},
        {w->txtFeedTitle, 7}, {w->txtFeedDesc, 8}, {w->txtFeedLink, 9},
        {w->txtTitleEndString, 10}, {w->txtEndItemString, 11},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.box->objectName().toStdString());
        retype(b.box, "<x");
        EXPECT_EQ(profileLines()[b.line], "<x");
        QTest::keyClicks(b.box, "y");  // keystroke by keystroke
        EXPECT_EQ(profileLines()[b.line], "<xy");
    }
    // Eight-bit characters reach the file as single bytes.
    w->txtFeedTitle->setText(QString::fromLatin1("Caf\xe9 \xa7 1"));
    EXPECT_EQ(profileLines()[7], "Caf\xe9 \xa7 1");

    click(w->chkStripHTMLTags);
    EXPECT_EQ(profileLines()[12], "1");
    click(w->chkStripHTMLTags);
    EXPECT_EQ(profileLines()[12], "0");

    clickTab(1);
    click(w->Option2);
    EXPECT_EQ(profileLines()[2], "Local");
    EXPECT_TRUE(w->Frame1->isEnabled());
    EXPECT_FALSE(w->Frame2->isEnabled());
    click(w->Option1);
    EXPECT_EQ(profileLines()[2], "Web");
    EXPECT_TRUE(w->Frame2->isEnabled());
    EXPECT_FALSE(w->Frame1->isEnabled());
    retype(w->txtSource, "http://127.0.0.1/a page");
    EXPECT_EQ(profileLines()[3], "http://127.0.0.1/a page");

    EXPECT_EQ(profileLines().size(), 13u);
    EXPECT_EQ(profileLines()[1], "Edits");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(WindowTest, MarkerLabelsTurnRedWhenEmptyAndGreenWhenFilled) {
    open();
    // Before any profile the boxes are empty, and their labels say so.
    for (const QLabel* l : {w->Label16, w->Label17, w->Label18}) EXPECT_EQ(textColour(l), Red);
    w.reset();
    openWith(NewFeedProfile("Markers"));
    EXPECT_EQ(w->Label16->text(), "Required");
    for (const QLabel* l : {w->Label16, w->Label17, w->Label18}) EXPECT_EQ(textColour(l), Green);
    clickTab(2);
    retype(w->Text3, "");
    EXPECT_EQ(textColour(w->Label18), Red);
    QTest::keyClicks(w->Text3, "<");
    EXPECT_EQ(textColour(w->Label18), Green);
    w->Text1->clear();
    w->Text2->clear();
    EXPECT_EQ(textColour(w->Label16), Red);
    EXPECT_EQ(textColour(w->Label17), Red);
}

TEST_F(WindowTest, LocalAndWebProfilesAreShownAsStoredAndALocalPathSurvivesTheEmptyAddressBox) {
    FeedProfile web = NewFeedProfile("Web one");
    web.Source = "http://127.0.0.1:1/page.htm";
    web.StripHTMLTags = "yes";  // the check box reads a number
    writeProfile("000001.rss", web);
    FeedProfile local = localProfile("Local one", "/pages/news.htm");
    local.SourceType = "local";  // anything but "Web" is a local page
    local.StripHTMLTags = " 1";
    writeProfile("000002.rss", local);
    open();
    select("000001.rss");
    EXPECT_EQ(w->txtSource->text(), "http://127.0.0.1:1/page.htm");
    EXPECT_TRUE(w->Option1->isChecked());
    EXPECT_FALSE(w->chkStripHTMLTags->isChecked());

    select("000002.rss");
    EXPECT_TRUE(w->Option2->isChecked());
    EXPECT_TRUE(w->chkStripHTMLTags->isChecked());
    EXPECT_EQ(w->txtSource->text(), "");
    EXPECT_EQ(w->Label6->text(), "/pages/news.htm");
    EXPECT_TRUE(w->Frame1->isEnabled());
    EXPECT_FALSE(w->Frame2->isEnabled());
    // The next edit saves the path as it was, not the empty address box.
    clickTab(2);
    QTest::keyClicks(w->txtFeedTitle, "T");
    EXPECT_EQ(profileLines("000002.rss")[2], "Local");
    EXPECT_EQ(profileLines("000002.rss")[3], "/pages/news.htm");

    // And back to the Web profile: the address returns, the path label empties.
    select("000001.rss");
    EXPECT_EQ(w->txtSource->text(), "http://127.0.0.1:1/page.htm");
    EXPECT_EQ(w->Label6->text(), "");
    EXPECT_TRUE(w->Frame2->isEnabled());
}

TEST_F(WindowTest, BrowseStoresTheChosenPageAndACancelKeepsTheStoredOne) {
    openWith(localProfile("Pick", "/kept/page.htm"));
    const std::string before = dir.read("000001.rss");
    dialogs.files = {"", "/home/user/pages/new.htm"};
    click(w->Command1);
    EXPECT_EQ(w->Label6->text(), "/kept/page.htm");
    EXPECT_EQ(w->session().Profile.Source, "/kept/page.htm");
    EXPECT_EQ(dir.read("000001.rss"), before);
    EXPECT_EQ(w->SSTab1->currentIndex(), 2);  // moves on to the settings all the same

    clickTab(1);
    click(w->Command1);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].kind, DialogCall::OpenFile);
    EXPECT_EQ(dialogs.calls[1].request.title, "Select Page");
    ASSERT_EQ(dialogs.calls[1].request.filters.size(), 1u);
    EXPECT_EQ(dialogs.calls[1].request.filters[0].name, "HTML Files (*.htm)");
    EXPECT_EQ(dialogs.calls[1].request.filters[0].pattern, "*.htm");
    EXPECT_EQ(w->Label6->text(), "/home/user/pages/new.htm");
    EXPECT_EQ(profileLines()[3], "/home/user/pages/new.htm");
    EXPECT_EQ(w->SSTab1->currentIndex(), 2);
}

TEST_F(WindowTest, AProfileFileThatCannotBeWrittenShowsWhyAndTheBoxKeepsItsText) {
    openWith(NewFeedProfile("Blocked"));
    clickTab(2);
    // A folder where the profile file should be: no write can replace it.
    std::filesystem::remove(dir / "000001.rss");
    std::filesystem::create_directory(dir / "000001.rss");
    QTest::keyClicks(w->txtFeedTitle, "Z");
    expectOneMessage(dialogs, MessageIcon::Error);
    EXPECT_EQ(w->txtFeedTitle->text(), "Z");
    EXPECT_EQ(w->session().Profile.FeedTitle, "Z");
    EXPECT_TRUE(w->txtFeedDesc->isEnabled());
}

TEST_F(WindowTest, PastedLineBreaksAndLongValuesKeepTheFileWhole) {
    FeedProfile p = NewFeedProfile("Paste");
    p.FeedDesc = std::string(40000, 'd');  // longer than a line box holds by default
    openWith(p);
    clickTab(2);
    w->Text1->selectAll();
    QApplication::clipboard()->setText("<div\r\nclass=\"a\">\nx");
    w->Text1->paste();
    EXPECT_EQ(w->Text1->text(), "<div class=\"a\"> x");
    const auto lines = profileLines();
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[4], "<div class=\"a\"> x");
    EXPECT_EQ(lines[5], "</body>");
    EXPECT_EQ(lines[8], std::string(40000, 'd'));
}
