#pragma once
// A window that only keeps what the drawing code asks of it: its outline,
// its place and its size. For drawing a button without a widget (the
// gallery, the benchmark, tests).
#include "buttons/paint/ButtonModel.h"
#include "buttons/paint/ButtonWindow.h"

class OffscreenWindow : public ButtonWindow {
public:
    explicit OffscreenWindow(ButtonModel& model) : m_(model) {}

    void setWindowRegion(const QRegion& r) override { region = r; }
    QRegion windowRegion() const override { return region; }
    QPoint windowPos() const override { return pos; }
    void moveWindow(const QPoint& p) override { pos = p; }
    void resizeWindow(int width, int height) override {
        m_.ScaleWidth = width;
        m_.ScaleHeight = height;
    }
    void present() override {}
    QSize screenSize() const override { return screen; }
    qreal pixelRatio() const override { return ratio; }

    QRegion region;
    QPoint pos;
    QSize screen{1920, 1080};
    qreal ratio = 1.0;

private:
    ButtonModel& m_;
};
