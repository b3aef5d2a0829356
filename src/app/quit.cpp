#include "app/main_window.h"

namespace korvel {

void TForm1::quitter() {
  desktop().set_cursor_pos({desktop().screen_width() / 2 - 50, desktop().screen_height() / 2});
  if (!desktop().confirm("Quitter ?")) return;
  sauve_params();
  terminated = true;
  desktop().terminate();
}

void TForm1::Panel_quitClick() { quitter(); }

void TForm1::SpeedButton_exit_helpClick() { Panel8.set_visible(false); }

}  // namespace korvel
