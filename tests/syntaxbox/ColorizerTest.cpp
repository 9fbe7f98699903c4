#include "syntaxbox/Colorizer.h"
#include "syntaxbox/ControlError.h"
#include "syntaxbox/MemoryTextBox.h"
#include "syntaxbox/SpanReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

void PrintTo(const StyledSpan& s, std::ostream* os) {
    *os << s.first << "-" << s.last << " " << slotName(s.slot);
}

namespace {

using S = StyleSlot;

std::vector<StyledSpan> spansOf(const std::string& text) {
    return styledSpans(colorizeText(text).styleSlots());
}

// An indicator that records what it is sent and can refuse values.
struct RecordingProgress : ProgressIndicator {
    Kind k = Kind::Range;
    std::vector<int> sent;
    int starts = 0;
    bool refuseStart = false;
    int refuseValue = -1;
    std::function<void(int)> onShow;
    Kind kind() const override { return k; }
    void start() override {
        if (refuseStart) throw std::runtime_error("Min refused");
        ++starts;
    }
    void show(uint8_t p) override {
        if (onShow) onShow(p);
        if (p == refuseValue) throw std::runtime_error("Value refused");
        sent.push_back(p);
    }
};

struct Scan {
    MemoryTextBox box;
    StyleSet styles;
    ColorizeFlags flags;
    ColorizeContext ctx{box, styles, flags};
    explicit Scan(std::string text) : box(std::move(text)) {}
};

}  // namespace

TEST(Colorizer, ColoursTagNamesAttributesAndEntitiesButNotTheDelimiters) {
    EXPECT_EQ(spansOf(R"(<a href="x y" id=z>t&amp;u</a>)"),
              (std::vector<StyledSpan>{{2, 2, S::Tag},
                                       {4, 7, S::AttributeName},
                                       {10, 12, S::AttributeValue},
                                       {15, 16, S::AttributeName},
                                       {18, 18, S::AttributeValue},
                                       {21, 25, S::Entity},
                                       {28, 29, S::Tag}}));
}

TEST(Colorizer, AQuotedValueBeforeTheClosingBracketKeepsItsClosingQuote) {
    EXPECT_EQ(spansOf(R"(<?xml version="1.0" encoding="ISO-8859-1"?>)"),
              (std::vector<StyledSpan>{{2, 5, S::Tag},
                                       {7, 13, S::AttributeName},
                                       {16, 18, S::AttributeValue},
                                       {21, 28, S::AttributeName},
                                       {31, 41, S::AttributeValue}}));
}

TEST(Colorizer, ACommentCoversTheEntityInsideIt) {
    EXPECT_EQ(spansOf("<!-- note &amp; -->x"), (std::vector<StyledSpan>{{5, 16, S::Comment}}));
}

TEST(Colorizer, NamesWithoutAValueTakeTheValueLook) {
    EXPECT_EQ(spansOf("<br /><option selected>"),
              (std::vector<StyledSpan>{{2, 3, S::Tag}, {5, 5, S::AttributeValue}, {8, 13, S::Tag},
                                       {15, 22, S::AttributeValue}}));
}

TEST(Colorizer, AScriptBlockColoursOnlyEntitiesUntilItsClosingTagInAnyCase) {
    EXPECT_EQ(spansOf(R"(<script type="text/javascript">if(a<b)&lt;x;</SCRIPT>y)"),
              (std::vector<StyledSpan>{{2, 7, S::Tag},
                                       {9, 12, S::AttributeName},
                                       {15, 29, S::AttributeValue},
                                       {39, 42, S::Entity},
                                       {46, 52, S::Tag}}));
    EXPECT_EQ(spansOf("<Style>a<b>&x;</style>"),
              (std::vector<StyledSpan>{{2, 6, S::Tag}, {12, 14, S::Entity}, {16, 21, S::Tag}}));
}

TEST(Colorizer, ADeclarationIsOneTagRangeWhateverItsSpaces) {
    EXPECT_EQ(spansOf(R"(<!DOCTYPE html PUBLIC "-//W3C//DTD">)"), (std::vector<StyledSpan>{{2, 35, S::Tag}}));
}

TEST(Colorizer, ABracketInsideQuotesEndsTheValueWithAnEmptyRange) {
    EXPECT_EQ(spansOf(R"(<a title="a>b">text</a>)"),
              (std::vector<StyledSpan>{{2, 2, S::Tag}, {4, 8, S::AttributeName}, {21, 22, S::Tag}}));
}

TEST(Colorizer, SingleQuotesAreOrdinaryCharacters) {
    EXPECT_EQ(spansOf("<a href='x y'>"),
              (std::vector<StyledSpan>{{2, 2, S::Tag}, {4, 7, S::AttributeName}, {9, 10, S::AttributeValue},
                                       {12, 13, S::AttributeValue}}));
}

TEST(Colorizer, AnEntityEndsWithinEightPositionsOfItsAmpersand) {
    EXPECT_EQ(spansOf("a &nbsp;b &toolongname; end"), (std::vector<StyledSpan>{{3, 8, S::Entity}}));
    EXPECT_EQ(spansOf("&1234567;&12345678;"), (std::vector<StyledSpan>{{1, 9, S::Entity}}));
}

TEST(Colorizer, TabsAndLineBreaksDoNotSeparateAttributes) {
    EXPECT_EQ(spansOf("<a\thref=x>"), (std::vector<StyledSpan>{{2, 9, S::Tag}}));
    EXPECT_EQ(spansOf("<p\r\nid=1>"), (std::vector<StyledSpan>{{2, 8, S::Tag}}));
}

TEST(Colorizer, AScanOverASubRangeStartsOutsideMarkupAndLeavesTheRestAlone) {
    Scan r("<b>x</b> <i>y</i>");
    colorize(r.ctx);
    // Restart inside the first tag name: "b>x</b>" reads as text then a tag.
    colorize(r.ctx, 2, 8);
    EXPECT_EQ(styledSpans(r.box.styleSlots()),
              (std::vector<StyledSpan>{{6, 7, S::Tag}, {11, 11, S::Tag}, {15, 16, S::Tag}}));
}

TEST(Colorizer, ZeroBoundsColourTheWholeTextAndAnEmptyTextIsHarmless) {
    Scan r("<p>");
    r.box.setSelStart(1);
    colorize(r.ctx, 0, 0);
    EXPECT_EQ(styledSpans(r.box.styleSlots()), (std::vector<StyledSpan>{{2, 2, S::Tag}}));

    Scan empty("");
    empty.flags.busy = empty.flags.changed = true;
    colorize(empty.ctx);
    EXPECT_FALSE(empty.flags.busy);
    EXPECT_FALSE(empty.flags.changed);
    EXPECT_EQ(empty.box.selStart(), 0);
}

TEST(Colorizer, TheUsersSelectionAndTheFlagsAreRestored) {
    Scan r("<a href=\"x\">text</a>");
    r.box.setSelStart(5);
    r.box.setSelLength(7);
    r.flags.changed = true;
    RecordingProgress progress;
    bool busyDuring = false, lockedDuring = false;
    progress.onShow = [&](int) {
        busyDuring = r.flags.busy;
        lockedDuring = r.box.repaintLocked();
    };
    r.ctx.progress = &progress;
    colorize(r.ctx);
    EXPECT_TRUE(busyDuring);
    EXPECT_TRUE(lockedDuring);
    EXPECT_EQ(r.box.selStart(), 5);
    EXPECT_EQ(r.box.selLength(), 7);
    EXPECT_FALSE(r.flags.busy);
    EXPECT_FALSE(r.flags.changed);
    EXPECT_FALSE(r.box.repaintLocked());
    EXPECT_EQ(r.box.lockCount(), 1);

    r.ctx.silent = false;
    colorize(r.ctx);
    EXPECT_EQ(r.box.lockCount(), 1);
}

TEST(Colorizer, ARefusedStartReleasesTheLockAndTheBusyFlag) {
    Scan r("<a>bc</a>");
    r.flags.changed = true;
    EXPECT_THROW(colorize(r.ctx, 6, 3), InvalidPropertyValue);
    EXPECT_FALSE(r.flags.busy);
    EXPECT_FALSE(r.box.repaintLocked());
    EXPECT_TRUE(r.flags.changed);

    RecordingProgress progress;
    progress.refuseStart = true;
    r.ctx.progress = &progress;
    EXPECT_THROW(colorize(r.ctx), std::runtime_error);
    EXPECT_FALSE(r.flags.busy);
    EXPECT_FALSE(r.box.repaintLocked());
}

TEST(Colorizer, ProgressIsSentOnlyWhenTheRoundedPercentageGrows) {
    EXPECT_EQ(percentAt(1, 200), 0);
    EXPECT_EQ(percentAt(2, 200), 1);
    EXPECT_EQ(percentAt(3, 200), 2);
    EXPECT_EQ(percentAt(5, 200), 2);
    EXPECT_EQ(percentAt(199, 200), 100);  // 99.50000000000001

    Scan r(std::string(200, 'x'));
    RecordingProgress progress;
    r.ctx.progress = &progress;
    colorize(r.ctx);
    EXPECT_EQ(progress.starts, 1);
    std::vector<int> expected;
    for (int p = 1; p <= 100; ++p) expected.push_back(p);
    EXPECT_EQ(progress.sent, expected);

    // The figure measures the absolute position, not the share of the range.
    progress.sent.clear();
    progress.k = ProgressIndicator::Kind::Percent;
    colorize(r.ctx, 101, 200);
    ASSERT_FALSE(progress.sent.empty());
    EXPECT_EQ(progress.sent.front(), 50);
    EXPECT_EQ(progress.sent.back(), 100);

    progress.k = ProgressIndicator::Kind::None;
    progress.sent.clear();
    colorize(r.ctx);
    EXPECT_TRUE(progress.sent.empty());
}

TEST(Colorizer, ARefusedProgressValueIsSkippedAndTheScanGoesOn) {
    Scan r(std::string(100, ' ') + "<b>");
    RecordingProgress progress;
    progress.refuseValue = 50;
    r.ctx.progress = &progress;
    colorize(r.ctx);
    EXPECT_EQ(std::count(progress.sent.begin(), progress.sent.end(), 50), 0);
    EXPECT_EQ(progress.sent.back(), 100);
    EXPECT_EQ(styledSpans(r.box.styleSlots()), (std::vector<StyledSpan>{{102, 102, S::Tag}}));
}

namespace {
// A box that records the looks applied to it, in order.
struct LookRecorder : MemoryTextBox {
    using MemoryTextBox::MemoryTextBox;
    std::vector<std::pair<StyleSlot, CharStyle>> applied;
    int resets = 0;
    void applySelectionStyle(StyleSlot slot, const CharStyle& style) override {
        applied.emplace_back(slot, style);
        MemoryTextBox::applySelectionStyle(slot, style);
    }
    void resetSelectionLook(const BoxFont& f) override {
        ++resets;
        MemoryTextBox::resetSelectionLook(f);
    }
};
}  // namespace

TEST(Colorizer, EachLookIsReadWhenItIsApplied) {
    LookRecorder box(std::string(50, ' ') + "<b>" + std::string(50, ' ') + "<i>");
    StyleSet styles;
    ColorizeFlags flags;
    RecordingProgress progress;
    progress.onShow = [&](int p) {
        if (p == 75) styles.tag.color = 0x123456;
    };
    ColorizeContext ctx{box, styles, flags, true, &progress};
    colorize(ctx);
    EXPECT_EQ(box.resets, 1);
    ASSERT_EQ(box.applied.size(), 2u);
    EXPECT_EQ(box.applied[0].second, (CharStyle{true, false, 0xFF0000}));
    EXPECT_EQ(box.applied[1].second, (CharStyle{true, false, 0x123456}));
}

namespace {
struct CountingProgress : ProgressIndicator {
    int shown = 0;
    Kind kind() const override { return Kind::Percent; }
    void start() override {}
    void show(uint8_t) override { ++shown; }
};
}  // namespace

TEST(Colorizer, ReportingProgressDoesNotChangeTheColouring) {
    // With progress the scan visits every position; without it the scan
    // leaps over stretches where nothing can happen. Both must agree.
    std::vector<std::string> texts = {
        R"(<a href="x y" id=z>t&amp;u</a>)", "<!-- a - b -- c --> <b>&x;</b>", "<p\tclass=\"q\" a b=c>",
        R"(<a title="a>b">text</a><style>p{}</style ><SCRIPT>x</script>)", "<x y=\"1\"z=\"2\"/> &a-b; &;"};
    const char* corpus = std::getenv("MV_CORPUS");
    if (corpus && std::filesystem::is_directory(corpus)) {
        for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
            std::ifstream f(entry.path(), std::ios::binary);
            texts.emplace_back(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
        }
    }
    for (const std::string& text : texts) {
        Scan quick(text);
        colorize(quick.ctx);
        Scan full(text);
        CountingProgress progress;
        full.ctx.progress = &progress;
        colorize(full.ctx);
        EXPECT_EQ(quick.box.styleSlots(), full.box.styleSlots()) << text.substr(0, 80);
        // and over a range that starts and ends inside constructs
        const int32_t a = static_cast<int32_t>(text.size() / 3) + 1, b = static_cast<int32_t>(text.size() * 2 / 3);
        colorize(quick.ctx, a, b);
        colorize(full.ctx, a, b);
        EXPECT_EQ(quick.box.styleSlots(), full.box.styleSlots()) << text.substr(0, 80);
    }
}
