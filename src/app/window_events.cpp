// What the window does when the view reports focus, activation and size.
#include "app/main_window.h"

namespace korvel {

void TForm1::move_focus(Control* target) {
  if (target == focused_control) return;
  focused_control = target;
  if (target && target->OnEnter) target->OnEnter();
}

void TForm1::window_activated() {
  if (m_activated) return;
  m_activated = true;
  FormActivate();
}

void TForm1::window_resized(int width, int height) {
  const Canvas& picture = Image1.canvas();
  if (width == ClientWidth && height == ClientHeight && picture.width() == width && picture.height() == height)
    return;
  set_client_size(width, height);
  FormResize();
}

}  // namespace korvel
