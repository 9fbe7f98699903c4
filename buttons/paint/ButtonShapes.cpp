// The outline of each shape as the window's region, and the two clip
// regions that keep a rim round elliptical and picture-shaped buttons.
#include "buttons/paint/ButtonPainting.h"

#include "buttons/paint/ShapeRegions.h"

void ButtonDrawing::BuildShapeRegion() {
    m_.nShapeLeft = 0;
    m_.nShapeRight = W();
    ensureBackBuffer();
    hMemDC_.clearClip();
    hRgnEdge_.reset();
    hRgnInner_.reset();

    const int shape = m_.ButtonShape;
    const int style = m_.ButtonStyle;
    QRegion outline;
    bool apply = true;

    // The window takes a size asked for here without running its resize
    // handling: the back buffer is renewed here.
    auto resizeWindow = [this](int width, int height) {
        window_.resizeWindow(width, height);
        ensureBackBuffer();
        m_.nShapeRight = W();
    };

    if (shape == 0) {
        outline = TrimCorners(QRegion(0, 0, W() + 1, H() + 1), W(), H(), style, m_.Enabled, true, true);
    } else if (shape >= 1 && shape <= 3) {
        const int wide = SlantedWidth(W(), H());
        if (wide != W()) resizeWindow(wide, H());
        const SlantedOutline slanted = SlantedRegion(shape, W(), H());
        m_.nShapeLeft = slanted.shapeLeft;
        m_.nShapeRight = slanted.shapeRight;
        // Only the straight side gets the corner cuts of the style.
        outline = TrimCorners(slanted.region, W(), H(), style, m_.Enabled, shape == 2, shape == 1);
    } else if (shape >= 4 && shape <= 6) {
        const int w = W(), h = H();
        outline = EllipseRegion(0, 0, w, h);
        if (style != 5) {
            // The rim: later face fills are clipped inside it.
            if (shape == 6)
                hMemDC_.frameRegion(outline, kBlack);
            else
                GradientFill(kWhite, kGrey, 3);
        }
        hRgnEdge_ = EllipseRegion(1, 1, w - 1, h - 1);
        hRgnInner_ = EllipseRegion(2, 2, w - 2, h - 2);
    } else if (shape == 7 || shape == 8) {
        const QSize fit = m_.nPicWidth > 0 && m_.nPicHeight > 0 && m_.nPicType == 0
                              ? FitPictureSize(m_.nPicWidth, m_.nPicHeight, W(), H())
                              : QSize();
        if (fit.isEmpty()) {
            apply = false;  // no usable picture: the window keeps its outline
        } else {
            resizeWindow(fit.width(), fit.height());
            outline = QRegion(0, 0, W(), H());
            BuildPictureRegion(W(), H(), &outline);
            const QPoint origin = outline.boundingRect().topLeft();
            if (hRgnEdge_) hRgnEdge_->translate(origin - hRgnEdge_->boundingRect().topLeft() + QPoint(1, 1));
            if (hRgnInner_) hRgnInner_->translate(origin - hRgnInner_->boundingRect().topLeft() + QPoint(2, 2));
            if (shape == 8)
                GradientFill(kWhite, kGrey, 3);
            else
                hMemDC_.frameRegion(outline, TranslateColor(m_.BackColor, system_));
            hMemDC_.selectClip(hRgnEdge_);
        }
    }

    if (apply) window_.setWindowRegion(outline);
    if (m_.nShapeRight == 0) m_.nShapeRight = W();
}
