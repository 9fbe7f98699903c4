#include "tests/buttons/paint/PaintTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The colour of ring side n (1..12) of a 20 x 10 button: the inner ring's
// left, top, right and bottom side, then the middle ring's, then the outer.
Rgb Side(const TestButton& b, int n) {
    static const QPoint at[12] = {{2, 5}, {5, 2}, {17, 4}, {5, 7}, {1, 5},  {5, 1},
                                  {18, 4}, {5, 8}, {0, 5}, {5, 0}, {19, 5}, {5, 9}};
    return b.back(at[n - 1].x(), at[n - 1].y());
}

TEST(DrawEdges, DrawsThreeRingsWhoseSidesLeaveOutTheirEndPointsAndSwapsThemWhenPressed) {
    // Style 1 at rest: raised, white top-left, grey bottom-right.
    EXPECT_EQ(Letters(TestButton(20, 10, 1, 0), false), (Rows{
                                                      "KKKKKKKKKKKKKKKKKKKK",
                                                      "KWWWWWWWWWWWWWWWWWGK",
                                                      "KWWWWWWWWWWWWWWWWGGK",
                                                      "KWW..............GGK",
                                                      "KWW..............GGK",
                                                      "KWW..............GGK",
                                                      "KWW..............GGK",
                                                      "KWGGGGGGGGGGGGGGGGGK",
                                                      "KGGGGGGGGGGGGGGGGGGK",
                                                      "KKKKKKKKKKKKKKKKKKKK",
                                                  }));
    const auto pressed = Letters(TestButton(20, 10, 1, 0, FlagPressed | FlagHover), false);
    EXPECT_EQ(pressed[1], "KGGGGGGGGGGGGGGGGGWK");
    EXPECT_EQ(pressed[4], "KGG..............WWK");
    EXPECT_EQ(pressed[8], "KWWWWWWWWWWWWWWWWWWK");
    // Style 0's outer ring is sunken when on: white below and right.
    for (bool on : {false, true}) {
        const TestButton b(20, 10, 0, 0, 0, [&](ButtonModel& m) { m.Mode = 1, m.Value = on; });
        EXPECT_EQ(Side(b, 11), on ? kWhite : kBlack);
        EXPECT_EQ(Side(b, 12), on ? kWhite : kBlack);
    }
    // Style 4 bevels on the edge itself.
    EXPECT_EQ(Letters(TestButton(20, 10, 4, 0), false)[0], "WWWWWWWWWWWWWWWWWWWG");
}

TEST(DrawEdges, FollowsTheDiagonalOfASlantedShape) {
    const TestButton b(40, 10, 1, 1);  // bottom-left corner cut away, slant of 11
    EXPECT_EQ(b.m.nShapeLeft, 11);
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(b.back(k, k), kBlack) << "outer ring at " << k;
    for (int k = 5; k <= 8; ++k) EXPECT_EQ(b.back(k, k - 2), kWhite) << "inner ring at " << k;
    // The bottom edge starts under the slant's foot and runs to the right.
    for (int x = 8; x < 40; ++x) EXPECT_EQ(b.back(x, 9), kBlack) << x;
    // The outline follows the slant and trims only the straight side's corners.
    for (auto [x, y, in] : {std::tuple{0, 5, false}, {5, 5, true}, {0, 0, true}, {0, 9, false}, {39, 0, false},
                            {39, 9, false}, {38, 5, true}})
        EXPECT_EQ(b.window.region.contains(QPoint(x, y)), in) << x << "," << y;
    // The top-right cut of shape 2 runs from (29, 0) down to the bottom right.
    const TestButton right(40, 10, 0, 2);
    for (int y = 0; y < 10; ++y) {
        EXPECT_TRUE(right.window.region.contains(QPoint(29 + y, y))) << y;
        EXPECT_FALSE(right.window.region.contains(QPoint(30 + y, y))) << y;
    }
}

TEST(PaintStyle2, MapsEachStateToItsLookInsideTheDarkBlueRing) {
    // The face is the classic face lightened to (255, 255, 251); a check box
    // that is on shows (223, 224, 214).
    const Adjust focus = [](ButtonModel& m) { m.ShowFocusRect = true; };
    const Adjust on = [](ButtonModel& m) { m.Mode = 1, m.Value = true; };
    const Adjust onWithFocus = [&](ButtonModel& m) { on(m), focus(m); };
    struct Case {
        const char* look;
        std::uint16_t flags;
        Adjust more;
        int side;
        Rgb colour;
    };
    for (const Case& c : {Case{"rest: the default look needs the focus rectangle", FlagDefaultLook, {}, 1,
                               MakeRgb(245, 246, 239)},
                          Case{"default", FlagDefaultLook, focus, 8, MakeRgb(107, 130, 239)},
                          Case{"default while on", FlagDefaultLook, onWithFocus, 8, MakeRgb(107, 130, 239)},
                          Case{"on: pressed, the right side the face itself", 0, on, 3, MakeRgb(223, 224, 214)},
                          Case{"hot", FlagHover, {}, 8, MakeRgb(231, 150, 0)},
                          Case{"pressed, though hovered", FlagHover | FlagPressed, {}, 3, MakeRgb(255, 255, 251)}}) {
        SCOPED_TRACE(c.look);
        const TestButton b(20, 10, 2, 0, c.flags, c.more);
        EXPECT_EQ(Side(b, c.side), c.colour);
        for (int n = 9; n <= 12; ++n) EXPECT_EQ(Side(b, n), MakeRgb(0, 60, 115)) << n;
        for (QPoint p : {QPoint(1, 1), QPoint(1, 8), QPoint(18, 1), QPoint(18, 8)})
            EXPECT_EQ(b.back(p.x(), p.y()), MakeRgb(0, 60, 115)) << "corner " << p.x() << "," << p.y();
    }
}

TEST(PaintStyle2, DrawsADisabledButtonWithADarkenedRingOnly) {
    const TestButton b(20, 10, 2, 0, 0, [](ButtonModel& m) { m.Enabled = false; });
    EXPECT_EQ(Side(b, 9), MakeRgb(171, 172, 142));  // the face darkened by 84
    EXPECT_EQ(Side(b, 5), MakeRgb(231, 232, 221));  // the face darkened by 24: no inner rings
}

TEST(PaintStyle5, ShowsNoOutlineAtRestAndADottedOneInDesignMode) {
    EXPECT_EQ(Letters(TestButton(20, 10, 5, 0), false)[0], std::string(20, '.'));
    const TestButton b(20, 10, 5, 0, 0, [](ButtonModel& m) {
        m.UserMode = false;
        m.cParentBack = MakeRgb(200, 200, 200);
    });
    EXPECT_EQ(Letters(b, false)[0], "??..??..??..??..??.?");
    EXPECT_EQ(b.back(0, 0), MakeRgb(136, 137, 137)) << "the container's colour darkened by 64";
}

TEST(PaintStyle7, RoundsItsCornersWithExtraPixels) {
    // The face (100, 100, 100) lightened by 31 to (131, 131, 131).
    const TestButton b(20, 10, 7, 0, 0, [](ButtonModel& m) { m.BackColor = m.HoverBackColor = 0x646464; });
    for (QPoint p : {QPoint(1, 1), QPoint(1, 8), QPoint(18, 8), QPoint(18, 1)})
        EXPECT_EQ(b.back(p.x(), p.y()), kBlack) << p.x() << "," << p.y();
    EXPECT_EQ(b.back(3, 3), kWhite);
}

TEST(Redraw, LeavesTheScreenAloneForAStyleOutsideTheEight) {
    EXPECT_TRUE(TestButton(100, 30, 9, 0).d.screen().isNull());
}

}  // namespace
