#include "qt/mouse_forwarding.h"

#include "qt/key_codes.h"

namespace korvel::qt {

void forward_mouse(ViewContext& context, const QMouseEvent& event, const MouseEvents& events, const Control* control) {
  const TMouseButton button = mouse_button(event.button());
  const TShiftState shift = mouse_shift_state(event);
  const QPoint pos = event.position().toPoint();
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (events.OnMouseDown) context.run(control, [&] { events.OnMouseDown(button, shift, pos.x(), pos.y()); });
      break;
    case QEvent::MouseMove:
      if (events.OnMouseMove) context.run(control, [&] { events.OnMouseMove(shift, pos.x(), pos.y()); });
      break;
    case QEvent::MouseButtonRelease:
      if (events.OnMouseUp) context.run(control, [&] { events.OnMouseUp(button, shift, pos.x(), pos.y()); });
      break;
    default:
      break;
  }
}

}  // namespace korvel::qt
