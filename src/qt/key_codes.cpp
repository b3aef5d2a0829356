#include "qt/key_codes.h"

#include <QGuiApplication>

namespace korvel::qt {

namespace {

// X11 key codes of the top row "1".."0" (evdev scan code + 8): the platform
// whose codes we use names those keys by their digit on every layout.
constexpr quint32 kXcbDigitOne = 10, kXcbDigitZero = 19;

std::uint16_t named_key(int key) {
  switch (key) {
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Control: return vk::Control;
    case Qt::Key_Shift: return vk::Shift;
    case Qt::Key_Alt: return vk::Menu;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    // Operators of the numeric keypad.
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period: case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
  }
}

}  // namespace

std::uint16_t virtual_key(const QKeyEvent& event) {
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return std::uint16_t('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    if (event.modifiers() & Qt::KeypadModifier) return std::uint16_t(96 + (key - Qt::Key_0));
    return std::uint16_t('0' + (key - Qt::Key_0));
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return std::uint16_t(vk::F1 + (key - Qt::Key_F1));
  // Keypad operators have numbers; the same characters elsewhere do not.
  if (key >= Qt::Key_Asterisk && key <= Qt::Key_Slash && !(event.modifiers() & Qt::KeypadModifier))
    return vk::NoCode;
  if (const std::uint16_t code = named_key(key)) return code;
  // "&", "é", ... on a French layout: the key is still its digit.
  const quint32 scan = event.nativeScanCode();
  if (scan >= kXcbDigitOne && scan <= kXcbDigitZero && QGuiApplication::platformName() == QLatin1String("xcb"))
    return scan == kXcbDigitZero ? std::uint16_t('0') : std::uint16_t('1' + (scan - kXcbDigitOne));
  return vk::NoCode;
}

TShiftState shift_state(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

TShiftState key_shift_state(const QKeyEvent& event) {
  TShiftState s = shift_state(event.modifiers(), QGuiApplication::mouseButtons());
  switch (event.key()) {
    case Qt::Key_Shift: s |= ssShift; break;
    case Qt::Key_Control: s |= ssCtrl; break;
    case Qt::Key_Alt: s |= ssAlt; break;
    default: break;
  }
  return s;
}

TShiftState mouse_shift_state(const QMouseEvent& event) {
  TShiftState s = shift_state(event.modifiers(), event.buttons());
  if (event.type() == QEvent::MouseButtonDblClick) s |= ssDouble;
  return s;
}

TMouseButton mouse_button(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
  }
}

}  // namespace korvel::qt
