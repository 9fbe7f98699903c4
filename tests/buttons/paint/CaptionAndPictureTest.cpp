#include "tests/buttons/paint/PaintTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QRect kInside(4, 4, 92, 32);  // the face of a 100 x 40 button

// A 100 x 40 button with a big caption "H" (20 pixels: unsmoothed glyphs).
struct Captioned : TestButton {
    explicit Captioned(const QString& caption = "H", int w = 100, int h = 40) : TestButton(w, h) {
        m.Caption = caption;
        m.CaptionAlign = 2;
        m.Font = QFont("DejaVu Sans", 15);
    }
    QRect box(Rgb colour, const QRect& area = kInside) const { return BoxOf(d.backBuffer(), colour, area); }
};

TEST(DrawCaption, EmbossesAndEngravesWithALightAndADarkShadeOnOppositeSides) {
    const Rgb light = ShiftColor(Face(), 40), dark = ShiftColor(Face(), -40);
    ASSERT_GT(RedOf(light), RedOf(Face()));
    ASSERT_LT(RedOf(dark), RedOf(Face()));
    for (int style : {1, 2}) {
        SCOPED_TRACE(style);
        Captioned b;
        b.m.CaptionStyle = style;
        b.prepare();
        const QRect text = b.box(kBlack);
        ASSERT_FALSE(text.isEmpty());
        const Rgb upLeft = style == 2 ? light : dark, downRight = style == 2 ? dark : light;
        EXPECT_EQ(b.box(upLeft).topLeft(), text.topLeft() - QPoint(1, 1));
        EXPECT_EQ(b.box(downRight).bottomRight(), text.bottomRight() + QPoint(1, 1));
    }
}

TEST(DrawCaption, GreysADisabledCaptionOverAWhiteCopyExceptOnACheckBox) {
    for (int gradient : {0, 1}) {
        Captioned b;
        b.m.Enabled = false;
        b.m.GradientMode = gradient;
        b.m.GradientColor = MakeRgb(90, 90, 200);
        b.prepare();
        ASSERT_FALSE(b.box(kGrey).isEmpty()) << gradient;
        EXPECT_EQ(b.box(kWhite).bottomRight(), b.box(kGrey).bottomRight() + QPoint(1, 1)) << gradient;
    }
    for (int style : {0, 1, 4, 6}) {
        Captioned b;
        b.m.ButtonStyle = style;
        b.m.Mode = 1;
        b.m.Enabled = false;
        b.prepare();
        EXPECT_GT(CountOf(b.d.backBuffer().copy(kInside), kGrey), 10) << style;
        EXPECT_EQ(CountOf(b.d.backBuffer().copy(kInside), kWhite), 0) << style;
    }
}

TEST(DrawCaption, BreaksTheCaptionAtDoubleBars) {
    Captioned one("Save", 120, 80), two("Save||Exit", 120, 80);
    one.prepare();
    two.prepare();
    EXPECT_GE(two.m.rcCaption.height(), 2 * one.m.rcCaption.height() - 2);
    EXPECT_GT(two.box(kBlack, QRect(4, 4, 112, 72)).height(), one.box(kBlack, QRect(4, 4, 112, 72)).height() + 10);
}

TEST(DrawCaption, MovesWhenPressedExceptInStyle3AndHidesOnShape5UntilOn) {
    auto textAt = [](int style, int shape, bool pressed) {
        Captioned b;
        b.m.ButtonStyle = style;
        b.m.ButtonShape = shape;
        if (pressed) b.m.nFlags = FlagPressed | FlagHover;
        b.prepare();
        return b.box(kBlack, QRect(8, 6, 84, 28)).topLeft();
    };
    EXPECT_EQ(textAt(6, 0, true), textAt(6, 0, false) + QPoint(1, 1));
    EXPECT_EQ(textAt(6, 4, true), textAt(6, 4, false) + QPoint(0, 1));
    EXPECT_EQ(textAt(3, 0, true), textAt(3, 0, false));

    Captioned b;
    b.m.ButtonShape = 5;
    b.m.Mode = 1;
    b.prepare();
    EXPECT_EQ(CountOf(b.d.backBuffer(), kBlack), 0);
    b.m.Value = true;
    b.d.Redraw();
    EXPECT_GT(CountOf(b.d.backBuffer(), kBlack), 10);
}

// 16 x 16, magenta with a few near-magenta pixels and a blue body, drawn
// at the left edge of a 100 x 30 button: its top left lands at (4, 7).
QImage KeyedBitmap() {
    QImage img = SolidBitmap(16, 16, QColor(255, 0, 255));
    img.setPixelColor(5, 5, QColor(253, 2, 252));  // within 3: transparent
    img.setPixelColor(6, 6, QColor(251, 0, 255));  // 4 off in red: drawn
    img.setPixelColor(7, 7, QColor(255, 0, 251));  // 4 off in blue: drawn
    for (int y = 8; y < 12; ++y)
        for (int x = 8; x < 12; ++x) img.setPixelColor(x, y, QColor(0, 0, 200));
    img.setPixelColor(9, 9, QColor(0, 0, 0));
    img.setPixelColor(10, 10, QColor(200, 100, 50));
    return img;
}

struct WithPicture : TestButton {
    explicit WithPicture(const Picture& picture, bool enabled = true) {
        m.Picture = picture;
        m.nPicSize = 16;
        m.PictureAlign = 0;
        m.Enabled = enabled;
        prepare();
        d.CalculateLayout(true);
        d.Redraw();
    }
    Rgb at(int x, int y) const { return back(4 + x, 7 + y); }
};

TEST(DrawPicture, LeavesOutTheColourOfTheTopLeftPixelAndColoursWithin3OfIt) {
    WithPicture b(Picture::bitmap(KeyedBitmap()));
    ASSERT_EQ(b.m.rcPicture, (Rect{4, 7, 20, 23}));
    EXPECT_EQ(b.at(0, 0), Face());
    EXPECT_EQ(b.at(5, 5), Face());
    EXPECT_EQ(b.at(6, 6), MakeRgb(251, 0, 255));
    EXPECT_EQ(b.at(7, 7), MakeRgb(255, 0, 251));
    EXPECT_EQ(b.at(8, 8), MakeRgb(0, 0, 200));
    // The prepared copy holds exactly the transparent colour.
    EXPECT_EQ(FromArgb(b.d.pictureCopy().pixel(5, 5)), MakeRgb(255, 0, 255));
}

TEST(DrawPicture, GreysADisabledPictureBitByBit) {
    WithPicture b(Picture::bitmap(KeyedBitmap()), false);
    EXPECT_EQ(b.at(1, 1), Face());  // transparent: face unchanged
    EXPECT_EQ(b.at(9, 9), kGrey);   // black becomes grey
    // ((face XOR grey) AND colour) XOR grey per channel:
    // (212, 208, 200) with (200, 100, 50) gives (192, 192, 128).
    EXPECT_EQ(b.at(10, 10), MakeRgb(192, 192, 128));
}

TEST(DrawPicture, DrawsIconsWithTheirOwnTransparency) {
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixelColor(8, 8, QColor(0, 128, 0));
    WithPicture b(Picture::icon(icon));
    EXPECT_EQ(b.m.nPicType, 1);
    EXPECT_EQ(b.at(0, 0), Face());
    EXPECT_EQ(b.at(8, 8), MakeRgb(0, 128, 0));
}

TEST(DrawFocus, InvertsEveryOtherPixelRoundTheFaceOrFramesTheStyle3CaptionInItsOwnColour) {
    const TestButton b(100, 30, 0, 0, FlagDefaultLook);
    const Rgb inverted = MakeRgb(255 - 212, 255 - 208, 255 - 200);
    for (auto [x, y, inv] : {std::tuple{4, 4, true}, {5, 4, false}, {6, 4, true}, {95, 25, true}, {50, 15, false}})
        EXPECT_EQ(b.back(x, y), inv ? inverted : Face()) << x << "," << y;

    Captioned c;
    c.m.ButtonStyle = 3;
    c.m.nFlags = FlagDefaultLook;
    c.prepare();
    const Rect cap = c.m.rcCaption;
    EXPECT_EQ(BoxOf(c.d.backBuffer(), MakeRgb(153, 153, 204)),
              QRect(QPoint(cap.left - 2, cap.top - 2), QPoint(cap.right + 1, cap.bottom + 1)));
}

TEST(RefreshDerived, AsksForTheCaptionFontInPixelsFromItsPointSize) {
    TestButton b;
    for (auto [points, pixels] : {std::pair{9, 12}, {8, 11}, {15, 20}}) {
        b.m.Font = QFont("DejaVu Sans", points);
        b.d.RefreshDerived("font");
        EXPECT_EQ(b.d.captionFont().pixelSize(), pixels) << points;
    }
}

}  // namespace
