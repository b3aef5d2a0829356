// Behaviour of the tool panel: automatic hiding and the small handlers that
// keep the choices consistent.
#include "app/main_window.h"

namespace korvel {

void TForm1::_ws() {
  menu_a_cacher = false;
  menu_descend = false;
}

}  // namespace korvel
