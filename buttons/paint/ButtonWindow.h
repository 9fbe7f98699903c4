#pragma once
// What the drawing code needs of the window that shows a button: its outline
// (window region), its place in the container, its size, and a way to put a
// finished image on the screen. The widget implements it; tests use a fake.
#include <QPoint>
#include <QRegion>
#include <QSize>

class ButtonWindow {
public:
    virtual ~ButtonWindow() = default;

    // The outline: clicks and painting outside it do not reach the button.
    virtual void setWindowRegion(const QRegion& region) = 0;
    // The outline last set; an empty region when none was set.
    virtual QRegion windowRegion() const = 0;

    // Top-left corner in the container's coordinates, and moving it there.
    virtual QPoint windowPos() const = 0;
    virtual void moveWindow(const QPoint& topLeft) = 0;

    // Changes the client size without running the window's resize handling:
    // the drawing code that asks renews its back buffer itself. On return the
    // model's ScaleWidth and ScaleHeight hold the size the window really took.
    virtual void resizeWindow(int width, int height) = 0;

    // The screen image changed; show it (ButtonDrawing::screen()).
    virtual void present() = 0;

    // Size of the screen in pixels. Wide buttons shade their gradients in
    // two-pixel bands; which ones depends on the screen.
    virtual QSize screenSize() const = 0;

    // Device pixels per logical pixel of the screen the window is on: the
    // back buffer is drawn at this resolution.
    virtual qreal pixelRatio() const { return 1.0; }
};
