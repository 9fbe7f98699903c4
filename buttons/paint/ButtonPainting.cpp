#include "buttons/paint/ButtonPainting.h"

#include <QPainter>
#include <QGuiApplication>
#include <QScreen>
#include <cstring>

ButtonDrawing::ButtonDrawing(ButtonModel& model, ButtonWindow& window, const SystemColors& system)
    : m_(model), window_(window), system_(system.table()) {}

ButtonDrawing::~ButtonDrawing() = default;

namespace {
bool sameKey(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// Twips per pixel vertically, as whole twips (15 on a 96 dpi screen).
double twipsPerPixelY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? double(RoundEven(1440.0 / dpi)) : 15.0;
}
}  // namespace

void ButtonDrawing::RefreshDerived(const QString& key) {
    if (sameKey(key, "BackColor")) {
        derived_ = DeriveColors(m_.ButtonStyle, TranslateColor(m_.BackColor, system_),
                                TranslateColor(m_.HoverBackColor, system_));
    } else if (sameKey(key, "Font")) {
        // The caption font asks for a character height in pixels from the
        // point size, the way the classic font request does.
        QFont f = m_.Font;
        const double points = m_.Font.pointSizeF();
        const int pixels = points > 0 ? RoundEven(20.0 * points / twipsPerPixelY())
                                      : m_.Font.pixelSize();
        if (pixels > 0) f.setPixelSize(pixels);
        f.setFamily(m_.Font.family().left(31));
        // Unsmoothed glyphs give the classic look pixel for pixel; on a
        // finer screen the caption is smoothed like the text round it.
        f.setStyleStrategy(window_.pixelRatio() == 1.0 ? QFont::NoAntialias : QFont::PreferDefault);
        captionFont_ = f;
    } else if (sameKey(key, "Picture")) {
        // Kind and native size are what the property setters check. A new
        // picture makes the old prepared copy worthless.
        hPicBitmap_ = QImage();
        hPicDevice_ = QImage();
        const bool none = m_.Picture.isNull();
        m_.nPicType = m_.Picture.kind() == ::Picture::Kind::Icon ? 1 : 0;
        m_.nPicWidth = none ? 0 : m_.Picture.width();
        m_.nPicHeight = none ? 0 : m_.Picture.height();
    }
}

QSize ButtonDrawing::measureCaption(const QString& text, int width, int height) const {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // Measured by drawing it: the underlined access key splits the line into
    // separately shaped runs, which loses the kerning round it, and font
    // metrics alone would leave the caption a pixel short, so that it wraps.
    QImage scratch(1, 1, QImage::Format_RGB32);
    scratch.setDevicePixelRatio(window_.pixelRatio());
    QPainter p(&scratch);
    p.setFont(captionFont_);
    QRect drawn;
    p.drawText(QRect(0, 0, std::max(width, 1), std::max(height, 1)),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, t, &drawn);
    return drawn.size();
}

void ButtonDrawing::CalculateLayout(bool refreshPicture, const MeasureText& measure) {
    const MeasureText byFont = [this](const QString& t, int w, int h) {
        return measureCaption(t, w, h);
    };
    const ButtonLayout l = ::CalculateLayout(m_, refreshPicture, measure ? measure : byFont);
    m_.rcCaption = l.caption;
    m_.rcPicture = l.picture;
    if (l.refreshPicture) BuildPictureRegion(l.picture.width(), l.picture.height(), nullptr);
}

bool ButtonDrawing::backBufferFits() const {
    return !hMemDC_.isNull() && hMemDC_.width() == std::max(W(), 1) && hMemDC_.height() == std::max(H(), 1) &&
           hMemDC_.ratio() == window_.pixelRatio();
}

void ButtonDrawing::ensureBackBuffer() {
    if (!backBufferFits()) hMemDC_.resize(W(), H(), window_.pixelRatio());
}

void ButtonDrawing::UpdateBackBuffer(bool prepare) {
    if (!prepare) {
        // The one copy to the screen image.
        const QImage& back = hMemDC_.image();
        if (screen_.size() != back.size()) screen_ = QImage(back.size(), QImage::Format_RGB32);
        screen_.setDevicePixelRatio(back.devicePixelRatio());
        std::memcpy(screen_.bits(), back.constBits(), std::size_t(back.sizeInBytes()));
        return;
    }
    if (hMemDC_.isNull()) {
        hMemDC_.selectBrush(kBlack);
        hMemDC_.selectPen(kBlack, 1, PenSolid);
    }
    RefreshDerived(QStringLiteral("Font"));
    ensureBackBuffer();
}

void ButtonDrawing::HandleResize() {
    // The back buffer always has the current client size.
    UpdateBackBuffer(true);
    if (m_.bDelayDrawing) return;
    BuildShapeRegion();
    CalculateLayout(false);
    Redraw();
}

ButtonDrawing::PaintState ButtonDrawing::PaintOnly() {
    ensureBackBuffer();
    PaintState st;
    PaintStyle(m_.ButtonStyle, st);
    return st;
}

void ButtonDrawing::Redraw() {
    ++redrawCount_;
    if (m_.bDelayDrawing) return;
    ++paintedCount_;
    if (!backBufferFits()) {
        // The size or the screen's ratio changed without the resize handling
        // (a host that told us late, a window moved to another screen): do
        // its work now, or the outline and rim would be stale.
        UpdateBackBuffer(true);
        BuildShapeRegion();
        CalculateLayout(false);
    }
    const PaintState st = PaintOnly();
    if (st.nFinish == 0) return;  // nothing painted, or the window was just moved
    UpdateBackBuffer(false);
    if (st.nFinish > 1) frameOutline(st);
    window_.present();
}

namespace {
void frameOnImage(QImage& image, const QRegion& region, Rgb colour) {
    const std::uint32_t argb = ToArgb(colour);
    const QRect bounds = image.rect();
    for (const QRect& r : RegionFrame(region)) {
        const QRect c = MemorySurface::DeviceRect(r, image.devicePixelRatio()) & bounds;
        for (int y = c.top(); y <= c.bottom(); ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
            for (int x = c.left(); x <= c.right(); ++x) row[x] = argb;
        }
    }
}
}  // namespace

void ButtonDrawing::frameOutline(const PaintState& st) {
    const Rgb frame = st.EdgeColors[12].value_or(kBlack);
    const int shape = m_.ButtonShape;
    const int style = m_.ButtonStyle;
    if (shape >= 4 && shape <= 6) {
        if (style == 2 && !pressedInside()) {
            if (hRgnEdge_) frameOnImage(screen_, *hRgnEdge_, frame);
        } else if (shape == 6) {
            frameOnImage(screen_, window_.windowRegion(), frame);
        }
    } else if (shape == 7 || shape == 8) {
        if (m_.bHoverTracking && !pressedInside()) {
            const Rgb colour = style == 2 ? frame : derived_.cHoverFace;
            if (colour == TranslateColor(m_.BackColor, system_) && style != 2) return;
            frameOnImage(screen_, window_.windowRegion(), colour);
        } else if (defaultLook()) {
            const auto& region = shape == 8 ? hRgnInner_ : hRgnEdge_;
            const Rgb colour = m_.Value && style != 2 ? ShiftColor(derived_.cShadow, -32) : frame;
            if (region) frameOnImage(screen_, *region, colour);
        }
    }
}
