// How well the first proposed markers find a page's real items, given two
// of their titles: recall and precision on every page written down in
// tests/feed/data/suggest/, and how many pages reach 90% of both.
//
// Usage: suggest-eval [--data DIR] [--corpus DIR] [--titles N]   (N titles given, 2 by default)
#include "bench/feed/SuggestScore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    fs::path data = MV_SOURCE_DIR "/tests/feed/data/suggest";
    fs::path corpus = MV_SOURCE_DIR "/../shared/corpus/pages";
    std::size_t given = 2;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--data" && i + 1 < argc) {
            data = argv[++i];
        } else if (a == "--corpus" && i + 1 < argc) {
            corpus = argv[++i];
        } else if (a == "--titles" && i + 1 < argc) {
            given = static_cast<std::size_t>(std::max(1, std::atoi(argv[++i])));
        } else {
            std::fprintf(stderr, "Usage: suggest-eval [--data DIR] [--corpus DIR] [--titles N]\n");
            return a == "--help" ? 0 : 64;
        }
    }
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(data))
        if (e.path().extension() == ".txt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    std::printf("The first proposal for the first %zu real title(s) of each page\n", given);
    std::printf("%-22s | %5s | %5s | %7s | %9s | %8s\n", "page", "real", "items", "recall", "precision", "time");
    int good = 0, pages = 0;
    for (const fs::path& f : files) {
        const SuggestCase c = ReadSuggestCase(f);
        const PreviewPage page{ReadWholeFile(corpus / c.page), "", ""};
        const auto t0 = std::chrono::steady_clock::now();
        const SuggestScore s = ScoreSuggestion(page, c, given);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        const bool ok = s.recall(c.titles.size()) >= 0.9 && s.precision() >= 0.9;
        good += ok;
        ++pages;
        std::printf("%-22s | %5zu | %5zu | %6.0f%% | %8.0f%% | %5.0f ms%s\n", c.page.c_str(), c.titles.size(), s.items,
                    100 * s.recall(c.titles.size()), 100 * s.precision(), ms, ok ? "" : "  (below 90/90)");
    }
    std::printf("%d of %d pages at 90/90 (goal: four pages in five)\n", good, pages);
    return 0;
}
