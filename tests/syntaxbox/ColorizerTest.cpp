#include "syntaxbox/Colorizer.h"
#include "syntaxbox/ControlError.h"
#include "syntaxbox/MemoryTextBox.h"
#include "syntaxbox/SpanReport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

void PrintTo(const StyledSpan& s, std::ostream* os) {
    *os << s.first << "-" << s.last << " " << slotName(s.slot);
}

namespace {

using S = StyleSlot;

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

// The worked colourings of whole texts are the golden files in data/ (checked
// through the command line); these cases need a range, a progress indicator
// or a look of the box.

TEST(Colorizer, AScanOverASubRangeStartsOutsideMarkupAndLeavesTheRestAlone) {
    Scan r("<b>x</b> <i>y</i>");
    colorize(r.ctx);
    // Restart inside the first tag name: "b>x</b>" reads as text then a tag.
    colorize(r.ctx, 2, 8);
    EXPECT_EQ(styledSpans(r.box.styleSlots()),
              (std::vector<StyledSpan>{{6, 7, S::Tag}, {11, 11, S::Tag}, {15, 16, S::Tag}}));
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

    Scan empty("");  // nothing to scan, and the flags are cleared all the same
    empty.flags.busy = empty.flags.changed = true;
    colorize(empty.ctx);
    EXPECT_FALSE(empty.flags.busy || empty.flags.changed);
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

// A value the indicator refuses is skipped and the scan goes on.
TEST(Colorizer, ProgressIsSentOnlyWhenTheRoundedPercentageGrows) {
    EXPECT_EQ(percentAt(1, 200), 0);
    EXPECT_EQ(percentAt(2, 200), 1);
    EXPECT_EQ(percentAt(3, 200), 2);
    EXPECT_EQ(percentAt(5, 200), 2);
    EXPECT_EQ(percentAt(199, 200), 100);  // 99.50000000000001

    Scan r(std::string(197, 'x') + "<b>");
    RecordingProgress progress;
    progress.refuseValue = 50;
    r.ctx.progress = &progress;
    colorize(r.ctx);
    EXPECT_EQ(progress.starts, 1);
    std::vector<int> expected;
    for (int p = 1; p <= 100; ++p)
        if (p != 50) expected.push_back(p);
    EXPECT_EQ(progress.sent, expected);
    EXPECT_EQ(styledSpans(r.box.styleSlots()), (std::vector<StyledSpan>{{199, 199, S::Tag}}));

    // The figure measures the absolute position, not the share of the range.
    progress.sent.clear();
    progress.refuseValue = -1;
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

TEST(Colorizer, ReportingProgressDoesNotChangeTheColouring) {
    // With progress the scan visits every position; without it the scan
    // leaps over stretches where nothing can happen. Both must agree.
    std::vector<std::string> texts;
    const char* dirs[] = {SYNTAX_DATA, std::getenv("MV_CORPUS")};
    for (const char* dir : dirs) {
        if (!dir || !std::filesystem::is_directory(dir)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() != ".html") continue;
            texts.push_back(TempDir::readFile(entry.path()));
        }
    }
    for (const std::string& text : texts) {
        Scan quick(text);
        colorize(quick.ctx);
        Scan full(text);
        RecordingProgress progress;
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
