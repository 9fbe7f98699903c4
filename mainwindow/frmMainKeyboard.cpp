// The window's keyboard: which button Enter and Esc press, the order Tab
// follows, and the keys that turn the pages of the tab strip.
#include "mainwindow/frmMain.h"

#include "buttons/wenButtons_H.h"
#include "syntaxbox/RichBox.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

#include <iterator>

void frmMain::setUpKeyboard() {
    // Esc closes the name row. Its "Cancel" is the one cancel button of the
    // window; the button answers Esc only while it is shown.
    host_.setCancelButton(wenButtons_H5);

    // Tab follows each page as it is read: the list, the buttons beside it,
    // then the name row; the source page top down; then the settings.
    QWidget* const chain[] = {List1, wenButtons_H1, wenButtons_H2, wenButtons_H4, txtProfileName, wenButtons_H6,
                              wenButtons_H5, Option1, Option2, txtSource, Command2, Command1, Text1, Text2, Text3,
                              txtTitleEndString, txtEndItemString, txtFeedTitle, txtFeedDesc, txtFeedLink,
                              chkStripHTMLTags, Command3, htmSyntaxBox1->rtfHTML(), cmdSaveFeed};
    for (size_t i = 1; i < std::size(chain); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);

    // The page keys: Ctrl+Tab and Ctrl+PgDn forward, Ctrl+Shift+Tab and
    // Ctrl+PgUp back, round the strip. They are the window's own, so they
    // work wherever the focus is (a focused button keeps every key it gets),
    // and they pass over the hidden save page, which the tab strip's own
    // keys would stop at.
    const struct {
        QKeyCombination keys;
        int step;
    } pageKeys[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const auto& k : pageKeys) {
        const int step = k.step;
        connect(new QShortcut(QKeySequence(k.keys), this), &QShortcut::activated, this,
                [this, step] { SSTab1->setCurrentIndex(nextReachablePage(step, true)); });
    }
    // The arrow keys of the focused tab strip, likewise.
    SSTab1->tabBar()->installEventFilter(this);
    connect(SSTab1, &QTabWidget::currentChanged, this, [this] { updateDefaultButton(); });
    connect(qApp, &QApplication::focusChanged, this, [this] { updateDefaultButton(); });
}

QWidget* frmMain::defaultButton() const { return host_.defaultButton(); }

// As on a form: a focused command button is the one Enter presses; inside
// the viewer Enter is the viewer's own; elsewhere the page's default button
// answers, "Create Profile" while the name row is open and "Select Profile"
// otherwise. The pages after the first have no default button: Enter in a
// marker box must not start a download. The button named here is drawn as
// the default, so what the window shows is what Enter does.
void frmMain::updateDefaultButton() {
    QWidget* focus = focusWidget();
    QWidget* enter = nullptr;
    if (auto* b = qobject_cast<wenButtons_H*>(focus); b && b->isVisible()) {
        enter = b;
    } else if (focus && (focus == htmSyntaxBox1 || htmSyntaxBox1->isAncestorOf(focus))) {
        enter = nullptr;
    } else if (SSTab1->currentIndex() == PageProfile) {
        enter = txtProfileName->isVisibleTo(this) ? wenButtons_H6 : wenButtons_H4;
    }
    host_.setDefaultButton(enter);
}

int frmMain::nextReachablePage(int step, bool roundTheStrip) const {
    const int count = SSTab1->count();
    int page = SSTab1->currentIndex();
    for (int tried = 1; tried < count; ++tried) {
        page += step;
        if (roundTheStrip) page = (page + count) % count;
        else if (page < 0 || page >= count) break;
        if (SSTab1->isTabEnabled(page) && SSTab1->isTabVisible(page)) return page;
    }
    return SSTab1->currentIndex();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != SSTab1->tabBar() || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return QWidget::eventFilter(watched, event);
    int step = 0;
    switch (key->key()) {
    case Qt::Key_Left: case Qt::Key_Up: step = -1; break;
    case Qt::Key_Right: case Qt::Key_Down: step = 1; break;
    default: return QWidget::eventFilter(watched, event);
    }
    SSTab1->setCurrentIndex(nextReachablePage(step, false));
    return true;
}
