#pragma once
// Mouse and keyboard vocabulary shared by the behaviour and the view.
#include <cstdint>
#include <functional>

namespace korvel {

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// A set of modifier keys and held buttons.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16,
                             ssMiddle = 32, ssDouble = 64;

// The mouse events of a window or control, with positions in its own
// pixels; an empty one takes nothing.
struct MouseEvents {
  std::function<void(TMouseButton, TShiftState, int, int)> OnMouseDown;
  std::function<void(TShiftState, int, int)> OnMouseMove;
  std::function<void(TMouseButton, TShiftState, int, int)> OnMouseUp;
};

// Key codes are the Windows virtual-key numbers; letters are their capitals.
namespace vk {
inline constexpr std::uint16_t Escape = 27, Space = 32, Left = 37, Up = 38, Right = 39, Down = 40,
                               F1 = 112, F8 = 119, F9 = 120, F12 = 123, Control = 17,
                               Shift = 16, Menu = 18;
inline constexpr std::uint16_t F2 = 113;  // shows or hides the guides
// A key that has no number of its own (punctuation, dead keys, ...): it
// still reaches the key handlers, and matches no command.
inline constexpr std::uint16_t NoCode = 255;
inline constexpr std::uint16_t F3 = 114;  // the time-lapse's export
}  // namespace vk

}  // namespace korvel
