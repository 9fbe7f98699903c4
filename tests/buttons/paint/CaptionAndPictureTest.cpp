#include "PaintTestSupport.h"

#include <gtest/gtest.h>

namespace {

TestButton& Captioned(TestButton& b, const QString& caption) {
    b.m.Caption = caption;
    b.m.CaptionAlign = 2;
    b.m.Font = QFont("DejaVu Sans", 15);  // 20 pixels: big, unsmoothed glyphs
    return b;
}

TEST(DrawCaptionAndPicture, EmbossesWithALightShadeUpLeftAndADarkOneDownRight) {
    TestButton b(100, 40);
    Captioned(b, "H");
    b.m.CaptionStyle = 2;
    b.prepare();
    const QImage& img = b.d.backBuffer();
    const QRect inside(4, 4, 92, 32);
    const QRect text = BoxOf(img, kBlack, inside);
    const Rgb light = ShiftColor(Face(), 40), dark = ShiftColor(Face(), -40);
    const QRect lightBox = BoxOf(img, light, inside), darkBox = BoxOf(img, dark, inside);
    ASSERT_FALSE(text.isEmpty());
    ASSERT_FALSE(lightBox.isEmpty());
    ASSERT_FALSE(darkBox.isEmpty());
    EXPECT_EQ(lightBox.topLeft(), text.topLeft() - QPoint(1, 1));
    EXPECT_EQ(darkBox.bottomRight(), text.bottomRight() + QPoint(1, 1));
    EXPECT_GT(RedOf(light), RedOf(Face()));
    EXPECT_LT(RedOf(dark), RedOf(Face()));
}

TEST(DrawCaptionAndPicture, EngravesTheOtherWayRound) {
    TestButton b(100, 40);
    Captioned(b, "H");
    b.m.CaptionStyle = 1;
    b.prepare();
    const QImage& img = b.d.backBuffer();
    const QRect inside(4, 4, 92, 32);
    const QRect text = BoxOf(img, kBlack, inside);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(BoxOf(img, ShiftColor(Face(), -40), inside).topLeft(), text.topLeft() - QPoint(1, 1));
    EXPECT_EQ(BoxOf(img, ShiftColor(Face(), 40), inside).bottomRight(), text.bottomRight() + QPoint(1, 1));
}

TEST(DrawCaptionAndPicture, PutsAWhiteCopyDownRightUnderTheGreyCaptionOfADisabledButton) {
    for (int gradient : {0, 1}) {
        TestButton b(100, 40);
        Captioned(b, "H");
        b.m.Enabled = false;
        b.m.GradientMode = gradient;
        b.m.GradientColor = MakeRgb(90, 90, 200);
        b.prepare();
        const QRect grey = BoxOf(b.d.backBuffer(), kGrey, QRect(4, 4, 92, 32));
        const QRect white = BoxOf(b.d.backBuffer(), kWhite, QRect(4, 4, 92, 32));
        ASSERT_FALSE(grey.isEmpty()) << gradient;
        EXPECT_EQ(white.bottomRight(), grey.bottomRight() + QPoint(1, 1)) << gradient;
    }
}

TEST(DrawCaptionAndPicture, ShowsADisabledCheckBoxCaptionOnceInGrey) {
    for (int style : {0, 1, 4, 6}) {
        TestButton b(100, 40);
        Captioned(b, "H");
        b.m.ButtonStyle = style;
        b.m.Mode = 1;
        b.m.Enabled = false;
        b.prepare();
        const QRect inside(4, 4, 92, 32);
        EXPECT_GT(CountOf(b.d.backBuffer().copy(inside), kGrey), 10) << style;
        EXPECT_EQ(CountOf(b.d.backBuffer().copy(inside), kWhite), 0) << style;
    }
}

TEST(DrawCaptionAndPicture, BreaksTheCaptionAtDoubleBars) {
    TestButton one(120, 80), two(120, 80);
    Captioned(one, "Save");
    Captioned(two, "Save||Exit");
    one.prepare();
    two.prepare();
    const int h1 = one.m.rcCaption.height(), h2 = two.m.rcCaption.height();
    EXPECT_GE(h2, 2 * h1 - 2);
    const QRect inside(4, 4, 112, 72);
    EXPECT_GT(BoxOf(two.d.backBuffer(), kBlack, inside).height(),
              BoxOf(one.d.backBuffer(), kBlack, inside).height() + 10);
}

TEST(DrawCaptionAndPicture, MovesCaptionAndPictureWhenPressedExceptInStyle3) {
    auto textBox = [](int style, int shape, bool pressed) {
        TestButton b(100, 40);
        Captioned(b, "H");
        b.m.ButtonStyle = style;
        b.m.ButtonShape = shape;
        if (pressed) b.m.nFlags = FlagPressed | FlagHover;
        b.prepare();
        return BoxOf(b.d.backBuffer(), kBlack, QRect(8, 6, 84, 28));
    };
    EXPECT_EQ(textBox(6, 0, true).topLeft(), textBox(6, 0, false).topLeft() + QPoint(1, 1));
    EXPECT_EQ(textBox(6, 4, true).topLeft(), textBox(6, 4, false).topLeft() + QPoint(0, 1));
    EXPECT_EQ(textBox(3, 0, true).topLeft(), textBox(3, 0, false).topLeft());
}

TEST(DrawCaptionAndPicture, HidesTheCaptionOfShape5UntilItIsOn) {
    TestButton b(100, 40);
    Captioned(b, "H");
    b.m.ButtonShape = 5;
    b.m.Mode = 1;
    b.prepare();
    EXPECT_EQ(CountOf(b.d.backBuffer(), kBlack), 0);
    b.m.Value = true;
    b.d.Redraw();
    EXPECT_GT(CountOf(b.d.backBuffer(), kBlack), 10);
}

// 16 x 16, magenta with a few near-magenta pixels and a blue body.
QImage KeyedBitmap() {
    QImage img = SolidBitmap(16, 16, QColor(255, 0, 255));
    img.setPixelColor(5, 5, QColor(253, 2, 252));  // within 3: transparent
    img.setPixelColor(6, 6, QColor(251, 0, 255));  // 4 off in red: drawn
    for (int y = 8; y < 12; ++y)
        for (int x = 8; x < 12; ++x) img.setPixelColor(x, y, QColor(0, 0, 200));
    img.setPixelColor(9, 9, QColor(0, 0, 0));
    img.setPixelColor(10, 10, QColor(200, 100, 50));
    return img;
}

TestButton& WithPicture(TestButton& b, const Picture& picture) {
    b.m.Picture = picture;
    b.m.nPicSize = 16;
    b.m.PictureAlign = 0;
    b.prepare();
    b.d.CalculateLayout(true);
    b.d.Redraw();
    return b;
}

TEST(DrawPicture, LeavesOutTheColourOfTheTopLeftPixelAndColoursWithin3OfIt) {
    TestButton b;
    WithPicture(b, Picture::bitmap(KeyedBitmap()));
    ASSERT_EQ(b.m.rcPicture, (Rect{4, 7, 20, 23}));
    EXPECT_EQ(b.back(4, 7), Face());
    EXPECT_EQ(b.back(4 + 5, 7 + 5), Face());
    EXPECT_EQ(b.back(4 + 6, 7 + 6), MakeRgb(251, 0, 255));
    EXPECT_EQ(b.back(4 + 8, 7 + 8), MakeRgb(0, 0, 200));
    // The prepared copy holds exactly the transparent colour.
    EXPECT_EQ(FromArgb(b.d.pictureCopy().pixel(5, 5)), MakeRgb(255, 0, 255));
}

TEST(DrawPicture, GreysADisabledPictureBitByBit) {
    TestButton b;
    b.m.Enabled = false;
    WithPicture(b, Picture::bitmap(KeyedBitmap()));
    EXPECT_EQ(b.back(4 + 1, 7 + 1), Face());  // transparent: face unchanged
    EXPECT_EQ(b.back(4 + 9, 7 + 9), kGrey);   // black becomes grey
    // ((face XOR grey) AND colour) XOR grey per channel:
    // (212, 208, 200) with (200, 100, 50) gives (192, 192, 128).
    EXPECT_EQ(b.back(4 + 10, 7 + 10), MakeRgb(192, 192, 128));
}

TEST(DrawPicture, DrawsIconsWithTheirOwnTransparency) {
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixelColor(8, 8, QColor(0, 128, 0));
    icon.setPixelColor(0, 0, QColor(255, 0, 0, 0));
    TestButton b;
    WithPicture(b, Picture::icon(icon));
    EXPECT_EQ(b.m.nPicType, 1);
    EXPECT_EQ(b.back(4, 7), Face());
    EXPECT_EQ(b.back(4 + 8, 7 + 8), MakeRgb(0, 128, 0));
}

TEST(DrawFocus, InvertsEveryOtherPixelRoundTheFaceOfADefaultButton) {
    TestButton b;
    b.m.nFlags = FlagDefaultLook;
    b.prepare();
    const Rgb inverted = MakeRgb(255 - 212, 255 - 208, 255 - 200);
    EXPECT_EQ(b.back(4, 4), inverted);
    EXPECT_EQ(b.back(5, 4), Face());
    EXPECT_EQ(b.back(6, 4), inverted);
    EXPECT_EQ(b.back(95, 25), inverted);
    EXPECT_EQ(b.back(50, 15), Face());
}

TEST(DrawFocus, FramesTheCaptionOfStyle3InItsOwnColour) {
    TestButton b(100, 40);
    Captioned(b, "H");
    b.m.ButtonStyle = 3;
    b.m.nFlags = FlagDefaultLook;
    b.prepare();
    const Rect cap = b.m.rcCaption;
    const QRect frame = BoxOf(b.d.backBuffer(), MakeRgb(153, 153, 204));
    EXPECT_EQ(frame, QRect(QPoint(cap.left - 2, cap.top - 2), QPoint(cap.right + 1, cap.bottom + 1)));
}

TEST(RefreshDerived, AsksForTheCaptionFontInPixelsFromItsPointSize) {
    TestButton b;
    b.m.Font = QFont("DejaVu Sans", 9);
    b.d.RefreshDerived("Font");
    EXPECT_EQ(b.d.captionFont().pixelSize(), 12);
    b.m.Font = QFont("DejaVu Sans", 8);
    b.d.RefreshDerived("font");
    EXPECT_EQ(b.d.captionFont().pixelSize(), 11);
}

}  // namespace
