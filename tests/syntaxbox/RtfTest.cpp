#include "syntaxbox/Rtf.h"

#include <gtest/gtest.h>

namespace {
CharLook plainLook() {
    CharLook l;
    l.fontName = "DejaVu Sans Mono";
    l.fontSize = 10;
    return l;
}

uint32_t noSystemColours(uint32_t) { return 0; }
}  // namespace

TEST(Rtf, WhatIsWrittenReadsBackAsTheSameTextAndLooks) {
    LookBuffer looks;
    looks.setPlainLook(plainLook());
    // Every character of the basic plane but the surrogates, after a start
    // that holds the characters RTF writes as syntax.
    std::u16string text = u"<b>{x}\\ caf\u00e9 \u20ac\n\tend";
    for (char32_t c = 1; c <= 0xFFFF; ++c)
        if (c < 0xD800 || c > 0xDFFF) text += static_cast<char16_t>(c);
    looks.assign(static_cast<int64_t>(text.size()));
    CharLook tag = plainLook();
    tag.bold = true;
    tag.color = 0xFF0000;
    looks.fill(1, 1, tag);
    CharLook odd = plainLook();
    odd.italic = odd.underline = odd.strike = true;
    odd.fontName = "Odd; {Serif}\\";
    odd.fontSize = 12.5;
    odd.color = 0x0080FF;
    looks.fill(4, 5, odd);

    const std::string rtf = writeRtf(text, looks, noSystemColours);
    EXPECT_TRUE(looksLikeRtf(rtf));
    // U+0081 has a byte of its own in the code page, but other readers would
    // not read \'81 as U+0081.
    EXPECT_NE(rtf.find("\\u129?"), std::string::npos);
    const RichText back = readRtf(rtf, plainLook());
    EXPECT_TRUE(back.text == text);
    std::vector<CharLook> expected;
    for (int64_t k = 0; k < looks.size(); ++k) expected.push_back(looks.look(looks.at(k)));
    std::vector<CharLook> got;
    for (const LookRun& r : back.runs)
        for (int64_t k = 0; k < r.length; ++k) got.push_back(r.look);
    EXPECT_EQ(got, expected);
}

TEST(Rtf, ReadsTheCommonFormOfOtherProgramsAndSkipsWhatItDoesNotShow) {
    const std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}{\\*\\generator Writer 1.0;}"
        "{\\info{\\title secret}}\\pard\\plain\\f1\\fs24 Hello {\\b\\cf1 bold}\\line "
        "\\u8364?\\'e9\\~x\\par}";
    const RichText r = readRtf(rtf, plainLook());
    EXPECT_EQ(r.text, u"Hello bold\n\u20ac\u00e9\u00a0x\n");
    ASSERT_GE(r.runs.size(), 3u);
    EXPECT_EQ(r.runs[0].length, 6);
    EXPECT_EQ(r.runs[0].look.fontName, "Arial");
    EXPECT_EQ(r.runs[0].look.fontSize, 12);
    EXPECT_FALSE(r.runs[0].look.bold);
    EXPECT_EQ(r.runs[1].length, 4);
    EXPECT_TRUE(r.runs[1].look.bold);
    EXPECT_EQ(r.runs[1].look.color, 0x0000FFu);
    EXPECT_FALSE(r.runs[2].look.bold);  // the group ended
}

TEST(Rtf, AnEmptyTextIsAValidDocument) {
    LookBuffer looks;
    looks.setPlainLook(plainLook());
    const std::string rtf = writeRtf(u"", looks, noSystemColours);
    EXPECT_EQ(readRtf(rtf, plainLook()).text, u"");
    EXPECT_FALSE(looksLikeRtf("plain {\\rtf1}"));
}

TEST(Rtf, BrokenDocumentsEndWithoutHarm) {
    for (const char* bad : {"{\\rtf1 abc", "{\\rtf1 \\'", "{\\rtf1 \\u", "{\\rtf1 }}}} x", "{\\rtf1 \\fs-99999999999 y}"}) {
        const RichText r = readRtf(bad, plainLook());
        int64_t covered = 0;
        for (const LookRun& run : r.runs) covered += run.length;
        EXPECT_EQ(covered, static_cast<int64_t>(r.text.size())) << bad;
    }
    // An escape without two hex digits stands for nothing.
    EXPECT_EQ(readRtf("{\\rtf1 a\\'tb\\'e9\\'4}", plainLook()).text, u"atb\u00e9");
}
