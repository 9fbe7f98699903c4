#pragma once
// Key codes and shift masks as the button's key events carry them:
// 32 space, 13 enter, 27 escape, 16 shift, 37..40 left, up, right, down,
// 48..57 digits, 65..90 letters, 112.. function keys. Shift mask: 1 shift,
// 2 control, 4 alt.
#include <Qt>

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
}  // namespace VirtualKeys
