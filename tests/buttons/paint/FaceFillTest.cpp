#include "PaintTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A flat button at rest paints nothing but its face: the back buffer is
// the gradient alone.
TestButton& FlatGradient(TestButton& b, int mode) {
    b.m.ButtonStyle = 5;
    b.m.GradientMode = mode;
    b.m.GradientColor = MakeRgb(0, 0, 255);
    b.prepare();
    return b;
}

TEST(GradientFill, DrawsModesOneAndTwoAsMirrorImages) {
    TestButton a, b;
    FlatGradient(a, 1);
    FlatGradient(b, 2);
    EXPECT_NE(a.back(0, 10), a.back(99, 10));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(a.back(x, y), b.back(99 - x, y)) << x << "," << y;
}

TEST(GradientFill, DrawsModesThreeAndFourAsMirrorImages) {
    TestButton a, b;
    FlatGradient(a, 3);
    FlatGradient(b, 4);
    EXPECT_NE(a.back(50, 0), a.back(50, 29));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(a.back(x, y), b.back(x, 29 - y)) << x << "," << y;
}

TEST(GradientFill, RunsFromTheFaceToTheGradientColour) {
    TestButton b;
    FlatGradient(b, 1);
    EXPECT_EQ(b.back(0, 15), Face());
    EXPECT_EQ(BlueOf(b.back(99, 15)), 255);
    // A ring-less button draws no line along its bottom.
    for (int x = 0; x < 100; ++x) ASSERT_EQ(b.back(x, 29), b.back(x, 28)) << x;
}

TEST(GradientFill, ShadesAButtonWiderThanAQuarterOfTheScreenInTwoPixelStripes) {
    TestButton b(101, 30);
    b.window.screen = QSize(300, 200);
    FlatGradient(b, 1);
    for (int x = 0; x + 1 < 100; x += 2) ASSERT_EQ(b.back(x, 10), b.back(x + 1, 10)) << x;
    EXPECT_NE(b.back(0, 10), b.back(2, 10));
    // 50 stripes cover 100 columns; the last one keeps what was there.
    EXPECT_EQ(b.back(100, 10), kBlack);
}

TEST(PaintBackground, NeverShadesACheckBoxThatIsOn) {
    TestButton b;
    b.m.Mode = 1;
    b.m.Value = true;
    b.m.GradientMode = 1;
    b.m.GradientColor = MakeRgb(0, 0, 255);
    b.prepare();
    const Rgb light = b.d.derived().cLight;
    EXPECT_EQ(b.back(10, 15), light);
    EXPECT_EQ(b.back(90, 15), light);
}

TEST(PaintBackground, KeepsTheGradientUnderThePointerOnlyWhenTheHoverColourIsTheGradientColour) {
    TestButton b;
    b.m.GradientMode = 1;
    b.m.GradientColor = MakeRgb(0, 0, 255);
    b.m.HoverBackColor = b.m.GradientColor;
    b.m.bHoverTracking = true;
    b.m.nFlags = FlagHover;
    b.prepare();
    EXPECT_NE(b.back(10, 15), b.back(90, 15));

    b.m.HoverBackColor = MakeRgb(0, 200, 0);
    b.d.RefreshDerived("BackColor");
    b.d.Redraw();
    EXPECT_EQ(b.back(10, 15), MakeRgb(0, 200, 0));
    EXPECT_EQ(b.back(90, 15), MakeRgb(0, 200, 0));
}

TEST(PaintBackground, ShadesStyle2DarkerTowardsTheBottom) {
    TestButton b;
    b.m.ButtonStyle = 2;
    b.prepare();
    const Rgb face = b.d.derived().cFace;
    EXPECT_EQ(b.back(50, 3), ShiftColor(face, RoundEven(-25.0 / 30 * 3), true));
    EXPECT_EQ(b.back(50, 26), ShiftColor(face, RoundEven(-25.0 / 30 * 26), true));
    EXPECT_GT(RedOf(b.back(50, 3)), RedOf(b.back(50, 26)));
}

TEST(PaintBackground, FillsAHoveredButtonWithItsHoverColour) {
    TestButton b;
    b.m.HoverBackColor = MakeRgb(10, 20, 30);
    b.m.bHoverTracking = true;
    b.m.nFlags = FlagHover;
    b.prepare();
    EXPECT_EQ(b.back(50, 15), MakeRgb(10, 20, 30));
    // Pressed inside, a command button shows its face again.
    b.m.nFlags = FlagHover | FlagPressed;
    b.d.Redraw();
    EXPECT_EQ(b.back(50, 15), Face());
}

}  // namespace
