// Editing a profile: every box, the check box, the source options and the
// page chooser save the profile file at once.
#include "tests/mainwindow/WindowFixture.h"

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
    EXPECT_FALSE(w->Frame2->isEnabled());
    click(w->Option1);
    EXPECT_EQ(profileLines()[2], "Web");
    EXPECT_FALSE(w->Frame1->isEnabled());
    retype(w->txtSource, "http://127.0.0.1/a page");
    EXPECT_EQ(profileLines()[3], "http://127.0.0.1/a page");

    EXPECT_EQ(profileLines().size(), 13u);
    EXPECT_EQ(profileLines()[1], "Edits");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(WindowTest, MarkerLabelsTurnRedWhenEmptyAndGreenWhenFilled) {
    writeProfile("000001.rss", NewFeedProfile("Markers"));
    open();
    const std::pair<QLineEdit*, QLabel*> markers[] = {
        {w->Text1, w->Label16}, {w->Text2, w->Label17}, {w->Text3, w->Label18}};
    // Before any profile the boxes are empty, and their labels say so.
    for (auto [box, label] : markers) EXPECT_EQ(textColour(label), Red) << label->objectName().toStdString();
    select("000001.rss");
    clickTab(2);
    for (auto [box, label] : markers) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(label->text(), "Required");
        EXPECT_EQ(textColour(label), Green);
        retype(box, "");
        EXPECT_EQ(textColour(label), Red);
        QTest::keyClicks(box, "<");
        EXPECT_EQ(textColour(label), Green);
    }
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
    expectChooser(dialogs.calls[1], DialogCall::OpenFile, "Select Page", "HTML Files", "*.htm;*.html");
    EXPECT_EQ(w->Label6->text(), "/home/user/pages/new.htm");
    EXPECT_EQ(profileLines()[3], "/home/user/pages/new.htm");
    EXPECT_EQ(w->SSTab1->currentIndex(), 2);
}

TEST_F(WindowTest, AProfileFileThatCannotBeWrittenShowsWhyAndTheNextKeySavesAgain) {
    openWith(NewFeedProfile("Blocked"));
    clickTab(2);
    // A folder where the profile file should be: no write can replace it.
    std::filesystem::remove(dir / "000001.rss");
    std::filesystem::create_directory(dir / "000001.rss");
    QTest::keyClicks(w->txtFeedTitle, "Z");
    expectOneMessage(dialogs, MessageIcon::Error);
    EXPECT_NE(dialogs.calls[0].text.find("000001.rss"), std::string::npos) << dialogs.calls[0].text;
    EXPECT_EQ(w->txtFeedTitle->text(), "Z");
    // Once the way is clear the next key saves again, with what was typed before.
    std::filesystem::remove(dir / "000001.rss");
    QTest::keyClicks(w->txtFeedTitle, "z");
    EXPECT_EQ(profileLines()[7], "Zz");
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
