// The reader-ready format over real web pages with random markers: every
// document a strict parser accepts, and a real feed reader shows every item
// that differs from the others in link or content.
#include "feed/FeedBuilder.h"
#include "feed/PageEncoding.h"
#include "tests/feed/StrictXml.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <tuple>

namespace {

struct Generated {
    std::string name;  // page and round
    std::string doc;
};

// Mostly one of the choices that occur in the page, so that most runs get
// through their markers; now and then any.
template <std::size_t N>
const char* pick(std::mt19937& rng, const char* const (&choices)[N], const std::string& page) {
    for (int tries = 0; tries < 20; ++tries)
        if (const char* c = choices[rng() % N]; page.find(c) != std::string::npos) return c;
    return choices[0];
}

// Four random marker choices for every corpus page; the documents of the
// runs that get through their markers.
const std::vector<Generated>& corpusDocuments() {
    static const std::vector<Generated> docs = [] {
        std::vector<Generated> out;
        const char* corpus = std::getenv("MV_CORPUS");
        if (!corpus) corpus = MV_CORPUS_DEFAULT;
        if (!std::filesystem::is_directory(corpus)) return out;
        static const char* const starts[] = {"<body", "<head", "<div", "<ul", "<main", "<h1", ""};
        static const char* const itemStarts[] = {"<a ", "<li", "<p", "<div", "<h2", "<tr", "<article", "<a href=", ""};
        static const char* const ends[] = {"</body>", "</html>", "</ul>", "</div>", "\n"};
        static const char* const titleEnds[] = {"", "", "</a>", ">", "</", "\n"};
        static const char* const itemEnds[] = {"", "", "</li>", "</p>", "</a>", "<"};
        static const char* const linkMarkers[] = {"", "href", "<a", "class=\"", "title"};
        static const char* const values[] = {"", "Tom & Jerry", "?a=1&b=2", "caf\xe9 <b>", "&nbsp;&amp;\x01",
                                             "http://example.com/x/", "caf\xc3\xa9"};
        std::mt19937 rng(4711);
        TempDir folder;
        std::vector<std::filesystem::path> pages;
        for (const auto& entry : std::filesystem::directory_iterator(corpus)) pages.push_back(entry.path());
        std::sort(pages.begin(), pages.end());
        for (const auto& page : pages) {
            const std::string bytes = TempDir::readFile(page);
            for (int round = 0; round < 4; ++round) {
                FeedProfile p = NewFeedProfile("corpus");
                p.SourceType = "Local";
                p.Source = page.string();
                p.FeedFormat = "2.0";
                p.StartString = pick(rng, starts, bytes);
                p.StartItemString = pick(rng, itemStarts, bytes);
                p.EndString = pick(rng, ends, bytes);
                p.TitleEndString = pick(rng, titleEnds, bytes);
                p.EndItemString = pick(rng, itemEnds, bytes);
                p.LinkString = pick(rng, linkMarkers, bytes);
                p.FeedTitle = values[rng() % std::size(values)];
                p.FeedLink = values[rng() % std::size(values)];
                p.FeedDesc = values[rng() % std::size(values)];
                p.StripHTMLTags = rng() % 2 ? "1" : "0";
                ScriptedDialogs d;
                d.answers.push_back(rng() % 2);
                if (GenerateFeed(folder.path(), p, "", d))
                    out.push_back({page.filename().string() + " round " + std::to_string(round), folder.read("test.xml")});
            }
        }
        return out;
    }();
    return docs;
}

}  // namespace

TEST(ReaderCorpus, EveryDocumentIsValidUtf8AndAcceptedByAStrictParser) {
    const auto& docs = corpusDocuments();
    if (docs.empty()) GTEST_SKIP() << "no page corpus";
    EXPECT_GT(docs.size(), 40u);
    std::size_t items = 0;
    for (const Generated& g : docs) {
        EXPECT_TRUE(IsValidUtf8(g.doc)) << g.name;
        EXPECT_TRUE(strict::wellFormed(g.doc)) << g.name;
        items += strict::items(g.doc).size();
    }
    EXPECT_GT(items, 1000u);
}

TEST(ReaderCorpus, AFeedReaderShowsEveryItemWithADistinctLinkOrContent) {
    const auto& docs = corpusDocuments();
    if (docs.empty()) GTEST_SKIP() << "no page corpus";
    if (std::system("command -v newsboat >/dev/null 2>&1") != 0) GTEST_SKIP() << "newsboat is not installed";
    // The reader keeps one article per guid across all its feeds: feeds go
    // to one run of it together only when no guid of one is in another.
    struct Batch {
        std::set<std::string> guids;
        std::vector<std::size_t> feeds;
        std::size_t expected = 0;
    };
    std::vector<Batch> batches;
    for (std::size_t i = 0; i < docs.size(); ++i) {
        const auto items = strict::items(docs[i].doc);
        std::set<std::string> guids;
        std::set<std::tuple<std::string, std::string, std::string>> distinct;
        for (const auto& it : items) {
            guids.insert(it.guid);
            distinct.emplace(it.link, it.title, it.description);
        }
        auto fits = [&](const Batch& b) {
            return std::none_of(guids.begin(), guids.end(), [&](const std::string& g) { return b.guids.count(g); });
        };
        auto batch = std::find_if(batches.begin(), batches.end(), fits);
        if (batch == batches.end()) batch = batches.insert(batches.end(), Batch{});
        batch->guids.insert(guids.begin(), guids.end());
        batch->feeds.push_back(i);
        batch->expected += distinct.size();
    }
    TempDir dir;
    for (std::size_t b = 0; b < batches.size(); ++b) {
        std::ofstream urls(dir / "urls");
        for (std::size_t i : batches[b].feeds) {
            const std::string name = "feed" + std::to_string(i) + ".xml";
            dir.write(name, docs[i].doc);
            urls << "file://" << (dir / name).string() << '\n';
        }
        urls.close();
        std::filesystem::remove(dir / "cache.db");
        const std::string command = "cd " + dir.str() + " && newsboat -u urls -c cache.db -C /dev/null -x reload "
                                    "print-unread > out 2> err";
        ASSERT_EQ(std::system(command.c_str()), 0) << dir.read("err");
        EXPECT_EQ(dir.read("out"), std::to_string(batches[b].expected) + " unread articles\n") << "batch " << b;
    }
}
