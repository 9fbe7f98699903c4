#include "buttons/paint/ColorMath.h"

#include <gtest/gtest.h>

namespace {

struct Channels {
    int r, g, b;
    bool operator==(const Channels&) const = default;
};
Channels of(Rgb c) { return {RedOf(c), GreenOf(c), BlueOf(c)}; }
std::ostream& operator<<(std::ostream& os, const Channels& c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

TEST(ShiftColor, MatchesTheWorkedValuesAndNeverLeavesTheChannelRange) {
    struct Case {
        Rgb in;
        int delta;
        bool blueWeighted;
        Channels out;
    };
    for (const Case& c : {Case{16777215, -32, false, {223, 224, 224}}, Case{8421504, 16, false, {144, 145, 145}},
                          Case{8421504, 16, true, {144, 145, 139}}, Case{0, -32, false, {0, 0, 0}},
                          Case{kWhite, 100, true, {255, 255, 255}}, Case{MakeRgb(250, 3, 128), 10, false, {255, 13, 139}},
                          // Green and blue are scaled by 256/255 (128 becomes 128.50..., which
                          // rounds to 129): a zero shift is not the identity.
                          Case{kGrey, 0, false, {128, 129, 129}},
                          // Blue weighted: -24 * 129 / 192 = -16.125, truncated to -16.
                          Case{kGrey, -24, true, {104, 105, 113}},
                          // Blue 191 scales to 192, and -191 * 192 / 192 leaves 1.
                          Case{MakeRgb(0, 0, 191), -191, true, {0, 0, 1}}}) {
        SCOPED_TRACE(::testing::Message() << of(c.in) << " by " << c.delta << (c.blueWeighted ? " weighted" : ""));
        EXPECT_EQ(of(ShiftColor(c.in, c.delta, c.blueWeighted)), c.out);
    }
    for (int delta : {-100, 0, 48, 200})
        EXPECT_EQ(BlueOf(ShiftColor(MakeRgb(90, 200, 0), delta, true)), 0) << "no blue stays no blue at " << delta;
}

TEST(DeriveColors, DerivesFromTheNewFaceOrShadowWhereAStyleSaysSo) {
    const Rgb face = MakeRgb(212, 208, 200), back = MakeRgb(200, 100, 50);
    EXPECT_EQ(of(DeriveColors(2, face, kBlack).cShadow), (Channels{223, 224, 210}));  // from the face of +48
    EXPECT_EQ(of(DeriveColors(3, face, kBlack).cLight), (Channels{171, 173, 173}));  // from the shadow of +12
    EXPECT_EQ(of(DeriveColors(7, back, kBlack).cShadow), (Channels{112, 113, 113}));  // grey, not the back colour
}

TEST(GradientColors, StartsAtTheFirstColourAndFloorsEvenStepsOfClampedRunningChannels) {
    struct Case {
        const char* what;
        Rgb first, last;
        std::vector<Rgb> list;
    };
    const std::vector<Case> cases = {
        {"fractions floored", kBlack, MakeRgb(10, 0, 0), {kBlack, MakeRgb(3, 0, 0), MakeRgb(6, 0, 0), MakeRgb(10, 0, 0)}},
        // White's green and blue start at 256 and grey's end at 129: steps of -63.5.
        {"scaled green and blue", kWhite, kGrey, {kWhite, MakeRgb(191, 192, 192), MakeRgb(128, 129, 129)}},
        {"running value clamped at 255, not 256", kBlack, kWhite, {kBlack, kWhite}},
        {"one band", MakeRgb(9, 8, 7), kWhite, {MakeRgb(9, 8, 7)}},
        {"no band", kWhite, kBlack, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Rgb> list(c.list.size());
        GradientColors(list, c.first, c.last);
        EXPECT_EQ(list, c.list);
    }
}

}  // namespace
