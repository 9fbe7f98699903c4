#include "tests/buttons/paint/PaintTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QRect kInside(4, 4, 92, 32);  // the face of a 100 x 40 button

// A 100 x 40 button with a big caption "H" (20 pixels: unsmoothed glyphs).
struct Captioned : TestButton {
    explicit Captioned(const Adjust& more = {})
        : TestButton(100, 40, [&](ButtonModel& m) {
              m.Caption = "H";
              m.CaptionAlign = 2;
              m.Font = QFont("DejaVu Sans", 15);
              if (more) more(m);
          }) {}
    QRect box(Rgb colour, const QRect& area = kInside) const { return BoxOf(d.backBuffer(), colour, area); }
};

TEST(DrawCaption, EmbossesAndEngravesWithALightAndADarkShadeOnOppositeSides) {
    const Rgb light = MakeRgb(252, 249, 241), dark = MakeRgb(172, 169, 161);  // the face moved by 40
    for (int style : {1, 2}) {
        SCOPED_TRACE(style);
        const Captioned b([&](ButtonModel& m) { m.CaptionStyle = style; });
        const QRect text = b.box(kBlack);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_EQ(b.box(style == 2 ? light : dark).topLeft(), text.topLeft() - QPoint(1, 1));
        EXPECT_EQ(b.box(style == 2 ? dark : light).bottomRight(), text.bottomRight() + QPoint(1, 1));
    }
}

TEST(DrawCaption, GreysADisabledCaptionOverAWhiteCopyExceptOnACheckBox) {
    const QRect enabled = Captioned().box(kBlack);
    for (int gradient : {0, 1}) {
        const Captioned b([&](ButtonModel& m) {
            m.Enabled = false;
            m.GradientMode = gradient;
            m.GradientColor = MakeRgb(90, 90, 200);
        });
        EXPECT_EQ(b.box(kGrey), enabled) << gradient;
        EXPECT_EQ(b.box(kWhite).bottomRight(), enabled.bottomRight() + QPoint(1, 1)) << gradient;
    }
    for (int style : {0, 1, 4, 6}) {
        const Captioned b([&](ButtonModel& m) { m.ButtonStyle = style, m.Mode = 1, m.Enabled = false; });
        EXPECT_EQ(b.box(kGrey), enabled) << style;
        EXPECT_TRUE(b.box(kWhite).isEmpty()) << style;
    }
}

TEST(DrawCaption, MovesWhenPressedExceptInStyle3AndHidesOnShape5UntilOn) {
    auto textAt = [](int style, int shape, bool pressed) {
        const Captioned b([&](ButtonModel& m) {
            m.ButtonStyle = style;
            m.ButtonShape = shape;
            if (pressed) m.nFlags = FlagPressed | FlagHover;
        });
        return b.box(kBlack, QRect(8, 6, 84, 28)).topLeft();
    };
    EXPECT_EQ(textAt(6, 0, true), textAt(6, 0, false) + QPoint(1, 1));
    EXPECT_EQ(textAt(6, 4, true), textAt(6, 4, false) + QPoint(0, 1));
    EXPECT_EQ(textAt(3, 0, true), textAt(3, 0, false));

    Captioned b([](ButtonModel& m) { m.ButtonShape = 5, m.Mode = 1; });
    EXPECT_TRUE(b.box(kBlack).isEmpty());
    b.m.Value = true;
    b.d.Redraw();
    EXPECT_FALSE(b.box(kBlack).isEmpty());
}

TEST(DrawCaption, TakesTheHoverForeColourWhileHoveredButNotWhilePressed) {
    const Rgb red = MakeRgb(200, 0, 0);
    auto hovered = [&](std::uint16_t flags) {
        return Captioned([&](ButtonModel& m) {
            m.HoverForeColor = red;
            m.nFlags = flags;
            m.bHoverTracking = true;
        });
    };
    EXPECT_EQ(hovered(FlagHover).box(red), Captioned().box(kBlack));
    EXPECT_TRUE(hovered(FlagHover | FlagPressed).box(red).isEmpty());
}

TEST(DrawCaption, KeepsACaptionWhoseAccessKeyBreaksAKernedPairOnOneLine) {
    // Measured without the split at the underline, "To" would wrap out of
    // the caption's rectangle.
    const Captioned plain([](ButtonModel& m) { m.Caption = "AWAY To"; });
    const Captioned keyed([](ButtonModel& m) { m.Caption = "AW&AY To"; });
    EXPECT_GE(keyed.box(kBlack).right(), plain.box(kBlack).right());
}

// A 16 x 16 picture at the left edge of a 100 x 30 button: its top left
// lands at (4, 7).
struct WithPicture : TestButton {
    explicit WithPicture(const Picture& picture, bool enabled = true)
        : TestButton(100, 30, [&](ButtonModel& m) {
              m.Picture = picture;
              m.nPicSize = 16;
              m.Enabled = enabled;
          }) {}
    Rgb at(int x, int y) const { return back(4 + x, 7 + y); }
};

TEST(DrawPicture, LeavesOutTheKeyColourAndShadesWithin3OfItAndGreysWhenDisabled) {
    // Magenta, the colour of the top-left pixel, with a few near-magenta
    // pixels, a black one and an orange one.
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    img.setPixelColor(5, 5, QColor(253, 2, 252));  // within 3: transparent
    img.setPixelColor(6, 6, QColor(251, 0, 255));  // 4 off in red: drawn
    img.setPixelColor(7, 7, QColor(255, 0, 251));  // 4 off in blue: drawn
    img.setPixelColor(9, 9, QColor(0, 0, 0));
    img.setPixelColor(10, 10, QColor(200, 100, 50));
    const WithPicture on(Picture::bitmap(img)), off(Picture::bitmap(img), false);
    ASSERT_EQ(on.m.rcPicture, (Rect{4, 7, 20, 23}));
    // Disabled: ((face XOR grey) AND colour) XOR grey per channel, so black
    // turns grey and (200, 100, 50) on (212, 208, 200) gives (192, 192, 128).
    for (auto [x, y, shown, greyed] : {std::tuple{0, 0, Face(), Face()}, {5, 5, Face(), Face()},
                                      {6, 6, MakeRgb(251, 0, 255), MakeRgb(208, 128, 200)},
                                      {7, 7, MakeRgb(255, 0, 251), MakeRgb(212, 128, 200)}, {9, 9, kBlack, kGrey},
                                      {10, 10, MakeRgb(200, 100, 50), MakeRgb(192, 192, 128)}}) {
        EXPECT_EQ(on.at(x, y), shown) << x << "," << y;
        EXPECT_EQ(off.at(x, y), greyed) << x << "," << y;
    }

    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixelColor(8, 8, QColor(0, 128, 0));
    const WithPicture withIcon(Picture::icon(icon));
    EXPECT_EQ(withIcon.at(0, 0), Face()) << "an icon brings its own transparency";
    EXPECT_EQ(withIcon.at(8, 8), MakeRgb(0, 128, 0));
}

TEST(DrawFocus, InvertsEveryOtherPixelRoundTheFaceOrFramesTheStyle3CaptionInItsOwnColour) {
    const TestButton b(100, 30, 0, 0, FlagDefaultLook);
    const Rgb inverted = MakeRgb(255 - 212, 255 - 208, 255 - 200);
    for (auto [x, y, inv] : {std::tuple{4, 4, true}, {5, 4, false}, {6, 4, true}, {95, 25, true}, {50, 15, false}})
        EXPECT_EQ(b.back(x, y), inv ? inverted : Face()) << x << "," << y;
    EXPECT_EQ(b.back(50, 0), kBlack) << "the default look darkens the outer ring";

    const Captioned c([](ButtonModel& m) { m.ButtonStyle = 3, m.nFlags = FlagDefaultLook; });
    const Rect cap = c.m.rcCaption;
    EXPECT_EQ(c.box(MakeRgb(153, 153, 204), {}),
              QRect(QPoint(cap.left - 2, cap.top - 2), QPoint(cap.right + 1, cap.bottom + 1)));
}

}  // namespace
