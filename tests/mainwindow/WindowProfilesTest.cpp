// Starting the window, creating, selecting and deleting profiles: what the
// window shows and allows. The profile files themselves are tested at the
// store (tests/feed).
#include "tests/mainwindow/WindowFixture.h"

#include <QPushButton>

namespace {
const char* const NoProfile = "Please select an existing profile or create a new one";
}  // namespace

TEST_F(WindowTest, StartsOnTheProfilePageWithEveryOtherPageClosed) {
    writeProfile("000001.rss", NewFeedProfile("First"));
    open();
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    for (int page = 1; page <= 4; ++page) EXPECT_FALSE(w->SSTab1->isTabEnabled(page)) << "page " << page;
    EXPECT_FALSE(w->SSTab1->isTabVisible(4));
    EXPECT_EQ(w->lblStatus->text(), NoProfile);
    for (QWidget* hidden : Widgets{w->wenButtons_H5, w->wenButtons_H6, w->Label7, w->txtProfileName})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    ASSERT_EQ(w->List1->count(), 1);
    EXPECT_EQ(w->List1->item(0)->text(), "First (000001.rss)");

    // A closed page cannot be chosen; Select and Delete want an entry first.
    clickTab(2);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    click(w->wenButtons_H4);
    expectOneMessage(dialogs, MessageIcon::Warning, "Please select a profile or Create a new one");
    dialogs.calls.clear();
    click(w->wenButtons_H2);
    expectOneMessage(dialogs, MessageIcon::Warning, "Please select a profile to delete");
}

TEST_F(WindowTest, TheNameRowRefusesABlankNameAndCancelClosesIt) {
    open();
    click(w->wenButtons_H1);
    EXPECT_FALSE(w->List1->isEnabled());
    for (QWidget* hidden : Widgets{w->wenButtons_H1, w->wenButtons_H2, w->wenButtons_H4}) EXPECT_FALSE(hidden->isVisible());
    EXPECT_TRUE(w->txtProfileName->hasFocus());
    EXPECT_FALSE(enabledOnItsOwn(w->Command3));
    retype(w->txtProfileName, "   ");
    click(w->wenButtons_H6);
    expectOneMessage(dialogs, MessageIcon::Warning, "Please supply a valid profile name");
    EXPECT_FALSE(exists("000001.rss"));
    EXPECT_FALSE(enabledOnItsOwn(w->Command3));

    click(w->wenButtons_H5);
    EXPECT_TRUE(w->List1->isEnabled());
    EXPECT_TRUE(w->wenButtons_H4->isVisible());
    EXPECT_FALSE(w->txtProfileName->isVisible());
    EXPECT_TRUE(enabledOnItsOwn(w->Command3));
}

TEST_F(WindowTest, ACreatedProfileBecomesCurrentWithItsNameAsTypedAndALineBreakAsABlank) {
    writeProfile("000001.rss", NewFeedProfile("One"));
    open();
    click(w->wenButtons_H1);
    w->txtProfileName->setText("  Two\nlines");
    click(w->wenButtons_H6);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(profileLines("000002.rss")[1], "  Two lines");
    ASSERT_EQ(w->List1->selectedItems().size(), 1);
    EXPECT_EQ(w->List1->selectedItems()[0]->text(), "  Two lines (000002.rss)");
    EXPECT_EQ(w->lblStatus->text(), "Current Profile :   Two lines");
    EXPECT_EQ(w->SSTab1->currentIndex(), 1);
    for (int page = 1; page <= 4; ++page) EXPECT_TRUE(w->SSTab1->isTabEnabled(page));
    EXPECT_FALSE(w->txtProfileName->isVisible());
}

TEST_F(WindowTest, SelectingAProfileRewritesNothingAndAForeignFileLeavesTheCurrentOne) {
    FeedProfile ticked = NewFeedProfile("Ticked");
    ticked.StripHTMLTags = "1";
    writeProfile("000001.rss", ticked);
    FeedProfile good = NewFeedProfile("Good");
    good.FeedTitle = "Good title";
    good.FeedDesc = "Good description";
    good.StripHTMLTags = "yes";  // on for the engine, not a tick for the box
    const std::string stored = ProfileFileContent(good) + "a 14th line\r\n";
    dir.write("000002.rss", stored);
    dir.write("000003.rss", "my veltrane\r\nForeign\r\nWeb\r\n");
    open();
    ASSERT_EQ(w->List1->count(), 3);
    select("000001.rss");
    select("000002.rss");
    EXPECT_EQ(dir.read("000002.rss"), stored);

    select("000003.rss");
    expectOneMessage(dialogs, MessageIcon::Error, "Bad file format");
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Good");
    EXPECT_EQ(w->txtFeedTitle->text(), "Good title");
    EXPECT_EQ(w->txtFeedDesc->text(), "Good description");
    clickTab(2);
    QTest::keyClicks(w->txtFeedTitle, "!");
    EXPECT_EQ(profileLines("000002.rss")[7], "Good title!");
}

TEST_F(WindowTest, DeletingAsksFirstAndTheCurrentProfileTakesTheEditingPagesWithIt) {
    writeProfile("000002.rss", NewFeedProfile("Other"));
    FeedProfile p = NewFeedProfile("Current");
    p.FeedTitle = "shown";
    openWith(p);
    clickEntry("000002.rss");
    dialogs.answers = {false, true, true};
    click(w->wenButtons_H2);
    EXPECT_TRUE(exists("000002.rss"));  // "No" keeps it
    click(w->wenButtons_H2);
    EXPECT_FALSE(exists("000002.rss"));
    for (int page = 1; page <= 4; ++page) EXPECT_TRUE(w->SSTab1->isTabEnabled(page));
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Current");

    clickEntry("000001.rss");
    click(w->wenButtons_H2);
    ASSERT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(dialogs.calls[2].text, "Are you sure want to delete this profile\r\nCurrent (000001.rss)");
    EXPECT_EQ(dialogs.calls[2].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.calls[2].defaultAnswer, DefaultAnswer::No);  // a stray Enter deletes nothing
    EXPECT_FALSE(exists("000001.rss"));
    EXPECT_EQ(w->List1->count(), 0);
    for (int page = 1; page <= 3; ++page) EXPECT_FALSE(w->SSTab1->isTabEnabled(page));
    EXPECT_EQ(w->lblStatus->text(), NoProfile);
    EXPECT_EQ(w->txtFeedTitle->text(), "shown");  // the boxes keep the old values
}
