#include "tests/buttons/paint/PaintTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A style 2 button with a big caption, drawn at ratio 1 and at ratio 2.
Adjust Captioned() {
    return [](ButtonModel& m) {
        m.ButtonStyle = 2;
        m.Caption = "Hg";
        m.CaptionAlign = 2;
        m.Font = QFont("DejaVu Sans", 15);
    };
}

TEST(PixelRatio, KeepsTheLogicalGeometryInDeviceBlocksAndDrawsTheCaptionAtFullResolution) {
    const TestButton one(100, 40, Captioned());
    TestButton two(100, 40, Captioned());
    two.window.ratio = 2;
    two.prepare();
    const QImage& back = two.d.backBuffer();
    ASSERT_EQ(back.size(), QSize(200, 80));
    EXPECT_EQ(two.d.screen().devicePixelRatio(), 2.0);

    // Away from the caption every logical pixel is a 2 x 2 block of its
    // colour at ratio 1: face, shading, rings and corner pixels alike.
    const Rect c = one.m.rcCaption;
    const QRect caption(c.left - 1, c.top - 1, c.width() + 2, c.height() + 2);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            if (caption.contains(x, y)) continue;
            for (int k = 0; k < 4; ++k)
                ASSERT_EQ(FromArgb(back.pixel(2 * x + k % 2, 2 * y + k / 2)), one.back(x, y)) << x << "," << y;
        }

    // The caption has detail finer than a block: a magnified ratio-1
    // caption could not.
    int split = 0;
    for (int y = caption.top(); y <= caption.bottom(); ++y)
        for (int x = caption.left(); x <= caption.right(); ++x) {
            const QRgb p = back.pixel(2 * x, 2 * y);
            split += p != back.pixel(2 * x + 1, 2 * y) || p != back.pixel(2 * x, 2 * y + 1) ||
                     p != back.pixel(2 * x + 1, 2 * y + 1);
        }
    EXPECT_GT(split, 10);
}

}  // namespace
