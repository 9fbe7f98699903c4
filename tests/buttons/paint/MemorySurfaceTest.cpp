#include "MemorySurface.h"

#include <gtest/gtest.h>

namespace {

const Rgb kRed = MakeRgb(255, 0, 0);

struct Blank : MemorySurface {
    Blank() { resize(10, 10); }
};

TEST(MemorySurface, DrawsLinesWithoutTheirEndPointAndFillsInsideTheRightAndBottomEdges) {
    Blank s;
    s.selectPen(kRed);
    s.line({1, 1}, {5, 1});
    EXPECT_EQ(s.pixel(4, 1), kRed);
    EXPECT_EQ(s.pixel(5, 1), kBlack);
    s.line({8, 8}, {3, 3});  // 45 degrees, backwards
    for (int k = 8; k > 3; --k) EXPECT_EQ(s.pixel(k, k), kRed) << k;
    EXPECT_EQ(s.pixel(3, 3), kBlack);
    s.line({0, 9}, {0, 9});  // no length, no pixel
    EXPECT_EQ(s.pixel(0, 9), kBlack);

    Blank f;
    f.fill(2, 3, 5, 6, kRed);
    EXPECT_EQ(f.pixel(2, 3), kRed);
    EXPECT_EQ(f.pixel(4, 5), kRed);
    EXPECT_EQ(f.pixel(5, 5), kBlack);
    EXPECT_EQ(f.pixel(4, 6), kBlack);
    f.selectPen(kWhite);
    f.selectBrush(kRed);
    f.rectangle(0, 0, 4, 4);  // white outline, red inside
    EXPECT_EQ(f.pixel(3, 3), kWhite);
    EXPECT_EQ(f.pixel(1, 1), kRed);
}

TEST(MemorySurface, KeepsEveryPrimitiveInsideTheClipRegion) {
    Blank s;
    s.selectClip(QRegion(0, 0, 5, 10));
    s.fill(0, 0, 10, 10, kRed);
    s.selectPen(kWhite);
    s.line({0, 9}, {10, 9});
    s.setPixel(7, 2, kWhite);
    EXPECT_EQ(s.pixel(4, 0), kRed);
    EXPECT_EQ(s.pixel(5, 0), kBlack);
    EXPECT_EQ(s.pixel(4, 9), kWhite);
    EXPECT_EQ(s.pixel(6, 9), kBlack);
    EXPECT_EQ(s.pixel(7, 2), kBlack);
    s.clearClip();
    s.setPixel(7, 2, kWhite);
    EXPECT_EQ(s.pixel(7, 2), kWhite);
}

TEST(MemorySurface, FramesARegionOnePixelWideAndDrawsTheDottedFocusRectangleAsItsOwnUndo) {
    EXPECT_EQ(RegionFrame(QRegion(0, 0, 3, 3)), QRegion(0, 0, 3, 3) - QRegion(1, 1, 1, 1));
    Blank s;
    s.frameRegion(QRegion(2, 2, 5, 4), kRed);
    EXPECT_EQ(s.pixel(6, 5), kRed);
    EXPECT_EQ(s.pixel(4, 2), kRed);
    EXPECT_EQ(s.pixel(3, 3), kBlack);

    s.fill(0, 0, 10, 10, kWhite);
    s.focusRect(1, 1, 9, 9);
    EXPECT_EQ(s.pixel(1, 1), kBlack);
    EXPECT_EQ(s.pixel(2, 1), kWhite);
    EXPECT_EQ(s.pixel(8, 8), kBlack);
    EXPECT_EQ(s.pixel(4, 4), kWhite);
    s.focusRect(1, 1, 9, 9);
    EXPECT_EQ(s.pixel(1, 1), kWhite);
}

}  // namespace
