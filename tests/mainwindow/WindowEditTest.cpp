// Editing a profile: every box, the check box, the source options and the
// page chooser save the profile file at once.
#include "tests/mainwindow/WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

TEST_F(WindowTest, EveryBoxAndOptionIsWrittenToItsLineAtOnce) {
    openWith(NewFeedProfile("Edits"));
    clickTab(2);
    const std::pair<QLineEdit*, size_t> boxes[] = {  // the box and its 0-based line in the file
        {w->Text1, 4},        {w->Text2, 5},       {w->Text3, 6},
        {w->txtFeedTitle, 7}, {w->txtFeedDesc, 8}, {w->txtFeedLink, 9},
        {w->txtTitleEndString, 10}, {w->txtEndItemString, 11},
    };
    for (const auto& [box, line] : boxes) {
        retype(box, "<x");
        EXPECT_EQ(profileLines()[line], "<x") << box->objectName().toStdString();
    }
    w->txtFeedTitle->setText(QString::fromLatin1("Caf\xe9"));  // one byte a character
    EXPECT_EQ(profileLines()[7], "Caf\xe9");
    click(w->chkStripHTMLTags);
    EXPECT_EQ(profileLines()[12], "1");

    clickTab(1);
    click(w->Option2);
    EXPECT_EQ(profileLines()[2], "Local");
    click(w->Option1);
    EXPECT_EQ(profileLines()[2], "Web");
    EXPECT_FALSE(w->Frame1->isEnabled());
    retype(w->txtSource, "http://127.0.0.1/a page");
    EXPECT_EQ(profileLines()[3], "http://127.0.0.1/a page");
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(WindowTest, MarkerLabelsTurnRedWhenEmptyAndGreenWhenFilled) {
    writeProfile("000001.rss", NewFeedProfile("Markers"));
    open();
    const std::pair<QLineEdit*, QLabel*> markers[] = {
        {w->Text1, w->Label16}, {w->Text2, w->Label17}, {w->Text3, w->Label18}};
    auto colour = [](const QLabel* l) { return l->palette().color(QPalette::WindowText); };
    const QColor green(0, 128, 0), red(255, 0, 0);
    for (auto [box, label] : markers) EXPECT_EQ(colour(label), red) << "before any profile";
    select("000001.rss");
    clickTab(2);
    for (auto [box, label] : markers) {
        EXPECT_EQ(colour(label), green);
        retype(box, "");
        EXPECT_EQ(colour(label), red);
        QTest::keyClicks(box, "<");
        EXPECT_EQ(colour(label), green);
    }
}

TEST_F(WindowTest, ALocalProfileShowsItsPathAndKeepsItThroughTheEmptyAddressBox) {
    FeedProfile web = NewFeedProfile("Web one");
    web.Source = "http://127.0.0.1:1/page.htm";
    writeProfile("000001.rss", web);
    FeedProfile local = NewFeedProfile("Local one");
    local.SourceType = "local";  // anything but "Web" is a local page
    local.Source = "/pages/news.htm";
    local.StripHTMLTags = " 1";
    writeProfile("000002.rss", local);
    open();
    select("000001.rss");
    EXPECT_TRUE(w->Option1->isChecked());
    EXPECT_FALSE(w->chkStripHTMLTags->isChecked());
    select("000002.rss");
    EXPECT_TRUE(w->Option2->isChecked());
    EXPECT_TRUE(w->chkStripHTMLTags->isChecked());
    EXPECT_EQ(w->txtSource->text(), "");
    EXPECT_EQ(w->Label6->text(), "/pages/news.htm");
    EXPECT_TRUE(w->Frame1->isEnabled());
    EXPECT_FALSE(w->Frame2->isEnabled());
    clickTab(2);
    QTest::keyClicks(w->txtFeedTitle, "T");
    EXPECT_EQ(profileLines("000002.rss")[3], "/pages/news.htm");

    select("000001.rss");
    EXPECT_EQ(w->txtSource->text(), "http://127.0.0.1:1/page.htm");
    EXPECT_EQ(w->Label6->text(), "");
}

TEST_F(WindowTest, BrowseStoresTheChosenPageAndACancelKeepsTheStoredOne) {
    FeedProfile p = NewFeedProfile("Pick");
    p.SourceType = "Local";
    p.Source = "/kept/page.htm";
    openWith(p);
    dialogs.files = {"", "/home/user/pages/new.htm"};
    click(w->Command1);
    EXPECT_EQ(profileLines()[3], "/kept/page.htm");
    EXPECT_EQ(w->SSTab1->currentIndex(), 2);  // moves on to the settings all the same

    clickTab(1);
    click(w->Command1);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    expectChooser(dialogs.calls[1], DialogCall::OpenFile, "Select Page", "HTML Files", "*.htm;*.html");
    EXPECT_EQ(w->Label6->text(), "/home/user/pages/new.htm");
    EXPECT_EQ(profileLines()[3], "/home/user/pages/new.htm");
}

TEST_F(WindowTest, AFailedSaveIsShownAndTheNextKeySavesAgain) {
    openWith(NewFeedProfile("Blocked"));
    clickTab(2);
    // A folder where the profile file should be: no write can replace it.
    std::filesystem::remove(dir / "000001.rss");
    std::filesystem::create_directory(dir / "000001.rss");
    QTest::keyClicks(w->txtFeedTitle, "Z");
    expectOneMessage(dialogs, MessageIcon::Error);
    EXPECT_NE(dialogs.calls[0].text.find("000001.rss"), std::string::npos) << dialogs.calls[0].text;
    std::filesystem::remove(dir / "000001.rss");
    QTest::keyClicks(w->txtFeedTitle, "z");
    EXPECT_EQ(profileLines()[7], "Zz");
}

TEST_F(WindowTest, PastedLineBreaksBecomeBlanksAndLongValuesStayWhole) {
    FeedProfile p = NewFeedProfile("Paste");
    p.FeedDesc = std::string(40000, 'd');  // longer than a line box holds by default
    openWith(p);
    clickTab(2);
    w->Text1->selectAll();
    QApplication::clipboard()->setText("<div\r\nclass=\"a\">\nx");
    w->Text1->paste();
    EXPECT_EQ(w->Text1->text(), "<div class=\"a\"> x");
    EXPECT_EQ(profileLines()[8], std::string(40000, 'd'));
}
