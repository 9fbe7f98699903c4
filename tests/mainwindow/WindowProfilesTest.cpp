// Starting the window, creating, selecting and deleting profiles.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace {
const char* const NoProfile = "Please select an existing profile or create a new one";

FeedProfile named(const std::string& name) { return NewFeedProfile(name); }
}  // namespace

TEST_F(WindowTest, StartsOnTheProfilePageWithEveryOtherPageClosed) {
    writeProfile("000002.rss", named("Second"));
    writeProfile("000001.rss", named("First"));
    open();
    EXPECT_EQ(w->windowTitle(), "My Veltrane");
    EXPECT_EQ(w->SSTab1->count(), 5);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_TRUE(w->SSTab1->isTabEnabled(0));
    for (int page = 1; page <= 4; ++page) EXPECT_FALSE(w->SSTab1->isTabEnabled(page)) << "page " << page;
    EXPECT_FALSE(w->SSTab1->isTabVisible(4));
    EXPECT_EQ(w->SSTab1->tabText(0), "Select Profile");
    EXPECT_EQ(w->SSTab1->tabText(3), "View XML Source");
    EXPECT_EQ(w->txtSource->text(), "http://www.");
    EXPECT_EQ(w->lblStatus->text(), NoProfile);
    EXPECT_TRUE(w->List1->isEnabled());
    EXPECT_TRUE(w->wenButtons_H1->isVisible());
    EXPECT_TRUE(w->wenButtons_H2->isVisible());
    EXPECT_TRUE(w->wenButtons_H4->isVisible());
    EXPECT_EQ(w->wenButtons_H4->Caption(), "Select Profile");  // from the stored settings
    EXPECT_FALSE(w->wenButtons_H5->isVisible());
    EXPECT_FALSE(w->wenButtons_H6->isVisible());
    EXPECT_FALSE(w->Label7->isVisible());
    EXPECT_FALSE(w->txtProfileName->isVisible());
    ASSERT_EQ(w->List1->count(), 2);
    EXPECT_EQ(w->List1->item(0)->text(), "First (000001.rss)");
    EXPECT_EQ(w->List1->item(1)->text(), "Second (000002.rss)");

    // A disabled page cannot be chosen.
    clickTab(2);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(WindowTest, NewProfileOpensTheNameRowAndCancelClosesIt) {
    open();
    w->txtProfileName->setText("kept");
    click(w->wenButtons_H1);
    EXPECT_FALSE(w->List1->isEnabled());
    EXPECT_FALSE(w->wenButtons_H1->isVisible());
    EXPECT_FALSE(w->wenButtons_H2->isVisible());
    EXPECT_FALSE(w->wenButtons_H4->isVisible());
    EXPECT_FALSE(enabledOnItsOwn(w->Command3));
    EXPECT_TRUE(w->wenButtons_H5->isVisible());
    EXPECT_TRUE(w->wenButtons_H6->isVisible());
    EXPECT_TRUE(w->Label7->isVisible());
    EXPECT_TRUE(w->txtProfileName->isVisible());
    EXPECT_TRUE(w->txtProfileName->hasFocus());
    EXPECT_EQ(w->txtProfileName->text(), "kept");

    click(w->wenButtons_H5);
    EXPECT_TRUE(w->List1->isEnabled());
    EXPECT_TRUE(w->wenButtons_H1->isVisible());
    EXPECT_TRUE(enabledOnItsOwn(w->Command3));
    EXPECT_FALSE(w->wenButtons_H6->isVisible());
    EXPECT_FALSE(w->txtProfileName->isVisible());
    EXPECT_TRUE(dir.read("000001.rss").empty());
}

TEST_F(WindowTest, ABlankNameIsRefusedAndKeepsGenerateFeedDisabled) {
    open();
    click(w->wenButtons_H1);
    QTest::keyClicks(w->txtProfileName, "   ");
    click(w->wenButtons_H6);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, "Please supply a valid profile name");
    EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.calls[0].title, "My Veltrane");
    EXPECT_TRUE(w->txtProfileName->isVisible());
    EXPECT_TRUE(w->txtProfileName->hasFocus());
    EXPECT_FALSE(enabledOnItsOwn(w->Command3));
    EXPECT_EQ(w->List1->count(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "000001.rss"));
    // Only Cancel (or a good name) gives the button back.
    click(w->wenButtons_H5);
    EXPECT_TRUE(enabledOnItsOwn(w->Command3));
}

TEST_F(WindowTest, ANameBeginningWithBlanksIsCreatedAsTypedAndBecomesCurrent) {
    writeProfile("000001.rss", named("One"));
    writeProfile("000003.rss", named("Three"));
    open();
    click(w->wenButtons_H1);
    QTest::keyClicks(w->txtProfileName, "  News");
    click(w->wenButtons_H6);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(profileLines("000002.rss"),
              (std::vector<std::string>{"My Veltrane", "  News", "Web", "", "</head>", "</body>", "</body>", "", "",
                                        "", "", "", "0"}));
    ASSERT_EQ(w->List1->count(), 3);
    ASSERT_EQ(w->List1->selectedItems().size(), 1);
    EXPECT_EQ(w->List1->selectedItems()[0]->text(), "  News (000002.rss)");
    EXPECT_EQ(w->lblStatus->text(), "Current Profile :   News");
    EXPECT_EQ(w->session().ProfileFile, "000002.rss");
    EXPECT_TRUE(w->session().ProfileLoaded);
    EXPECT_EQ(w->SSTab1->currentIndex(), 1);
    for (int page = 1; page <= 4; ++page) EXPECT_TRUE(w->SSTab1->isTabEnabled(page));
    EXPECT_FALSE(w->SSTab1->isTabVisible(4));
    EXPECT_TRUE(enabledOnItsOwn(w->Command3));
    EXPECT_FALSE(w->wenButtons_H1->isHidden());
    EXPECT_TRUE(w->txtProfileName->isHidden());
    EXPECT_EQ(w->Text1->text(), "</head>");
    EXPECT_TRUE(w->Option1->isChecked());
    // Filling the boxes saved nothing: the file is still the new profile.
    EXPECT_EQ(dir.read("000002.rss"), ProfileFileContent(NewFeedProfile("  News")));
}

TEST_F(WindowTest, SelectProfileWithNothingSelectedAsksForASelection) {
    writeProfile("000001.rss", named("One"));
    open();
    click(w->wenButtons_H4);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, "Please select a profile or Create a new one");
    EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.calls[0].title, "My Veltrane");
    EXPECT_FALSE(w->SSTab1->isTabEnabled(1));
}

TEST_F(WindowTest, AForeignFileIsListedButRefusedAndTheCurrentProfileStays) {
    FeedProfile good = named("Good");
    good.FeedTitle = "Good title";
    writeProfile("000001.rss", good);
    dir.write("000002.rss", "my veltrane\r\nForeign\r\nWeb\r\n");
    open();
    ASSERT_EQ(w->List1->count(), 2);
    clickEntry("000001.rss");
    click(w->wenButtons_H4);
    clickTab(0);
    clickEntry("000002.rss");
    click(w->wenButtons_H4);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, "Bad file format");
    EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Error);
    EXPECT_EQ(dialogs.calls[0].title, "My Veltrane");
    EXPECT_EQ(w->session().ProfileFile, "000001.rss");
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Good");
    EXPECT_EQ(w->txtFeedTitle->text(), "Good title");
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    // A later edit still goes to the previous profile's file.
    clickTab(2);
    QTest::keyClicks(w->txtFeedTitle, "!");
    EXPECT_EQ(profileLines("000001.rss")[7], "Good title!");
    EXPECT_EQ(dir.read("000002.rss"), "my veltrane\r\nForeign\r\nWeb\r\n");
}

TEST_F(WindowTest, DeletingTheCurrentProfileWithdrawsTheEditingPages) {
    writeProfile("000002.rss", named("Other"));
    FeedProfile p = named("Current");
    p.FeedTitle = "shown";
    openWith(p);
    clickTab(0);
    clickEntry("000001.rss");
    dialogs.answers.push_back(true);
    click(w->wenButtons_H2);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, DialogCall::Question);
    EXPECT_EQ(dialogs.calls[0].text, "Are you sure want to delete this profile\r\nCurrent (000001.rss)");
    EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.calls[0].title, "My Veltrane");
    EXPECT_FALSE(std::filesystem::exists(dir / "000001.rss"));
    ASSERT_EQ(w->List1->count(), 1);
    EXPECT_EQ(w->List1->item(0)->text(), "Other (000002.rss)");
    for (int page = 1; page <= 3; ++page) EXPECT_FALSE(w->SSTab1->isTabEnabled(page));
    EXPECT_TRUE(w->SSTab1->isTabEnabled(4));
    EXPECT_FALSE(w->SSTab1->isTabVisible(4));
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_EQ(w->lblStatus->text(), NoProfile);
    EXPECT_EQ(w->session().ProfileFile, "");
    EXPECT_EQ(w->txtFeedTitle->text(), "shown");  // the boxes keep the old values
    EXPECT_FALSE(std::filesystem::exists(dir / "000001.rss"));  // and nothing writes it back
}

TEST_F(WindowTest, DeletingAnotherProfileLeavesPagesAndStatusAlone) {
    writeProfile("000002.rss", named("Other"));
    openWith(named("Current"));
    clickTab(0);
    clickEntry("000002.rss");
    dialogs.answers.push_back(true);
    click(w->wenButtons_H2);
    EXPECT_FALSE(std::filesystem::exists(dir / "000002.rss"));
    EXPECT_TRUE(std::filesystem::exists(dir / "000001.rss"));
    for (int page = 1; page <= 4; ++page) EXPECT_TRUE(w->SSTab1->isTabEnabled(page));
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Current");
    EXPECT_EQ(w->session().ProfileFile, "000001.rss");
    EXPECT_EQ(w->List1->count(), 1);
}

TEST_F(WindowTest, DeleteAsksFirstAndDoesNothingOnNoOrWithoutSelection) {
    writeProfile("000001.rss", named("One"));
    open();
    click(w->wenButtons_H2);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, "Please select a profile to delete");
    EXPECT_EQ(dialogs.calls[0].icon, MessageIcon::Warning);
    clickEntry("000001.rss");
    dialogs.answers.push_back(false);
    click(w->wenButtons_H2);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[1].kind, DialogCall::Question);
    EXPECT_TRUE(std::filesystem::exists(dir / "000001.rss"));
    EXPECT_EQ(w->List1->count(), 1);
}

TEST_F(WindowTest, ADeletionThatFailsShowsWhyAndTheWindowGoesOn) {
    writeProfile("000001.rss", named("One"));
    open();
    clickEntry("000001.rss");
    std::filesystem::remove(dir / "000001.rss");  // gone behind the window's back
    dialogs.answers.push_back(true);
    click(w->wenButtons_H2);
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(messages[0].title, "My Veltrane");
    EXPECT_FALSE(messages[0].text.empty());
    EXPECT_TRUE(w->List1->isEnabled());
    click(w->wenButtons_H1);  // still answers
    EXPECT_TRUE(w->txtProfileName->isVisible());
}

TEST_F(WindowTest, ALineBreakInANewNameIsStoredAsABlank) {
    open();
    click(w->wenButtons_H1);
    w->txtProfileName->setText("Two\nlines");
    click(w->wenButtons_H6);
    EXPECT_EQ(profileLines("000001.rss").size(), 13u);
    EXPECT_EQ(profileLines("000001.rss")[1], "Two lines");
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Two lines");
}

namespace {
class FailingQuestionDialogs : public ScriptedDialogs {
public:
    bool askYesNo(const std::string&, MessageIcon, const std::string&) override {
        throw std::runtime_error("The question could not be shown");
    }
};
}  // namespace

TEST_F(WindowTest, AFailureInsideAHandlerIsShownAndTheWindowGoesOn) {
    writeProfile("000001.rss", named("One"));
    FailingQuestionDialogs failing;
    w = std::make_unique<frmMain>(dir.path(), failing);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    clickEntry("000001.rss");
    click(w->wenButtons_H2);
    ASSERT_EQ(failing.messages().size(), 1u);
    EXPECT_EQ(failing.messages()[0].text, "The question could not be shown");
    EXPECT_EQ(failing.messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(failing.messages()[0].title, "My Veltrane");
    EXPECT_TRUE(std::filesystem::exists(dir / "000001.rss"));
    click(w->wenButtons_H4);
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : One");
}
