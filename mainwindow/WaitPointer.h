#pragma once
// The wait pointer over a window while a handler runs, restored on every
// way out of it.
#include <QWidget>

class WaitPointer {
public:
    explicit WaitPointer(QWidget* w) : w_(w) { w_->setCursor(Qt::WaitCursor); }
    ~WaitPointer() { w_->unsetCursor(); }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;

private:
    QWidget* w_;
};
