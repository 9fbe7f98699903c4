#include "buttons/paint/MemorySurface.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <utility>

QRegion RegionFrame(const QRegion& r) {
    const QRegion inside = r & r.translated(1, 0) & r.translated(-1, 0) & r.translated(0, 1) &
                           r.translated(0, -1);
    return r - inside;
}

QRect MemorySurface::DeviceRect(const QRect& r, qreal ratio) {
    if (ratio == 1.0) return r;
    // Block edges are the logical edges scaled and rounded, so neighbouring
    // blocks meet without gap or overlap at any ratio.
    const QPoint topLeft(qRound(r.left() * ratio), qRound(r.top() * ratio));
    const QPoint end(qRound((r.left() + r.width()) * ratio), qRound((r.top() + r.height()) * ratio));
    return QRect(topLeft, end - QPoint(1, 1));
}

void MemorySurface::resize(int width, int height, qreal ratio) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    ratio_ = ratio > 0 ? ratio : 1.0;
    image_ = QImage(DeviceRect(QRect(0, 0, width_, height_), ratio_).size(), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio_);
    image_.fill(0xFF000000u);
    const auto clip = std::move(clip_);
    selectClip(clip);  // same region, mask of the new size
}

void MemorySurface::selectPen(Rgb colour, int width, int style) {
    penColour_ = colour;
    penWidth_ = width;
    penStyle_ = style;
}

void MemorySurface::selectBrush(Rgb colour) { brushColour_ = colour; }

void MemorySurface::selectClip(const std::optional<QRegion>& region) {
    clip_ = region;
    if (!clip_) {
        mask_.clear();
        return;
    }
    const int w = width_, h = height_;
    mask_.assign(std::size_t(w) * std::size_t(h), 0);
    const QRect bounds(0, 0, w, h);
    for (const QRect& r : *clip_) {
        const QRect c = r & bounds;
        for (int y = c.top(); y <= c.bottom(); ++y)
            std::fill_n(mask_.begin() + std::ptrdiff_t(y) * w + c.left(), c.width(), 1);
    }
}

bool MemorySurface::deviceVisible(int dx, int dy) const {
    if (ratio_ == 1.0) return visible(dx, dy);
    return dx >= 0 && dy >= 0 && visible(int((dx + 0.5) / ratio_), int((dy + 0.5) / ratio_));
}

void MemorySurface::fillDevice(const QRect& device, std::uint32_t argb) {
    const QRect c = device & image_.rect();
    for (int y = c.top(); y <= c.bottom(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image_.scanLine(y));
        std::fill(row + c.left(), row + c.right() + 1, argb);
    }
}

void MemorySurface::fill(int left, int top, int right, int bottom, Rgb colour) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (left >= right || top >= bottom) return;
    const std::uint32_t argb = ToArgb(colour);
    if (ratio_ != 1.0) {
        // Row by row, one device block per run of visible pixels.
        for (int y = top; y < bottom; ++y) {
            const std::uint8_t* m = clip_ ? mask_.data() + std::size_t(y) * width_ : nullptr;
            for (int x = left; x < right;) {
                if (m && !m[x]) {
                    ++x;
                    continue;
                }
                int end = x + 1;
                while (end < right && (!m || m[end])) ++end;
                fillDevice(deviceRect(QRect(x, y, end - x, 1)), argb);
                x = end;
            }
        }
        return;
    }
    const int w = width_;
    for (int y = top; y < bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image_.scanLine(y));
        if (!clip_) {
            std::fill(row + left, row + right, argb);
            continue;
        }
        const std::uint8_t* m = mask_.data() + std::size_t(y) * w;
        for (int x = left; x < right; ++x)
            if (m[x]) row[x] = argb;
    }
}

void MemorySurface::rectangle(int left, int top, int right, int bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (penStyle_ == PenNull) {
        // Without an outline the inside shrinks by the outline's pixel.
        fill(left, top, right - 1, bottom - 1, brushColour_);
        return;
    }
    if (penStyle_ == PenSolid && penColour_ == brushColour_) {
        fill(left, top, right, bottom, brushColour_);
        return;
    }
    fill(left + 1, top + 1, right - 1, bottom - 1, brushColour_);
    const QPoint pts[5] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1},
                           {left, bottom - 1}, {left, top}};
    polyline(pts, 5);
    if (right - left == 1 || bottom - top == 1) {  // a line: the loop above left its last pixel out
        setPixel(left, top, penColour_);
    }
}

void MemorySurface::penLine(QPoint from, QPoint to, int& dotPhase) {
    if (penStyle_ == PenNull) return;
    const std::uint32_t argb = ToArgb(penColour_);
    int x = from.x(), y = from.y();
    const int dx = std::abs(to.x() - x), dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1, sy = y < to.y() ? 1 : -1;
    int err = dx + dy;
    while (x != to.x() || y != to.y()) {
        // Dotted pens show two pixels, then leave out two.
        if (penStyle_ != PenDot || (dotPhase & 2) == 0) plot(x, y, argb);
        ++dotPhase;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void MemorySurface::polyline(const QPoint* points, int count) {
    int phase = 0;
    for (int i = 0; i + 1 < count; ++i) penLine(points[i], points[i + 1], phase);
}

void MemorySurface::setPixel(int x, int y, Rgb colour) { plot(x, y, ToArgb(colour)); }

Rgb MemorySurface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const QPoint d = deviceRect(QRect(x, y, 1, 1)).topLeft();
    return FromArgb(reinterpret_cast<const std::uint32_t*>(image_.constScanLine(d.y()))[d.x()]);
}

void MemorySurface::frameRegion(const QRegion& region, Rgb colour, bool dotted) {
    const std::uint32_t argb = ToArgb(colour);
    for (const QRect& r : RegionFrame(region))
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (!dotted || ((x + y) & 2) == 0) plot(x, y, argb);
}

void MemorySurface::focusRect(int left, int top, int right, int bottom) {
    auto invert = [this](int x, int y) {
        if ((x + y) % 2 != 0 || !visible(x, y)) return;
        const QRect d = deviceRect(QRect(x, y, 1, 1)) & image_.rect();
        for (int dy = d.top(); dy <= d.bottom(); ++dy)
            for (int dx = d.left(); dx <= d.right(); ++dx) {
                auto* p = reinterpret_cast<std::uint32_t*>(image_.scanLine(dy)) + dx;
                *p = 0xFF000000u | (~*p & 0xFFFFFFu);
            }
    };
    if (right <= left || bottom <= top) return;
    for (int x = left; x < right; ++x) {
        invert(x, top);
        if (bottom - 1 != top) invert(x, bottom - 1);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        invert(left, y);
        if (right - 1 != left) invert(right - 1, y);
    }
}

void MemorySurface::drawText(const QRect& rect, int flags, const QString& text, const QFont& font) {
    if (text.isEmpty() || rect.isEmpty()) return;
    QPainter p(&image_);
    if (clip_) p.setClipRegion(*clip_);
    p.setFont(font);
    p.setPen(QColor(RedOf(textColour_), GreenOf(textColour_), BlueOf(textColour_)));
    p.drawText(rect, flags, text);
}

void MemorySurface::drawImage(const QRect& target, const QImage& image) {
    if (target.isEmpty() || image.isNull()) return;
    QPainter p(&image_);
    if (clip_) p.setClipRegion(*clip_);
    p.drawImage(target, image);
}

void MemorySurface::drawKeyed(const QRect& target, const QImage& source, Rgb transparent) {
    if (target.isEmpty() || source.isNull()) return;
    const QRect device = deviceRect(target);
    const QImage scaled =
        source.size() == device.size()
            ? source.convertToFormat(QImage::Format_RGB32)
            : source.scaled(device.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                  .convertToFormat(QImage::Format_RGB32);
    const std::uint32_t key = ToArgb(transparent) & 0xFFFFFFu;
    for (int y = 0; y < scaled.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(scaled.constScanLine(y));
        for (int x = 0; x < scaled.width(); ++x) {
            const int dx = device.left() + x, dy = device.top() + y;
            if ((row[x] & 0xFFFFFFu) != key && deviceVisible(dx, dy) && image_.rect().contains(dx, dy))
                reinterpret_cast<std::uint32_t*>(image_.scanLine(dy))[dx] = row[x] | 0xFF000000u;
        }
    }
}

void MemorySurface::maskedBrushBlend(const QPoint& at, const QImage& source, Rgb brush) {
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    const std::uint32_t b = ToArgb(brush) & 0xFFFFFFu;
    const QPoint origin = deviceRect(QRect(at, QSize(1, 1))).topLeft();
    for (int y = 0; y < src.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int tx = origin.x() + x, ty = origin.y() + y;
            if (!deviceVisible(tx, ty) || !image_.rect().contains(tx, ty)) continue;
            auto* d = reinterpret_cast<std::uint32_t*>(image_.scanLine(ty)) + tx;
            *d = 0xFF000000u | ((((*d & 0xFFFFFFu) ^ b) & row[x]) ^ b);
        }
    }
}
