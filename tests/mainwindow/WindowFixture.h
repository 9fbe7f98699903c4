#pragma once
// A main window over a temporary program folder, with scripted dialogs, and
// the small moves a user makes: clicking buttons, list entries and tabs,
// typing into boxes.
#include "feed/FeedProfile.h"
#include "feed/ProfileStore.h"
#include "tests/mainwindow/DemoFiles.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"
#include "mainwindow/frmMain.h"
#include "buttons/wenButtons_H.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class WindowTest : public ::testing::Test {
protected:
    using Widgets = std::initializer_list<QWidget*>;
    TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> w;

    // Opens the window; a test may hand in its own dialogs.
    void open(Dialogs* with = nullptr) {
        w = std::make_unique<frmMain>(dir.path(), with ? *with : dialogs);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }

    static void click(QWidget* button) {
        ASSERT_TRUE(button->isVisible()) << button->objectName().toStdString() << " is not visible";
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    // Clicks a tab as the user would; a disabled tab ignores it.
    void clickTab(int index) {
        auto* bar = w->SSTab1->findChild<QTabBar*>();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    // Clicks the list entry of the profile file on the first page.
    void clickEntry(const std::string& fileName) {
        clickTab(0);
        const auto found = w->List1->findItems(QString::fromLatin1(fileName), Qt::MatchContains);
        ASSERT_FALSE(found.isEmpty()) << "no entry contains " << fileName;
        QTest::mouseClick(w->List1->viewport(), Qt::LeftButton, {}, w->List1->visualItemRect(found[0]).center());
    }

    // Picks the profile and presses "Select Profile".
    void select(const std::string& fileName) {
        clickEntry(fileName);
        click(w->wenButtons_H4);
    }

    // Replaces a box's content as typed keys.
    static void retype(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    void writeProfile(const std::string& fileName, const FeedProfile& p) const {
        dir.write(fileName, ProfileFileContent(p));
    }

    std::vector<std::string> profileLines(const std::string& fileName = "000001.rss") const {
        std::string text = dir.read(fileName);
        std::vector<std::string> lines;
        for (size_t end; (end = text.find("\r\n")) != std::string::npos; text.erase(0, end + 2))
            lines.push_back(text.substr(0, end));
        if (!text.empty()) lines.push_back(text);
        return lines;
    }

    // Opens the window on one profile file and selects it.
    void openWith(const FeedProfile& p, const std::string& fileName = "000001.rss") {
        writeProfile(fileName, p);
        open();
        select(fileName);
    }

    // Opens the window on the demo profile, selected, over the demo page
    // (four stories) in the program's folder; `more` follows its thirteen lines.
    void openOnDemo(const std::string& more = "", Dialogs* with = nullptr) {
        const std::string page = DemoFile("harbour-news.htm");
        ASSERT_FALSE(page.empty()) << "set MV_SOURCE_DIR to the repository";
        dir.write("harbour-news.htm", page);
        dir.write("000001.rss", DemoProfile((dir / "harbour-news.htm").string()) + more);
        open(with);
        select("000001.rss");
    }

    // Presses Generate Feed, answering the title question and the save
    // chooser ("" cancels it).
    void generate(ScriptedDialogs& d, const std::string& saveAs = "") {
        clickTab(2);
        d.answers.push_back(true);
        d.files.push_back(saveAs);
        click(w->Command3);
    }

    bool exists(const std::string& fileName) const { return std::filesystem::exists(dir / fileName); }

    // Enabled unless switched off itself (a closed page disables what it holds).
    static bool enabledOnItsOwn(const QWidget* widget) { return !widget->testAttribute(Qt::WA_ForceDisabled); }

    // The one message shown so far, with the window's title; its text is
    // checked when given.
    static void expectOneMessage(const ScriptedDialogs& d, MessageIcon icon, const std::string& text = {}) {
        const auto m = d.messages();
        ASSERT_EQ(m.size(), 1u);
        EXPECT_EQ(m[0].icon, icon);
        EXPECT_EQ(m[0].title, "My Veltrane");
        if (!text.empty()) {
            EXPECT_EQ(m[0].text, text);
        }
    }

    static void expectChooser(const DialogCall& call, DialogCall::Kind kind, const std::string& title,
                              const std::string& filterName, const std::string& pattern) {
        EXPECT_EQ(call.kind, kind);
        EXPECT_EQ(call.request.title, title);
        ASSERT_EQ(call.request.filters.size(), 1u);
        EXPECT_EQ(call.request.filters[0].name, filterName);
        EXPECT_EQ(call.request.filters[0].pattern, pattern);
    }

    static std::string lastMessage(const ScriptedDialogs& d) {
        const auto m = d.messages();
        return m.empty() ? std::string("(none)") : m.back().text;
    }
};
