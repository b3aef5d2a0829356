// Which handler each control's events run, as the form binds them.
#include "app/main_window.h"

namespace korvel {

void TForm1::bind_handlers() {
  Panel_new_fond_noir.OnClick = [this] { Panel_new_fond_noirClick(); };
  Panel2.OnClick = [this] { Panel2Click(); };
  Panel_quit.OnClick = [this] { Panel_quitClick(); };
  SpeedButton_exit_help.OnClick = [this] { SpeedButton_exit_helpClick(); };
}

}  // namespace korvel
