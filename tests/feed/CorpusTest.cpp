// The builder against real web pages and random small ones, compared with
// the literal step-by-step rules of SlowReference.h; on the real pages the
// feed check must also agree with a strict parser about every document.
#include "feed/FeedBuilder.h"
#include "feed/FeedCheck.h"
#include "tests/feed/StrictXml.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/feed/SlowReference.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

// Runs the engine and the literal rules over one page and compares the
// outcome: success, the stop message and every byte of test.xml, which is
// returned (empty after a stop).
std::string expectSameAsReference(const TempDir& folder, const std::string& pagePath, const std::string& page,
                           FeedProfile p, bool yes, const std::string& what) {
    SCOPED_TRACE(what);
    std::string stop;
    const std::string doc = slow::generate(page, p, yes, stop);
    p.Source = pagePath;
    ScriptedDialogs d;
    d.answers.push_back(yes);
    std::filesystem::remove(folder / "test.xml");
    EXPECT_EQ(GenerateFeed(folder.path(), p, "", d), stop.empty());
    const auto m = d.messages();
    const std::string message = m.empty() ? "" : m.back().text;
    if (stop == "cut")
        EXPECT_TRUE(message.ends_with("\r\nUnable to generate RSS Feed")) << message;
    else
        EXPECT_EQ(message, stop);
    const std::string got = folder.read("test.xml");
    EXPECT_TRUE(got == doc) << "the document differs from the reference (sizes " << got.size() << " and "
                            << doc.size() << ")";
    return stop.empty() ? got : std::string();
}

// The fields in file order; the page path is filled in when run.
FeedProfile markers(std::string start, std::string itemStart, std::string end, std::string titleEnd,
                    std::string endItem, std::string strip) {
    return {"corpus", "Local", "", start, itemStart, end, "Corpus & co", "", "http://example.com/", titleEnd,
            endItem, strip};
}

}  // namespace

TEST(CorpusPages, EveryPageGivesTheDocumentOfTheStepByStepRules) {
    const char* corpus = std::getenv("MV_CORPUS");
    if (!corpus) corpus = MV_CORPUS_DEFAULT;
    if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no page corpus at " << corpus;
    TempDir folder;
    const std::vector<FeedProfile> sets = {
        markers("</head>", "</body>", "</body>", "", "", "0"),
        markers("<body", "<a ", "</body>", ">", "</a>", "1"),
        markers("<body", "<p", "</html>", "</", "", "1"),
        markers("<head", "<div", "</body>", "", "</div>", "0"),
        markers("<body", "<li", "</body>", "</a>", "", "1"),
    };
    int pages = 0, wellFormed = 0, broken = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const std::string path = entry.path().string();
        const std::string page = TempDir::readFile(entry.path());
        ++pages;
        for (std::size_t i = 0; i < sets.size(); ++i) {
            const std::string what = entry.path().filename().string() + " with marker set " + std::to_string(i);
            const std::string doc = expectSameAsReference(folder, path, page, sets[i], i % 2 == 1, what);
            if (doc.empty()) continue;
            const bool strictlyWellFormed = strict::wellFormed(doc);
            EXPECT_EQ(CheckFeed(doc).wellFormed, strictlyWellFormed) << what;
            ++(strictlyWellFormed ? wellFormed : broken);
        }
        if (page.size() < 200000)
            expectSameAsReference(folder, path, page, markers("</head>", "</body>", "</body>", "", "", "1"), true,
                                  entry.path().filename().string() + " stripped whole");
    }
    EXPECT_GT(pages, 10);
    // Both kinds occur, or the check's comparison shows nothing.
    EXPECT_GT(wellFormed, 10);
    EXPECT_GT(broken, 10);
}

TEST(RandomPages, SmallPagesAndMarkersGiveTheDocumentOfTheStepByStepRules) {
    TempDir folder;
    TempDir pages;
    const std::string pagePath = (pages / "p.html").string();
    std::mt19937 rng(2024);
    const std::string alphabet = "ab<>/ &;\r\n";
    auto text = [&](int maxLen) {
        std::string s;
        int n = static_cast<int>(rng() % (maxLen + 1));
        for (int i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 1000; ++round) {
        const std::string page = text(40);
        pages.write("p.html", page);
        FeedProfile p = markers(text(2), text(2), text(2), text(2), text(2), rng() % 2 ? "0" : "1");
        expectSameAsReference(folder, pagePath, page, p, rng() % 2, "round " + std::to_string(round));
        if (HasFailure()) return;
    }
}
