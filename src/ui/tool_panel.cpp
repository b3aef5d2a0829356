// Behaviour of the tool panel: automatic hiding, the help panel and the
// small handlers that keep the choices consistent.
#include "app/main_window.h"

namespace korvel {

void TForm1::_ws() {
  menu_a_cacher = false;
  menu_descend = false;
}

void TForm1::Timer1Timer() {
  Timer1.set_interval(10000);
  if (menu_a_cacher) menu_descend = true;
}

void TForm1::Timer2Timer() {
  if (!CheckBox_panel_disparait_auto.checked()) return;
  Timer2.set_interval(20);
  if (!menu_descend) return;
  // Undocked, the panel can leave the bottom and the picture area no longer
  // shrinks for it.
  Panel1.set_align(alNone);
  if (Panel1.top() < desktop().screen_height())
    Panel1.set_top(Panel1.top() + 1);
  else
    _ws();
}

void TForm1::Panel1MouseMove(TShiftState, int X, int) {
  Timer1.set_interval(10000);
  menu_descend = false;
  Panel1.set_top(top_menu);
  // The hint shows only in the margins outside the block of controls.
  Panel1.set_show_hint(X < RadioGroup_peindre_dessiner.left() - 50 || X > Panel4.left() + 50);
}

void TForm1::Panel12Click() { Panel8.set_visible(!Panel8.visible()); }

void TForm1::ajuste_mode_peinture() {
  switch (RadioGroup_peindre_dessiner.choice<ModePeinture>()) {
    case ModePeinture::peind_tant_que:
      RadioGroup_type_trace.set_choice(TypeTrace::crayon);
      break;
    case ModePeinture::peind_jusqua:
      if (RadioGroup_couleur_crayon.choice<ChoixCouleur>() == ChoixCouleur::aleatoire) {
        coul_crayon = coul_crayon_prec;
        Panel_crayon.set_color(coul_crayon);
        Panel9.set_color(Panel_crayon.color());
      }
      RadioGroup_couleur_crayon.set_choice(ChoixCouleur::choisie);
      RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_jusqua);
      RadioGroup_type_trace.set_choice(TypeTrace::crayon);
      break;
    default:
      break;
  }
}

void TForm1::RadioGroup_peindre_dessinerClick() {
  ajuste_mode_peinture();
  _ws();
}

void TForm1::RadioGroup_peindre_dessinerEnter() {
  ajuste_mode_peinture();
  _ws();
}

void TForm1::RadioGroup_type_traceClick() {
  RadioGroup_peindre_dessiner.set_choice(ModePeinture::dessiner);
  _ws();
}

void TForm1::RadioGroup_symetrieClick() { _ws(); }

void TForm1::Edit6Change() { nb_clones = StrToInt(Edit6.text()); }

void TForm1::UpDown5Changing(bool&) { nb_clones = StrToInt(Edit6.text()); }

void TForm1::CheckBox_ombre_1Click() {
  if (CheckBox_ombre_1.checked()) CheckBox_ombre_2.set_checked(false);
}

void TForm1::CheckBox_ombre_2Click() {
  if (CheckBox_ombre_2.checked()) CheckBox_ombre_1.set_checked(false);
}

void TForm1::CheckBox_epaisseurClick() { Edit2.SetFocus(); }

}  // namespace korvel
