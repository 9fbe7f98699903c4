#include "buttons/paint/ShapeRegions.h"

#include "buttons/paint/ColorMath.h"

#include <QPolygon>
#include <QRect>
#include <cmath>
#include <vector>

QRegion EllipseRegion(int left, int top, int right, int bottom) {
    const int w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0) return {};
    const double a = w / 2.0, b = h / 2.0;
    std::vector<QRect> rows;
    rows.reserve(std::size_t(h));
    for (int j = 0; j < h; ++j) {
        // Distance of the row's centre from the middle; rows j and h-1-j
        // get the same value, so the ellipse mirrors exactly.
        const double dy = std::abs(j + 0.5 - b);
        const double t = 1.0 - (dy * dy) / (b * b);
        const double half = t > 0 ? a * std::sqrt(t) : 0.0;
        // Pixel i is inside when |i + 0.5 - a| <= half.
        int first = int(std::ceil(a - half - 0.5));
        if (first < 0) first = 0;
        int last = w - 1 - first;  // mirror image of the first pixel
        if (last < first) {  // too thin: keep the middle pixel(s)
            first = (w - 1) / 2;
            last = w / 2;
        }
        rows.emplace_back(left + first, top + j, last - first + 1, 1);
    }
    QRegion region;
    region.setRects(rows.data(), int(rows.size()));
    return region;
}

namespace {
QRegion pixelAt(int x, int y) { return QRegion(x, y, 1, 1); }

// A corner triangle as a winding polygon region: it takes the pixels on its
// left slanted edge and leaves those on its right and bottom edges, so legs
// of 2 or 3 in coordinates cut 3 pixels at any corner.
QRegion triangle(QPoint a, QPoint b, QPoint c) { return QRegion(QPolygon({a, b, c}), Qt::WindingFill); }
}  // namespace

QRegion TrimCorners(QRegion outline, int w, int h, int style, bool enabled, bool trimLeft,
                    bool trimRight) {
    const bool pixels = style == 1 || (style == 3 && enabled);
    const bool triangles = style == 2 || style == 7;
    if (trimLeft) {
        if (pixels) {
            if (style != 3) outline -= pixelAt(0, 0);
            outline -= pixelAt(0, h - 1);
        } else if (triangles) {
            outline -= triangle({0, 0}, {2, 0}, {0, 2});
            outline -= triangle({0, h}, {3, h}, {0, h - 3});
        }
    }
    if (trimRight) {
        if (pixels) {
            if (style != 3) outline -= pixelAt(w - 1, h - 1);
            outline -= pixelAt(w - 1, 0);
        } else if (triangles) {
            outline -= triangle({w, 0}, {w - 2, 0}, {w, 2});
            outline -= triangle({w, h}, {w - 3, h}, {w, h - 3});
        }
    }
    return outline;
}

int SlantWidth(int h) {
    // 4 x ((h + 1) / 4) in single precision: h + 1 for any real height.
    const float quarter = float(h + 1) / 4.0f;
    return RoundEven(double(4.0f * quarter));
}

int SlantedWidth(int w, int h) {
    const int s = SlantWidth(h);
    while (w - s <= 4) w += 5;
    return w;
}

SlantedOutline SlantedRegion(int shape, int w, int h) {
    const int s = SlantWidth(h);
    const int r = w - s;
    QPoint pts[4] = {{0, 0}, {0, h + 1}, {w + 1, h + 1}, {w + 1, 0}};
    SlantedOutline out;
    out.shapeRight = w;
    if (shape == 1 || shape == 3) {
        pts[1] = QPoint(s, h + 1);
        out.shapeLeft = s;
    }
    if (shape == 2 || shape == 3) {
        pts[3] = QPoint(r + 1, 0);
        out.shapeRight = r;
    }
    out.region = QRegion(QPolygon({pts[0], pts[1], pts[2], pts[3]}), Qt::WindingFill);
    return out;
}
