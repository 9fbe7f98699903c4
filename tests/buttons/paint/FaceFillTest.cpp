#include "tests/buttons/paint/PaintTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A flat button at rest paints nothing but its face and the closing bottom
// line of its (absent) ring: the back buffer is the gradient above the
// bottom row.
Adjust FlatGradient(int mode) {
    return [mode](ButtonModel& m) {
        m.ButtonStyle = 5;
        m.GradientMode = mode;
        m.GradientColor = MakeRgb(0, 0, 255);
    };
}

TEST(GradientFill, RunsFromTheFaceToTheGradientColourAndDrawsModes1And2Or3And4AsMirrorImages) {
    for (bool across : {true, false}) {
        SCOPED_TRACE(across ? "modes 1 and 2" : "modes 3 and 4");
        const TestButton a(100, 30, FlatGradient(across ? 1 : 3)), b(100, 30, FlatGradient(across ? 2 : 4));
        EXPECT_EQ(a.back(0, 0), Face());
        EXPECT_EQ(BlueOf(a.back(99, 29)), 255);
        for (int y = 0; y < 29; ++y)
            for (int x = 0; x < 100; ++x)
                ASSERT_EQ(a.back(x, y), across ? b.back(99 - x, y) : b.back(x, 29 - y)) << x << "," << y;
        // The bottom line is drawn in the pen the last band left.
        for (const TestButton* t : {&a, &b})
            for (int x = 0; x < 99; ++x) ASSERT_EQ(t->back(x, 29), t->back(99, 29)) << x;
    }
}

TEST(GradientFill, ShadesAButtonWiderThanAQuarterOfTheScreenInTwoPixelStripes) {
    TestButton b(101, 30);
    b.window.screen = QSize(400, 300);  // less than four button widths
    FlatGradient(1)(b.m);
    b.prepare();
    for (int x = 0; x + 1 < 100; x += 2) ASSERT_EQ(b.back(x, 10), b.back(x + 1, 10)) << x;
    EXPECT_NE(b.back(0, 10), b.back(2, 10));
    // 50 stripes cover 100 columns; the last one keeps what was there.
    EXPECT_EQ(b.back(100, 10), kBlack);
}

TEST(PaintBackground, KeepsTheGradientUnderTheHoverColourOnlyWhenThatIsTheGradientColour) {
    TestButton b(100, 30, 0, 0, FlagHover, [](ButtonModel& m) {
        m.GradientMode = 1;
        m.GradientColor = m.HoverBackColor = MakeRgb(0, 0, 255);
    });
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

TEST(PaintBackground, ShadesStyle2DarkerTowardsTheBottom) {
    const TestButton b(100, 30, 2, 0);
    // The face (255, 255, 251) shifted by round(-25 / 30 * y) = -2 and -22.
    EXPECT_EQ(b.back(50, 3), MakeRgb(253, 254, 250));
    EXPECT_EQ(b.back(50, 26), MakeRgb(233, 234, 224));
}

}  // namespace
