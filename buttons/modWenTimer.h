#pragma once
// The hover timer's side: finding the window under the pointer, and the
// callback that hands each 50 ms tick to the button that started the timer.
#include <QPoint>

#include <functional>

class QWidget;

namespace modWenTimer {

// The widget that lies under the pointer, or under a global point
// (nullptr: none of ours).
QWidget* WindowFromPoint();
QWidget* WindowFromPoint(const QPoint& global);

// Where the pointer is, in global coordinates. Replaceable so that a test or
// a platform without a readable pointer can say where it is; an empty
// function restores the platform's own position.
void setPointerSource(std::function<QPoint()> source);
QPoint pointerPos();

// The tick for `hwnd`: reads wen_ClassID and wen_TimerID from it and calls
// CheckHover of the button recorded there.
void TimerProc(QWidget* hwnd);

}  // namespace modWenTimer
