// The preview's time on one keystroke: PreviewFeed on a synthetic list page
// (2 MB by default, about 4,000 items of markup, entities and non-ASCII
// text) beside a plain cut of the same page in the same run: the region,
// the items and each item's title and description pieces, as the classic
// builder cuts them, with no text made and nothing written. The goal is
// well under 100 ms for the preview in every format. The reader-ready texts
// cost a parse of every item's HTML, so a view asks for the texts of the
// items in sight only (here the first 100) and adds more as they show;
// every text at once is timed too, as the command line makes them.
//
// Usage: preview-bench [--size MB] [--repeat N] [--smoke]
#include "feed/FeedPreview.h"
#include "feed/ItemCuts.h"
#include "bench/feed/SyntheticProfile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string makePage(double megabytes) {
    std::string page = "<html><head><meta charset=\"utf-8\"><title>Synthetic news</title>"
                       "<base href=\"http://example.com/news/\"></head>\r\n<body><ul>";
    const std::size_t target = static_cast<std::size_t>(megabytes * 1024 * 1024);
    for (long item = 0; page.size() + 64 < target; ++item) {
        std::string chunk = "<li><a href=\"story/" + std::to_string(item) + ".html\">Story " + std::to_string(item) +
                            " &amp; its <b>caf\xc3\xa9</b> headline</a>\r\n\t<p class=\"summary\">";
        while (chunk.size() < 490) chunk += "Some words of the summary, a <i>link</i>&nbsp;and   spaces / slashes. ";
        page += chunk + "</p></li>\r\n";
    }
    return page + "</ul>\r\n</body></html>\r\n";
}

FeedProfile profile(bool readerReady, bool strip) { return SyntheticListProfile("page.html", readerReady, strip); }

std::size_t plainCut(const std::string& page, const FeedProfile& p) {
    std::size_t bytes = 0;
    ItemCutter items(CutRegion(page, p), p.StartItemString);
    std::string_view item;
    for (std::size_t k = 1; items.next(item); ++k) {
        const ItemPieces pieces = CutItem(item, k, p);
        bytes += pieces.title.size() + pieces.description.size();
    }
    return bytes;
}

// Best wall time of `repeat` runs, in milliseconds.
template <class Work>
double bestMs(int repeat, Work work) {
    double best = 1e300;
    for (int i = 0; i < repeat; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    double size = 2;
    int repeat = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--size" && i + 1 < argc) {
            size = std::atof(argv[++i]);
        } else if (a == "--repeat" && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--smoke") {
            size = 0.05;
            repeat = 1;
        } else {
            std::fprintf(stderr, "Usage: preview-bench [--size MB] [--repeat N] [--smoke]\n");
            return a == "--help" ? 0 : 64;
        }
    }
    const PreviewPage page{makePage(size), "", ""};
    std::size_t sink = 0;
    const double cut = bestMs(repeat, [&] { sink += plainCut(page.bytes, profile(false, false)); });
    std::printf("Preview of a %.1f MB page, best of %d; plain cut %.2f ms\n", page.bytes.size() / 1048576.0, repeat,
                cut);
    std::printf("%-14s | %-5s | %6s | %-10s | %10s | %s\n", "format", "strip", "items", "texts of", "preview",
                "preview / cut");
    bool ok = true;
    for (bool reader : {false, true})
        for (bool strip : {false, true})
            for (std::size_t shown : {std::size_t{100}, static_cast<std::size_t>(-1)}) {
                const FeedProfile p = profile(reader, strip);
                std::size_t items = 0;
                const double ms = bestMs(repeat, [&] {
                    const FeedPreview r = PreviewFeed(page, p, false, shown);
                    ok = ok && !r.stop;
                    items = r.items.size();
                });
                std::printf("%-14s | %-5s | %6zu | %-10s | %7.2f ms | %6.1fx\n", reader ? "reader-ready" : "classic",
                            strip ? "on" : "off", items, shown == 100 ? "first 100" : "all", ms, ms / cut);
            }
    std::printf("Goal: every preview well under 100 ms on a 2 MB page.\n");
    if (!ok) std::fprintf(stderr, "preview-bench: a preview stopped (%zu)\n", sink);
    return ok ? 0 : 1;
}
