#include "buttons/paint/ButtonLayout.h"

#include "buttons/paint/ColorMath.h"

#include <algorithm>

QString CaptionText(const QString& caption) {
    QString t = caption;
    return t.replace(QLatin1String("||"), QLatin1String("\r\n"));
}

QSize FitPictureSize(int picWidth, int picHeight, double width, double height) {
    if (picWidth <= 0 || picHeight <= 0) return QSize(0, 0);
    const double ratio = std::min(width / picWidth, height / picHeight);
    return QSize(RoundEven(picWidth * ratio), RoundEven(picHeight * ratio));
}

namespace {

// Horizontal room of the face: left and right limits, and the width that
// centring works with. Slanted sides give up part of their slant.
struct FaceBounds {
    int left, right, width;
};

FaceBounds faceBounds(const ButtonModel& m) {
    const int sw = m.ScaleWidth;
    const int slantLeft = m.nShapeLeft - m.nShapeLeft / 3 + 3;
    const int slantRight = m.nShapeRight + (sw - m.nShapeRight) / 3;
    switch (m.ButtonShape) {
    case 1: return {slantLeft, sw, sw - slantLeft};
    case 2: return {0, slantRight, slantRight};
    case 3: return {slantLeft, slantRight, slantRight - slantLeft};
    case 7:
    case 8: return {3, m.nShapeRight - 3, m.nShapeRight - 3};
    default: return {0, sw, m.nShapeRight};
    }
}

void limitTo(Rect& r, int left, int right, int bottom) {
    r.top = std::max(r.top, 4);
    r.left = std::max(r.left, left + 4);
    r.right = std::min(r.right, right - 4);
    r.bottom = std::min(r.bottom, bottom);
}

}  // namespace

ButtonLayout CalculateLayout(const ButtonModel& m, bool refreshPicture, const MeasureText& measure) {
    const int sw = m.ScaleWidth;
    const int sh = m.ScaleHeight;
    const FaceBounds face = faceBounds(m);
    const int L = face.left, R = face.right, W = face.width;
    const bool picture = m.hasPicture();
    const int size = m.picSize();

    // A small picture reserves room on one side of the caption.
    int PL = 0, PR = 0, PT = 0, PB = 0;
    if (picture && size <= 32) {
        switch (m.PictureAlign) {
        case 0: case 1: PL = size; break;
        case 2: case 3: PR = size; break;
        case 4: PT = size; break;
        case 5: PB = size; break;
        default: break;
        }
    }
    const bool beside = PL > 0 || PR > 0;
    const bool stacked = PT > 0 || PB > 0;

    const bool hasCaption = !m.Caption.isEmpty();
    int tw = 0, th = 0;
    if (hasCaption) {
        const QSize block = measure(CaptionText(m.Caption), W - 8 - (beside ? size : 0),
                                    sh - 8 - (stacked ? size : 0));
        tw = block.width();
        th = block.height();
        if (m.CaptionStyle != 0) {  // room for the relief
            tw += 2;
            th += 2;
        }
    }

    Rect cap{0, 0, tw, th};
    if (hasCaption) {
        int dx = 0;
        switch (m.CaptionAlign) {
        case 0: dx = L + 4 + PL + (PL > 0 ? 4 : 0); break;
        case 1: dx = R - PR - 4 - tw - (PR > 0 ? 4 : 0); break;
        default:
            if (m.PictureAlign == 1 && PL > 0)
                dx = L + (W - tw - PL - 4) / 2 + 4 + PL;
            else if (m.PictureAlign == 3 && PR > 0)
                dx = L + (W - tw - PR - 4) / 2;
            else
                dx = L + PL + (W - PL - PR - tw) / 2;
            break;
        }
        cap.left += dx;
        cap.right += dx;
    }

    Rect pic;
    auto moveCaptionDown = [&cap](int dy) { cap.top += dy; cap.bottom += dy; };
    if (picture) {
        int pl = 0, pt = 0;
        switch (m.PictureAlign) {
        case 0: pl = L + 4; break;
        case 1: pl = hasCaption ? cap.left - 4 - PL : L + 4; break;
        case 2: pl = R - 4 - PR; break;
        case 3: pl = hasCaption ? cap.right + 4 : R - 4 - PR; break;
        case 4: {
            const int t = (sh - (th + PT)) / 2;
            pt = t;
            moveCaptionDown(t + 2 + PT);
            break;
        }
        case 5: {
            const int t = (sh - (th + PB)) / 2;
            moveCaptionDown(t + 2);
            pt = t + th + 4;
            break;
        }
        default: break;
        }
        if (m.PictureAlign == 4 || m.PictureAlign == 5) {
            pl = L + (W - size) / 2;
        } else {
            moveCaptionDown((sh - th) / 2);
            pt = (sh - size) / 2;
        }
        pic = Rect{pl, pt, pl + size, pt + size};
    } else {
        moveCaptionDown((sh - th) / 2);
    }

    limitTo(cap, L, R, sh - 5);

    ButtonLayout out;
    out.refreshPicture = refreshPicture;
    if (size <= 32) {
        limitTo(pic, L, R, sh - 5);
    } else if (size == 40) {
        // Fills the face, with or without a picture.
        pic = m.ButtonShape == 6 ? Rect{1, 1, sw - 1, sh - 1} : Rect{3, 3, sw - 3, sh - 3};
        out.refreshPicture = true;
    } else if (m.isCustomShape()) {
        pic = Rect{0, 0, sw, sh};
    } else if (picture) {
        const QSize fit = FitPictureSize(m.nPicWidth, m.nPicHeight, W - 12, sh - 12);
        const int pl = L + (W - fit.width()) / 2;
        const int pt = (sh - fit.height()) / 2;
        pic = Rect{pl, pt, pl + fit.width(), pt + fit.height()};
        out.refreshPicture = true;
    }
    out.caption = cap;
    out.picture = pic;
    return out;
}
