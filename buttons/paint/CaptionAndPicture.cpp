// What sits on the face: the picture (keyed bitmap or icon, greyed when
// disabled), the caption with its relief or disabled look, and the focus.
#include "buttons/paint/ButtonPainting.h"

#include <cstdlib>
#include <vector>

namespace {
QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// Within 3 steps in every channel.
bool nearColour(Rgb a, Rgb b) {
    return std::abs(RedOf(a) - RedOf(b)) <= 3 && std::abs(GreenOf(a) - GreenOf(b)) <= 3 &&
           std::abs(BlueOf(a) - BlueOf(b)) <= 3;
}

// picture scaled to width x height. The top-left pixel names the transparent
// colour; near shades (3 steps a channel) are made exactly that colour, and
// runs, when given, collects them row by row.
QImage KeyedCopy(const QImage& picture, int width, int height, std::vector<QRect>* runs) {
    QImage copy = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                      .convertToFormat(QImage::Format_RGB32);
    const std::uint32_t t = reinterpret_cast<const std::uint32_t*>(copy.constScanLine(0))[0];
    const Rgb key = FromArgb(t);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(copy.scanLine(y));
        int start = -1;
        for (int x = 0; x < width; ++x) {
            if (nearColour(FromArgb(row[x]), key)) {
                row[x] = t;
                if (start < 0) start = x;
            } else if (start >= 0) {
                if (runs) runs->emplace_back(start, y, x - start, 1);
                start = -1;
            }
        }
        if (start >= 0 && runs) runs->emplace_back(start, y, width - start, 1);
    }
    return copy;
}
}  // namespace

void ButtonDrawing::BuildPictureRegion(int width, int height, QRegion* region) {
    if (m_.Picture.isNull()) return;
    hPicBitmap_ = QImage();
    hPicDevice_ = QImage();
    if (m_.nPicType != 0) return;  // icons are drawn as they are
    if (width <= 0 || height <= 0) return;

    // The transparent runs are cut from the outline.
    std::vector<QRect> runs;
    QImage copy = KeyedCopy(m_.Picture.image(), width, height, &runs);
    if (region) {
        QRegion clear;
        if (!runs.empty()) clear.setRects(runs.data(), int(runs.size()));
        const QRegion client(0, 0, W(), H());
        *region -= clear;
        hRgnEdge_ = client - clear;
        hRgnInner_ = client - clear;
    }
    hPicBitmap_ = copy;
}

void ButtonDrawing::DrawPicture(Rect rect) {
    if (m_.nPicWidth + m_.nPicHeight == 0 || m_.Picture.isNull()) return;
    if (hPicBitmap_.isNull()) BuildPictureRegion(rect.width(), rect.height(), nullptr);
    if (m_.isCustomShape()) {
        rect = Rect{0, 0, W(), H()};
        if (pressedInside()) rect = Rect{1, 1, W() - 1, H() - 1};
    }
    const int w = rect.width(), h = rect.height();
    if (w <= 0 || h <= 0) return;
    const bool icon = m_.nPicType == 1;
    // Above ratio 1 the bitmap is keyed again at the device size, so it
    // shows the picture's own detail rather than the logical copy magnified.
    const QImage* bitmap = &hPicBitmap_;
    const QSize device = hMemDC_.deviceRect(QRect(rect.left, rect.top, w, h)).size();
    if (!icon && hMemDC_.ratio() != 1.0) {
        if (hPicDevice_.size() != device)
            hPicDevice_ = KeyedCopy(m_.Picture.image(), device.width(), device.height(), nullptr);
        bitmap = &hPicDevice_;
    }
    auto drawInto = [&](MemorySurface& target, const QRect& at) {
        if (icon)
            target.drawImage(at, m_.Picture.image());
        else
            DrawTransparentBitmap(target, at, *bitmap);
    };
    if (m_.Enabled) {
        drawInto(hMemDC_, QRect(rect.left, rect.top, w, h));
        return;
    }
    // Disabled: the picture on white, then black parts turn grey and white
    // parts leave the face as it is.
    MemorySurface scratch;
    scratch.resize(w, h, hMemDC_.ratio());
    scratch.image().fill(0xFFFFFFFFu);
    drawInto(scratch, QRect(0, 0, w, h));
    hMemDC_.maskedBrushBlend(QPoint(rect.left, rect.top), scratch.image(), kGrey);
}

void ButtonDrawing::DrawTransparentBitmap(MemorySurface& target, const QRect& dest, const QImage& bitmap) {
    if (bitmap.isNull()) return;
    const Rgb key = FromArgb(reinterpret_cast<const std::uint32_t*>(bitmap.constScanLine(0))[0]);
    target.drawKeyed(dest, bitmap, key);
}

void ButtonDrawing::drawCaption(const QString& text, const Rect& cap, Rgb colour) {
    static constexpr int kAlign[3] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    const int align = m_.CaptionAlign >= 0 && m_.CaptionAlign <= 2 ? kAlign[m_.CaptionAlign] : Qt::AlignLeft;
    SetDrawTool(2, colour);
    hMemDC_.drawText(toQRect(cap), align | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, text,
                  captionFont_);
}

void ButtonDrawing::DrawCaptionAndPicture(Rgb face, std::optional<Rgb> captionColour, bool shownDown,
                                          bool singlePass) {
    Rect cap = m_.rcCaption, pic = m_.rcPicture;
    auto offset = [](Rect& r, int dx, int dy) {
        r.left += dx; r.right += dx; r.top += dy; r.bottom += dy;
    };
    if ((shownDown || pressedInside()) && m_.ButtonStyle != 3) {
        const int dx = m_.ButtonShape <= 3 ? 1 : 0;
        offset(cap, dx, 1);
        offset(pic, dx, 1);
    }
    if (!m_.Value || m_.ButtonShape < 7) DrawPicture(pic);
    // Shapes 5 to 8 show their caption only while on.
    if (m_.Caption.isEmpty() || (m_.ButtonShape > 4 && !m_.Value)) return;

    QString text = CaptionText(m_.Caption);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));

    if (m_.Enabled) {
        Rgb colour;
        if (m_.bHoverTracking && !pressedInside())
            colour = TranslateColor(m_.HoverForeColor, system_);
        else if (m_.ButtonStyle == 7 && (m_.Value || m_.GradientMode == 0) && captionColour)
            colour = *captionColour;
        else
            colour = TranslateColor(m_.ForeColor, system_);
        if (m_.CaptionStyle != 0) {
            const int d = m_.CaptionStyle == 2 ? 40 : -40;
            offset(cap, -1, 0);
            drawCaption(text, cap, ShiftColor(face, d));
            offset(cap, 2, 2);
            drawCaption(text, cap, ShiftColor(face, -d));
            offset(cap, -1, -1);
        }
        drawCaption(text, cap, colour);
        return;
    }

    Rgb colour;
    if (!captionColour || m_.GradientMode != 0) {
        // White underneath, grey on top one pixel up-left of it.
        colour = kWhite;
        offset(cap, 1, 1);
        singlePass = false;
    } else {
        colour = *captionColour;
    }
    drawCaption(text, cap, colour);
    if (!singlePass) {
        offset(cap, -1, -1);
        drawCaption(text, cap, kGrey);
    }
}

void ButtonDrawing::DrawFocus(std::optional<Rgb> colour, bool solidOutline, bool aroundCaption) {
    const int shape = m_.ButtonShape;
    if (!defaultLook() || shape > 6) return;
    if (shape >= 4) {
        if (m_.ButtonStyle == 2) return;
        aroundCaption = true;
    }
    const int w = W(), h = H();
    const Rgb pen = colour.value_or(kBlack);

    if (shape >= 1 && shape <= 3) {
        const int l = m_.nShapeLeft != 0 ? 1 : 0;
        const int r = w > m_.nShapeRight ? 1 : 0;
        const QPoint pts[5] = {{m_.nShapeLeft + 4 - 6 * l, h - 5}, {4 + 4 * l, 4},
                               {m_.nShapeRight - 5 + 4 * r, 4}, {w - 5 - 6 * r, h - 5},
                               {m_.nShapeLeft + 3 - 4 * l, h - 5}};
        SetDrawTool(1, pen);
        hMemDC_.polyline(pts, 5);
        return;
    }

    SetDrawTool(1, pen);
    Rect r;
    if (aroundCaption) {
        if (m_.Caption.isEmpty()) {
            r = m_.rcPicture;
            r.bottom = std::min(r.bottom, h - 4);
            r.right = std::min(r.right, w - 4);
        } else {
            r = m_.rcCaption;
        }
        const int e = m_.rcCaption.right < m_.nShapeRight - 4 && m_.rcCaption.left > m_.nShapeLeft + 4 ? 2 : 1;
        const int p = (m_.Value || pressedInside()) && m_.ButtonStyle != 3 ? 1 : 0;
        const int s = shape <= 3 ? 1 : 0;
        r.left += p * s - e;
        r.right += p * s - e;
        r.top += p - e;
        r.bottom += p - e;
        r.right += 2 * e + p * s;
        r.bottom += 2 * e + p;
    } else {
        r = Rect{m_.nShapeLeft + 4, 4, m_.nShapeRight - 4, h - 4};
    }

    if (!solidOutline) {
        hMemDC_.focusRect(r.left, r.top, r.right, r.bottom);
    } else if (aroundCaption) {
        const QPoint pts[5] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1},
                               {r.left, r.bottom - 1}, {r.left, r.top}};
        hMemDC_.polyline(pts, 5);
    } else {
        const QPoint pts[5] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top},
                               {r.right, r.bottom}, {r.left, r.bottom}};
        hMemDC_.polyline(pts, 5);
    }
}
