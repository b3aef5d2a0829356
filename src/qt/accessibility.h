#pragma once
// What screen readers see of the view through the platform's accessibility
// bus (AT-SPI on Linux): the panels used as buttons are push buttons with
// their press action, the number fields with up-down buttons are spin boxes
// with their value and steps, the picture is a canvas. Names and
// descriptions come from the models (control_style.h).

namespace korvel::qt {

// Installs the view's accessibility factory, once per process.
void install_accessibility();

}  // namespace korvel::qt
