// The save step and the program folder as the window sees them.
#include "tests/mainwindow/WindowFixture.h"
#include "feed/SafeFile.h"

#include <QPushButton>

TEST_F(WindowTest, ASaveIsReportedOnTheStatusLineAndTheViewerSavesAgain) {
    openOnDemo();
    generate(dialogs);  // the chooser that opens at once is cancelled
    const std::string target = (dir / "feed.xml").string();
    dialogs.files = {target};
    click(w->cmdSaveFeed);
    ASSERT_EQ(dialogs.calls.size(), 3u) << lastMessage(dialogs);
    EXPECT_EQ(dir.read("feed.xml"), dir.read("test.xml"));
    EXPECT_EQ(w->lblStatus->text(), "Saved 4 items to " + QString::fromStdString(target));

    dir.write("harbour-news.htm", "<div class=\"story\"><h2>Only</h2><p>one</p></div><p class=\"footer\">");
    generate(dialogs);
    EXPECT_EQ(w->lblStatus->text(), "Current Profile : Harbour Town Weekly - demo");  // the old save is not news
    dialogs.files = {(dir / "one").string()};
    click(w->cmdSaveFeed);
    EXPECT_EQ(w->lblStatus->text(), "Saved 1 item to " + QString::fromStdString((dir / "one.xml").string()));
}

TEST_F(WindowTest, ProfilesMadeChangedOrDeletedOutsideAreListedAndTheSelectionStays) {
    writeProfile("000002.rss", NewFeedProfile("Mine"));
    open();
    clickEntry("000002.rss");
    auto listedAndSelected = [&](const QStringList& entries, const QString& selected) {
        return QTest::qWaitFor([&] {
            QStringList shown;
            for (int i = 0; i < w->List1->count(); ++i) shown << w->List1->item(i)->text();
            const auto s = w->List1->selectedItems();
            return shown == entries && s.size() == 1 && s[0]->text() == selected;
        });
    };
    ScriptedDialogs commandLine;
    ASSERT_EQ(CreateProfile(dir.path(), "Made", commandLine), "000001.rss");
    EXPECT_TRUE(listedAndSelected({"Made (000001.rss)", "Mine (000002.rss)"}, "Mine (000002.rss)"));
    WriteFileReplacing(dir / "000002.rss", ProfileFileContent(NewFeedProfile("Renamed")));
    EXPECT_TRUE(listedAndSelected({"Made (000001.rss)", "Renamed (000002.rss)"}, "Renamed (000002.rss)"));
    std::filesystem::remove(dir / "000001.rss");
    EXPECT_TRUE(listedAndSelected({"Renamed (000002.rss)"}, "Renamed (000002.rss)"));
}
