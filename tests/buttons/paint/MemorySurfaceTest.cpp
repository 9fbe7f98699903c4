#include "MemorySurface.h"

#include <gtest/gtest.h>

namespace {

const Rgb kRed = MakeRgb(255, 0, 0);

// What the pixel tests of the painters do not pin down: the clip region
// binds every primitive, and the dotted focus rectangle undoes itself.
TEST(MemorySurface, KeepsEveryPrimitiveInsideTheClipRegionAndDrawsTheFocusRectangleAsItsOwnUndo) {
    MemorySurface s;
    s.resize(10, 10);
    s.selectClip(QRegion(0, 0, 5, 10));
    s.fill(0, 0, 10, 10, kRed);
    s.selectPen(kWhite);
    s.line({0, 9}, {10, 9});
    s.setPixel(7, 2, kWhite);
    s.frameRegion(QRegion(3, 3, 5, 3), kWhite);
    for (auto [x, y, c] : {std::tuple{4, 0, kRed}, {5, 0, kBlack}, {4, 9, kWhite}, {6, 9, kBlack}, {7, 2, kBlack},
                           {3, 4, kWhite}, {4, 4, kRed}, {7, 4, kBlack}})
        EXPECT_EQ(s.pixel(x, y), c) << x << "," << y;
    s.clearClip();
    s.fill(0, 0, 10, 10, kWhite);
    s.focusRect(1, 1, 9, 9);
    for (auto [x, y, c] : {std::tuple{1, 1, kBlack}, {2, 1, kWhite}, {8, 8, kBlack}, {4, 4, kWhite}})
        EXPECT_EQ(s.pixel(x, y), c) << x << "," << y;
    s.focusRect(1, 1, 9, 9);
    EXPECT_EQ(s.pixel(1, 1), kWhite);
    EXPECT_EQ(s.pixel(8, 8), kWhite);
}

}  // namespace
