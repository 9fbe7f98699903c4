// The feed check: what it finds and where. Its agreement with a strict
// parser over the corpus is checked in CorpusTest.cpp.
#include "feed/FeedCheck.h"

#include <gtest/gtest.h>

namespace {

std::string rss(const std::string& channel, const std::string& encoding = "UTF-8") {
    return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n<rss version=\"2.0\">\n<channel>\n" + channel +
           "</channel>\n</rss>\n";
}

const std::string Head = "<title>T</title><link>http://x/</link>\n";

std::vector<std::string> printed(const FeedCheckResult& r) {
    std::vector<std::string> lines;
    for (const auto& f : r.findings) lines.push_back(FormatFinding(f));
    lines.push_back(FormatSummary(r));
    return lines;
}

}  // namespace

TEST(FeedCheck, ReportsWhatReadersRejectOrLoseAsErrorsAndWhatTheyShowBadlyAsWarnings) {
    struct Case {
        const char* what;
        std::string doc;
        std::vector<std::string> lines;
    } cases[] = {
        {"a clean feed", rss(Head + "<item><title>a</title><link>http://x/1</link></item>\n"), {"1 items, 0 errors, 0 warnings"}},
        {"a bare ampersand", rss("<title>Tom & Jerry</title><link>http://x/</link>\n"),
         {"4:13: error: not well-formed XML: xmlParseEntityRef: no name", "0 items, 1 errors, 0 warnings"}},
        {"an HTML entity", rss(Head + "<item><title>a&nbsp;b</title></item>\n"),
         {"5:21: error: not well-formed XML: Entity 'nbsp' not defined", "1 items, 1 errors, 0 warnings"}},
        {"UTF-8 declared as ISO-8859-1", rss("<title>Caf\xc3\xa9</title><link>http://x/</link>\n", "ISO-8859-1"),
         {"4:11: error: UTF-8 text under an ISO-8859-1 declaration: readers show it garbled",
          "0 items, 1 errors, 0 warnings"}},
        {"a byte that is not UTF-8", rss(Head + "<item><title>caf\xe9</title></item>\n"),
         {"5:17: error: byte 0xE9 is not valid in the declared encoding UTF-8", "1 items, 1 errors, 0 warnings"}},
        {"items sharing a link without guid",
         rss(Head + "<item><title>a</title><link>http://x/</link></item>\n"
                    "<item><title>b</title><link>http://x/</link></item>\n"
                    "<item><title>c</title><link>http://x/</link><guid>c</guid></item>\n"
                    "<item><title>d</title><link>http://x/</link></item>\n"),
         {"5:23: error: 3 items share the link http://x/ and have no guid: readers will keep only one of these 3 items",
          "4 items, 1 errors, 0 warnings"}},
        {"a channel without title and link", rss("<description>d</description>\n"),
         {"3:1: error: the channel has no title", "3:1: error: the channel has no link", "0 items, 2 errors, 0 warnings"}},
        {"what readers show badly",
         rss(Head + "<item><title> </title><link>/rel</link><guid>g</guid></item>\n"
                    "<item><title>Caf eacute; opens amp; more</title><guid>g</guid></item>\n"
                    "<item><title>a &lt;b&gt;bold</title></item>\n<item><title>x<b>y</b></title></item>\n"),
         {"5:7: warning: empty item title", "5:23: warning: relative link: /rel (readers cannot open it)",
          "6:7: warning: entity name left in the item title: eacute;",
          "6:49: warning: duplicate guid g (first at line 5): readers show these items as one",
          "7:7: warning: markup left in the item title: <b>", "8:7: warning: markup left in the item title: <b>",
          "4 items, 0 errors, 6 warnings"}},
        {"not RSS", "<feed><entry/></feed>",
         {"1:1: warning: not an RSS document: the root element is <feed>; only its XML was checked",
          "0 items, 0 errors, 1 warnings"}},
    };
    for (const Case& c : cases) EXPECT_EQ(printed(CheckFeed(c.doc)), c.lines) << c.what;

    const FeedCheckResult broken = CheckFeed(rss(Head + "<item><title>a & b</title></item>\n"));
    EXPECT_FALSE(broken.wellFormed);
    EXPECT_TRUE(broken.findings.at(0).curedByReaderReady);
    EXPECT_EQ(broken.items, 1u) << "items are still counted as a forgiving reader sees them";
}
