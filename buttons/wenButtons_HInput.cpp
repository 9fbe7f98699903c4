// The button's input: mouse, keyboard, access keys, focus, the hover check,
// option groups and drag and drop.
#include "buttons/wenButtons_H.h"

#include "host/ControlHost.h"
#include "host/VirtualKeys.h"
#include "buttons/modWenTimer.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QTimer>

#include <unordered_set>

namespace {
// Every button alive: an address in an option registry is only followed when
// it names one of them.
std::unordered_set<const wenButtons_H*>& liveButtons() {
    static std::unordered_set<const wenButtons_H*> s;
    return s;
}

QByteArray slotName(int i) { return "wen_Obj" + QByteArray::number(i); }

quintptr address(const void* p) { return reinterpret_cast<quintptr>(p); }

float xOf(const QMouseEvent* e) { return float(e->position().x()); }
float yOf(const QMouseEvent* e) { return float(e->position().y()); }
}  // namespace

void wenButtons_H::registerLive(bool alive) {
    if (alive) liveButtons().insert(this);
    else liveButtons().erase(this);
}

// ---- Mouse -------------------------------------------------------------------

void wenButtons_H::handleMouseDown(short button, short shift, float x, float y) {
    m.nLastButton = button;
    if (button == 1) {
        m.nFlags |= FlagPressed;
        m.bHeld = true;
        m.bDelayDrawing = false;
        Redraw();
        // The press already holds the pointer for this widget until release.
    }
    emit MouseDown(button, shift, x, y);
}

void wenButtons_H::mousePressEvent(QMouseEvent* e) {
    handleMouseDown(VirtualKeys::mouseButton(e->button()), VirtualKeys::shiftMask(e->modifiers()), xOf(e), yOf(e));
    e->accept();
}

void wenButtons_H::mouseReleaseEvent(QMouseEvent* e) {
    short button = VirtualKeys::mouseButton(e->button());
    short shift = VirtualKeys::shiftMask(e->modifiers());
    float x = xOf(e), y = yOf(e);
    m.bHeld = false;
    if (button == 1) {
        m.nFlags &= ~FlagPressed;
        m.bDelayDrawing = false;
        // Every mode redraws here: a check box released outside, or an option
        // button that is already selected, gets no Value change that would
        // take the pressed look off the screen.
        Redraw();
    }
    emit MouseUp(button, shift, x, y);
    m.nLastButton = button;
    // A press and release on the button make a click, except the release
    // that ends a double-click.
    const bool wasDoubleClick = suppressNextClick_;
    suppressNextClick_ = false;
    const QPoint p = e->position().toPoint();
    const bool inside = rect().contains(p) && (mask().isEmpty() || mask().contains(p));
    if (inside && !wasDoubleClick) handleClick();
    e->accept();
}

void wenButtons_H::mouseDoubleClickEvent(QMouseEvent* e) {
    float x = xOf(e), y = yOf(e);
    suppressNextClick_ = true;
    short last = m.nLastButton;
    emit DoubleClick(last);
    if (m.nLastButton == 1) {
        handleMouseDown(1, 0, x, y);
        m.nLastButton = -1;
    } else {
        short button = 1, shift = 0;
        emit MouseDown(button, shift, x, y);
    }
    e->accept();
}

void wenButtons_H::mouseMoveEvent(QMouseEvent* e) {
    short buttons = VirtualKeys::mouseButtons(e->buttons());
    short shift = VirtualKeys::shiftMask(e->modifiers());
    float x = xOf(e), y = yOf(e);
    // The move's own position is where the pointer was when it moved.
    if (!m.bHoverTracking) hoverStart(buttons, e->globalPosition().toPoint());
    emit MouseMove(buttons, shift, x, y);
}

void wenButtons_H::handleClick() {
    if (m.nLastButton != 1) return;
    switch (m.Mode) {
    case 0:
        emit Click();
        break;
    case 1:
        setValue(!m.Value);
        emit Click();
        break;
    case 2:
        if (m.Value) return;
        setValue(true);
        emit Click();
        break;
    default:
        break;
    }
}

// ---- Hover ---------------------------------------------------------------------

void wenButtons_H::hoverStart(short button, const QPoint& global) {
    if (modWenTimer::WindowFromPoint(global) != this) return;
    m.nFlags |= FlagHover;
    bool on = true;
    emit MouseOnButton(on);
    setProperty("wen_ClassID", QVariant::fromValue<quintptr>(address(this)));
    setProperty("wen_TimerID", kHoverTimerId);
    hoverTimer_->start();
    m.bHoverTracking = true;
    m.bDelayDrawing = false;
    if (button & 1) m.bHeld = true;
    Redraw();
}

void wenButtons_H::CheckHover(int timerId) {
    if (modWenTimer::WindowFromPoint() == this) return;
    hoverEnd(timerId);
}

void wenButtons_H::hoverEnd(int timerId) {
    if (timerId == kHoverTimerId) hoverTimer_->stop();
    m.nFlags &= ~FlagHover;
    m.bHoverTracking = false;
    m.bDelayDrawing = false;
    bool on = false;
    emit MouseOnButton(on);
    m.bHeld = false;
    Redraw();
}

void wenButtons_H::stopHoverTimer() {
    if (hoverTimer_) hoverTimer_->stop();
    m.bHoverTracking = false;
}

// ---- Keyboard ------------------------------------------------------------------

void wenButtons_H::keyPressEvent(QKeyEvent* e) {
    short code = VirtualKeys::fromQtKey(e->key());
    short shift = VirtualKeys::shiftMask(e->modifiers());
    switch (code) {
    case VirtualKeys::Left: case VirtualKeys::Up: case VirtualKeys::Right: case VirtualKeys::Down: {
        // Arrows belong to the container: it moves between its controls.
        quint32 scan = code == VirtualKeys::Right ? 0x4D : code == VirtualKeys::Down ? 0x50
                     : code == VirtualKeys::Left  ? 0x4B : 0x48;
        QWidget* target = container_ ? container_.data() : parentWidget();
        if (target)
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, e->key(), e->modifiers(), scan,
                                                              quint32(code), 0, QString(), e->isAutoRepeat()));
        e->accept();
        return;
    }
    case VirtualKeys::Space:
        if (!(m.nFlags & FlagPressed)) {
            m.nFlags |= FlagHover | FlagPressed;
            m.bHeld = true;
            Redraw();
            // The pressed look shows even with the pointer elsewhere.
            if (!m.bHoverTracking) m.nFlags &= ~FlagHover;
        }
        break;
    default:
        break;
    }
    emit KeyDown(code, shift);
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).unicode() < 256) {
        short ascii = short(text.at(0).unicode());
        emit KeyPress(ascii);
    }
    e->accept();
}

void wenButtons_H::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;
    short code = VirtualKeys::fromQtKey(e->key());
    short shift = VirtualKeys::shiftMask(e->modifiers());
    m.bHeld = false;
    switch (code) {
    case VirtualKeys::Space:
        if (m.nFlags & FlagPressed) {
            m.nFlags &= ~FlagPressed;
            m.nLastButton = 1;
            if (m.Mode == 0) {
                Redraw();
                handleClick();
                emit KeyUp(code, shift);
            } else {
                emit KeyUp(code, shift);
                // As for the mouse: the pressed look goes even when the click
                // changes no Value.
                Redraw();
                handleClick();
            }
        } else {
            emit KeyUp(code, shift);
        }
        break;
    case VirtualKeys::Left: case VirtualKeys::Up: case VirtualKeys::Right: case VirtualKeys::Down:
        if (m.Mode == 2 && !m.Value) {
            m.nLastButton = 1;
            handleClick();
        }
        break;
    case VirtualKeys::Shift:
        break;
    default:
        emit KeyUp(code, shift);
        break;
    }
    e->accept();
}

// ---- Access keys, Enter and Esc ------------------------------------------------

void wenButtons_H::updateShortcuts() {
    for (int* id : {&accessShortcutId_, &enterShortcutId_, &returnShortcutId_, &escapeShortcutId_}) {
        if (*id) releaseShortcut(*id);
        *id = 0;
    }
    if (!accessKey_.isEmpty()) accessShortcutId_ = grabShortcut(QKeySequence::mnemonic("&" + accessKey_));
    ControlHost* h = host();
    if (h->defaultButton() == this) {
        returnShortcutId_ = grabShortcut(QKeySequence(Qt::Key_Return));
        enterShortcutId_ = grabShortcut(QKeySequence(Qt::Key_Enter));
    }
    if (h->cancelButton() == this) escapeShortcutId_ = grabShortcut(QKeySequence(Qt::Key_Escape));
}

void wenButtons_H::handleAccessKey(int keyAscii) {
    const bool enterOrEsc = keyAscii == 13 || keyAscii == 27;
    if (enterOrEsc && m.Mode > 0) return;
    if (!enterOrEsc && !(m.nFlags & FlagDefaultLook)) Redraw();
    m.nLastButton = 1;
    handleClick();
}

void wenButtons_H::AccessKeyPress(int KeyAscii) { handleAccessKey(KeyAscii); }

bool wenButtons_H::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut) {
        const int id = static_cast<QShortcutEvent*>(e)->shortcutId();
        if (id && id == accessShortcutId_) {
            handleAccessKey(accessKey_.isEmpty() ? 0 : accessKey_.at(0).toLatin1());
            return true;
        }
        if (id && (id == enterShortcutId_ || id == returnShortcutId_)) {
            if (host()->defaultButton() == this) handleAccessKey(13);
            return true;
        }
        if (id && id == escapeShortcutId_) {
            if (host()->cancelButton() == this) handleAccessKey(27);
            return true;
        }
    }
    return QWidget::event(e);
}

// ---- Focus ---------------------------------------------------------------------

void wenButtons_H::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    if (m.Mode == 2 && !m.Value && !OptionToggle(2)) {
        m.nLastButton = 1;
        handleClick();
    }
}

// ---- Option groups -------------------------------------------------------------
// The registry lives in the container's dynamic properties: wen_OptCount and
// wen_Obj1 .. wen_ObjN, each the address of a member.

bool wenButtons_H::OptionToggle(int action) {
    QWidget* c = container_ ? container_.data() : parentWidget();
    if (!c) return false;
    const int n = c->property("wen_OptCount").toInt();
    auto member = [&](int i) -> wenButtons_H* {
        const quintptr a = c->property(slotName(i).constData()).value<quintptr>();
        for (const wenButtons_H* b : liveButtons())
            if (address(b) == a) return const_cast<wenButtons_H*>(b);
        return nullptr;
    };
    auto slotOf = [&](int i) { return c->property(slotName(i).constData()).value<quintptr>(); };

    if ((action == 1 || n > 0) && m.Value) {
        for (int i = 1; i <= n; ++i) {
            wenButtons_H* b = member(i);
            if (b && b != this) b->setValue(false);
        }
    }
    switch (action) {
    case -1: {
        bool found = false;
        for (int i = 1; i <= n; ++i) {
            const quintptr a = slotOf(i);
            if (found) c->setProperty(slotName(i - 1).constData(), QVariant::fromValue<quintptr>(a));
            else if (a == address(this)) found = true;
        }
        // A button that is not registered leaves nothing behind it.
        if (!found) return false;
        c->setProperty(slotName(n).constData(), QVariant());
        if (n == 1) c->setProperty("wen_OptCount", QVariant());
        else c->setProperty("wen_OptCount", n - 1);
        return false;
    }
    case 1:
        // Joining twice would leave a stale slot after one leave.
        for (int i = 1; i <= n; ++i)
            if (slotOf(i) == address(this)) return false;
        c->setProperty("wen_OptCount", n + 1);
        c->setProperty(slotName(n + 1).constData(), QVariant::fromValue<quintptr>(address(this)));
        return false;
    case 2:
        for (int i = 1; i <= n; ++i) {
            const wenButtons_H* b = member(i);
            if (b && b->m.Value) return true;
        }
        return false;
    default:
        return false;
    }
}

// ---- Drag and drop ---------------------------------------------------------------

namespace {
int effectOf(Qt::DropActions a) {
    int e = 0;
    if (a & Qt::CopyAction) e |= 1;
    if (a & Qt::MoveAction) e |= 2;
    if (a & Qt::LinkAction) e |= 4;
    return e;
}
Qt::DropAction actionOf(int effect) {
    if (effect & 2) return Qt::MoveAction;
    if (effect & 1) return Qt::CopyAction;
    if (effect & 4) return Qt::LinkAction;
    return Qt::IgnoreAction;
}
}  // namespace

void wenButtons_H::relayDragOver(QDropEvent* e, short state) {
    const QMimeData* data = e->mimeData();
    int effect = effectOf(e->possibleActions());
    short button = VirtualKeys::mouseButtons(e->buttons());
    short shift = VirtualKeys::shiftMask(e->modifiers());
    float x = float(e->position().x()), y = float(e->position().y());
    emit OLEDragOver(data, effect, button, shift, x, y, state);
    if (effect == 0) {
        e->ignore();
    } else {
        e->setDropAction(actionOf(effect));
        e->accept();
    }
}

void wenButtons_H::dragEnterEvent(QDragEnterEvent* e) { relayDragOver(e, 0); }
void wenButtons_H::dragMoveEvent(QDragMoveEvent* e) { relayDragOver(e, 2); }

void wenButtons_H::dragLeaveEvent(QDragLeaveEvent*) {
    const QMimeData* data = nullptr;
    int effect = 0;
    short button = 0, shift = 0, state = 1;
    const QPointF p = mapFromGlobal(QPointF(modWenTimer::pointerPos()));
    float x = float(p.x()), y = float(p.y());
    emit OLEDragOver(data, effect, button, shift, x, y, state);
}

void wenButtons_H::dropEvent(QDropEvent* e) {
    const QMimeData* data = e->mimeData();
    int effect = effectOf(e->possibleActions());
    short button = VirtualKeys::mouseButtons(e->buttons());
    short shift = VirtualKeys::shiftMask(e->modifiers());
    float x = float(e->position().x()), y = float(e->position().y());
    emit OLEDragDrop(data, effect, button, shift, x, y);
    e->setDropAction(actionOf(effect));
    e->accept();
}

int wenButtons_H::OLEDrag() {
    auto* mime = new QMimeData;
    const QMimeData* data = mime;
    int allowed = 1 | 2;
    emit OLEStartDrag(data, allowed);
    short format = 0;
    emit OLESetData(data, format);
    QDrag drag(this);
    drag.setMimeData(mime);
    connect(&drag, &QDrag::actionChanged, this, [this](Qt::DropAction a) {
        int effect = effectOf(a);
        bool defaultCursors = true;
        emit OLEGiveFeedback(effect, defaultCursors);
    });
    Qt::DropActions actions;
    if (allowed & 1) actions |= Qt::CopyAction;
    if (allowed & 2) actions |= Qt::MoveAction;
    if (allowed & 4) actions |= Qt::LinkAction;
    int effect = effectOf(drag.exec(actions));
    emit OLECompleteDrag(effect);
    return effect;
}
