// bench_mainwindow [RUNS] [--smoke]
// --smoke: one run on a 64 kB page; exits 1 on any failure.
//
// 1. Start: a fresh process of this program is launched and reports the
//    time from just before its launch to its window exposed and painted
//    (an offscreen or X display, whichever QT_QPA_PLATFORM names).
// 2. Generate: a Local profile on a 2 MB page with 5000 items; from pressing
//    "Generate Feed" to the save chooser opening with the coloured document
//    painted behind it. The engine alone (fetch, cut, write test.xml) is
//    timed side by side, so the window's share (load, colour, paint) shows.
#include "feed/FeedBuilder.h"
#include "feed/FeedProfile.h"
#include "feed/ProfileStore.h"
#include "mainwindow/frmMain.h"
#include "syntaxbox/htmSyntaxBox.h"
#include "buttons/wenButtons_H.h"
#include "tests/support/RunProgram.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

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
    return duration<double, std::milli>(system_clock::now().time_since_epoch()).count();
}

// Answers Yes to the question; at the save chooser, lets the window paint
// (as a real modal chooser would) and notes the time, then cancels.
class BenchDialogs : public Dialogs {
public:
    QWidget* window = nullptr;
    double saveOpenedAt = 0;
    int messages = 0;
    void message(const std::string& text, MessageIcon, const std::string&) override {
        ++messages;
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool askYesNo(const std::string&, MessageIcon, const std::string&) override { return true; }
    std::string chooseOpenFile(const FileChooserRequest&) override { return {}; }
    std::string chooseSaveFile(const FileChooserRequest&) override {
        if (window) window->repaint();
        QApplication::processEvents();
        saveOpenedAt = nowMs();
        return {};
    }
};

std::string makePage(size_t targetBytes) {
    std::string page = "<html><head><title>Bench</title></head><body>\n<div id=\"list\">\n";
    int n = 0;
    while (page.size() < targetBytes) {
        ++n;
        page += "<div class=\"item\"><h2>Headline number " + std::to_string(n) +
                " with a few words</h2><p class=\"text\">Body of item " + std::to_string(n) +
                ": <a href=\"http://example.invalid/" + std::to_string(n) +
                "\">a link</a>, <b>bold</b> &amp; <i>italic</i> words, and more plain text to make "
                "the item a realistic size for a news page of this kind.</p></div>\n";
    }
    page += "</div>\n<p class=\"footer\">end</p></body></html>\n";
    return page;
}

FeedProfile benchProfile(const std::string& page) {
    FeedProfile p = NewFeedProfile("Bench");
    p.SourceType = "Local";
    p.Source = page;
    p.StartString = "<div class=\"item\">";  // the first item starts the region
    p.StartItemString = "<div class=\"item\">";
    p.EndString = "<p class=\"footer\">";
    p.TitleEndString = "</h2>";
    p.EndItemString = "</p>";
    p.FeedTitle = "Bench feed";
    p.FeedLink = "http://example.invalid/";
    p.StripHTMLTags = "0";
    return p;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int startupChild(double launchedAt, const char* folder) {
    int argc = 1;
    char arg0[] = "bench_mainwindow";
    char* argv[] = {arg0, nullptr};
    QApplication app(argc, argv);
    BenchDialogs dialogs;
    frmMain w(folder, dialogs);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    w.repaint();
    std::printf("%.1f\n", nowMs() - launchedAt);
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--startup-child") return startupChild(std::stod(argv[2]), argv[3]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool smoke = argc > 1 && std::string(argv[1]) == "--smoke";
    const int runs = smoke ? 1 : argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const size_t pageBytes = smoke ? 64 * 1024 : 2 * 1024 * 1024;

    const fs::path folder = fs::temp_directory_path() / ("mv-bench-window-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string pagePath = (folder / "page.htm").string();
    {
        std::ofstream(pagePath, std::ios::binary) << makePage(pageBytes);
    }
    // A profile list of ordinary length, and the bench profile first.
    std::ofstream(folder / "000001.rss", std::ios::binary) << ProfileFileContent(benchProfile(pagePath));
    for (int i = 2; i <= 20; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%06d.rss", i);
        std::ofstream(folder / name, std::ios::binary) << ProfileFileContent(NewFeedProfile("Profile " + std::to_string(i)));
    }

    // 1. Start to window shown, each in a fresh process.
    std::vector<double> starts;
    for (int r = 0; r < runs; ++r) {
        const double launched = nowMs();
        const ProgramRun child = RunProgram(fs::read_symlink("/proc/self/exe").string(),
                                            {"--startup-child", std::to_string(launched), folder.string()});
        if (child.status != 0) return 1;
        starts.push_back(std::stod(child.out));
    }

    QApplication app(argc, argv);
    // 2. Generate Feed on the 2 MB page.
    std::vector<double> engine, window;
    BenchDialogs dialogs;
    for (int r = 0; r < runs; ++r) {
        const double e0 = nowMs();
        if (!GenerateFeed(folder, benchProfile(pagePath), "", dialogs)) return 1;
        engine.push_back(nowMs() - e0);
    }
    frmMain w(folder, dialogs);
    dialogs.window = &w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    w.List1->setCurrentRow(0);
    emit w.wenButtons_H4->Click();
    for (int r = 0; r < runs; ++r) {
        w.SSTab1->setCurrentIndex(frmMain::PageSettings);
        QApplication::processEvents();
        const double g0 = nowMs();
        w.Command3->click();
        window.push_back(dialogs.saveOpenedAt - g0);
        if (dialogs.messages) return 1;
    }
    const QString shown = w.htmSyntaxBox1->Text();
    const auto items = std::count(shown.begin(), shown.end(), QChar('\n'));

    std::printf("platform %s, page %.2f MB, %lld lines in the viewer, %d runs (median, min)\n",
                qgetenv("QT_QPA_PLATFORM").constData(), double(fs::file_size(pagePath)) / 1048576.0,
                static_cast<long long>(items), runs);
    if (!starts.empty())
        std::printf("start to window shown (fresh process)     %8.1f ms %8.1f ms   goal 500 ms\n", median(starts),
                    *std::min_element(starts.begin(), starts.end()));
    std::printf("engine alone: fetch, cut, write test.xml  %8.1f ms %8.1f ms\n", median(engine),
                *std::min_element(engine.begin(), engine.end()));
    std::printf("Generate Feed to coloured view + chooser  %8.1f ms %8.1f ms   goal 1000 ms\n", median(window),
                *std::min_element(window.begin(), window.end()));
    std::printf("window's share (load, colour, paint)      %8.1f ms   ratio window/engine %.1f\n",
                median(window) - median(engine), median(window) / median(engine));
    fs::remove_all(folder);
    return 0;
}
