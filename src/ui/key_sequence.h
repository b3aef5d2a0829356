#pragma once
// Key preview: the road of one key press through the window's key handlers
// and the focused control's, before the control itself gets the key.
//
//   FormKeyDown(key) -> control's OnKeyDown(key)
//   for each character c:  FormKeyPress(c) -> control's OnKeyPress(c)
//
// A handler consumes the key or a character by setting it to 0; a handler
// that fails is reported through the desktop and consumes what it was given,
// as it stops at its throw.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/input.h"

namespace korvel {

class TForm1;
class Control;

// A key press as the window sees it.
struct KeyStroke {
  std::uint16_t key = vk::NoCode;  // its virtual-key number; vk::NoCode when it has none
  TShiftState shift = 0;           // modifiers held, a modifier key counting itself
  std::u32string text;             // the characters it types, in order; often none
};

// Runs the key through the handlers above, `target` being the control the
// key is addressed to (nullptr: the window itself). Returns the characters
// that go on to the control with the key (empty for a key that types none),
// or nothing when the key was consumed, or when it typed characters and all
// of them were consumed.
std::optional<std::u32string> preview_key(TForm1& form, Control* target, const KeyStroke& stroke);

}  // namespace korvel
