#pragma once
// A button drawn into its back buffer without a widget, and helpers to
// read pixels.
#include "buttons/paint/ButtonPainting.h"
#include "buttons/paint/OffscreenWindow.h"

#include <QFont>
#include <QImage>
#include <QRect>

#include <functional>
#include <string>
#include <vector>

using Adjust = std::function<void(ButtonModel&)>;

// A w x h button with the classic face (212, 208, 200), black text and
// DejaVu Sans 9, set up further by more and prepared as the widget does:
// derived colours, picture, then the resize handling (back buffer,
// outline, layout, redraw).
struct TestButton {
    ButtonModel m;
    OffscreenWindow window{m};
    ButtonDrawing d{m, window, SystemColors::classic()};

    explicit TestButton(int w = 100, int h = 30, const Adjust& more = {}) {
        m.ScaleWidth = w;
        m.ScaleHeight = h;
        m.BackColor = m.HoverBackColor = kButtonFaceColor;
        m.ForeColor = m.HoverForeColor = 0;
        m.Font = QFont("DejaVu Sans", 9);
        if (more) more(m);
        prepare();
    }
    // One style, shape and state.
    TestButton(int w, int h, int style, int shape, std::uint16_t flags = 0, const Adjust& more = {})
        : TestButton(w, h, [&](ButtonModel& m) {
              m.ButtonStyle = style;
              m.ButtonShape = shape;
              m.nFlags = flags;
              m.bHoverTracking = flags & FlagHover;
              if (more) more(m);
          }) {}
    void prepare() {
        d.RefreshDerived("BackColor");
        d.RefreshDerived("Picture");
        d.HandleResize();
    }
    Rgb back(int x, int y) const { return FromArgb(d.backBuffer().pixel(x, y)); }
    Rgb screen(int x, int y) const { return FromArgb(d.screen().pixel(x, y)); }
};

inline Rgb Face() { return TranslateColor(kButtonFaceColor, SystemColors::classic().table()); }

// What the screen shows, as letters: K black, W white, G grey, . face,
// ? any other colour, blank outside the window's outline. The back buffer
// (screen false) has no blanks.
inline std::vector<std::string> Letters(const TestButton& b, bool screen = true) {
    std::vector<std::string> rows;
    for (int y = 0; y < b.m.ScaleHeight; ++y) {
        std::string row;
        for (int x = 0; x < b.m.ScaleWidth; ++x) {
            const Rgb c = screen ? b.screen(x, y) : b.back(x, y);
            const bool outside = screen && !b.window.region.isEmpty() && !b.window.region.contains(QPoint(x, y));
            row += outside ? ' ' : c == kBlack ? 'K' : c == kWhite ? 'W' : c == kGrey ? 'G' : c == Face() ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}
using Rows = std::vector<std::string>;

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

// 64 x 40: a magenta background round a filled disc.
inline Picture DiscPicture() {
    QImage img(64, 40, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x - 32) * (x - 32) / 1024.0 + (y - 20) * (y - 20) / 400.0 <= 1.0)
                img.setPixelColor(x, y, QColor(20, 120, 200));
    return Picture::bitmap(img);
}
