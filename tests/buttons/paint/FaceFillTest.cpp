#include "tests/buttons/paint/PaintTestSupport.h"

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

TEST(GradientFill, RunsFromTheFaceToTheGradientColourAndDrawsModes1And2Or3And4AsMirrorImages) {
    for (bool across : {true, false}) {
        SCOPED_TRACE(across ? "modes 1 and 2" : "modes 3 and 4");
        TestButton a, b;
        FlatGradient(a, across ? 1 : 3);
        FlatGradient(b, across ? 2 : 4);
        EXPECT_EQ(a.back(0, 0), Face());
        EXPECT_EQ(BlueOf(a.back(99, 29)), 255);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 100; ++x)
                ASSERT_EQ(a.back(x, y), across ? b.back(99 - x, y) : b.back(x, 29 - y)) << x << "," << y;
    }
    // A ring-less button draws no line along its bottom.
    TestButton b;
    FlatGradient(b, 1);
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

TEST(PaintBackground, FillsWithTheHoverColourAndKeepsTheGradientOnlyWhenThatIsTheGradientColour) {
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
    // Pressed inside, a command button shows its face again.
    b.m.GradientMode = 0;
    b.m.nFlags = FlagHover | FlagPressed;
    b.d.Redraw();
    EXPECT_EQ(b.back(50, 15), Face());
}

TEST(PaintBackground, NeverShadesACheckBoxThatIsOn) {
    TestButton b;
    b.m.Mode = 1;
    b.m.Value = true;
    b.m.GradientMode = 1;
    b.prepare();
    EXPECT_EQ(b.back(10, 15), b.d.derived().cLight);
    EXPECT_EQ(b.back(90, 15), b.d.derived().cLight);
}

TEST(PaintBackground, ShadesStyle2DarkerTowardsTheBottom) {
    const TestButton b(100, 30, 2, 0);
    const Rgb face = b.d.derived().cFace;
    for (int y : {3, 26}) EXPECT_EQ(b.back(50, y), ShiftColor(face, RoundEven(-25.0 / 30 * y), true)) << y;
}

}  // namespace
