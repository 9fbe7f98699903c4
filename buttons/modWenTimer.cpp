#include "buttons/modWenTimer.h"

#include "buttons/wenButtons_H.h"

#include <QApplication>
#include <QCursor>
#include <QVariant>
#include <QWidget>

namespace modWenTimer {
namespace {
std::function<QPoint()>& source() {
    static std::function<QPoint()> s;
    return s;
}
}  // namespace

void setPointerSource(std::function<QPoint()> s) { source() = std::move(s); }

QPoint pointerPos() { return source() ? source()() : QCursor::pos(); }

QWidget* WindowFromPoint() { return WindowFromPoint(pointerPos()); }
QWidget* WindowFromPoint(const QPoint& global) { return QApplication::widgetAt(global); }

void TimerProc(QWidget* hwnd) {
    if (!hwnd) return;
    const auto address = hwnd->property("wen_ClassID").value<quintptr>();
    const int timerId = hwnd->property("wen_TimerID").toInt();
    // The address is the button's own, recorded on its own window; the
    // timer belongs to that window and dies with it, so the button is alive.
    // Still, refuse an address that is not this window's button.
    auto* button = qobject_cast<wenButtons_H*>(hwnd);
    if (!button || address != reinterpret_cast<quintptr>(button)) return;
    button->CheckHover(timerId);
}

}  // namespace modWenTimer
