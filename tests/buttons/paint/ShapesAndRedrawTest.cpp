#include "tests/buttons/paint/PaintTestSupport.h"
#include "buttons/paint/ShapeRegions.h"

#include <gtest/gtest.h>

namespace {

TEST(BuildShapeRegion, TrimsTheCornersAStyleAsksForWhileEnabled) {
    // Style 3 loses two single pixels; styles 2 and 7 triangles with legs of
    // 2 at the top and 3 at the bottom, on both sides.
    const QRegion single = QRegion(0, 9, 1, 1) + QRegion(19, 0, 1, 1);
    const QRegion triangles = QRegion(0, 0, 2, 1) + QRegion(0, 1, 1, 1) + QRegion(18, 0, 2, 1) +
                              QRegion(19, 1, 1, 1) + QRegion(0, 9, 3, 1) + QRegion(0, 8, 2, 1) +
                              QRegion(0, 7, 1, 1) + QRegion(17, 9, 3, 1) + QRegion(18, 8, 2, 1) +
                              QRegion(19, 7, 1, 1);
    for (auto [style, cut] : {std::pair{3, single}, {2, triangles}, {7, triangles}, {0, QRegion()}}) {
        const TestButton b(20, 10, style, 0);
        EXPECT_EQ(QRegion(0, 0, 20, 10) - b.window.region, cut) << style;
    }
    TestButton b(20, 10);
    b.m.ButtonStyle = 3;
    b.m.Enabled = false;
    b.prepare();
    EXPECT_EQ(b.window.region, QRegion(0, 0, 21, 11)) << "a disabled style 3 button keeps its corners";
}

TEST(BuildShapeRegion, WidensANarrowSlantedButtonInStepsOf5) {
    const TestButton b(30, 30, 0, 3);
    // The slant is 31: 30 -> 35 -> 40 leaves 9 pixels beside it.
    EXPECT_EQ(QSize(b.m.ScaleWidth, b.m.ScaleHeight), QSize(40, 30));
    EXPECT_EQ(b.window.resizes, 1);
    EXPECT_EQ(b.m.nShapeLeft, 31);
    EXPECT_EQ(b.m.nShapeRight, 9);
    EXPECT_EQ(b.d.backBuffer().size(), QSize(40, 30));
    EXPECT_EQ(SlantedWidth(36, 30), 36);
}

TEST(EllipseRegion, MirrorsExactlyAcrossBothAxes) {
    const QRegion e = EllipseRegion(0, 0, 100, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            ASSERT_EQ(e.contains(QPoint(x, y)), e.contains(QPoint(99 - x, y))) << x << "," << y;
            ASSERT_EQ(e.contains(QPoint(x, y)), e.contains(QPoint(x, 29 - y))) << x << "," << y;
        }
    EXPECT_TRUE(e.contains(QPoint(50, 0)));
    EXPECT_TRUE(e.contains(QPoint(0, 15)));
    EXPECT_FALSE(e.contains(QPoint(0, 0)));
    EXPECT_FALSE(e.contains(QPoint(100, 15)));
}

TEST(BuildShapeRegion, KeepsClipRegionsOneAndTwoPixelsInsideAnEllipse) {
    const TestButton b(100, 30, 0, 4);
    EXPECT_EQ(b.window.region, EllipseRegion(0, 0, 100, 30));
    ASSERT_TRUE(b.d.edgeRegion().has_value());
    EXPECT_EQ(*b.d.edgeRegion(), EllipseRegion(1, 1, 99, 29));
    EXPECT_EQ(*b.d.innerRegion(), EllipseRegion(2, 2, 98, 28));
    // The rim outside the edge region keeps its white-to-grey shade.
    EXPECT_EQ(b.back(50, 0), kWhite);
    EXPECT_EQ(b.back(50, 15), Face());
}

struct PictureShaped : TestButton {
    explicit PictureShaped(int shape, std::uint16_t flags = 0) {
        m.Picture = DiscPicture();
        m.nPicSize = 48;
        m.ButtonShape = shape;
        m.nFlags = flags;
        m.bHoverTracking = flags & FlagHover;
        prepare();
    }
};

TEST(BuildShapeRegion, CutsAPictureShapeFromThePictureAtItsAspectRatio) {
    PictureShaped b(8);
    EXPECT_EQ(QSize(b.m.ScaleWidth, b.m.ScaleHeight), QSize(48, 30));
    EXPECT_EQ(b.m.nShapeRight, 48);
    EXPECT_FALSE(b.window.region.contains(QPoint(0, 0)));
    EXPECT_TRUE(b.window.region.contains(QPoint(24, 15)));
    EXPECT_EQ(*b.d.edgeRegion(), b.window.region.translated(1, 1));
    EXPECT_EQ(*b.d.innerRegion(), b.window.region.translated(2, 2));

    TestButton none(100, 30, 0, 0);  // without a picture the outline stays
    const QRegion before = none.window.region;
    none.m.ButtonShape = 7;
    none.d.BuildShapeRegion();
    EXPECT_EQ(none.window.region, before);
}

// Whether every pixel of the one-pixel frame of region shows colour.
bool FramedIn(const TestButton& b, const QRegion& region, Rgb colour) {
    for (const QRect& r : RegionFrame(region))
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (x < b.m.ScaleWidth && y < b.m.ScaleHeight && b.screen(x, y) != colour) return false;
    return true;
}

TEST(Redraw, FramesAHoveredRoundButtonInBlackButNeverTheEllipses) {
    for (int shape : {4, 5, 6}) {
        const TestButton b(100, 30, 0, shape, FlagHover);
        EXPECT_EQ(FramedIn(b, b.window.region, kBlack), shape == 6) << shape;
        EXPECT_EQ(b.screen(50, 0), shape == 6 ? kBlack : kWhite) << shape;
        EXPECT_EQ(b.screen(50, 15), Face()) << shape;
    }
}

TEST(Redraw, FramesAPictureShapeAsDefaultInsideItsOutlineAndHoveredOnlyInAColourOfItsOwn) {
    PictureShaped b7(7, FlagDefaultLook), b8(8, FlagDefaultLook);
    EXPECT_TRUE(FramedIn(b7, *b7.d.edgeRegion(), kBlack));
    EXPECT_TRUE(FramedIn(b8, *b8.d.innerRegion(), kBlack));
    EXPECT_FALSE(FramedIn(b8, *b8.d.edgeRegion(), kBlack));

    PictureShaped hot(7, FlagHover);  // style 0: hover face = back colour
    EXPECT_FALSE(FramedIn(hot, hot.window.region, kBlack));
    hot.m.HoverBackColor = MakeRgb(250, 0, 0);
    hot.d.RefreshDerived("BackColor");
    hot.d.Redraw();
    EXPECT_TRUE(FramedIn(hot, hot.window.region, MakeRgb(250, 0, 0)));
}

TEST(Redraw, ReusesTheBackBufferUntilTheSizeChangesAndCatchesUpWithASizeNobodyReported) {
    TestButton b(100, 30, 0, 4);
    const uchar* back = b.d.backBuffer().constBits();
    const uchar* screen = b.d.screen().constBits();
    for (int i = 0; i < 2000; ++i) {
        b.m.nFlags = (i % 2) ? FlagHover : 0;
        b.m.bHoverTracking = i % 2;
        b.d.Redraw();
    }
    EXPECT_EQ(b.d.backBuffer().constBits(), back);
    EXPECT_EQ(b.d.screen().constBits(), screen);

    b.m.ScaleWidth = 80;  // no resize handling
    b.d.Redraw();
    EXPECT_EQ(b.d.backBuffer().size(), QSize(80, 30));
    EXPECT_EQ(b.d.screen().size(), QSize(80, 30));
    EXPECT_EQ(b.window.region, EllipseRegion(0, 0, 80, 30));
    EXPECT_EQ(b.screen(40, 0), kWhite);  // the rim, not a black buffer
}

}  // namespace
