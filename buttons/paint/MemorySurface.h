#pragma once
// The off-screen surface a button paints into: an image of the client size
// with the tools a painter selects (pen, brush, text colour, clip region) and
// primitives that set the same pixels as the classic desktop calls:
// rectangles filled inside their right and bottom edge, lines that leave out
// their end point, single pixels, region frames one pixel wide. Everything
// but text and icons is rasterised here directly, without antialiasing.
//
// All coordinates are logical pixels. On a screen with a device pixel ratio
// above 1 the image holds that many device pixels per logical one: every
// logical pixel the primitives set becomes a block of device pixels, so the
// outlines keep their shape and weight, while text and pictures are drawn at
// the full device resolution. At ratio 1 the two kinds of pixel are the same.
#include "buttons/paint/ColorMath.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

enum PenStyle : int { PenSolid = 0, PenDot = 2, PenNull = 5 };

class MemorySurface {
public:
    // A new image of the given logical size at ratio device pixels per
    // logical pixel, black, with the same clip. Tools stay.
    void resize(int width, int height, qreal ratio = 1.0);
    bool isNull() const { return image_.isNull(); }
    // Logical size and device pixel ratio.
    int width() const { return width_; }
    int height() const { return height_; }
    qreal ratio() const { return ratio_; }
    // The device pixels; the image carries the ratio.
    const QImage& image() const { return image_; }
    QImage& image() { return image_; }

    // Tools, as the last selection left them.
    void selectPen(Rgb colour, int width = 1, int style = PenSolid);
    void selectBrush(Rgb colour);
    void setTextColor(Rgb colour) { textColour_ = colour; }
    Rgb penColor() const { return penColour_; }
    int penStyle() const { return penStyle_; }
    Rgb brushColor() const { return brushColour_; }
    Rgb textColor() const { return textColour_; }

    // Clip region for everything drawn after; none clips nothing.
    void selectClip(const std::optional<QRegion>& region);
    void clearClip() { selectClip(std::nullopt); }
    bool isClipped() const { return clip_.has_value(); }

    // Outline in the pen (when it is not the null pen) on the pixels left..
    // right-1, top..bottom-1, inside in the brush.
    void rectangle(int left, int top, int right, int bottom);
    // Filled rectangle in one colour, the pixels left..right-1, top..bottom-1.
    void fill(int left, int top, int right, int bottom, Rgb colour);
    // Connected lines in the pen; the last point itself is not painted.
    void polyline(const QPoint* points, int count);
    void line(QPoint from, QPoint to) {
        const QPoint pts[2] = {from, to};
        polyline(pts, 2);
    }
    void setPixel(int x, int y, Rgb colour);
    // The colour of logical pixel (x, y): its top-left device pixel.
    Rgb pixel(int x, int y) const;
    // The pixels of region that touch its outside (left, right, above or
    // below), painted in colour; dotted leaves out every other pair.
    void frameRegion(const QRegion& region, Rgb colour, bool dotted = false);
    // Inverts every other pixel along the rectangle's edge (left..right-1,
    // top..bottom-1): the dotted focus rectangle.
    void focusRect(int left, int top, int right, int bottom);

    // Text in the text colour, wrapped inside rect, clipped to rect and to
    // the clip region. flags are Qt alignment and text flags.
    void drawText(const QRect& rect, int flags, const QString& text, const QFont& font);
    // image (with its alpha) scaled into target.
    void drawImage(const QRect& target, const QImage& image);
    // source scaled to target's device pixels (untouched when it has that
    // size already), leaving out pixels of the colour transparent.
    void drawKeyed(const QRect& target, const QImage& source, Rgb transparent);
    // Per bit: ((this XOR brush) AND source) XOR brush, source's device
    // pixels from at's on: white in source keeps the surface, black shows
    // the brush. source has this surface's ratio.
    void maskedBrushBlend(const QPoint& at, const QImage& source, Rgb brush);

    // The device pixels of a logical rectangle.
    QRect deviceRect(const QRect& logical) const { return DeviceRect(logical, ratio_); }
    static QRect DeviceRect(const QRect& logical, qreal ratio);

private:
    bool visible(int x, int y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_ && (!clip_ || mask_[std::size_t(y) * width_ + x]);
    }
    // Whether a device pixel lies in a visible logical pixel.
    bool deviceVisible(int dx, int dy) const;
    void plot(int x, int y, std::uint32_t argb) {
        if (!visible(x, y)) return;
        if (ratio_ == 1.0) reinterpret_cast<std::uint32_t*>(image_.scanLine(y))[x] = argb;
        else fillDevice(deviceRect(QRect(x, y, 1, 1)), argb);
    }
    void fillDevice(const QRect& device, std::uint32_t argb);
    void penLine(QPoint from, QPoint to, int& dotPhase);

    QImage image_;
    int width_ = 0, height_ = 0;
    qreal ratio_ = 1.0;
    Rgb penColour_ = 0;
    int penWidth_ = 1;
    int penStyle_ = PenSolid;
    Rgb brushColour_ = 0;
    Rgb textColour_ = 0;
    std::optional<QRegion> clip_;
    std::vector<std::uint8_t> mask_;  // one byte a pixel while clipped
};

// Pixels of a region that touch its outside: a frame one pixel wide.
QRegion RegionFrame(const QRegion& region);
