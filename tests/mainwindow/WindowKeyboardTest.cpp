// The window from the keyboard alone, through real key events.
#include "tests/mainwindow/WindowFixture.h"
#include "syntaxbox/RichBox.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QApplication>
#include <QKeySequence>
#include <QRadioButton>

#include <map>

class KeyboardTest : public WindowTest {
protected:
    // Shortcuts and access keys reach the active window only.
    void openActive(const FeedProfile* current = nullptr) {
        if (current) writeProfile("000001.rss", *current);
        open();
        if (current) select("000001.rss");
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    // A key as the keyboard sends it: to the focused widget.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(QApplication::focusWidget(), k, mods); }

    // The button drawn as the default, which must be the one Enter presses.
    QString drawnAsDefault() const {
        QStringList drawn;
        for (wenButtons_H* b : w->findChildren<wenButtons_H*>())
            if (b->model().nFlags & FlagDefaultLook) drawn << b->objectName();
        EXPECT_EQ(drawn.join(","), w->defaultButton() ? w->defaultButton()->objectName() : QString());
        return drawn.join(",");
    }

    // Every button, option, check box and tab on screen has an access key,
    // and no two share one.
    void expectOwnAccessKeys(const char* where) const {
        std::map<QString, QString> owner;
        auto take = [&](const QString& who, const QString& caption) {
            const QString k = QKeySequence::mnemonic(caption).toString();
            const auto [at, fresh] = owner.emplace(k, who);
            EXPECT_TRUE(!k.isEmpty() && fresh) << where << ": " << who.toStdString() << " \"" << k.toStdString()
                                               << "\" " << at->second.toStdString();
        };
        for (int i = 0; i < w->SSTab1->count(); ++i)
            if (w->SSTab1->isTabVisible(i)) take("tab", w->SSTab1->tabText(i));
        for (wenButtons_H* b : w->findChildren<wenButtons_H*>())
            if (b->isVisible()) take(b->objectName(), b->Caption());
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            if (b->isVisible() && !b->objectName().isEmpty()) take(b->objectName(), b->text());
    }
};

TEST_F(KeyboardTest, EnterAndEscPressTheDefaultAndCancelButtonsAndTheListAnswersEnterAndDoubleClicks) {
    writeProfile("000002.rss", NewFeedProfile("Second"));
    openActive();
    clickEntry("000002.rss");
    EXPECT_EQ(drawnAsDefault(), "wenButtons_H4");
    key(Qt::Key_Return);
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Second");

    // The focused button is the default; Enter presses it.
    clickTab(0);
    w->List1->setFocus();
    key(Qt::Key_Tab);
    EXPECT_EQ(drawnAsDefault(), "wenButtons_H1");
    w->txtProfileName->setText("Old name");
    key(Qt::Key_Return);
    ASSERT_TRUE(w->txtProfileName->hasFocus());
    EXPECT_EQ(w->txtProfileName->selectedText(), "Old name");
    EXPECT_EQ(drawnAsDefault(), "wenButtons_H6");
    key(Qt::Key_Escape);
    EXPECT_FALSE(w->txtProfileName->isVisible());
    EXPECT_TRUE(w->List1->hasFocus());

    key(Qt::Key_N, Qt::AltModifier);
    QTest::keyClicks(w->txtProfileName, "News");  // replaces the selected name
    key(Qt::Key_Return);
    EXPECT_EQ(profileLines("000001.rss")[1], "News");
    EXPECT_EQ(w->SSTab1->currentIndex(), 1);
    EXPECT_EQ(drawnAsDefault(), "");  // no default button after the first page

    clickTab(0);
    const QPoint second = w->List1->visualItemRect(w->List1->item(1)).center();
    QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(w->List1->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Second");
    EXPECT_EQ(w->SSTab1->currentIndex(), 1);
    EXPECT_TRUE(dialogs.calls.empty()) << lastMessage(dialogs);
}

TEST_F(KeyboardTest, EveryControlOnAPageHasItsOwnAccessKey) {
    const FeedProfile p = NewFeedProfile("Keys");
    openActive(&p);
    key(Qt::Key_P, Qt::AltModifier);
    expectOwnAccessKeys("profile page");
    key(Qt::Key_N, Qt::AltModifier);
    expectOwnAccessKeys("name row");
    key(Qt::Key_A, Qt::AltModifier);
    EXPECT_FALSE(w->txtProfileName->isVisible());
    key(Qt::Key_S, Qt::AltModifier);
    expectOwnAccessKeys("source page");
    key(Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->Option2->isChecked(); }));
    key(Qt::Key_G, Qt::AltModifier);
    expectOwnAccessKeys("settings page");
    key(Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(w->SSTab1->currentIndex(), 3);
    expectOwnAccessKeys("viewer page");
}

TEST_F(KeyboardTest, NoKeyReachesTheHiddenSavePage) {
    const FeedProfile p = NewFeedProfile("Pages");
    openActive(&p);  // pages 1 to 4 enabled, 4 hidden
    EXPECT_TRUE(QKeySequence::mnemonic(w->SSTab1->tabText(4)).isEmpty());
    const struct {
        QWidget* focus;  // a focused button keeps every key it gets
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int from, to;
    } steps[] = {
        {w->htmSyntaxBox1->rtfHTML(), Qt::Key_Tab, Qt::ControlModifier, 3, 0},
        {w->wenButtons_H4, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0, 3},
        {w->wenButtons_H4, Qt::Key_PageUp, Qt::ControlModifier, 0, 3},
        {w->htmSyntaxBox1->rtfHTML(), Qt::Key_PageDown, Qt::ControlModifier, 3, 0},
        {w->SSTab1->tabBar(), Qt::Key_Right, {}, 3, 3},
    };
    for (const auto& s : steps) {
        w->SSTab1->setCurrentIndex(s.from);
        s.focus->setFocus();
        QTest::keyClick(s.focus, s.key, s.mods);
        EXPECT_EQ(w->SSTab1->currentIndex(), s.to) << QKeySequence(s.key | s.mods).toString().toStdString();
    }
}
