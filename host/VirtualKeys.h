#pragma once
// The platform's numbers for keys, mouse buttons and mouse pointers, as the
// controls' events and properties carry them, and their Qt equivalents.
// Key codes: 32 space, 13 enter, 27 escape, 16 shift, 37..40 left, up,
// right, down, 48..57 digits, 65..90 letters, 112.. function keys. Shift
// mask: 1 shift, 2 control, 4 alt.
#include <Qt>

#include <optional>

namespace VirtualKeys {
enum : short {
    Enter = 13, Shift = 16, Control = 17, Menu = 18, Escape = 27, Space = 32,
    Left = 37, Up = 38, Right = 39, Down = 40,
};

// 0 for keys without a code.
short fromQtKey(int key);
short shiftMask(Qt::KeyboardModifiers modifiers);
short mouseButton(Qt::MouseButton button);
short mouseButtons(Qt::MouseButtons buttons);

// The pointer a MousePointer number shows: 1 arrow, 2 cross, 3 I-beam,
// 4 arrow, 5 size all, 6 NE-SW, 7 N-S, 8 NW-SE, 9 W-E, 10 up arrow,
// 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question,
// 15 size all. None for 0 (the control's own pointer), 99 (the custom
// pointer from MouseIcon) and any other number.
std::optional<Qt::CursorShape> pointerShape(int pointer);
}  // namespace VirtualKeys
