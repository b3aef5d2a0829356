// Which handler each control's events run, as the form binds them.
#include <initializer_list>

#include "app/main_window.h"

namespace korvel {

void TForm1::bind_handlers() {
  Panel_new_fond_noir.OnClick = [this] { Panel_new_fond_noirClick(); };
  Panel2.OnClick = [this] { Panel2Click(); };
  Panel_quit.OnClick = [this] { Panel_quitClick(); };
  SpeedButton_exit_help.OnClick = [this] { SpeedButton_exit_helpClick(); };
  Panel3.OnClick = [this] { Panel3Click(); };

  // The window's mouse events, and the picture's, go to the window's own
  // handlers.
  OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) { FormMouseDown(b, s, x, y); };
  OnMouseMove = [this](TShiftState s, int x, int y) { FormMouseMove(s, x, y); };
  OnMouseUp = [this](TMouseButton b, TShiftState s, int x, int y) { FormMouseUp(b, s, x, y); };
  Image1.OnMouseDown = OnMouseDown;
  Image1.OnMouseMove = OnMouseMove;
  Image1.OnMouseUp = OnMouseUp;

  RadioGroup_couleur_crayon.OnClick = [this] { RadioGroup_couleur_crayonClick(); };
  RadioGroup_couleur_peinture.OnClick = [this] { RadioGroup_couleur_peintureClick(); };
  Panel_crayon.OnClick = [this] { Panel_crayonClick(); };
  Panel_peinture.OnClick = [this] { Panel_peintureClick(); };
  Panel10.OnClick = [this] { Panel10Click(); };
  Panel4.OnClick = [this] { Panel4Click(); };
  Panel1.OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) { Panel1MouseDown(b, s, x, y); };
  Panel6.OnClick = [this] { Panel6Click(); };
  Panel_stop.OnClick = [this] { Panel_stopClick(); };

  Panel11.OnClick = [this] { Panel11Click(); };
  Panel13.OnClick = [this] { Panel13Click(); };
  Panel7.OnClick = [this] { Panel7Click(); };
  Panel5.OnClick = [this] { Panel5Click(); };

  ComboBox1.OnClick = [this] { ComboBox1Click(); };
  for (Edit* e : {&Edit1, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7}) {
    e->OnKeyPress = [this](char32_t& key) { Edit1KeyPress(key); };
    e->OnKeyDown = [this](std::uint16_t& key, TShiftState shift) { Edit1KeyDown(key, shift); };
  }

  Timer1.OnTimer = [this] { Timer1Timer(); };
  Timer2.OnTimer = [this] { Timer2Timer(); };
  Panel1.OnMouseMove = [this](TShiftState s, int x, int y) { Panel1MouseMove(s, x, y); };
  Panel12.OnClick = [this] { Panel12Click(); };
  RadioGroup_peindre_dessiner.OnClick = [this] { RadioGroup_peindre_dessinerClick(); };
  RadioGroup_peindre_dessiner.OnEnter = [this] { RadioGroup_peindre_dessinerEnter(); };
  RadioGroup_type_trace.OnClick = [this] { RadioGroup_type_traceClick(); };
  RadioGroup_symetrie.OnClick = [this] { RadioGroup_symetrieClick(); };
  Edit6.OnChange = [this] { Edit6Change(); };
  UpDown5.OnChanging = [this](bool& allow) { UpDown5Changing(allow); };
  CheckBox_ombre_1.OnClick = [this] { CheckBox_ombre_1Click(); };
  CheckBox_ombre_2.OnClick = [this] { CheckBox_ombre_2Click(); };
  CheckBox_epaisseur.OnClick = [this] { CheckBox_epaisseurClick(); };
}

}  // namespace korvel
