#include "tests/buttons/paint/PaintTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(PixelRatio, KeepsTheLogicalGeometryInDeviceBlocksAndDrawsTheCaptionAtFullResolution) {
    const Adjust captioned = [](ButtonModel& m) {
        m.ButtonStyle = 2;
        m.Caption = "Hg";
        m.CaptionAlign = 2;
        m.Font = QFont("DejaVu Sans", 15);
    };
    const TestButton one(100, 40, captioned);
    TestButton two(100, 40, captioned);
    two.window.ratio = 2;
    two.prepare();
    const QImage& back = two.d.backBuffer();
    ASSERT_EQ(back.size(), QSize(200, 80));
    EXPECT_EQ(two.d.screen().devicePixelRatio(), 2.0);

    // Away from the caption every logical pixel is a 2 x 2 block of its
    // colour at ratio 1; in the caption some block is split, which a
    // magnified ratio-1 caption could not do.
    const Rect c = one.m.rcCaption;
    const QRect caption(c.left - 1, c.top - 1, c.width() + 2, c.height() + 2);
    int split = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            const QRgb p = back.pixel(2 * x, 2 * y);
            const bool whole = p == back.pixel(2 * x + 1, 2 * y) && p == back.pixel(2 * x, 2 * y + 1) &&
                               p == back.pixel(2 * x + 1, 2 * y + 1);
            if (caption.contains(x, y)) split += !whole;
            else ASSERT_TRUE(whole && FromArgb(p) == one.back(x, y)) << x << "," << y;
        }
    EXPECT_GT(split, 10);
}

}  // namespace
