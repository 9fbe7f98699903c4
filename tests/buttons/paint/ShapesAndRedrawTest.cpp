#include "tests/buttons/paint/PaintTestSupport.h"
#include "buttons/paint/ShapeRegions.h"

#include <gtest/gtest.h>

namespace {

TEST(BuildShapeRegion, TrimsTheCornersAStyleAsksForWhileEnabled) {
    // Style 3 loses two single pixels; styles 2 and 7 three pixels at every
    // corner (triangles with legs of 2 at the top and 3 at the bottom).
    const QRegion single = QRegion(0, 9, 1, 1) + QRegion(19, 0, 1, 1);
    const QRegion triangles = QRegion(0, 0, 2, 1) + QRegion(0, 1, 1, 1) + QRegion(18, 0, 2, 1) +
                              QRegion(19, 1, 1, 1) + QRegion(0, 9, 2, 1) + QRegion(0, 8, 1, 1) +
                              QRegion(18, 9, 2, 1) + QRegion(19, 8, 1, 1);
    for (auto [style, cut] : {std::pair{3, single}, {2, triangles}, {7, triangles}, {0, QRegion()}})
        EXPECT_EQ(QRegion(0, 0, 20, 10) - TestButton(20, 10, style, 0).window.region, cut) << style;
    const TestButton b(20, 10, 3, 0, 0, [](ButtonModel& m) { m.Enabled = false; });
    EXPECT_EQ(b.window.region, QRegion(0, 0, 21, 11)) << "a disabled style 3 button keeps its corners";
}

TEST(BuildShapeRegion, WidensANarrowSlantedButtonInStepsOf5) {
    const TestButton b(30, 30, 0, 3);
    // The slant is 31: 30 -> 35 -> 40 leaves 9 pixels beside it.
    EXPECT_EQ(QSize(b.m.ScaleWidth, b.m.ScaleHeight), QSize(40, 30));
    EXPECT_EQ(b.d.backBuffer().size(), QSize(40, 30));
    EXPECT_EQ(std::pair(b.m.nShapeLeft, b.m.nShapeRight), std::pair(31, 9));
    EXPECT_EQ(SlantedWidth(36, 30), 36);
}

TEST(BuildShapeRegion, CutsSymmetricEllipsesWithAShadedRimAndRedrawFramesOnlyShape6) {
    // The rim between the outline and the face is shaded white to grey.
    const Rows ellipse = {"    WWWWWWWW    ", "  ??........??  ", " ?............? ", "?..............?",
                          "?..............?", " ?............? ", "  ??........??  ", "    ????????    "};
    EXPECT_EQ(Letters(TestButton(16, 8, 0, 4)), ellipse);
    EXPECT_EQ(Letters(TestButton(16, 8, 0, 5, FlagHover)), ellipse) << "no frame round shape 5";
    EXPECT_EQ(Letters(TestButton(16, 8, 0, 6, FlagHover)),
              (Rows{"    KKKKKKKK    ", "  KK........KK  ", " K............K ", "K..............K",
                    "K..............K", " K............K ", "  KK........KK  ", "    KKKKKKKK    "}));
    // Pressed, the rim inside the outline turns round: grey above, white below.
    const TestButton pressed(16, 8, 0, 5, FlagPressed | FlagHover);
    EXPECT_LT(RedOf(pressed.screen(8, 1)), RedOf(pressed.screen(8, 6)));
}

// A button shaped by DiscPicture.
Adjust PictureShape() {
    return [](ButtonModel& m) {
        m.Picture = DiscPicture();
        m.nPicSize = 48;
    };
}

// Whether every pixel of the one-pixel frame of region shows colour.
bool FramedIn(const TestButton& b, const QRegion& region, Rgb colour) {
    for (const QRect& r : RegionFrame(region))
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (x < b.m.ScaleWidth && y < b.m.ScaleHeight && b.screen(x, y) != colour) return false;
    return true;
}

TEST(BuildShapeRegion, CutsAPictureShapeAtItsAspectRatioAndRedrawFramesItAsDefaultOrInAHoverColourOfItsOwn) {
    const TestButton b7(100, 30, 0, 7, FlagDefaultLook, PictureShape());
    const TestButton b8(100, 30, 0, 8, FlagDefaultLook, PictureShape());
    EXPECT_EQ(QSize(b8.m.ScaleWidth, b8.m.nShapeRight), QSize(48, 48));
    EXPECT_EQ(b8.m.ScaleHeight, 30);
    EXPECT_FALSE(b8.window.region.contains(QPoint(0, 0)));
    EXPECT_TRUE(b8.window.region.contains(QPoint(24, 15)));
    // Framed one pixel inside the outline for shape 7, two for shape 8.
    EXPECT_TRUE(FramedIn(b7, b7.window.region.translated(1, 1), kBlack));
    EXPECT_TRUE(FramedIn(b8, b8.window.region.translated(2, 2), kBlack));

    TestButton hot(100, 30, 0, 7, FlagHover, PictureShape());  // style 0: hover face = back colour
    EXPECT_FALSE(FramedIn(hot, hot.window.region, kBlack));
    hot.m.HoverBackColor = MakeRgb(250, 0, 0);
    hot.d.RefreshDerived("BackColor");
    hot.d.Redraw();
    EXPECT_TRUE(FramedIn(hot, hot.window.region, MakeRgb(250, 0, 0)));

    TestButton none(100, 30, 0, 0);  // without a picture the outline stays
    const QRegion before = none.window.region;
    none.m.ButtonShape = 7;
    none.d.BuildShapeRegion();
    EXPECT_EQ(none.window.region, before);
}

TEST(Redraw, CatchesUpWithASizeNobodyReported) {
    TestButton b(16, 8, 0, 4);
    b.m.ScaleWidth = 12;  // no resize handling
    b.d.Redraw();
    EXPECT_EQ(b.d.screen().size(), QSize(12, 8));
    EXPECT_EQ(Letters(b)[0], "   WWWWWW   ") << "the outline and rim of the new size, not a black buffer";
}

}  // namespace
