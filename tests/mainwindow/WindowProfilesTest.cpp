// Starting the window, creating, selecting and deleting profiles.
#include "tests/mainwindow/WindowFixture.h"

#include <QPushButton>

namespace {
const char* const NoProfile = "Please select an existing profile or create a new one";
}  // namespace

TEST_F(WindowTest, StartsOnTheProfilePageWithEveryOtherPageClosed) {
    writeProfile("000002.rss", NewFeedProfile("Second"));
    writeProfile("000001.rss", NewFeedProfile("First"));
    open();
    EXPECT_EQ(w->windowTitle(), "My Veltrane");
    ASSERT_EQ(w->SSTab1->count(), 5);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    for (int page = 1; page <= 4; ++page) EXPECT_FALSE(w->SSTab1->isTabEnabled(page)) << "page " << page;
    EXPECT_FALSE(w->SSTab1->isTabVisible(4));
    EXPECT_EQ(w->txtSource->text(), "http://www.");
    EXPECT_EQ(w->lblStatus->text(), NoProfile);
    for (QWidget* shown : Widgets{w->wenButtons_H1, w->wenButtons_H2, w->wenButtons_H4})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden : Widgets{w->wenButtons_H5, w->wenButtons_H6, w->Label7, w->txtProfileName})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_EQ(w->wenButtons_H4->Caption(), "Se&lect Profile");  // from the stored settings
    ASSERT_EQ(w->List1->count(), 2);
    EXPECT_EQ(w->List1->item(0)->text(), "First (000001.rss)");
    EXPECT_EQ(w->List1->item(1)->text(), "Second (000002.rss)");

    // A closed page cannot be chosen; Select and Delete want an entry first.
    clickTab(2);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    click(w->wenButtons_H4);
    expectOneMessage(dialogs, MessageIcon::Warning, "Please select a profile or Create a new one");
    EXPECT_FALSE(w->SSTab1->isTabEnabled(1));
    dialogs.calls.clear();
    click(w->wenButtons_H2);
    expectOneMessage(dialogs, MessageIcon::Warning, "Please select a profile to delete");
}

TEST_F(WindowTest, TheNameRowRefusesABlankNameClosesOnCancelAndStoresALineBreakAsABlank) {
    open();
    w->txtProfileName->setText("kept");
    click(w->wenButtons_H1);
    EXPECT_FALSE(w->List1->isEnabled());
    for (QWidget* hidden : Widgets{w->wenButtons_H1, w->wenButtons_H2, w->wenButtons_H4}) EXPECT_FALSE(hidden->isVisible());
    EXPECT_TRUE(w->txtProfileName->hasFocus());
    EXPECT_EQ(w->txtProfileName->text(), "kept");
    EXPECT_FALSE(enabledOnItsOwn(w->Command3));
    click(w->wenButtons_H5);
    EXPECT_TRUE(w->List1->isEnabled());
    EXPECT_FALSE(w->txtProfileName->isVisible());
    EXPECT_TRUE(enabledOnItsOwn(w->Command3));

    click(w->wenButtons_H1);
    retype(w->txtProfileName, "   ");
    click(w->wenButtons_H6);
    expectOneMessage(dialogs, MessageIcon::Warning, "Please supply a valid profile name");
    EXPECT_TRUE(w->txtProfileName->hasFocus());
    EXPECT_FALSE(enabledOnItsOwn(w->Command3));
    EXPECT_FALSE(exists("000001.rss"));

    w->txtProfileName->setText("Two\nlines");
    click(w->wenButtons_H6);
    ASSERT_EQ(profileLines().size(), 13u);
    EXPECT_EQ(profileLines()[1], "Two lines");
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Two lines");
}

TEST_F(WindowTest, ANameBeginningWithBlanksIsCreatedAsTypedAndBecomesCurrent) {
    writeProfile("000001.rss", NewFeedProfile("One"));
    writeProfile("000003.rss", NewFeedProfile("Three"));
    open();
    click(w->wenButtons_H1);
    QTest::keyClicks(w->txtProfileName, "  News");
    click(w->wenButtons_H6);
    EXPECT_TRUE(dialogs.calls.empty());
    // Filling the boxes saved nothing over the new profile.
    EXPECT_EQ(profileLines("000002.rss"),
              (std::vector<std::string>{"My Veltrane", "  News", "Web", "", "</head>", "</body>", "</body>", "", "",
                                        "", "", "", "0"}));
    ASSERT_EQ(w->List1->selectedItems().size(), 1);
    EXPECT_EQ(w->List1->selectedItems()[0]->text(), "  News (000002.rss)");
    EXPECT_EQ(w->lblStatus->text(), "Current Profile :   News");
    EXPECT_EQ(w->SSTab1->currentIndex(), 1);
    for (int page = 1; page <= 4; ++page) EXPECT_TRUE(w->SSTab1->isTabEnabled(page));
    EXPECT_TRUE(enabledOnItsOwn(w->Command3));
    EXPECT_EQ(w->Text1->text(), "</head>");
}

TEST_F(WindowTest, AForeignFileIsListedButRefusedAndTheCurrentProfileStays) {
    FeedProfile good = NewFeedProfile("Good");
    good.FeedTitle = "Good title";
    writeProfile("000001.rss", good);
    const std::string foreign = "my veltrane\r\nForeign\r\nWeb\r\n";
    dir.write("000002.rss", foreign);
    open();
    ASSERT_EQ(w->List1->count(), 2);
    select("000001.rss");
    select("000002.rss");
    expectOneMessage(dialogs, MessageIcon::Error, "Bad file format");
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Good");
    EXPECT_EQ(w->txtFeedTitle->text(), "Good title");
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    // A later edit still goes to the previous profile's file.
    clickTab(2);
    QTest::keyClicks(w->txtFeedTitle, "!");
    EXPECT_EQ(profileLines()[7], "Good title!");
    EXPECT_EQ(dir.read("000002.rss"), foreign);
}

TEST_F(WindowTest, DeletingTheCurrentProfileWithdrawsTheEditingPages) {
    writeProfile("000002.rss", NewFeedProfile("Other"));
    FeedProfile p = NewFeedProfile("Current");
    p.FeedTitle = "shown";
    openWith(p);
    clickTab(0);
    clickEntry("000001.rss");
    dialogs.answers.push_back(true);
    click(w->wenButtons_H2);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    const DialogCall& q = dialogs.calls[0];
    EXPECT_EQ(q.kind, DialogCall::Question);
    EXPECT_EQ(q.text, "Are you sure want to delete this profile\r\nCurrent (000001.rss)");
    EXPECT_EQ(q.icon, MessageIcon::Warning);
    EXPECT_EQ(q.title, "My Veltrane");
    EXPECT_EQ(q.defaultAnswer, DefaultAnswer::No);
    EXPECT_FALSE(exists("000001.rss"));
    ASSERT_EQ(w->List1->count(), 1);
    EXPECT_EQ(w->List1->item(0)->text(), "Other (000002.rss)");
    for (int page = 1; page <= 3; ++page) EXPECT_FALSE(w->SSTab1->isTabEnabled(page));
    EXPECT_EQ(w->lblStatus->text(), NoProfile);
    EXPECT_EQ(w->session().ProfileFile, "");      // so no later edit writes it back
    EXPECT_EQ(w->txtFeedTitle->text(), "shown");  // the boxes keep the old values
}

TEST_F(WindowTest, DeletingAnotherProfileAsksFirstAndLeavesTheCurrentOneAlone) {
    writeProfile("000002.rss", NewFeedProfile("Other"));
    openWith(NewFeedProfile("Current"));
    clickTab(0);
    clickEntry("000002.rss");
    dialogs.answers = {false, true};
    click(w->wenButtons_H2);
    EXPECT_TRUE(exists("000002.rss"));  // "No" keeps it
    click(w->wenButtons_H2);
    EXPECT_EQ(dialogs.calls.size(), 2u);
    EXPECT_FALSE(exists("000002.rss"));
    EXPECT_TRUE(exists("000001.rss"));
    EXPECT_EQ(w->List1->count(), 1);
    for (int page = 1; page <= 4; ++page) EXPECT_TRUE(w->SSTab1->isTabEnabled(page));
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Current");
    EXPECT_EQ(w->session().ProfileFile, "000001.rss");
}
