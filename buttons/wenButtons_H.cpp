// The button's construction, its host, and its property setters.
#include "buttons/wenButtons_H.h"

#include "buttons/AccessKey.h"
#include "buttons/paint/ButtonPainting.h"
#include "host/ControlHost.h"
#include "host/VirtualKeys.h"
#include "dialogs/Dialogs.h"
#include "buttons/modWenTimer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {
bool sameText(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }
}  // namespace

wenButtons_H::wenButtons_H(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hoverTimer_ = new QTimer(this);
    hoverTimer_->setInterval(kHoverPeriodMs);
    // The timer is a child of the button: it stops and goes with it, so the
    // tick never reaches a destroyed button.
    connect(hoverTimer_, &QTimer::timeout, this, [this] { modWenTimer::TimerProc(this); });
    drawing_ = std::make_unique<ButtonDrawing>(m, static_cast<ButtonWindow&>(*this));
    registerLive(true);
    setHost(nullptr);
}

wenButtons_H::~wenButtons_H() {
    stopHoverTimer();
    // A destroyed option button must not stay in its container's registry,
    // or selecting another member would reach a dead object.
    if (m.Mode == 2) OptionToggle(-1);
    registerLive(false);
}

void wenButtons_H::setHost(ControlHost* host) {
    if (host_) disconnect(host_, nullptr, this, nullptr);
    host_ = host ? host : ControlHost::runtime();
    connect(host_, &ControlHost::ambientChanged, this, &wenButtons_H::onAmbientChanged);
    m.UserMode = host_->userMode();
    updateShortcuts();
}

ControlHost* wenButtons_H::host() const { return host_ ? host_.data() : ControlHost::runtime(); }

void wenButtons_H::announce(const char* key) { emit PropertyChanged(QString::fromLatin1(key)); }

void wenButtons_H::designMessage(const char* text, const char* title) {
    ControlHost* h = host();
    if (h->userMode() || !h->dialogs()) return;
    const std::string t = title ? std::string(title) : h->title().toLatin1().toStdString();
    h->dialogs()->message(text, MessageIcon::Information, t);
}

void wenButtons_H::recordContainer() {
    container_ = parentWidget();
    // The container's window id as the control's tag, as the form keeps it.
    setProperty("Tag", QString::number(reinterpret_cast<quintptr>(container_.data())));
}

Rgb wenButtons_H::parentBack() const { return TranslateColor(host()->backColor(), drawing_->systemColors()); }

int wenButtons_H::redrawCount() const { return drawing_->redrawCount(); }
int wenButtons_H::paintedCount() const { return drawing_->paintedCount(); }

const QImage& wenButtons_H::screenImage() const { return drawing_->screen(); }

quintptr wenButtons_H::hWnd() { return static_cast<quintptr>(winId()); }

// ---- Properties -----------------------------------------------------------

void wenButtons_H::setButtonStyle(int Style) {
    if (Style < 0 || Style > 7) return;
    const int old = m.ButtonStyle;
    m.ButtonStyle = Style;
    if (m.ButtonShape < 4 || ((old == 5 || Style == 5) && m.ButtonShape < 7)) BuildShapeRegion();
    CalculateLayout(false);
    RefreshDerived("BackColor");
    Redraw();
    announce("BackStyle");
}

void wenButtons_H::setMode(int nMode) {
    if (nMode < 0 || nMode > 2) return;
    if (m.Mode == 2 && nMode != 2) OptionToggle(-1);
    if (nMode == 2 && m.Mode != 2) OptionToggle(1);
    if (nMode == 0 && m.Mode > 0) setValue(false);
    m.Mode = nMode;
    Redraw();
    announce("Mode");
}

void wenButtons_H::setCaption(const QString& sCaption) {
    accessKey_ = accessKeyFromCaption(sCaption, accessKey_);
    updateShortcuts();
    m.Caption = sCaption;
    CalculateLayout(false);
    Redraw();
    announce("Caption");
}

void wenButtons_H::setCaptionAlign(int nAlign) {
    if (nAlign < 0 || nAlign > 2) return;
    if (nAlign == 2 || m.PictureAlign < 4 || m.nPicWidth + m.nPicHeight < 1) {
        m.CaptionAlign = nAlign;
        CalculateLayout(false);
        Redraw();
        announce("CapAlign");
    } else {
        designMessage("When button images are aligned top/bottom center, \r\n"
                      "button captions can only be center aligned");
    }
}

void wenButtons_H::setCaptionStyle(int nStyle) {
    if (nStyle < 0 || nStyle > 2) return;
    m.CaptionStyle = nStyle;
    announce("CapStyle");
    if (!m.Caption.isEmpty()) {
        CalculateLayout(false);
        Redraw();
    }
}

void wenButtons_H::setCustomClick(int nOpt) {
    if (nOpt < 0 || nOpt > 8) return;
    if (m.ButtonShape < 7 && nOpt > 0)
        designMessage("This property has no effect unless the Button Shape is a custom shape.");
    m.CustomClick = nOpt;
    announce("CustomClick");
}

void wenButtons_H::setButtonShape(int nShape) {
    if (nShape < 0 || nShape > 8) return;
    if (nShape >= 7) {
        if (m.Picture.isNull() || m.nPicType == 1) {
            designMessage("The Picture Property must be assigned first and must be a bitmap or JPEG.");
            return;
        }
        if (PictureSize() != 4) {
            DelayDrawing(true);
            setPictureSize(4);
            m.bDelayDrawing = false;
        }
    }
    m.ButtonShape = nShape;
    m.CaptionAlign = 2;
    HandleResize();
    DelayDrawing(false);
    announce("Shape");
}

void wenButtons_H::setPicture(const ::Picture& xPic) {
    m.Picture = xPic;
    if (m.nPicSize == 0) m.nPicSize = 16;
    RefreshDerived("Picture");
    if (m.ButtonShape < 7) {
        CalculateLayout(true);
        Redraw();
    } else {
        if (xPic.isNull()) {
            setButtonShape(0);
        } else if (m.nPicType == 1) {
            setButtonShape(0);
            designMessage("Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\n"
                          "Button was changed to Rectangular shaped.");
        }
        HandleResize();
    }
    announce("Image");
}

void wenButtons_H::setPictureAlign(int ImgAlign) {
    if (ImgAlign < 0 || ImgAlign > 5) return;
    m.PictureAlign = ImgAlign;
    if (ImgAlign >= 4) setCaptionAlign(2);
    CalculateLayout(false);
    Redraw();
    announce("ImgAlign");
}

void wenButtons_H::setEnabled(bool bEnabled) {
    if (bEnabled == Enabled()) return;
    changingEnabled_ = true;
    QWidget::setEnabled(bEnabled);
    changingEnabled_ = false;
    if (m.ButtonStyle == 3 && m.Mode == 0 && m.ButtonShape < 4) {
        DelayDrawing(true);
        BuildShapeRegion();
        CalculateLayout(false);
        DelayDrawing(false);
    } else {
        Redraw();
    }
    announce("Enabled");
}

void wenButtons_H::setShowFocusRect(bool bShow) {
    m.ShowFocusRect = bShow;
    if (m.nFlags & FlagDefaultLook) {
        if (host()->userMode()) {
            m.nFlags &= ~FlagDefaultLook;
            Redraw();
        } else {
            designMessage("The focus rectangle may appear on default buttons ONLY while in design mode, \r\n"
                          "but will not appear when the form is running.");
        }
    } else {
        Redraw();
    }
    announce("Focus");
}

void wenButtons_H::setValue(bool bValue) {
    if (bValue && m.Mode == 0) {
        designMessage("This property is not applicable for command button modes.");
        return;
    }
    m.Value = bValue;
    if (bValue && m.Mode == 2) OptionToggle(0);
    Redraw();
    announce("Value");
}

int wenButtons_H::PictureSize() {
    if (m.nPicSize == 0) m.nPicSize = 16;
    // Sizes between the steps (only from a store written elsewhere) read as
    // the step below them, within 0..4.
    return std::clamp(m.nPicSize / 8 - 2, 0, 4);
}

void wenButtons_H::setPictureSize(int nSize) {
    if (nSize < 0 || nSize > 4) return;
    if (m.ButtonShape == 7 || m.ButtonShape == 8) {
        designMessage("The picture size cannot be changed for Shaped buttons");
        return;
    }
    m.nPicSize = static_cast<std::int16_t>((nSize + 2) * 8);
    CalculateLayout(true);
    Redraw();
    announce("ImgSize");
}

void wenButtons_H::setMousePointer(int nPointer) {
    mousePointer_ = nPointer;
    applyMousePointer();
    announce("mPointer");
}

void wenButtons_H::setMouseIcon(const ::Picture& nIcon) {
    // Only icons and cursors make a pointer; the host refuses anything else.
    if (!nIcon.isNull() && nIcon.kind() != ::Picture::Kind::Icon) {
        designMessage("Invalid property value", "Select .ico Or .cur Files Only");
        return;
    }
    mouseIcon_ = nIcon;
    if (!nIcon.isNull()) {
        setMousePointer(99);
        announce("mIcon");
    } else {
        applyMousePointer();
    }
}

void wenButtons_H::applyMousePointer() {
    if (mousePointer_ == 99 && !mouseIcon_.isNull()) {
        setCursor(QCursor(QPixmap::fromImage(mouseIcon_.image())));
        return;
    }
    if (const auto shape = VirtualKeys::pointerShape(mousePointer_))
        setCursor(*shape);
    else
        unsetCursor();
}

void wenButtons_H::setFont(const QFont& nFont) {
    QWidget::setFont(nFont);
    RefreshDerived("Font");
    CalculateLayout(false);
    Redraw();
    announce("Font");
}

int wenButtons_H::FontStyle() const {
    const QFont f = font();
    return 2 * int(f.bold()) + 4 * int(f.italic()) + 8 * int(f.underline());
}

void wenButtons_H::setFontStyle(int nStyle) {
    QFont f = font();
    f.setBold(nStyle & 2);
    f.setItalic(nStyle & 4);
    f.setUnderline(nStyle & 8);
    QWidget::setFont(f);
    RefreshDerived("Font");
    CalculateLayout(false);
    announce("Font");
    Redraw();
}

void wenButtons_H::setForeColor(ColourValue nColor) {
    if (nColor == foreColor_) return;
    foreColor_ = nColor;
    if (m.HoverColorLocks == 0 || m.HoverColorLocks == 1) setHoverForeColor(nColor);
    m.bDelayDrawing = false;
    Redraw();
    announce("cFore");
}

void wenButtons_H::setBackColor(ColourValue nColor) {
    m.BackColor = nColor;
    if (m.HoverColorLocks == 0 || m.HoverColorLocks == 2)
        setHoverBackColor(m.GradientMode != 0 ? m.GradientColor : nColor);
    RefreshDerived("BackColor");
    Redraw();
    announce("cBack");
}

void wenButtons_H::setGradientColor(ColourValue nColor) {
    if ((m.HoverColorLocks == 0 || m.HoverColorLocks == 2) && m.GradientMode > 0) m.HoverBackColor = nColor;
    m.GradientColor = nColor;
    RefreshDerived("BackColor");
    if (m.GradientMode != 0) Redraw();
    announce("cGradient");
}

void wenButtons_H::setGradientMode(int nOpt) {
    if (nOpt < 0 || nOpt > 4) return;
    m.GradientMode = nOpt;
    if (m.HoverColorLocks == 0 || m.HoverColorLocks == 2) {
        m.HoverBackColor = nOpt == 0 ? m.BackColor : m.GradientColor;
        RefreshDerived("BackColor");
    }
    Redraw();
    announce("Gradient");
}

void wenButtons_H::setResetDefaultColors(bool nDefault) {
    if (!nDefault || host()->userMode()) return;
    DelayDrawing(true);
    m.BackColor = kButtonFaceColor;
    setForeColor(kButtonTextColor);
    setGradientColor(kButtonFaceColor);
    setGradientMode(0);
    setHoverColorLocks(0);
    RefreshDerived("BackColor");
    DelayDrawing(false);
    announce("cGradient");
    announce("cBack");
}

void wenButtons_H::setHoverColorLocks(int nLock) {
    m.HoverColorLocks = nLock;
    if (nLock == 0 || nLock == 2) {
        m.HoverBackColor = m.GradientMode != 0 ? m.GradientColor : m.BackColor;
        announce("cBHover");
    }
    if (nLock == 0 || nLock == 1) {
        m.HoverForeColor = foreColor_;
        announce("cFHover");
    }
    RefreshDerived("BackColor");
    announce("LockHover");
}

void wenButtons_H::setHoverForeColor(ColourValue nColor) {
    if (nColor == m.HoverForeColor) return;
    m.HoverForeColor = nColor;
    announce("cFHover");
    if (foreColor_ != nColor) {
        if (m.HoverColorLocks == 0) m.HoverColorLocks = 2;
        else if (m.HoverColorLocks == 1) m.HoverColorLocks = 3;
    }
    announce("cFHover");
}

void wenButtons_H::setHoverBackColor(ColourValue nColor) {
    if (nColor == m.HoverBackColor) return;
    m.HoverBackColor = nColor;
    if (nColor != m.BackColor) {
        if (m.HoverColorLocks == 0) m.HoverColorLocks = 1;
        else if (m.HoverColorLocks == 2) m.HoverColorLocks = 3;
    }
    RefreshDerived("BackColor");
    announce("cBHover");
}

void wenButtons_H::Refresh() {
    m.bDelayDrawing = false;
    Redraw();
}

void wenButtons_H::DelayDrawing(bool bDelay) {
    m.bDelayDrawing = bDelay;
    if (!bDelay) Refresh();
}

// ---- Ambient changes and the show notification ------------------------------

void wenButtons_H::onAmbientChanged(const QString& name) {
    ControlHost* h = host();
    m.UserMode = h->userMode();
    updateShortcuts();
    if (sameText(name, "DisplayAsDefault")) {
        const bool look = h->displayAsDefault(this) && (m.ShowFocusRect || !h->userMode());
        if (look) m.nFlags |= FlagDefaultLook;
        else m.nFlags &= ~FlagDefaultLook;
        if (m.isCustomShape() && !h->userMode()) {
            // The custom-shape painter shows the default look as it shows hovering.
            m.bHoverTracking = look;
            Redraw();
            m.bHoverTracking = false;
        } else {
            Redraw();
        }
    } else if (sameText(name, "BackColor")) {
        m.cParentBack = parentBack();
        if (m.ButtonShape > 3 || m.ButtonStyle == 5) Redraw();
    }
}

void wenButtons_H::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // A container that enables or disables its contents changes the look.
    if (e->type() == QEvent::EnabledChange && !changingEnabled_) Redraw();
}

void wenButtons_H::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    updateShortcuts();  // the host may have named its default or cancel button since
    ControlHost* h = host();
    if (!h->userMode() && m.ShowFocusRect && h->displayAsDefault(this)) {
        m.nFlags |= FlagDefaultLook;
        Redraw();
    }
}

// ---- Painting entry points --------------------------------------------------

void wenButtons_H::syncHostValues() {
    m.ForeColor = foreColor_;
    m.Enabled = isEnabled();  // greyed also inside a disabled container
    m.Font = font();
    m.UserMode = host()->userMode();
    m.ScaleWidth = width();
    m.ScaleHeight = height();
}

void wenButtons_H::RefreshDerived(const QString& aspect) {
    syncHostValues();
    drawing_->RefreshDerived(aspect);
}

void wenButtons_H::CalculateLayout(bool refreshPicture) {
    syncHostValues();
    drawing_->CalculateLayout(refreshPicture);
}

void wenButtons_H::BuildShapeRegion() {
    syncHostValues();
    drawing_->BuildShapeRegion();
}

void wenButtons_H::HandleResize() {
    syncHostValues();
    drawing_->HandleResize();
}

void wenButtons_H::Redraw() {
    syncHostValues();
    drawing_->Redraw();
}

void wenButtons_H::paintEvent(QPaintEvent*) {
    // An exposed button is painted afresh, ending any delay.
    inPaint_ = true;
    m.bDelayDrawing = false;
    Redraw();
    inPaint_ = false;
    QPainter p(this);
    p.drawImage(0, 0, screenImage());
}


void wenButtons_H::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // A size the drawing code asked for (resizeWindow) is its own business.
    if (!resizingForDrawing_) HandleResize();
}

// ---- The window side of the drawing code ------------------------------------

void wenButtons_H::setWindowRegion(const QRegion& region) {
    if (region.isEmpty()) clearMask();
    else setMask(region);
}

QRegion wenButtons_H::windowRegion() const { return mask(); }
QPoint wenButtons_H::windowPos() const { return pos(); }
void wenButtons_H::moveWindow(const QPoint& topLeft) { move(topLeft); }

void wenButtons_H::resizeWindow(int width, int height) {
    resizingForDrawing_ = true;
    resize(width, height);
    resizingForDrawing_ = false;
    m.ScaleWidth = this->width();
    m.ScaleHeight = this->height();
}

void wenButtons_H::present() {
    if (!inPaint_) update();
}

QSize wenButtons_H::screenSize() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->size() : QSize(1024, 768);
}
