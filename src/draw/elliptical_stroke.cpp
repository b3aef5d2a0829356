// The elliptical stroke ("délié elliptique"): stroke capture hands every event
// of that trace type to these handlers.
#include "app/main_window.h"

namespace korvel {

// FIXME: the elliptical stroke is not drawn yet; its events are accepted and ignored.
void TForm1::_FormMouseDown_ellipse(TMouseButton, TShiftState, int, int) {}
void TForm1::_FormMouseMove_ellipse(TShiftState, int, int) {}
void TForm1::_FormMouseUp_ellipse(TMouseButton, TShiftState, int, int) {}

}  // namespace korvel
