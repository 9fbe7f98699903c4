#pragma once
// The owner-drawn button: a push button that can also act as a check box or
// as one member of a group of option buttons.
//
// Every property is a Q_PROPERTY under its own name with a getter of that
// name and a setter "setName". Setters check their range and ignore values
// outside it; refusals that come from the combination of properties speak
// through the host's Dialogs, and only in design mode. Each setter ends in
// the side effects the button needs (relayout, prepare, rebuild the shape,
// Redraw) and announces the changed store key with PropertyChanged().
//
// Painting goes through five entry points, each handing the host's values to
// the drawing code (ButtonDrawing) and calling it: RefreshDerived,
// CalculateLayout, BuildShapeRegion, HandleResize and Redraw. The drawing
// code never calls back into them. Redraw renders the whole face into a back
// buffer; paintEvent copies it.
#include "buttons/paint/ButtonModel.h"
#include "buttons/paint/ButtonWindow.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class ControlHost;
class PropertyBag;
class QTimer;
class QMimeData;
class QDropEvent;
class ButtonDrawing;

class wenButtons_H : public QWidget, private ButtonWindow {
    Q_OBJECT
    Q_CLASSINFO("DefaultProperty", "Value")
    Q_PROPERTY(int ButtonStyle READ ButtonStyle WRITE setButtonStyle)
    Q_PROPERTY(int Mode READ Mode WRITE setMode)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int CaptionAlign READ CaptionAlign WRITE setCaptionAlign)
    Q_PROPERTY(int CaptionStyle READ CaptionStyle WRITE setCaptionStyle)
    Q_PROPERTY(int CustomClick READ CustomClick WRITE setCustomClick)
    Q_PROPERTY(int ButtonShape READ ButtonShape WRITE setButtonShape)
    Q_PROPERTY(::Picture Picture READ Picture WRITE setPicture)
    Q_PROPERTY(int PictureAlign READ PictureAlign WRITE setPictureAlign)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(bool Value READ Value WRITE setValue USER true)
    Q_PROPERTY(int PictureSize READ PictureSize WRITE setPictureSize)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(::Picture MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(int FontStyle READ FontStyle WRITE setFontStyle)
    Q_PROPERTY(ColourValue ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(ColourValue BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(ColourValue GradientColor READ GradientColor WRITE setGradientColor)
    Q_PROPERTY(int GradientMode READ GradientMode WRITE setGradientMode)
    Q_PROPERTY(bool ResetDefaultColors READ ResetDefaultColors WRITE setResetDefaultColors)
    Q_PROPERTY(int HoverColorLocks READ HoverColorLocks WRITE setHoverColorLocks)
    Q_PROPERTY(ColourValue HoverForeColor READ HoverForeColor WRITE setHoverForeColor)
    Q_PROPERTY(ColourValue HoverBackColor READ HoverBackColor WRITE setHoverBackColor)
    Q_PROPERTY(quintptr hWnd READ hWnd)

public:
    // Identifier and period of the hover check.
    static constexpr int kHoverTimerId = 237;
    static constexpr int kHoverPeriodMs = 50;

    explicit wenButtons_H(QWidget* parent = nullptr);
    ~wenButtons_H() override;

    // The containing window's description; ControlHost::runtime() until set.
    // The button does not own it.
    void setHost(ControlHost* host);
    ControlHost* host() const;

    // Life cycle: a new control, or one loaded from / saved to its store.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Properties.
    int ButtonStyle() const { return m.ButtonStyle; }
    void setButtonStyle(int Style);
    int Mode() const { return m.Mode; }
    void setMode(int nMode);
    QString Caption() const { return m.Caption; }
    void setCaption(const QString& sCaption);
    int CaptionAlign() const { return m.CaptionAlign; }
    void setCaptionAlign(int nAlign);
    int CaptionStyle() const { return m.CaptionStyle; }
    void setCaptionStyle(int nStyle);
    int CustomClick() const { return m.CustomClick; }
    void setCustomClick(int nOpt);
    int ButtonShape() const { return m.ButtonShape; }
    void setButtonShape(int nShape);
    ::Picture Picture() const { return m.Picture; }
    void setPicture(const ::Picture& xPic);
    int PictureAlign() const { return m.PictureAlign; }
    void setPictureAlign(int ImgAlign);
    // The button's own enabled state (a disabled container greys the button
    // without changing it). Hides QWidget::setEnabled on purpose: the button
    // redraws and announces.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void setEnabled(bool bEnabled);
    bool ShowFocusRect() const { return m.ShowFocusRect; }
    void setShowFocusRect(bool bShow);
    bool Value() const { return m.Value; }
    void setValue(bool bValue);
    int PictureSize();
    void setPictureSize(int nSize);
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int nPointer);
    ::Picture MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(const ::Picture& nIcon);
    QFont Font() const { return font(); }
    // Hides QWidget::setFont on purpose: the caption font is prepared again.
    void setFont(const QFont& nFont);
    int FontStyle() const;
    void setFontStyle(int nStyle);
    ColourValue ForeColor() const { return foreColor_; }
    void setForeColor(ColourValue nColor);
    ColourValue BackColor() const { return m.BackColor; }
    void setBackColor(ColourValue nColor);
    ColourValue GradientColor() const { return m.GradientColor; }
    void setGradientColor(ColourValue nColor);
    int GradientMode() const { return m.GradientMode; }
    void setGradientMode(int nOpt);
    bool ResetDefaultColors() const { return false; }
    void setResetDefaultColors(bool nDefault);
    int HoverColorLocks() const { return m.HoverColorLocks; }
    void setHoverColorLocks(int nLock);
    ColourValue HoverForeColor() const { return m.HoverForeColor; }
    void setHoverForeColor(ColourValue nColor);
    ColourValue HoverBackColor() const { return m.HoverBackColor; }
    void setHoverBackColor(ColourValue nColor);
    // The surface the button paints on, and its window id (made native on
    // first request).
    QPaintDevice* hDC() { return this; }
    quintptr hWnd();

    // Methods.
    void Refresh();
    void DelayDrawing(bool bDelay);

    // The character that works as the access key (empty: none).
    QString accessKey() const { return accessKey_; }
    // Whole state, read-only, for the drawing code and for tests.
    const ButtonModel& model() const { return m; }
    // The container whose option group this button joins.
    QWidget* container() const { return container_; }
    // Calls of Redraw so far, and those that painted (drawing not delayed).
    int redrawCount() const;
    int paintedCount() const;
    // What the drawing code shows on screen (back buffer plus outline).
    const QImage& screenImage() const;

    // The host's access-key notification: the access key's character, 13 for
    // Enter on the default button, 27 for Esc on the cancel button.
    void AccessKeyPress(int KeyAscii);
    // Starts a drag with this button as its source; returns the effect.
    int OLEDrag();

    // The option-group routine: -1 leave, 0 clear the others, 1 join,
    // 2 is any member selected.
    bool OptionToggle(int action);
    // Hover check called by the timer module.
    void CheckHover(int timerId);

signals:
    void MouseDown(short& Button, short& Shift, float& x, float& y);
    void MouseUp(short& Button, short& Shift, float& x, float& y);
    void MouseMove(short& Button, short& Shift, float& x, float& y);
    void KeyDown(short& KeyCode, short& Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseOnButton(bool& OnButton);
    void Click();
    void DoubleClick(short& Button);
    void OLECompleteDrag(int& Effect);
    void OLEDragDrop(const QMimeData*& Data, int& Effect, short& Button, short& Shift, float& x, float& y);
    void OLEDragOver(const QMimeData*& Data, int& Effect, short& Button, short& Shift, float& x, float& y,
                     short& State);
    void OLEGiveFeedback(int& Effect, bool& DefaultCursors);
    void OLESetData(const QMimeData*& Data, short& DataFormat);
    void OLEStartDrag(const QMimeData*& Data, int& AllowedEffects);
    // A stored property changed (its store key); the form needs saving.
    void PropertyChanged(const QString& key);

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // The five painting entry points.
    void RefreshDerived(const QString& aspect);
    void CalculateLayout(bool refreshPicture);
    void BuildShapeRegion();
    void HandleResize();
    void Redraw();

    // Interaction steps shared by several notifications.
    void handleMouseDown(short button, short shift, float x, float y);
    void handleClick();
    void handleAccessKey(int keyAscii);
    void hoverStart(short button, const QPoint& global);
    void hoverEnd(int timerId);
    void stopHoverTimer();
    void relayDragOver(QDropEvent* e, short state);
    void registerLive(bool alive);

    void announce(const char* key);
    void designMessage(const char* text, const char* title = nullptr);
    void onAmbientChanged(const QString& name);
    void recordContainer();
    void applyMousePointer();
    void updateShortcuts();
    void syncHostValues();
    // The container's back colour, translated.
    Rgb parentBack() const;

    // The window side the drawing code uses.
    void setWindowRegion(const QRegion& region) override;
    QRegion windowRegion() const override;
    QPoint windowPos() const override;
    void moveWindow(const QPoint& topLeft) override;
    void resizeWindow(int width, int height) override;
    void present() override;
    QSize screenSize() const override;
    qreal pixelRatio() const override { return devicePixelRatioF(); }

    ButtonModel m;
    QPointer<ControlHost> host_;
    QPointer<QWidget> container_;
    ColourValue foreColor_ = kButtonTextColor;
    int mousePointer_ = 0;
    ::Picture mouseIcon_;
    QString accessKey_;
    int accessShortcutId_ = 0;
    int enterShortcutId_ = 0;
    int returnShortcutId_ = 0;
    int escapeShortcutId_ = 0;
    QTimer* hoverTimer_ = nullptr;
    std::unique_ptr<ButtonDrawing> drawing_;
    bool inPaint_ = false;
    bool suppressNextClick_ = false;
    bool changingEnabled_ = false;
    bool resizingForDrawing_ = false;
};
