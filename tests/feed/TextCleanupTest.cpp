#include "tests/feed/SlowReference.h"
#include "feed/TextCleanup.h"

#include <gtest/gtest.h>

#include <random>

namespace {

FeedProfile stripping(const std::string& flag = "1") {
    FeedProfile p;
    p.StripHTMLTags = flag;
    return p;
}

struct Case {
    std::string in, out;
};

// Bytes above 127 and a NUL pass through as they are.
const std::string eightBit("caf\xe9 \xa0\xff\x80\0z", 11);

}  // namespace

TEST(TextCleanup, OnlyTheFlagZeroTurnsStrippingOff) {
    const std::string raw = "  <b>Tom</b> &amp;\tJerry\r\n &nbsp; a/b <";
    EXPECT_EQ(StripTags(raw, stripping("0")), raw);
    EXPECT_EQ(CleanText(raw, stripping("0")), raw);
    for (const char* flag : {"1", "yes", "", "00", " 0"}) {
        SCOPED_TRACE(flag);
        EXPECT_EQ(StripTags("a<b>c", stripping(flag)), "ac");
        EXPECT_EQ(CleanText(" a/b ", stripping(flag)), "a b");
    }
}

TEST(StripTags, RemovesFromEachLessThanToTheNextGreaterThanOrOneCharacterAlong) {
    const std::vector<Case> cases = {
        {"<!-- a > b -->c", " b -->c"}, {"<a href=\"x>y\">t</a>", "y\">t"}, {"a<x>b<c<d", "ab"},
        {"1<2 and 3<4", "1 and 3"},      {eightBit, eightBit},
    };
    for (const Case& c : cases) EXPECT_EQ(StripTags(c.in, stripping()), c.out) << "input: " << c.in;
}

TEST(CleanText, BlanksEntityStartsMarkupSlashesAndLineBreaksHalvesBlankRunsFourTimesAndTrims) {
    const std::vector<Case> cases = {
        {"a&NBSP;b", "a NBSP;b"},  // only the lower-case form is one blank
        {"http://example.com/x", "http: example.com x"},
        {"a" + std::string(16, ' ') + "b", "a b"},
        {"a" + std::string(17, ' ') + "b", "a  b"},
        {"a" + std::string(33, ' ') + "b", "a   b"},
        {"a\t\t\t\t\t\t\t\t\r\n\r\n\r\n\r\n/b", "a  b"},  // replaced characters join the run
        {eightBit, eightBit},
    };
    for (const Case& c : cases) EXPECT_EQ(CleanText(c.in, stripping()), c.out) << "input: " << c.in;
}

TEST(TextCleanup, SinglePassResultsEqualTheStepByStepDefinitionOnRandomText) {
    const FeedProfile p = stripping();
    std::mt19937 rng(12345);
    const std::string alphabet = "ab <>&/;\t\r\n";
    const std::vector<std::string> chunks = {"&nbsp;", "<b>", "</b>", "&amp;", "    ", "<", ">"};
    for (int round = 0; round < 4000; ++round) {
        std::string t;
        for (int i = 0, len = static_cast<int>(rng() % 40); i < len; ++i)
            t += rng() % 4 == 0 ? chunks[rng() % chunks.size()] : std::string(1, alphabet[rng() % alphabet.size()]);
        ASSERT_EQ(StripTags(t, p), slow::stripTags(t)) << "input: " << t;
        ASSERT_EQ(CleanText(t, p), slow::cleanText(t)) << "input: " << t;
    }
}
