// Markers proposed from item titles: on pages made here, and the first
// proposal's recall and precision on a few corpus pages whose real items
// are written down in data/suggest/ (bench/feed/SuggestEval.cpp runs them
// all).
#include "bench/feed/SuggestScore.h"
#include "feed/MarkerSuggest.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A navigation list before the news list, links inside every item, and a
// footer list after it, all in the same markup the items use.
const std::string NewsPage =
    "<html><head><title>News</title></head><body>\r\n"
    "<ul class=\"nav\"><li><a href=\"/\">Home</a></li><li><a href=\"/world\">World</a></li></ul>\r\n"
    "<ul class=\"news\">\r\n"
    "<li class=\"story\"><h2><a href=\"/1\">Rain   &amp; wind</a></h2><p>Storms <a href=\"/w\">more</a></p></li>\r\n"
    "<li class=\"story\"><h2><a href=\"/2\">Caf&eacute; opens</a></h2><p>Coffee.</p></li>\r\n"
    "<li class=\"story\"><h2><a href=\"/3\">Bridge closed</a></h2><p>Traffic.</p></li>\r\n"
    "<li class=\"story\"><h2><a href=\"/4\">Team wins</a></h2><p>Sport.</p></li>\r\n"
    "</ul>\r\n"
    "<ul class=\"foot\"><li><a href=\"/about\">About</a></li><li><a href=\"/contact\">Contact</a></li></ul>\r\n"
    "</body></html>\r\n";

std::vector<std::string> titlesOf(const PreviewPage& page, const MarkerProposal& m) {
    const FeedPreview r = PreviewFeed(page, ProposalProfile(m), false);
    EXPECT_FALSE(r.stop) << r.stop->message;
    std::vector<std::string> titles;
    for (const PreviewItem& it : r.items) titles.push_back(it.title);
    return titles;
}

}  // namespace

TEST(MarkerSuggest, TwoTitlesAsSeenGiveMarkersFromThePageThatCutExactlyTheList) {
    const PreviewPage page{NewsPage, "", ""};
    // As a browser shows them: entities decoded, blanks squeezed.
    const auto proposals = SuggestMarkers(page, {"Rain & wind", "Café opens"});
    ASSERT_FALSE(proposals.empty());
    ASSERT_LE(proposals.size(), 3u);
    for (const MarkerProposal& m : proposals)
        for (const std::string* s : {&m.StartString, &m.StartItemString, &m.EndString, &m.TitleEndString,
                                     &m.EndItemString}) {
            EXPECT_TRUE(s->empty() || NewsPage.find(*s) != std::string::npos) << *s;
            EXPECT_EQ(s->find_first_of("\r\n"), std::string::npos) << "a marker is one line of a profile";
        }
    const MarkerProposal& best = proposals.front();
    EXPECT_EQ(best.items, 4u);
    EXPECT_EQ(titlesOf(page, best),
              (std::vector<std::string>{"Rain & wind", "Café opens", "Bridge closed", "Team wins"}));
}

TEST(MarkerSuggest, OneTitleFindsItsRepeatedElementAndAnAbsentTitleNothing) {
    const PreviewPage page{NewsPage, "", ""};
    const auto proposals = SuggestMarkers(page, {"bridge CLOSED"});
    ASSERT_FALSE(proposals.empty());
    const std::vector<std::string> titles = titlesOf(page, proposals.front());
    EXPECT_EQ(titles.size(), 4u);
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Bridge closed"), titles.end());

    EXPECT_TRUE(SuggestMarkers(page, {"Rain & wind", "Snow"}).empty());
    EXPECT_EQ(TitlesNotFound(page, {"Rain & wind", "Snow", "Home"}), std::vector<std::string>{"Snow"});
}

TEST(MarkerSuggest, FirstProposalFindsTheRealItemsOfCorpusPages) {
    const char* corpus = std::getenv("MV_CORPUS");
    if (!corpus) corpus = MV_CORPUS_DEFAULT;
    if (!std::filesystem::is_directory(corpus)) GTEST_SKIP() << "no page corpus at " << corpus;
    const std::filesystem::path data = std::filesystem::path(MV_SOURCE_DIR) / "tests/feed/data/suggest";
    for (const char* name : {"bbc-1.txt", "la-nacion.txt", "links-in-tables.txt", "iab-1.txt"}) {
        const SuggestCase c = ReadSuggestCase(data / name);
        const SuggestScore s = ScoreSuggestion({ReadWholeFile(std::filesystem::path(corpus) / c.page), "", ""}, c);
        EXPECT_GE(s.recall(c.titles.size()), 0.9) << c.page;
        EXPECT_GE(s.precision(), 0.9) << c.page;
    }
}
