// Filling the face: plain, hovered, gradient or shaded, after the clip and
// rim of the shape are prepared; and the custom click that moves the window.
#include "buttons/paint/ButtonPainting.h"

#include <array>
#include <vector>

void ButtonDrawing::SetDrawTool(int kind, Rgb colour, bool penToo, int penWidth, int penStyle) {
    switch (kind) {
    case 0:
        hMemDC_.selectBrush(colour);
        if (penToo) hMemDC_.selectPen(colour, 1, PenSolid);
        break;
    case 1: hMemDC_.selectPen(colour, penWidth, penStyle); break;
    case 2: hMemDC_.setTextColor(colour); break;
    default: break;
    }
}

void ButtonDrawing::FillBox(int left, int top, int right, int bottom, Rgb fill) {
    // The outline is drawn in the fill colour: no edge shows.
    SetDrawTool(0, fill, true);
    hMemDC_.rectangle(left, top, right, bottom);
}

void ButtonDrawing::GradientFill(Rgb first, Rgb last, int mode) {
    const int w = W(), h = H();
    const bool across = mode == 1 || mode == 2;  // vertical stripes, left to right
    const int extent = across ? w : h;
    const QSize screen = window_.screenSize();
    const int screenExtent = across ? screen.width() : screen.height();
    int bands = extent, step = 1;
    // A button longer than a quarter of the screen shades in two-pixel bands.
    if (extent > 0 && screenExtent / extent < 4) {
        bands = extent / 2;
        step = 2;
    }
    if (bands <= 0) return;
    std::vector<Rgb> colours(static_cast<std::size_t>(bands));
    GradientColors(colours, first, last);
    for (int i = 0; i < bands; ++i) {
        const Rgb c = colours[std::size_t(mode % 2 == 1 ? i : bands - 1 - i)];
        if (across)
            FillBox(i * step, 0, i * step + step, h, c);
        else
            FillBox(0, i * step, w, i * step + step, c);
    }
}

bool ButtonDrawing::CustomClickShift() {
    static constexpr std::array<QPoint, 9> kShift = {
        QPoint(0, 0), QPoint(0, -1), QPoint(1, -1), QPoint(-1, -1), QPoint(1, 1),
        QPoint(-1, 1), QPoint(1, 0), QPoint(0, 1), QPoint(-1, 0)};
    if (m_.CustomClick <= 0 || m_.CustomClick > 8 || m_.Mode != 0) return false;
    const QPoint d = kShift[std::size_t(m_.CustomClick)];
    const bool shifted = (m_.nFlags & FlagCustomOffset) != 0;
    const QPoint pos = window_.windowPos();
    if (pressedInside() && !shifted) {
        // The previous image, one pixel further: no pressed face is painted.
        window_.moveWindow(pos + d);
        m_.nFlags |= FlagCustomOffset;
        UpdateBackBuffer(false);
        window_.present();
        return true;
    }
    if (shifted && !pressedInside()) {
        window_.moveWindow(pos - d);
        m_.nFlags &= std::uint16_t(~FlagCustomOffset);
    }
    return false;
}

void ButtonDrawing::PrepareFaceClip(int& nFinish) {
    if (CustomClickShift()) {
        nFinish = 0;
        return;
    }
    nFinish = 1;
    const int shape = m_.ButtonShape;
    const bool flat = m_.ButtonStyle == 5;
    const bool down = pressedInside() || m_.Value;
    if (flat && !m_.bHoverTracking && !pressedInside() && !m_.Value) {
        hMemDC_.clearClip();
        return;
    }
    hMemDC_.clearClip();
    if (flat && (m_.Value || (shape != 6 && shape != 7))) {
        GradientFill(kWhite, kGrey, 3);
        hMemDC_.selectClip(hRgnInner_);
        nFinish = 4;
    }
    if (down && shape != 6 && shape != 7) {
        // The rim turned round: grey at the top, white at the bottom.
        hMemDC_.selectClip(hRgnEdge_);
        GradientFill(kGrey, kWhite, 3);
        hMemDC_.selectClip(hRgnInner_);
        nFinish = 4;
    } else if (shape == 7 || (shape == 6 && m_.bHoverTracking)) {
        hMemDC_.frameRegion(window_.windowRegion(),
                         shape == 6 ? kBlack : TranslateColor(m_.BackColor, system_));
        hMemDC_.selectClip(hRgnEdge_);
        nFinish = 3;
    } else if (shape != 6) {
        hMemDC_.selectClip(hRgnEdge_);
        nFinish = 3;
    }
}

void ButtonDrawing::PaintBackground(Rgb face, int& nLook, int& nFinish, Rgb gradient, Rgb hover) {
    PrepareFaceClip(nFinish);
    if (nFinish == 0) return;
    nLook = pressedInside() ? 2 : defaultLook() ? 1 : 0;
    const bool hovered = m_.bHoverTracking && ((!pressedInside() && m_.Mode == 0) ||
                                               (!m_.Value && m_.Mode > 0));
    const Rgb plain = hovered ? hover : face;
    const int w = W(), h = H();

    if (m_.GradientMode != 0 && !m_.Value && m_.ButtonShape < 7) {
        if (m_.bHoverTracking && !pressedInside() && m_.GradientColor != m_.HoverBackColor) {
            FillBox(0, 0, w, h, hover);  // a solid hover face
        } else {
            GradientFill(face, gradient, m_.GradientMode);
        }
    } else if (m_.ButtonStyle == 2 && (m_.Enabled || m_.Mode > 0)) {
        // Darkens by up to 25 steps from top to bottom.
        if (h > 0)
            for (int i = 0; i <= h; ++i)
                FillBox(0, i, w, i + 1, ShiftColor(plain, RoundEven(-(25.0 / h) * i), true));
    } else {
        FillBox(0, 0, w, h, plain);
    }
}
