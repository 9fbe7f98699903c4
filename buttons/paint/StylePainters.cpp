// The eight painters: each picks its face colour, fills the face, draws
// picture and caption, then the rings of the rectangular and slanted shapes
// in its own colours and the focus indication.
#include "buttons/paint/ButtonPainting.h"

#include "buttons/paint/ShapeRegions.h"

namespace {
constexpr Rgb kDefaultBlue = MakeRgb(107, 130, 239);  // style 2, default look
constexpr Rgb kHotOrange = MakeRgb(231, 150, 0);       // style 2, hot look
constexpr Rgb kStyle2Ring = MakeRgb(0, 60, 115);
constexpr Rgb kStyle0Light = MakeRgb(233, 233, 233);
constexpr Rgb kStyle3Focus = MakeRgb(153, 153, 204);

// A ring side drawn in colour when on is true, left out otherwise.
std::optional<Rgb> sideIf(bool on, Rgb colour) { return on ? std::optional<Rgb>(colour) : std::nullopt; }
}  // namespace

void ButtonDrawing::PaintStyle(int style, PaintState& st) {
    switch (style) {
    case 0: PaintStyle0(st); break;
    case 1: PaintStyle1(st); break;
    case 2: PaintStyle2(st); break;
    case 3: PaintStyle3(st); break;
    case 4: PaintStyle4(st); break;
    case 5: PaintStyle5(st); break;
    case 6: PaintStyle6(st); break;
    case 7: PaintStyle7(st); break;
    default: break;  // no painter: nFinish stays 0 and the screen is left alone
    }
}

void ButtonDrawing::FinishShape(PaintState& st) {
    const int shape = m_.ButtonShape;
    if (shape < 6 || (shape == 6 && !m_.bHoverTracking && !pressedInside()))
        st.nFinish = 1;
    else
        st.EdgeColors[12] = kBlack;  // Redraw frames the outline in it
}

void ButtonDrawing::PaintCommon(int style, PaintState& st) {
    const DerivedColors& d = derived_;
    const int shape = m_.ButtonShape;
    const bool toggleOn = m_.Mode != 0 && m_.Value;
    Rgb face = toggleOn ? d.cLight : d.cFace;
    if (style == 3 && !toggleOn && m_.Mode == 0 && pressedInside()) face = d.cShadow;

    PaintBackground(face, st.nLook, st.nFinish, TranslateColor(m_.GradientColor, system_), d.cHoverFace);
    if (st.nFinish == 0) return;

    std::optional<Rgb> caption;
    bool shownDown = m_.Value, singlePass = m_.Mode > 0;
    if (style == 3) {
        caption = m_.Enabled ? kGrey : ShiftColor(kGrey, -16);
        shownDown = false;
        singlePass = true;
    } else if (!m_.Enabled && m_.Mode > 0) {
        caption = kGrey;
    }
    DrawCaptionAndPicture(face, caption, shownDown, singlePass);

    std::optional<Rgb> focus = caption;
    if (style == 5)
        focus = shape != 0 && face != d.cLight ? ShiftColor(m_.cParentBack, -32) : kBlack;

    const bool down = (m_.bHeld && m_.Mode > 0) || m_.Value;
    const bool hovering = (m_.nFlags & FlagHover) != 0;
    auto& c = st.EdgeColors;
    int outerStyle = -1;

    if (shape < 4) {
        if (style != 3 && style != 5) {  // the common look rule
            if (down) focus = kBlack;
            else if (shape >= 1 && shape <= 3) focus = ShiftColor(face, -48);
        }
        int look = st.nLook;
        switch (style) {
        case 0: {
            Rgb hl = pressedInside() ? face : kStyle0Light;
            if (down) {
                look = 3;
                hl = kStyle0Light;
            }
            c[1] = c[2] = sideIf(look == 1, hl);
            c[3] = c[4] = sideIf(look == 1, kGrey);
            c[5] = c[6] = look == 0 ? hl : sideIf(look == 1, kWhite);
            c[7] = c[8] = look == 0 ? kGrey : look == 1 ? kBlack : look == 2 ? kGrey : hl;
            c[9] = c[10] = down || defaultLook() ? kBlack : kWhite;
            c[11] = c[12] = down ? kWhite : kBlack;
            break;
        }
        case 1:
            look = down ? 2 : std::max(look, 1);
            c[1] = c[2] = c[5] = c[6] = look == 2 ? kGrey : kWhite;
            c[3] = c[4] = c[7] = c[8] = look == 2 ? kWhite : kGrey;
            c[9] = c[10] = c[11] = c[12] = kBlack;
            break;
        case 3: {
            if (m_.Mode > 0) look = m_.Value || m_.bHeld ? 2 : 3;
            look = std::max(look, 1);
            const Rgb dk = ShiftColor(kGrey, -26);
            Rgb wh = kWhite;
            if (m_.Enabled || m_.Mode > 0) {
                c[1] = c[2] = c[3] = c[4] = std::nullopt;
                c[5] = c[6] = look == 2 ? face : wh;
                c[7] = c[8] = dk;
            } else {
                for (int i = 1; i <= 8; ++i) c[i] = face;
                wh = dk;
            }
            c[9] = c[10] = dk;
            c[11] = c[12] = wh;
            break;
        }
        case 4:
            look = down ? 2 : std::max(look, 1);
            for (int i = 1; i <= 8; ++i) c[i] = std::nullopt;
            c[9] = c[10] = look == 2 ? kGrey : kWhite;
            c[11] = c[12] = look == 2 ? kWhite : kGrey;
            break;
        case 5:
            for (int i = 1; i <= 8; ++i) c[i] = std::nullopt;
            if (hovering || m_.Value) {
                look = down ? 2 : std::max(look, 1);
                c[9] = c[10] = look == 2 ? kGrey : kWhite;
                c[11] = c[12] = look == 2 ? kWhite : kGrey;
            } else if (m_.UserMode) {
                c[9] = c[10] = c[11] = c[12] = std::nullopt;
            } else {
                Rgb dotted = ShiftColor(m_.cParentBack, -64);
                if (dotted == kBlack) dotted = kWhite;
                c[9] = c[10] = c[11] = c[12] = dotted;
            }
            outerStyle = m_.UserMode ? PenSolid : PenDot;
            break;
        case 6: {
            look = down ? 1 : pressedInside() ? 1 : 0;
            const Rgb lt = ShiftColor(MakeRgb(223, 223, 223), 8);
            for (int i = 1; i <= 4; ++i) c[i] = std::nullopt;
            c[5] = c[6] = c[9] = c[10] = look == 0 ? lt : kGrey;
            c[7] = c[8] = c[11] = c[12] = look == 0 ? kGrey : lt;
            break;
        }
        default: break;
        }
        st.nLook = look;
        DrawEdges(st, outerStyle);
    } else if (style == 5 && shape <= 6 && !m_.UserMode) {
        // A flat ellipse shows where it is at design time: a dotted ring.
        hMemDC_.clearClip();
        hMemDC_.frameRegion(EllipseRegion(0, 0, W() - 1, H() - 1), ShiftColor(m_.cParentBack, -32), true);
        hMemDC_.selectClip(hRgnEdge_);
    }

    FinishShape(st);
    if (style == 3)
        DrawFocus(kStyle3Focus, true, true);
    else
        DrawFocus(focus, m_.Value, false);
}

void ButtonDrawing::PaintStyle2(PaintState& st) {
    const DerivedColors& d = derived_;
    const int shape = m_.ButtonShape;
    Rgb face, fill;
    if (m_.Mode > 0) {
        face = m_.Value ? d.cLight : d.cFace;
        fill = face;
    } else {
        face = d.cFace;
        fill = pressedInside() && m_.GradientMode == 0 ? d.cShadow
               : m_.Enabled                            ? face
                                                       : ShiftColor(face, -24, true);
    }
    const Rgb caption = m_.Enabled ? kBlack : ShiftColor(fill, -104, true);
    const Rgb gradient = shape < 7 && m_.GradientMode != 0
                             ? ShiftColor(TranslateColor(m_.GradientColor, system_), 48, true)
                             : fill;

    PaintBackground(fill, st.nLook, st.nFinish, gradient, d.cHoverFace);
    if (st.nFinish == 0) return;
    DrawCaptionAndPicture(fill, caption, m_.Value, true);

    if (shape >= 4) {
        if (defaultLook() && !m_.bHoverTracking) st.EdgeColors[12] = kDefaultBlue;
        else if (m_.bHoverTracking) st.EdgeColors[12] = kHotOrange;
        else st.nFinish = 1;
        return;
    }

    auto& c = st.EdgeColors;
    Rgb ring = kStyle2Ring;
    if (m_.Enabled) {
        int look = st.nLook;
        if ((m_.bHeld && m_.Mode > 0) || m_.Value) look = defaultLook() ? 1 : 2;
        if ((m_.nFlags & FlagHover) && !(m_.nFlags & FlagPressed)) look = 3;
        else if (look == 1 && !m_.ShowFocusRect) look = 0;
        st.nLook = look;
        auto s = [face](int delta) { return ShiftColor(face, delta, true); };
        switch (look) {
        case 0:
            c[1] = s(-10); c[2] = s(10); c[3] = s(-24); c[4] = s(-32);
            c[5] = s(-5); c[6] = s(16); c[7] = s(-36); c[8] = s(-48);
            break;
        case 1:
            c[1] = MakeRgb(181, 209, 240); c[2] = MakeRgb(189, 215, 247);
            c[3] = MakeRgb(181, 209, 240); c[4] = MakeRgb(140, 174, 231);
            c[5] = MakeRgb(140, 174, 231); c[6] = MakeRgb(191, 223, 255);
            c[7] = MakeRgb(140, 174, 231); c[8] = kDefaultBlue;
            break;
        case 2:
            c[1] = s(-22); c[2] = s(-24); c[3] = face; c[4] = s(10);
            c[5] = s(-32); c[6] = s(-32); c[7] = s(5); c[8] = s(16);
            break;
        default:
            c[1] = MakeRgb(255, 203, 107); c[2] = MakeRgb(255, 219, 140);
            c[3] = MakeRgb(255, 203, 107); c[4] = MakeRgb(255, 178, 49);
            c[5] = MakeRgb(255, 178, 49); c[6] = MakeRgb(255, 233, 166);
            c[7] = MakeRgb(255, 178, 49); c[8] = kHotOrange;
            break;
        }
    } else {
        for (int i = 1; i <= 8; ++i) c[i] = std::nullopt;
        ring = ShiftColor(face, -84, true);
    }
    c[9] = c[10] = c[11] = c[12] = ring;
    DrawEdges(st, -1);

    // Single pixels in the ring colour round the corners off.
    const int w = W(), h = H();
    if (m_.nShapeLeft == 0) {
        hMemDC_.setPixel(1, h - 2, ring);
        hMemDC_.setPixel(1, 1, ring);
    }
    if (m_.ScaleWidth == m_.nShapeRight) {
        hMemDC_.setPixel(w - 2, h - 2, ring);
        hMemDC_.setPixel(w - 2, 1, ring);
    }
}

void ButtonDrawing::PaintStyle7(PaintState& st) {
    const DerivedColors& d = derived_;
    const int shape = m_.ButtonShape;
    const bool slanted = shape >= 1 && shape <= 3;
    const bool pressedCommand = m_.Mode == 0 && pressedInside();

    Rgb face = d.cFace;
    if (m_.Mode == 0 && pressedInside()) face = d.cShadow;
    else if (m_.Mode > 0 && m_.Value) face = d.cLight;

    Rgb gradient = face, fill = face;
    if (!m_.Value && m_.GradientMode != 0) {
        gradient = ShiftColor(TranslateColor(m_.GradientColor, system_), 31);
        if (pressedInside()) fill = d.cFace;  // a pressed gradient keeps its colours
    }

    std::optional<Rgb> caption;
    if (pressedCommand || m_.Value)
        caption = m_.Enabled || !m_.Value ? d.cFace : ShiftColor(face, -32, true);
    else if (m_.Enabled)
        caption = TranslateColor(m_.ForeColor, system_);
    else
        caption = sideIf(m_.Mode > 0, kGrey);

    PaintBackground(fill, st.nLook, st.nFinish, gradient, d.cHoverFace);
    if (st.nFinish == 0) return;

    // The hover caption follows the caption colour while it follows the
    // fore colour (or the button is on); put back right after. (Without a
    // caption colour the button is disabled and shows no hover colour.)
    const ColourValue savedHover = m_.HoverForeColor;
    if (caption && (m_.HoverForeColor == m_.ForeColor || m_.Value)) m_.HoverForeColor = *caption;
    DrawCaptionAndPicture(fill, caption, m_.Value, m_.Mode > 0);
    m_.HoverForeColor = savedHover;

    std::optional<Rgb> focus = caption;
    if (shape < 4) {
        const bool down = (m_.bHeld && m_.Mode > 0) || m_.Value;
        if (down) focus = kBlack;
        else if (slanted) focus = ShiftColor(face, -48);
    }
    // Style 7's own focus colours win where they apply.
    if (m_.Mode == 0 && slanted) focus = ShiftColor(face, -64);
    else if (m_.Mode > 0 && m_.Value) focus = ShiftColor(kGrey, -32);

    if (shape < 4) {
        int look = st.nLook;
        if (m_.Value) look = 2;
        else if (m_.bHeld && m_.Mode > 0) look = 0;
        st.nLook = look;
        Rgb lt = ShiftColor(face, 31, true), dk = ShiftColor(face, -64, true), wh = kWhite;
        if (look == 2) {
            const Rgb g = m_.GradientMode != 0 ? d.cFace : kGrey;
            face = g;
            wh = ShiftColor(g, -32);
            lt = ShiftColor(g, -64);
            dk = ShiftColor(g, -16);
        }
        auto& c = st.EdgeColors;
        c[1] = c[2] = wh;
        c[3] = c[4] = face;
        c[5] = c[6] = lt;
        c[7] = c[8] = dk;
        c[9] = c[10] = c[11] = c[12] = kBlack;
        DrawEdges(st, -1);

        const int w = W(), h = H();
        if (m_.nShapeLeft == 0) {
            hMemDC_.setPixel(3, 3, wh);
            hMemDC_.setPixel(1, h - 3, face);
            hMemDC_.setPixel(2, 2, lt);
            hMemDC_.setPixel(1, h - 2, kBlack);
            hMemDC_.setPixel(1, 1, kBlack);
        }
        if (m_.ScaleWidth == m_.nShapeRight) {
            hMemDC_.setPixel(w - 4, h - 4, face);
            hMemDC_.setPixel(w - 3, 1, face);
            hMemDC_.setPixel(w - 3, h - 3, dk);
            hMemDC_.setPixel(w - 2, h - 2, kBlack);
            hMemDC_.setPixel(w - 2, 1, kBlack);
        }
    }

    FinishShape(st);
    DrawFocus(focus, m_.Value, true);
}

void ButtonDrawing::DrawEdges(PaintState& st, int outerPenStyle) {
    const int w = W(), h = H();
    const int shape = m_.ButtonShape;
    const int L = shape == 1 || shape == 3 ? 1 : 0;  // left side slanted
    const int R = shape == 2 || shape == 3 ? 1 : 0;  // right side slanted
    const int sl = m_.nShapeLeft, sr = m_.nShapeRight;
    auto& p = st.EdgePoints;

    p[0] = {sl + 2 - 4 * L, h - 3};
    p[1] = {2 + 2 * L, 2};
    p[2] = {sr - 3 + 3 * R, 2};
    p[3] = {w - 3 - 3 * R, h - 3};
    p[4] = {sl + 1 - 4 * L, h - 3};
    const int dx[5] = {L - 1, -L - 1, 1 - R, R + 1, -1};
    const int dy[5] = {1, -1, -1, 1, 1};
    for (int k = 0; k < 5; ++k) p[5 + k] = p[k] + QPoint(dx[k], dy[k]);
    p[10] = {sl - L, h - 1 + L};
    p[11] = {0, 0};
    p[12] = {sr - 1 + R, 0};
    p[13] = {w - 1, h - 1 + R};
    p[14] = {sl - 1 - 2 * L, h - 1};

    bool drawn = false;
    std::optional<Rgb> lastColour;
    int lastStyle = PenSolid;
    for (int j = 0; j <= 13; ++j) {
        if (j == 4 || j == 9) continue;
        const int index = j <= 3 ? j + 1 : j <= 8 ? j : j - 1;
        const int style = j >= 10 && outerPenStyle >= 0 ? outerPenStyle : PenSolid;
        const std::optional<Rgb> colour = st.EdgeColors[std::size_t(index)];
        if (!colour) continue;
        if (!drawn || colour != lastColour || style != lastStyle)
            SetDrawTool(1, *colour, false, 1, style);
        hMemDC_.line(p[j], p[j + 1]);
        drawn = true;
        lastColour = colour;
        lastStyle = style;
    }
    // The bottom edge once more, with whatever pen the surface holds: the
    // last segment's, or, with no segment drawn (a flat button at rest), the
    // one the face fill left, so the bottom row takes the last band's colour.
    p[15] = {w - 1, h - 1};
    hMemDC_.line(p[14], p[15]);
}
