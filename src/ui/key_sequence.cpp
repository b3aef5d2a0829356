#include "ui/key_sequence.h"

#include "app/main_window.h"
#include "platform/dispatch.h"

namespace korvel {

std::optional<std::u32string> preview_key(TForm1& form, Control* target, const KeyStroke& stroke) {
  Desktop& desktop = form.desktop();
  Edit* edit = target && target->kind() == ControlKind::Edit ? static_cast<Edit*>(target) : nullptr;

  // Every key reaches FormKeyDown, those without a number of their own too:
  // with Ctrl alone held, any key enters centre choice.
  std::uint16_t key = stroke.key;
  const std::uint32_t vidages = form.vidages_clavier;
  if (dispatch(desktop, [&] { form.FormKeyDown(key, stroke.shift); }) == Handled::failed) key = 0;
  if (key && edit && edit->OnKeyDown &&
      dispatch(desktop, [&] { edit->OnKeyDown(key, stroke.shift); }) == Handled::failed)
    key = 0;

  // The characters go through even when the key was consumed, as typed
  // characters follow their key on the platform whose handlers these are.
  // A command that dropped the waiting keys (the random colouring) drops
  // its own key's characters too: they were waiting behind it.
  const std::u32string& text = form.vidages_clavier == vidages ? stroke.text : std::u32string();
  std::u32string passed;
  for (const char32_t typed : text) {
    char32_t c = typed;
    if (dispatch(desktop, [&] { form.FormKeyPress(c); }) == Handled::failed) c = 0;
    if (c && edit && edit->OnKeyPress && dispatch(desktop, [&] { edit->OnKeyPress(c); }) == Handled::failed) c = 0;
    if (c) passed.push_back(c);
  }
  if (key == 0 || (!stroke.text.empty() && passed.empty())) return std::nullopt;
  return passed;
}

}  // namespace korvel
