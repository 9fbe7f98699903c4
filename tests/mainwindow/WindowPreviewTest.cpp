// The preview beside the markers, driven with keys and clicks: the page
// read without touching the program's files, the list following a typed
// marker, stepping through hits, an item shown in the source, a stop in
// plain words and proposed markers filling the boxes. What the cut gives is
// tested at the engine (tests/feed); here, that the window shows it.
#include "tests/mainwindow/WindowFixture.h"
#include "tests/support/LoopbackServer.h"
#include "mainwindow/PreviewPane.h"
#include "mainwindow/SuggestDialog.h"
#include "syntaxbox/RichBox.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

namespace {
// Sixty items, one a line, CR LF line ends (so box offsets differ from
// byte offsets); the list opens on the line of the first item.
std::string listPage() {
    std::string page = "<html>\r\n<head><title>News</title></head>\r\n<body>\r\n<ul id=\"news\">";
    for (int i = 1; i <= 60; ++i)
        page += "<li><a href=\"/" + std::to_string(i) + "\">Story " + std::to_string(i) + "</a> told</li>\r\n";
    return page + "</ul>\r\n</body></html>\r\n";
}
}  // namespace

class PreviewTest : public WindowTest {
protected:
    PreviewPane* pane() const { return w->previewPane; }
    int rows() const { return pane()->lstPreviewItems->model()->rowCount(); }
    QString cell(int row, int column) const {
        auto* m = pane()->lstPreviewItems->model();
        return m->data(m->index(row, column)).toString();
    }
    static void settle() { QCoreApplication::processEvents(); }

    FeedProfile profile(const std::string& source, const std::string& type) const {
        FeedProfile p = NewFeedProfile("News");
        p.SourceType = type;
        p.Source = source;
        p.StartString = "<li>";
        p.StartItemString = "<li>";
        p.EndString = "</ul>";
        p.TitleEndString = "</a>";
        p.EndItemString = "</li>";
        p.StripHTMLTags = "1";
        return p;
    }

    // A local profile on the list page, its page loaded into the preview.
    void openLocal() {
        dir.write("news.htm", listPage());
        openWith(profile((dir / "news.htm").string(), "Local"));
        clickTab(frmMain::PageSettings);
        click(pane()->cmdPreviewReload);
    }

    QString selected() const { return pane()->htmSyntaxBox2->rtfHTML()->textCursor().selectedText(); }
    int selectionStart() const { return pane()->htmSyntaxBox2->rtfHTML()->textCursor().selectionStart(); }
};

TEST_F(PreviewTest, DownloadKeepsThePageInMemoryAndSaysHowMuchCame) {
    LoopbackServer& server = LoopbackServer::instance();
    ASSERT_FALSE(server.base().empty());
    server.root().write("preview-news.htm", listPage());
    openWith(profile(server.base() + "preview-news.htm", "Web"));
    const std::string stored = dir.read("000001.rss");

    click(w->Command2);
    const size_t n = listPage().size();
    ASSERT_GT(n, 1000u);
    const std::string thousands = std::to_string(n / 1000) + "," + std::to_string(n % 1000 + 1000).substr(1);
    EXPECT_EQ(w->lblDownloadStatus->text(), QString::fromStdString("Downloaded " + thousands + " bytes"));
    EXPECT_FALSE(exists("src.dat"));
    EXPECT_FALSE(exists("test.xml"));
    EXPECT_EQ(dir.read("000001.rss"), stored);
    EXPECT_TRUE(dialogs.calls.empty());

    // The kept page is what the preview cuts, without fetching again.
    clickTab(frmMain::PageSettings);
    settle();
    EXPECT_EQ(rows(), 60);
    EXPECT_EQ(cell(59, 1), "Story 60");

    // A failure is told beside the button, naming the address, not in a box.
    clickTab(frmMain::PageSource);
    retype(w->txtSource, QString::fromStdString(server.base() + "missing-page.htm"));
    click(w->Command2);
    EXPECT_TRUE(w->lblDownloadStatus->text().contains("missing-page.htm")) << w->lblDownloadStatus->text().toStdString();
    EXPECT_FALSE(pane()->hasPage());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(PreviewTest, TypingAMarkerCutsAgainAndAStopIsToldInPlainWords) {
    openLocal();
    ASSERT_EQ(rows(), 60);
    EXPECT_EQ(cell(0, 0), "1");
    EXPECT_EQ(cell(0, 1), "Story 1");
    EXPECT_TRUE(cell(0, 3).startsWith("told")) << cell(0, 3).toStdString();
    EXPECT_FALSE(pane()->lblPreviewStop->isVisible());

    // The Start String before the list: item 1 is the empty text before the
    // first Start Item String, and the cut stops there.
    retype(w->Text1, "<ul id=\"news\">");
    settle();
    ASSERT_TRUE(pane()->lblPreviewStop->isVisible());
    EXPECT_TRUE(pane()->lblPreviewStop->text().startsWith("Item 1 ")) << pane()->lblPreviewStop->text().toStdString();
    EXPECT_TRUE(pane()->lblPreviewStopMessage->text().endsWith("in Feed Item 1"));

    // One more key and the list is whole again.
    retype(w->Text1, "<li>");
    QTest::keyClick(w->Text3, Qt::Key_End);
    settle();
    EXPECT_FALSE(pane()->lblPreviewStop->isVisible());
    EXPECT_EQ(rows(), 60);
}

TEST_F(PreviewTest, NextAndPreviousStepThroughTheHitsOfTheFocusedMarker) {
    openLocal();
    const QString text = pane()->htmSyntaxBox2->Text();
    w->Text2->setFocus();
    click(pane()->cmdPreviewNext);
    EXPECT_TRUE(w->Text2->hasFocus());
    EXPECT_EQ(selected(), "<li>");
    const int first = selectionStart();
    EXPECT_EQ(first, text.indexOf("<li>", text.indexOf("<li>") + 1));  // the Start String took the first one
    click(pane()->cmdPreviewNext);
    EXPECT_EQ(selectionStart(), text.indexOf("<li>", first + 1));
    click(pane()->cmdPreviewPrevious);
    EXPECT_EQ(selectionStart(), first);
    click(pane()->cmdPreviewPrevious);  // round to the last
    EXPECT_EQ(selectionStart(), text.lastIndexOf("<li>"));
    EXPECT_EQ(pane()->lblPreviewStatus->text(), "Start Item String: 59 of 59");

    w->txtTitleEndString->setFocus();
    click(pane()->cmdPreviewNext);
    EXPECT_EQ(selected(), "</a>");
}

TEST_F(PreviewTest, ChoosingAnItemScrollsTheSourceToIt) {
    openLocal();
    auto* list = pane()->lstPreviewItems;
    const QModelIndex row = list->model()->index(49, 1);
    list->scrollTo(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());

    RichBox* source = pane()->htmSyntaxBox2->rtfHTML();
    const QString text = pane()->htmSyntaxBox2->Text();
    EXPECT_EQ(selectionStart(), text.indexOf("<a href=\"/50\">"));
    EXPECT_TRUE(source->viewport()->rect().contains(source->cursorRect().center()));
}

TEST_F(PreviewTest, AProposalPickedFromTwoTitlesFillsTheFiveBoxes) {
    openLocal();
    retype(w->Text2, "nothing like it");
    settle();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<SuggestDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        QTest::keyClicks(dialog->txtSuggestTitle1, "Story 3");
        QTest::keyClicks(dialog->txtSuggestTitle2, "Story 41");
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    click(pane()->cmdSuggest);
    auto* proposals = pane()->lstProposals;
    ASSERT_TRUE(proposals->isVisible());
    ASSERT_GE(proposals->count(), 1);
    const MarkerProposal chosen = *pane()->proposal(0);

    QTest::mouseClick(proposals->viewport(), Qt::LeftButton, {}, proposals->visualItemRect(proposals->item(0)).center());
    settle();
    EXPECT_EQ(w->Text1->text().toStdString(), chosen.StartString);
    EXPECT_EQ(w->Text2->text().toStdString(), chosen.StartItemString);
    EXPECT_EQ(w->Text3->text().toStdString(), chosen.EndString);
    EXPECT_EQ(w->txtTitleEndString->text().toStdString(), chosen.TitleEndString);
    EXPECT_EQ(w->txtEndItemString->text().toStdString(), chosen.EndItemString);
    EXPECT_EQ(size_t(rows()), chosen.items);
}
