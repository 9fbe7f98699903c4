#pragma once
// A button drawn into its back buffer without a widget: a fake window that
// records what the drawing asks of it, and helpers to read pixels.
#include "buttons/paint/ButtonPainting.h"

#include <QFont>
#include <QImage>
#include <QRect>

class FakeWindow : public ButtonWindow {
public:
    explicit FakeWindow(ButtonModel& model) : m(model) {}
    void setWindowRegion(const QRegion& r) override { region = r; }
    QRegion windowRegion() const override { return region; }
    QPoint windowPos() const override { return pos; }
    void moveWindow(const QPoint& p) override {
        pos = p;
        ++moves;
    }
    void resizeWindow(int w, int h) override {
        m.ScaleWidth = w;
        m.ScaleHeight = h;
        ++resizes;
    }
    void present() override { ++presents; }
    QSize screenSize() const override { return screen; }

    ButtonModel& m;
    QRegion region;
    QPoint pos;
    QSize screen{1024, 768};
    int moves = 0;
    int resizes = 0;
    int presents = 0;
};

// The classic button face (212, 208, 200) and black text.
struct TestButton {
    ButtonModel m;
    FakeWindow window{m};
    ButtonDrawing d{m, window, SystemColors::classic()};

    explicit TestButton(int w = 100, int h = 30) {
        m.ScaleWidth = w;
        m.ScaleHeight = h;
        m.BackColor = kButtonFaceColor;
        m.HoverBackColor = kButtonFaceColor;
        m.ForeColor = 0;
        m.HoverForeColor = 0;
        m.Font = QFont("DejaVu Sans", 9);
    }
    // A button of one style, shape and state, prepared.
    TestButton(int w, int h, int style, int shape, std::uint16_t flags = 0) : TestButton(w, h) {
        m.ButtonStyle = style;
        m.ButtonShape = shape;
        m.nFlags = flags;
        m.bHoverTracking = flags & FlagHover;
        prepare();
    }
    // What the widget does once its properties are set: derived colours,
    // picture, then the resize handling (back buffer, outline, layout, redraw).
    void prepare() {
        d.RefreshDerived("BackColor");
        d.RefreshDerived("Picture");
        d.HandleResize();
    }
    Rgb back(int x, int y) const { return FromArgb(d.backBuffer().pixel(x, y)); }
    Rgb screen(int x, int y) const { return FromArgb(d.screen().pixel(x, y)); }
};

inline Rgb Face() { return TranslateColor(kButtonFaceColor, SystemColors::classic().table()); }

// Bounding box of the pixels of one colour within area (the whole image
// when area is empty), in image coordinates; empty when there are none.
inline QRect BoxOf(const QImage& image, Rgb colour, QRect area = {}) {
    area = area.isEmpty() ? image.rect() : area;
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (FromArgb(image.pixel(x, y)) == colour) box |= QRect(x, y, 1, 1);
    return box;
}

inline int CountOf(const QImage& image, Rgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (FromArgb(image.pixel(x, y)) == colour) ++n;
    return n;
}

inline QImage SolidBitmap(int w, int h, QColor background) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

// 64 x 40: a magenta background round a filled disc.
inline Picture DiscPicture() {
    QImage img = SolidBitmap(64, 40, QColor(255, 0, 255));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x - 32) * (x - 32) / 1024.0 + (y - 20) * (y - 20) / 400.0 <= 1.0)
                img.setPixelColor(x, y, QColor(20, 120, 200));
    return Picture::bitmap(img);
}
