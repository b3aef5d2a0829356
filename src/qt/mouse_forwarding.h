#pragma once
// Mouse events handed to the behaviour, from the bare window, the picture and
// the panels alike.
#include <QMouseEvent>

#include "platform/input.h"
#include "qt/view_context.h"

namespace korvel::qt {

// Runs the handler of `event` among `events`, if it has one, through the
// dispatch boundary: a press or a double click (with ssDouble) goes to
// OnMouseDown, a move to OnMouseMove, a release to OnMouseUp, with the
// position in the receiving widget's pixels. `control` is the control the
// events are made on (null: the window itself).
void forward_mouse(ViewContext& context, const QMouseEvent& event, const MouseEvents& events, const Control* control);

}  // namespace korvel::qt
