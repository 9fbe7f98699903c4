// The feed format and link marker on "Generate Settings", and the check of
// the generated feed beside the viewer. What the check finds is tested at
// the engine (tests/feed); here only the window's wiring.
#include "tests/mainwindow/WindowFixture.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

TEST_F(WindowTest, TheFormatAndTheLinkMarkerAreSavedOnLines14And15AndShownAgain) {
    openWith(NewFeedProfile("Formats"));
    clickTab(2);
    EXPECT_FALSE(w->txtLinkString->isEnabled()) << "the classic format has no use for it";
    w->cboFeedFormat->setFocus();
    QTest::keyClick(w->cboFeedFormat, Qt::Key_Down);
    EXPECT_EQ(profileLines()[13], "2.0");
    w->txtLinkString->setFocus();
    QTest::keyClicks(w->txtLinkString, "class=\"headline\"");
    EXPECT_EQ(profileLines()[14], "class=\"headline\"");

    select("000001.rss");
    EXPECT_EQ(w->cboFeedFormat->currentText(), "RSS 2.0 (for feed readers)");
    EXPECT_EQ(w->txtLinkString->text(), "class=\"headline\"");

    // Back to classic: the field empties and the marker stays.
    clickTab(2);
    w->cboFeedFormat->setFocus();
    QTest::keyClick(w->cboFeedFormat, Qt::Key_Up);
    EXPECT_EQ(profileLines()[13], "");
    EXPECT_EQ(profileLines()[14], "class=\"headline\"");
    EXPECT_TRUE(dialogs.calls.empty()) << lastMessage(dialogs);
}

TEST_F(WindowTest, AFindingIsListedWithItsCureAndChoosingItPutsTheCaretOnItsLine) {
    openOnDemo("\r\n");  // classic: every item carries the Feed Link, none has its own
    generate(dialogs);
    ASSERT_TRUE(w->lstFeedCheck->isVisible()) << lastMessage(dialogs);
    QListWidgetItem* shared = nullptr;
    for (int i = 0; i < w->lstFeedCheck->count(); ++i)
        if (w->lstFeedCheck->item(i)->text().contains("share the link")) shared = w->lstFeedCheck->item(i);
    ASSERT_NE(shared, nullptr) << w->lblFeedCheck->text().toStdString();
    EXPECT_TRUE(shared->text().endsWith(" (the RSS 2.0 format for feed readers cures this)"));
    const int line = shared->text().section(':', 0, 0).toInt();
    ASSERT_GT(line, 1);
    EXPECT_EQ(w->htmSyntaxBox1->Text().split('\n').at(line - 1), "<link>")
        << "the finding points at the first item's link";
    EXPECT_NE(w->htmSyntaxBox1->GetLineFromChar(w->htmSyntaxBox1->SelStart()), line - 1)
        << "nothing is chosen before the user chooses";

    const QRect at = w->lstFeedCheck->visualItemRect(shared);
    QTest::mouseClick(w->lstFeedCheck->viewport(), Qt::LeftButton, {}, at.center());
    EXPECT_EQ(w->htmSyntaxBox1->GetLineFromChar(w->htmSyntaxBox1->SelStart()), line - 1);
    EXPECT_EQ(dialogs.messages().size(), 0u) << lastMessage(dialogs);

    // Another profile selected: the check of the old feed goes with it.
    select("000001.rss");
    EXPECT_TRUE(w->lblFeedCheck->text().isEmpty());
    EXPECT_EQ(w->lstFeedCheck->count(), 0);
}

TEST_F(WindowTest, ACleanFeedShowsOneSummaryLine) {
    openOnDemo("2.0\r\n");
    generate(dialogs);
    EXPECT_EQ(w->lblFeedCheck->text(), "4 items, no problems found");
    EXPECT_FALSE(w->lstFeedCheck->isVisible());
}
