#pragma once
// Qt's keys, modifiers and buttons as the behaviour's Windows vocabulary.
#include <QKeyEvent>
#include <QMouseEvent>
#include <cstdint>

#include "platform/input.h"

namespace korvel::qt {

// The virtual-key code of a key: letters as their capitals (65-90) whatever
// Shift says, the top-row digits 48-57 (also when the layout types another
// character on them), Escape 27, space 32, arrows 37-40, F1..F24 from 112,
// Ctrl 17, Shift 16, Alt 18, the keypad's digits 96-105 and operators
// 106-111. vk::NoCode for a key that has no number of its own.
std::uint16_t virtual_key(const QKeyEvent& event);

// Shift, Ctrl and Alt held, and the mouse buttons held.
TShiftState shift_state(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// The state during a key press: a modifier key counts itself as held, as on
// the platform whose codes these are.
TShiftState key_shift_state(const QKeyEvent& event);
// The state of a mouse event; a double click adds ssDouble.
TShiftState mouse_shift_state(const QMouseEvent& event);

// mbLeft for anything that is neither the right nor the middle button.
TMouseButton mouse_button(Qt::MouseButton button);

}  // namespace korvel::qt
