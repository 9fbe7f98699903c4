#include "PaintTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Renders the back buffer as letters: K black, W white, G grey, . face,
// ? anything else.
std::vector<std::string> Letters(const TestButton& b) {
    std::vector<std::string> rows;
    for (int y = 0; y < b.m.ScaleHeight; ++y) {
        std::string row;
        for (int x = 0; x < b.m.ScaleWidth; ++x) {
            const Rgb c = b.back(x, y);
            row += c == kBlack ? 'K' : c == kWhite ? 'W' : c == kGrey ? 'G' : c == Face() ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(DrawEdges, DrawsThreeRingsWhoseSidesLeaveOutTheirEndPoints) {
    TestButton b(20, 10);
    b.m.ButtonStyle = 1;  // at rest: raised, white top-left, grey bottom-right
    b.prepare();
    const std::vector<std::string> expected = {
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
    };
    EXPECT_EQ(Letters(b), expected);
}

TEST(DrawEdges, SwapsTheBevelOfAPressedButton) {
    TestButton b(20, 10);
    b.m.ButtonStyle = 1;
    b.m.nFlags = FlagPressed | FlagHover;
    b.prepare();
    const std::vector<std::string> rows = Letters(b);
    EXPECT_EQ(rows[1], "KGGGGGGGGGGGGGGGGGWK");
    EXPECT_EQ(rows[4], "KGG..............WWK");
    EXPECT_EQ(rows[8], "KWWWWWWWWWWWWWWWWWWK");
}

TEST(DrawEdges, FollowsTheDiagonalOfASlantedShape) {
    TestButton b(40, 10);
    b.m.ButtonStyle = 1;
    b.m.ButtonShape = 1;  // bottom-left corner cut away, slant of 11
    b.prepare();
    EXPECT_EQ(b.m.nShapeLeft, 11);
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(b.back(k, k), kBlack) << "outer ring at " << k;
    for (int k = 3; k <= 8; ++k) EXPECT_EQ(b.back(k, k - 1), kWhite) << "middle ring at " << k;
    for (int k = 5; k <= 8; ++k) EXPECT_EQ(b.back(k, k - 2), kWhite) << "inner ring at " << k;
    // The bottom edge starts under the slant's foot and runs to the right.
    for (int x = 8; x < 40; ++x) EXPECT_EQ(b.back(x, 9), kBlack) << x;
    // Left of the outer diagonal lies outside the outline.
    EXPECT_FALSE(b.window.region.contains(QPoint(0, 5)));
    EXPECT_TRUE(b.window.region.contains(QPoint(5, 5)));
}

// The colour of each ring side of a 20 x 10 button: inner left, top,
// right, bottom, then the middle ring, then the outer ring.
std::vector<Rgb> SideColours(const TestButton& b) {
    const QPoint at[12] = {{2, 5}, {5, 2}, {17, 4}, {5, 7}, {1, 5}, {5, 1},
                           {18, 4}, {5, 8}, {0, 5}, {5, 0}, {19, 5}, {5, 9}};
    std::vector<Rgb> out;
    for (const QPoint& p : at) out.push_back(b.back(p.x(), p.y()));
    return out;
}

std::vector<Rgb> Shifted(Rgb f, std::initializer_list<int> deltas) {
    std::vector<Rgb> out;
    for (int d : deltas) out.push_back(ShiftColor(f, d, true));
    return out;
}

const Rgb kRing = MakeRgb(0, 60, 115);
const std::vector<Rgb> kDefaultTint = {MakeRgb(181, 209, 240), MakeRgb(189, 215, 247),
                                       MakeRgb(181, 209, 240), MakeRgb(140, 174, 231),
                                       MakeRgb(140, 174, 231), MakeRgb(191, 223, 255),
                                       MakeRgb(140, 174, 231), MakeRgb(107, 130, 239)};

std::vector<Rgb> WithRing(std::vector<Rgb> inner, Rgb ring) {
    for (int i = 0; i < 4; ++i) inner.push_back(ring);
    return inner;
}

TEST(PaintStyle2, ShowsTheDefaultTintOnlyWithTheFocusRectangleAllowed) {
    TestButton b(20, 10);
    b.m.ButtonStyle = 2;
    b.m.nFlags = FlagDefaultLook;
    b.m.ShowFocusRect = false;
    b.prepare();
    const Rgb f = b.d.derived().cFace;
    EXPECT_EQ(SideColours(b), WithRing(Shifted(f, {-10, 10, -24, -32, -5, 16, -36, -48}), kRing));

    b.m.ShowFocusRect = true;
    b.d.Redraw();
    EXPECT_EQ(SideColours(b), WithRing(kDefaultTint, kRing));
}

TEST(PaintStyle2, ShowsACheckBoxThatIsOnTintedOrPressed) {
    TestButton b(20, 10);
    b.m.ButtonStyle = 2;
    b.m.Mode = 1;
    b.m.Value = true;
    b.m.ShowFocusRect = true;
    b.m.nFlags = FlagDefaultLook;
    b.prepare();
    EXPECT_EQ(SideColours(b), WithRing(kDefaultTint, kRing));

    b.m.nFlags = 0;
    b.d.Redraw();
    const Rgb f = b.d.derived().cLight;  // the face of a box that is on
    std::vector<Rgb> pressed = Shifted(f, {-22, -24, 0, 10, -32, -32, 5, 16});
    pressed[2] = f;  // the face itself, not a shift of it by 0
    EXPECT_EQ(SideColours(b), WithRing(pressed, kRing));
}

TEST(PaintStyle2, GlowsOrangeUnderThePointerAndRoundsItsCorners) {
    TestButton b(20, 10);
    b.m.ButtonStyle = 2;
    b.m.nFlags = FlagHover;
    b.m.bHoverTracking = true;
    b.prepare();
    const std::vector<Rgb> hot = {MakeRgb(255, 203, 107), MakeRgb(255, 219, 140),
                                  MakeRgb(255, 203, 107), MakeRgb(255, 178, 49),
                                  MakeRgb(255, 178, 49), MakeRgb(255, 233, 166),
                                  MakeRgb(255, 178, 49), MakeRgb(231, 150, 0)};
    EXPECT_EQ(SideColours(b), WithRing(hot, kRing));
    for (QPoint p : {QPoint(1, 1), QPoint(1, 8), QPoint(18, 1), QPoint(18, 8)})
        EXPECT_EQ(b.back(p.x(), p.y()), kRing) << p.x() << "," << p.y();
}

TEST(PaintStyle2, DrawsADisabledButtonWithADarkenedRingOnly) {
    TestButton b(20, 10);
    b.m.ButtonStyle = 2;
    b.m.Enabled = false;
    b.prepare();
    const Rgb ring = ShiftColor(b.d.derived().cFace, -84, true);
    const Rgb fill = ShiftColor(b.d.derived().cFace, -24, true);
    EXPECT_EQ(b.back(0, 5), ring);
    EXPECT_EQ(b.back(1, 1), ring);
    EXPECT_EQ(b.back(2, 5), fill);  // no inner rings
    EXPECT_EQ(b.back(1, 5), fill);
}

TEST(StylePainters, RaiseACommandButtonAtRestInStyles1And4) {
    for (int style : {1, 4}) {
        TestButton b(20, 10);
        b.m.ButtonStyle = style;
        b.prepare();
        // Look 1: white at the top-left of the outermost bevel ring, grey at
        // its right (style 1 bevels inside a black ring, style 4 on the edge).
        if (style == 1) {
            EXPECT_EQ(b.back(5, 1), kWhite);
            EXPECT_EQ(b.back(18, 5), kGrey);
        } else {
            EXPECT_EQ(b.back(5, 0), kWhite);
            EXPECT_EQ(b.back(19, 5), kGrey);
        }
    }
}

TEST(PaintStyle5, ShowsNoOutlineAtRestAndADottedOneInDesignMode) {
    TestButton b(20, 10);
    b.m.ButtonStyle = 5;
    b.prepare();
    for (int x = 0; x < 20; ++x) EXPECT_EQ(b.back(x, 0), Face()) << x;

    b.m.UserMode = false;
    b.m.cParentBack = MakeRgb(200, 200, 200);
    b.d.Redraw();
    const Rgb dots = ShiftColor(MakeRgb(200, 200, 200), -64);
    int dotted = 0, gaps = 0;
    for (int x = 0; x < 19; ++x) (b.back(x, 0) == dots ? dotted : gaps)++;
    EXPECT_GT(dotted, 4);
    EXPECT_GT(gaps, 4);
}

TEST(PaintStyle7, RoundsItsCornersWithExtraPixels) {
    TestButton b(20, 10);
    b.m.ButtonStyle = 7;
    b.prepare();
    const Rgb face = b.d.derived().cFace;
    EXPECT_EQ(b.back(1, 1), kBlack);
    EXPECT_EQ(b.back(1, 8), kBlack);
    EXPECT_EQ(b.back(18, 8), kBlack);
    EXPECT_EQ(b.back(18, 1), kBlack);
    EXPECT_EQ(b.back(3, 3), kWhite);
    EXPECT_EQ(b.back(2, 2), ShiftColor(face, 31, true));
    EXPECT_EQ(b.back(17, 7), ShiftColor(face, -64, true));
}

TEST(Redraw, LeavesTheScreenAloneForAStyleOutsideTheEight) {
    TestButton b;
    b.m.ButtonStyle = 9;
    b.prepare();
    EXPECT_TRUE(b.d.screen().isNull());
    EXPECT_EQ(b.window.presents, 0);
    EXPECT_EQ(b.d.PaintOnly().nFinish, 0);
}

}  // namespace
