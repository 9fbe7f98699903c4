#include "tests/buttons/paint/PaintTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A 20 x 10 button of one style, prepared and painted.
struct Styled : TestButton {
    explicit Styled(int style, std::uint16_t flags = 0, const std::function<void(ButtonModel&)>& more = {})
        : TestButton(20, 10) {
        m.ButtonStyle = style;
        m.nFlags = flags;
        m.bHoverTracking = flags & FlagHover;
        if (more) more(m);
        prepare();
    }
    // The back buffer as letters: K black, W white, G grey, . face, ? else.
    std::vector<std::string> letters() const {
        std::vector<std::string> rows;
        for (int y = 0; y < m.ScaleHeight; ++y) {
            std::string row;
            for (int x = 0; x < m.ScaleWidth; ++x) {
                const Rgb c = back(x, y);
                row += c == kBlack ? 'K' : c == kWhite ? 'W' : c == kGrey ? 'G' : c == Face() ? '.' : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }
    // The colour of each ring side: inner left, top, right, bottom, then
    // the middle ring, then the outer ring.
    std::vector<Rgb> sides() const {
        std::vector<Rgb> out;
        for (QPoint p : {QPoint(2, 5), QPoint(5, 2), QPoint(17, 4), QPoint(5, 7), QPoint(1, 5), QPoint(5, 1),
                         QPoint(18, 4), QPoint(5, 8), QPoint(0, 5), QPoint(5, 0), QPoint(19, 5), QPoint(5, 9)})
            out.push_back(back(p.x(), p.y()));
        return out;
    }
};

TEST(DrawEdges, DrawsThreeRingsWhoseSidesLeaveOutTheirEndPointsAndSwapsThemWhenPressed) {
    // Style 1 at rest: raised, white top-left, grey bottom-right.
    EXPECT_EQ(Styled(1).letters(), (std::vector<std::string>{
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
    const auto pressed = Styled(1, FlagPressed | FlagHover).letters();
    EXPECT_EQ(pressed[1], "KGGGGGGGGGGGGGGGGGWK");
    EXPECT_EQ(pressed[4], "KGG..............WWK");
    EXPECT_EQ(pressed[8], "KWWWWWWWWWWWWWWWWWWK");
    // Style 4 bevels on the edge itself.
    EXPECT_EQ(Styled(4).back(5, 0), kWhite);
    EXPECT_EQ(Styled(4).back(19, 5), kGrey);
}

TEST(DrawEdges, FollowsTheDiagonalOfASlantedShape) {
    const TestButton b(40, 10, 1, 1);  // bottom-left corner cut away, slant of 11
    EXPECT_EQ(b.m.nShapeLeft, 11);
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(b.back(k, k), kBlack) << "outer ring at " << k;
    for (int k = 3; k <= 8; ++k) EXPECT_EQ(b.back(k, k - 1), kWhite) << "middle ring at " << k;
    for (int k = 5; k <= 8; ++k) EXPECT_EQ(b.back(k, k - 2), kWhite) << "inner ring at " << k;
    // The bottom edge starts under the slant's foot and runs to the right.
    for (int x = 8; x < 40; ++x) EXPECT_EQ(b.back(x, 9), kBlack) << x;
    // The outline follows the slant and trims only the straight side's corners.
    for (auto [x, y, in] : {std::tuple{0, 5, false}, {5, 5, true}, {0, 0, true}, {0, 9, false}, {39, 0, false},
                            {39, 9, false}, {38, 5, true}})
        EXPECT_EQ(b.window.region.contains(QPoint(x, y)), in) << x << "," << y;
}

// The inner and middle ring sides from shifts of f, then the outer ring.
const Rgb kRing = MakeRgb(0, 60, 115);
std::vector<Rgb> Sides(Rgb f, std::initializer_list<int> deltas) {
    std::vector<Rgb> out;
    for (int d : deltas) out.push_back(ShiftColor(f, d, true));
    out.insert(out.end(), 4, kRing);
    return out;
}
std::vector<Rgb> Sides(std::vector<Rgb> inner) {
    inner.insert(inner.end(), 4, kRing);
    return inner;
}

TEST(PaintStyle2, MapsEachStateToItsLookWithTheRingRoundIt) {
    const auto tint = Sides({MakeRgb(181, 209, 240), MakeRgb(189, 215, 247), MakeRgb(181, 209, 240),
                             MakeRgb(140, 174, 231), MakeRgb(140, 174, 231), MakeRgb(191, 223, 255),
                             MakeRgb(140, 174, 231), MakeRgb(107, 130, 239)});
    auto focus = [](ButtonModel& m) { m.ShowFocusRect = true; };
    auto checkedOn = [](ButtonModel& m) {
        m.Mode = 1;
        m.Value = true;
        m.ShowFocusRect = true;
    };
    const Styled plain(2, FlagDefaultLook);  // the default tint needs the focus rectangle
    EXPECT_EQ(plain.sides(), Sides(plain.d.derived().cFace, {-10, 10, -24, -32, -5, 16, -36, -48}));
    EXPECT_EQ(Styled(2, FlagDefaultLook, focus).sides(), tint);
    EXPECT_EQ(Styled(2, FlagDefaultLook, checkedOn).sides(), tint);

    const Styled on(2, 0, checkedOn);
    const Rgb f = on.d.derived().cLight;  // the face of a box that is on
    std::vector<Rgb> pressed = Sides(f, {-22, -24, 0, 10, -32, -32, 5, 16});
    pressed[2] = f;  // the face itself, not a shift of it by 0
    EXPECT_EQ(on.sides(), pressed);

    const Styled hot(2, FlagHover);
    EXPECT_EQ(hot.sides(), Sides({MakeRgb(255, 203, 107), MakeRgb(255, 219, 140), MakeRgb(255, 203, 107),
                                  MakeRgb(255, 178, 49), MakeRgb(255, 178, 49), MakeRgb(255, 233, 166),
                                  MakeRgb(255, 178, 49), MakeRgb(231, 150, 0)}));
    for (QPoint p : {QPoint(1, 1), QPoint(1, 8), QPoint(18, 1), QPoint(18, 8)})
        EXPECT_EQ(hot.back(p.x(), p.y()), kRing) << "corner pixel " << p.x() << "," << p.y();
}

TEST(PaintStyle2, DrawsADisabledButtonWithADarkenedRingOnly) {
    const Styled b(2, 0, [](ButtonModel& m) { m.Enabled = false; });
    const Rgb ring = ShiftColor(b.d.derived().cFace, -84, true);
    const Rgb fill = ShiftColor(b.d.derived().cFace, -24, true);
    EXPECT_EQ(b.back(0, 5), ring);
    EXPECT_EQ(b.back(1, 1), ring);
    EXPECT_EQ(b.back(2, 5), fill);  // no inner rings
    EXPECT_EQ(b.back(1, 5), fill);
}

TEST(PaintStyle5, ShowsNoOutlineAtRestAndADottedOneInDesignMode) {
    Styled b(5);
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
    const Styled b(7);
    for (QPoint p : {QPoint(1, 1), QPoint(1, 8), QPoint(18, 8), QPoint(18, 1)})
        EXPECT_EQ(b.back(p.x(), p.y()), kBlack) << p.x() << "," << p.y();
    EXPECT_EQ(b.back(3, 3), kWhite);
    EXPECT_EQ(b.back(2, 2), ShiftColor(b.d.derived().cFace, 31, true));
    EXPECT_EQ(b.back(17, 7), ShiftColor(b.d.derived().cFace, -64, true));
}

TEST(Redraw, LeavesTheScreenAloneForAStyleOutsideTheEight) {
    TestButton b(100, 30, 9, 0);
    EXPECT_TRUE(b.d.screen().isNull());
    EXPECT_EQ(b.window.presents, 0);
    EXPECT_EQ(b.d.PaintOnly().nFinish, 0);
}

}  // namespace
