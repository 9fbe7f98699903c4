#include "ColorMath.h"

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

TEST(ShiftColor, MatchesTheWorkedValues) {
    EXPECT_EQ(of(ShiftColor(16777215, -32)), (Channels{223, 224, 224}));
    EXPECT_EQ(of(ShiftColor(8421504, 16)), (Channels{144, 145, 145}));
    EXPECT_EQ(of(ShiftColor(8421504, 16, true)), (Channels{144, 145, 139}));
    EXPECT_EQ(ShiftColor(0, -32), 0u);
}

TEST(ShiftColor, NeverLeavesTheChannelRange) {
    EXPECT_EQ(ShiftColor(kWhite, 100), kWhite);
    EXPECT_EQ(ShiftColor(kBlack, -100), kBlack);
    EXPECT_EQ(ShiftColor(kWhite, 100, true), kWhite);
    EXPECT_EQ(of(ShiftColor(MakeRgb(250, 3, 128), 10)), (Channels{255, 13, 139}));
}

TEST(ShiftColor, ZeroDeltaScalesGreenAndBlueUpward) {
    // 128 * 256 / 255 = 128.50...: rounds to 129, so a zero shift is not
    // the identity.
    EXPECT_EQ(of(ShiftColor(kGrey, 0)), (Channels{128, 129, 129}));
}

TEST(ShiftColor, BlueWeightedKeepsAColourWithoutBlueFreeOfBlue) {
    for (int delta : {-100, -32, 0, 31, 48, 200})
        EXPECT_EQ(BlueOf(ShiftColor(MakeRgb(90, 200, 0), delta, true)), 0) << delta;
}

TEST(ShiftColor, BlueWeightedTruncatesTowardZeroForDarkening) {
    // b = 129; -24 * 129 / 192 = -16.125, truncated to -16.
    EXPECT_EQ(BlueOf(ShiftColor(kGrey, -24, true)), 113);
}

TEST(TranslateColor, LooksUpSystemColoursByTheirLowByte) {
    SystemColors::Table t{};
    t[15] = MakeRgb(1, 2, 3);
    t[18] = MakeRgb(4, 5, 6);
    const SystemColors system(t);
    EXPECT_EQ(TranslateColor(0x8000000F, system), MakeRgb(1, 2, 3));
    EXPECT_EQ(TranslateColor(0x80000012, system), MakeRgb(4, 5, 6));
    EXPECT_EQ(TranslateColor(0x00123456, system), 0x00123456u);
    EXPECT_EQ(TranslateColor(0x800000FF, system), 0u);  // unknown index
}

TEST(DeriveColors, DerivesFromTheNewFaceOrShadowWhereAStyleSaysSo) {
    const Rgb back = MakeRgb(200, 100, 50);
    const DerivedColors s2 = DeriveColors(2, back, kBlack);
    EXPECT_EQ(s2.cShadow, ShiftColor(ShiftColor(back, 48, true), -32, true));
    const DerivedColors s3 = DeriveColors(3, back, kBlack);
    EXPECT_EQ(s3.cFace, back);
    EXPECT_EQ(s3.cLight, ShiftColor(ShiftColor(kGrey, 12), 31));
    const DerivedColors s7 = DeriveColors(7, back, kBlack);
    EXPECT_EQ(s7.cShadow, ShiftColor(kGrey, -16));  // not from the back colour
    EXPECT_EQ(DeriveColors(4, back, kBlack).cLight, ShiftColor(kWhite, -32));
}

TEST(GradientColors, StartsExactlyAtTheFirstColourAndStepsEvenly) {
    std::vector<Rgb> list(5);
    GradientColors(list, MakeRgb(0, 0, 0), MakeRgb(100, 0, 0));
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0], 0u);
    EXPECT_EQ(RedOf(list[1]), 25);
    EXPECT_EQ(RedOf(list[2]), 50);
    EXPECT_EQ(RedOf(list[4]), 100);
}

TEST(GradientColors, ClampsTheScaledGreenOfWhite) {
    // White's green and blue start at 256 and grey's end at 129 (both
    // scaled by 256/255): the steps are -63.5 for red, green and blue.
    std::vector<Rgb> list(3);
    GradientColors(list, kWhite, kGrey);
    EXPECT_EQ(list[0], kWhite);
    EXPECT_EQ(of(list[1]), (Channels{191, 192, 192}));
    EXPECT_EQ(of(list[2]), (Channels{128, 129, 129}));
    // Going up from black, the running value is clamped at 255, not 256.
    std::vector<Rgb> up(2);
    GradientColors(up, kBlack, kWhite);
    EXPECT_EQ(up[1], kWhite);
}

TEST(GradientColors, FloorsTheRunningFractions) {
    std::vector<Rgb> list(4);
    GradientColors(list, MakeRgb(0, 0, 0), MakeRgb(10, 0, 0));
    EXPECT_EQ(RedOf(list[1]), 3);  // 3.33
    EXPECT_EQ(RedOf(list[2]), 6);  // 6.67
    EXPECT_EQ(RedOf(list[3]), 10);
}

TEST(GradientColors, ASingleBandIsTheFirstColour) {
    std::vector<Rgb> list(1);
    GradientColors(list, MakeRgb(9, 8, 7), kWhite);
    EXPECT_EQ(list[0], MakeRgb(9, 8, 7));
    std::vector<Rgb> none;
    GradientColors(none, kWhite, kBlack);  // nothing to fill, nothing breaks
    EXPECT_TRUE(none.empty());
}

}  // namespace
