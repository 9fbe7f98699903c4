// bench_preview [RUNS] [--smoke]
// --smoke: one run on a 64 kB page; exits 1 on any failure.
//
// A Local profile on a 2 MB page of about 7400 items, its page loaded into
// the preview beside the markers. One keystroke in the Start Item String box
// (a character typed, then taken back with Backspace) is timed from the key
// to the item list reset and the window repainted with the new marks. The
// same cut alone (PreviewFeed on the page, no window) is timed side by side,
// so the window's share shows as a ratio. Both feed formats are timed.
#include "feed/FeedPreview.h"
#include "feed/FeedProfile.h"
#include "feed/ProfileStore.h"
#include "mainwindow/PreviewPane.h"
#include "mainwindow/frmMain.h"
#include "buttons/wenButtons_H.h"
#include "syntaxbox/RichBox.h"
#include "syntaxbox/htmSyntaxBox.h"
#include "dialogs/Dialogs.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

class QuietDialogs : public Dialogs {
public:
    int messages = 0;
    void message(const std::string& text, MessageIcon, const std::string&) override {
        ++messages;
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool askYesNo(const std::string&, MessageIcon, const std::string&) override { return false; }
    std::string chooseOpenFile(const FileChooserRequest&) override { return {}; }
    std::string chooseSaveFile(const FileChooserRequest&) override { return {}; }
};

std::string makePage(size_t targetBytes) {
    std::string page = "<html><head><title>Bench</title></head><body>\n<div id=\"list\">\n";
    for (int n = 1; page.size() < targetBytes; ++n) {
        const std::string k = std::to_string(n);
        page += "<div class=\"item\"><h2>Headline number " + k + " with a few words</h2><p class=\"text\">Body of item " +
                k + ": <a href=\"http://example.invalid/" + k +
                "\">a link</a>, <b>bold</b> &amp; <i>italic</i> words, and more plain text to make the item a "
                "realistic size for a news page of this kind.</p></div>\r\n";
    }
    return page + "</div>\r\n<p class=\"footer\">end</p></body></html>\r\n";
}

FeedProfile benchProfile(const std::string& page) {
    FeedProfile p = NewFeedProfile("Bench");
    p.SourceType = "Local";
    p.Source = page;
    p.StartString = "<div class=\"item\">";
    p.StartItemString = "<div class=\"item\">";
    p.EndString = "<p class=\"footer\">";
    p.TitleEndString = "</h2>";
    p.EndItemString = "</p>";
    p.StripHTMLTags = "1";
    return p;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool smoke = argc > 1 && std::string(argv[1]) == "--smoke";
    const int runs = smoke ? 1 : argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const size_t pageBytes = smoke ? 64 * 1024 : 2 * 1024 * 1024;

    const fs::path folder = fs::temp_directory_path() / ("mv-bench-preview-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string pagePath = (folder / "page.htm").string();
    const std::string pageText = makePage(pageBytes);
    std::ofstream(pagePath, std::ios::binary) << pageText;
    const FeedProfile profile = benchProfile(pagePath);
    std::ofstream(folder / "000001.rss", std::ios::binary) << ProfileFileContent(profile);

    QApplication app(argc, argv);
    QuietDialogs dialogs;
    frmMain w(folder, dialogs);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    w.List1->setCurrentRow(0);
    emit w.wenButtons_H4->Click();
    w.SSTab1->setCurrentIndex(frmMain::PageSettings);
    QApplication::processEvents();

    PreviewPane& pane = *w.previewPane;
    const double l0 = nowMs();
    pane.cmdPreviewReload->click();
    w.repaint();
    const double loaded = nowMs() - l0;
    QAbstractItemModel* model = pane.lstPreviewItems->model();
    const int items = model->rowCount();
    if (dialogs.messages || !pane.hasPage() || items < 2) return 1;

    // One keystroke: from the key to the list reset and the window painted.
    bool reset = false;
    QObject::connect(model, &QAbstractItemModel::modelReset, [&] { reset = true; });
    auto keystroke = [&](auto key) {
        reset = false;
        const double t0 = nowMs();
        QTest::keyClick(w.Text2, key);
        while (!reset) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        w.repaint();
        return nowMs() - t0;
    };
    w.Text2->setFocus();
    w.Text2->end(false);
    struct Figures {
        const char* format;
        std::vector<double> typed, erased, alone;
    } figures[] = {{"classic"}, {"reader-ready"}};
    for (int f = 0; f < 2; ++f) {
        Figures& fig = figures[f];
        w.cboFeedFormat->setCurrentIndex(f);
        QApplication::processEvents();
        w.Text2->setFocus();
        FeedProfile cutProfile = profile;
        cutProfile.FeedFormat = f == 0 ? "" : "2.0";
        for (int r = 0; r < runs; ++r) {
            fig.typed.push_back(keystroke('x'));  // the marker is no longer in the page: the cut stops
            if (model->rowCount() != 0) return 1;
            fig.erased.push_back(keystroke(Qt::Key_Backspace));  // every item again
            if (model->rowCount() != items) return 1;

            const PreviewPage page{pageText, {}, {}};
            const double c0 = nowMs();
            const FeedPreview cut = PreviewFeed(page, cutProfile, false);
            fig.alone.push_back(nowMs() - c0);
            if (int(cut.items.size()) != items) return 1;
        }
    }

    // For comparison: every hit handed to the text box at once, as a box
    // without the on-screen window of marks would (byte offsets stand in for
    // the box's: the cost is the same).
    double allAtOnce = 0;
    {
        RichBox* rich = w.htmSyntaxBox2->rtfHTML();
        QList<QTextEdit::ExtraSelection> all;
        for (const MarkerHit& h : pane.preview().hits) {
            QTextEdit::ExtraSelection s;
            s.cursor = QTextCursor(rich->document());
            s.cursor.setPosition(int(h.offset) / 2);
            s.cursor.setPosition(int(h.offset + h.length) / 2, QTextCursor::KeepAnchor);
            s.format.setBackground(Qt::yellow);
            all.append(s);
        }
        const double a0 = nowMs();
        rich->setExtraSelections(all);
        w.repaint();
        allAtOnce = nowMs() - a0;
        rich->setExtraSelections({});
    }

    std::printf("platform %s, page %.2f MB, %d items, %zu marks, %d runs (median, min)\n",
                qgetenv("QT_QPA_PLATFORM").constData(), double(pageText.size()) / 1048576.0, items,
                pane.preview().hits.size(), runs);
    std::printf("page loaded into the preview, coloured      %8.1f ms\n", loaded);
    for (const Figures& fig : figures) {
        std::printf("%s format\n", fig.format);
        std::printf("  cut alone (PreviewFeed, every item's texts) %8.1f ms %8.1f ms\n", median(fig.alone),
                    *std::min_element(fig.alone.begin(), fig.alone.end()));
        std::printf("  keystroke to list and marks, every item     %8.1f ms %8.1f ms   goal 100 ms   ratio %.2f\n",
                    median(fig.erased), *std::min_element(fig.erased.begin(), fig.erased.end()),
                    median(fig.erased) / median(fig.alone));
        std::printf("  keystroke to list and marks, cut stops      %8.1f ms %8.1f ms   goal 100 ms\n",
                    median(fig.typed), *std::min_element(fig.typed.begin(), fig.typed.end()));
    }
    std::printf("for comparison: every mark handed to the box at once, painted %8.1f ms\n", allAtOnce);
    fs::remove_all(folder);
    return 0;
}
