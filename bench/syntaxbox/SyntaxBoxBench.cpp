// Measures, in one run and side by side:
//  - the colorizer over the in-memory box,
//  - LoadFile and Colorize() of the real widget (offscreen), and the first
//    paint that shows the looks,
//  - the time from the Enter key that ends an edited line to the end of its
//    automatic recolouring, in the largest document,
// on RSS-like documents of 1, 4 and 16 MB. Prints seconds, MB/s and ratios.
//
// Usage: syntaxbox-bench [--sizes 1,4,16] [--smoke]
// --smoke: one 256 kB document; exits 1 if an edited line is not recoloured.
#include "syntaxbox/RichBox.h"
#include "syntaxbox/Colorizer.h"
#include "syntaxbox/MemoryTextBox.h"
#include "syntaxbox/htmSyntaxBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

// An RSS 0.91 document of about `bytes` bytes, lines ending in CR LF.
std::string makeFeed(size_t bytes) {
    std::string s =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
        "<!DOCTYPE rss PUBLIC \"-//Netscape Communications//DTD RSS 0.91//EN\" "
        "\"http://my.netscape.com/publish/formats/rss-0.91.dtd\">\r\n"
        "<rss version=\"0.91\">\r\n<channel>\r\n<title>Bench &amp; Co</title>\r\n"
        "<link>http://example.com/</link>\r\n<description>Generated</description>\r\n";
    for (int n = 1; s.size() < bytes; ++n) {
        const std::string k = std::to_string(n);
        s += "<item>\r\n";
        s += "<title>Item " + k + " &amp; its &quot;title&quot;</title>\r\n";
        s += "<link>http://example.com/item/" + k + "?a=1&amp;b=2</link>\r\n";
        s += "<description>&lt;p class=&quot;x&quot;&gt;Some text of item " + k +
             " with a <a href=\"http://example.com/" + k + "\" target=_blank>link</a>&lt;/p&gt;</description>\r\n";
        s += "<!-- item " + k + " -->\r\n";
        s += "</item>\r\n";
    }
    s += "</channel>\r\n</rss>\r\n";
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<double> sizes = {1, 4, 16};  // MB
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--smoke") {
            sizes = {0.25};
        } else if (a == "--sizes" && i + 1 < argc) {
            sizes.clear();
            for (const QString& mb : QString(argv[++i]).split(',')) sizes.push_back(mb.toDouble());
        } else {
            std::fprintf(stderr, "Usage: syntaxbox-bench [--sizes 1,4,16] [--smoke]\n");
            return 64;
        }
    }
    QTemporaryDir dir;
    bool allRecoloured = true;

    std::printf("%-6s %10s %9s | %9s %10s %9s %9s %9s | %7s\n", "size", "memory s", "MB/s", "load s",
                "colorize s", "MB/s", "paint s", "s/MB", "ratio");
    double keystrokeMs = -1, keystrokeMedianMs = -1;
    for (const double mb : sizes) {
        const std::string feed = makeFeed(static_cast<size_t>(mb * 1048576));
        const double megabytes = feed.size() / 1048576.0;
        const QString path = dir.filePath(QString("feed%1.xml").arg(mb));
        std::ofstream(path.toStdString(), std::ios::binary).write(feed.data(), static_cast<std::streamsize>(feed.size()));

        MemoryTextBox memory(feed);  // the model is built outside the timing
        StyleSet styles;
        ColorizeFlags flags;
        ColorizeContext ctx{memory, styles, flags};
        auto t = Clock::now();
        colorize(ctx);
        const double memorySeconds = secondsSince(t);

        htmSyntaxBox box;
        box.resize(800, 600);
        box.show();
        if (!QTest::qWaitForWindowExposed(&box)) std::fprintf(stderr, "window not exposed\n");
        t = Clock::now();
        box.LoadFile(path);
        const double loadSeconds = secondsSince(t);
        t = Clock::now();
        box.Colorize();
        const double colorizeSeconds = secondsSince(t);
        t = Clock::now();
        box.repaint();
        QApplication::processEvents();
        const double paintSeconds = secondsSince(t);

        std::printf("%4gMB %10.3f %9.1f | %9.3f %10.3f %9.1f %9.3f %9.4f | %7.2f\n", mb, memorySeconds,
                    megabytes / memorySeconds, loadSeconds, colorizeSeconds, megabytes / colorizeSeconds,
                    paintSeconds, colorizeSeconds / megabytes, colorizeSeconds / memorySeconds);

        if (mb == sizes.back()) {
            // Edit a line in the middle, then end it with Enter: the key
            // event returns once the left line is recoloured.
            RichBox* rich = box.rtfHTML();
            std::vector<double> times;
            int recoloured = 0;
            for (int round = 0; round < 15; ++round) {
                const QTextBlock line =
                    rich->document()->findBlockByNumber(rich->document()->blockCount() / 2 + round * 7);
                QTextCursor c(line);
                c.movePosition(QTextCursor::EndOfBlock);
                rich->setTextCursor(c);
                QTest::keyClick(rich, Qt::Key_X);  // the edit that marks the line
                // Plain looks on the line, so that its recolouring shows.
                rich->looks().fill(line.position(), line.length() - 1, rich->looks().look(0));
                const auto k = Clock::now();
                QTest::keyClick(rich, Qt::Key_Return);
                times.push_back(secondsSince(k) * 1000);
                bool coloured = false;
                rich->looks().forEachRun(line.position(), line.length() - 1,
                                         [&](int64_t, int64_t, LookBuffer::Id id) { coloured |= id != 0; });
                recoloured += coloured;
                if (!coloured)
                    std::printf("round %d: line %d not recoloured: %s\n", round, line.blockNumber() + 1,
                                line.text().left(60).toLatin1().constData());
            }
            std::sort(times.begin(), times.end());
            keystrokeMs = times.back();
            keystrokeMedianMs = times[times.size() / 2];
            if (recoloured != static_cast<int>(times.size())) {
                std::printf("only %d of %zu edited lines were recoloured\n", recoloured, times.size());
                allRecoloured = false;
            }
        }
    }
    std::printf("\nEnter after an edit in the %g MB document, to the end of its recolouring: "
                "median %.2f ms, worst of 15 %.2f ms\n",
                sizes.back(), keystrokeMedianMs, keystrokeMs);
    std::printf("ratio = widget Colorize() time / in-memory colorizer time; goals: widget >= 10 MB/s, "
                "in-memory >= 100 MB/s, keystroke < 10 ms\n");
    return allRecoloured ? 0 : 1;
}
