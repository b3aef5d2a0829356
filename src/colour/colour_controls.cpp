// The colour swatches, the colour dialog and its custom colours.
#include "app/choices.h"
#include "app/main_window.h"
#include "colour/custom_colours.h"

namespace korvel {

void TForm1::init_couleurs_perso() {
  // Line A follows the menu colour of this moment; B to D are kept as text.
  std::vector<std::string> liste = {ligne_couleur_perso(0, Panel1.color()), "ColorB=DAFEE7", "ColorC=D9FAFF",
                                    "ColorD=FFE0B3"};
  // I is the panel's colour at start, to go back to it.
  const TColor calculees[] = {
      RGB(253, 234, 225), RGB(236, 225, 253), RGB(251, 225, 253), RGB(255, 245, 221),
      kCouleurMenuDepart, RGB(255, 240, 138), RGB(100, 193, 255), RGB(106, 196, 255),
      RGB(250, 198, 173), RGB(220, 200, 251), RGB(183, 251, 249), RGB(245, 216, 176),
  };
  for (const TColor c : calculees) liste.push_back(ligne_couleur_perso(int(liste.size()), c));
  ColorDialog1_CustomColors = lit_couleurs_perso(liste);
}

std::optional<TColor> TForm1::ColorDialog1_Execute() {
  const std::optional<TColor> choisie = desktop().choose_colour(ColorDialog1_Color, ColorDialog1_CustomColors);
  if (choisie) ColorDialog1_Color = *choisie;
  return choisie;
}

void TForm1::Panel_crayonClick() {
  if (const auto couleur = ColorDialog1_Execute()) {
    RadioGroup_couleur_crayon.set_choice(ChoixCouleur::choisie);
    Panel_crayon.set_color(*couleur);
    coul_crayon = Panel_crayon.color();
    Panel9.set_color(coul_crayon);
  }
  // Confirmed or not.
  RadioGroup_peindre_dessiner.set_choice(ModePeinture::dessiner);
}

void TForm1::Panel_peintureClick() {
  if (const auto couleur = ColorDialog1_Execute()) {
    RadioGroup_couleur_peinture.set_choice(ChoixCouleur::choisie);
    Panel_peinture.set_color(*couleur);
    coul_peinture = Panel_peinture.color();
  }
  // Confirmed or not; this holds even when the cascade above went back to
  // "dessiner", since the trace type is "crayon" by now.
  RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
}

void TForm1::RadioGroup_couleur_crayonClick() {
  RadioGroup_peindre_dessiner.set_choice(ModePeinture::dessiner);
}

void TForm1::RadioGroup_couleur_peintureClick() {
  RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
}

void TForm1::Panel10Click() {
  if (const auto couleur = ColorDialog1_Execute()) Panel10.set_color(*couleur);
}

void TForm1::Panel4Click() {
  if (const auto couleur = ColorDialog1_Execute()) {
    Panel4.set_color(*couleur);
    Panel1.set_color(Panel4.color());
  }
}

void TForm1::Panel1MouseDown(TMouseButton Button, TShiftState, int, int) {
  if (Button != mbRight) return;
  // Panel4 keeps its own colour.
  if (const auto couleur = ColorDialog1_Execute()) Panel1.set_color(*couleur);
}

}  // namespace korvel
