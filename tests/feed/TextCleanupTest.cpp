#include "SlowReference.h"
#include "TextCleanup.h"

#include <gtest/gtest.h>

#include <random>

namespace {

FeedProfile stripping(const std::string& flag = "1") {
    FeedProfile p;
    p.StripHTMLTags = flag;
    return p;
}

}  // namespace

TEST(TextCleanup, WithStrippingOffBothReturnTheirInputUnchanged) {
    const std::string raw = "  <b>Tom</b> &amp;\tJerry\r\n &nbsp; a/b <";
    FeedProfile off = stripping("0");
    EXPECT_EQ(StripTags(raw, off), raw);
    EXPECT_EQ(CleanText(raw, off), raw);
}

TEST(TextCleanup, AnyFlagOtherThanZeroTurnsStrippingOn) {
    for (const char* flag : {"1", "yes", "", "00", " 0"}) {
        EXPECT_EQ(StripTags("a<b>c", stripping(flag)), "ac") << "flag '" << flag << "'";
        EXPECT_EQ(CleanText(" a/b ", stripping(flag)), "a b") << "flag '" << flag << "'";
    }
}

TEST(StripTags, RemovesEveryPieceFromALessThanToTheNextGreaterThan) {
    const FeedProfile p = stripping();
    EXPECT_EQ(StripTags("x<title>y</title>z", p), "xyz");
    EXPECT_EQ(StripTags("<!-- a > b -->c", p), " b -->c");  // a comment ends at its first ">"
    EXPECT_EQ(StripTags("<a href=\"x>y\">t</a>", p), "y\">t");
    EXPECT_EQ(StripTags("<<<>>>", p), ">>");
    EXPECT_EQ(StripTags("no markup", p), "no markup");
    EXPECT_EQ(StripTags("", p), "");
}

TEST(StripTags, ALessThanWithoutGreaterThanTakesItselfAndOneCharacterAlong) {
    const FeedProfile p = stripping();
    EXPECT_EQ(StripTags("a<b", p), "a");
    EXPECT_EQ(StripTags("a<", p), "a");
    EXPECT_EQ(StripTags("a < b", p), "a b");
    EXPECT_EQ(StripTags("a<<b", p), "ab");
    EXPECT_EQ(StripTags("a<x>b<c<d", p), "ab");
    EXPECT_EQ(StripTags("1<2 and 3<4", p), "1 and 3");
}

TEST(CleanText, BlanksEntityStartsMarkupSlashesAndLineBreaksThenTrims) {
    const FeedProfile p = stripping();
    EXPECT_EQ(CleanText("  Tom &amp; Jerry\r\n", p), "Tom amp; Jerry");
    EXPECT_EQ(CleanText("a&nbsp;b", p), "a b");
    EXPECT_EQ(CleanText("a&NBSP;b", p), "a NBSP;b");  // only the lower-case form is one blank
    EXPECT_EQ(CleanText("http://example.com/x", p), "http: example.com x");
    EXPECT_EQ(CleanText("<b>", p), "b");
    EXPECT_EQ(CleanText(" \t\r\n \n\t ", p), "");
    EXPECT_EQ(CleanText("&nbsp;&nbsp;x&nbsp;", p), "x");
}

TEST(CleanText, FourHalvingPassesLeaveOneBlankFromSixteenAndTwoFromSeventeen) {
    const FeedProfile p = stripping();
    EXPECT_EQ(CleanText("a" + std::string(16, ' ') + "b", p), "a b");
    EXPECT_EQ(CleanText("a" + std::string(17, ' ') + "b", p), "a  b");
    EXPECT_EQ(CleanText("a" + std::string(33, ' ') + "b", p), "a   b");
    // Blanks that come from replaced characters join the same run.
    EXPECT_EQ(CleanText("a\t\t\t\t\t\t\t\t\r\n\r\n\r\n\r\n/b", p), "a  b");
}

TEST(TextCleanup, SinglePassResultsEqualTheStepByStepDefinitionOnRandomText) {
    const FeedProfile p = stripping();
    std::mt19937 rng(12345);
    const std::string alphabet = "ab <>&/;\t\r\n";
    const std::vector<std::string> chunks = {"&nbsp;", "<b>", "</b>", "&amp;", "    ", "<", ">"};
    for (int round = 0; round < 4000; ++round) {
        std::string t;
        int len = static_cast<int>(rng() % 40);
        for (int i = 0; i < len; ++i) {
            if (rng() % 4 == 0)
                t += chunks[rng() % chunks.size()];
            else
                t += alphabet[rng() % alphabet.size()];
        }
        ASSERT_EQ(StripTags(t, p), slow::stripTags(t)) << "input: " << t;
        ASSERT_EQ(CleanText(t, p), slow::cleanText(t)) << "input: " << t;
        ASSERT_EQ(CleanText(StripTags(t, p), p), slow::cleanText(slow::stripTags(t))) << "input: " << t;
    }
}

TEST(TextCleanup, EightBitBytesAndNulPassThroughUntouched) {
    const FeedProfile p = stripping();
    const std::string latin("caf\xe9 \xa0\xff\x80\0z", 11);
    EXPECT_EQ(StripTags(latin, p), latin);
    EXPECT_EQ(CleanText(latin, p), latin);
}
