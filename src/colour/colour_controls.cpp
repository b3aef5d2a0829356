// The colour swatches, the colour dialog and its custom colours.
#include <cstdio>

#include "app/main_window.h"

namespace korvel {

namespace {

// At least six upper-case hex digits of the 0x00BBGGRR value: blue first.
std::string hex6(TColor c) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", unsigned(c));
  return text;
}

}  // namespace

void TForm1::init_couleurs_perso() {
  auto& list = ColorDialog1_CustomColors;
  list.push_back("ColorA=" + hex6(Panel1.color()));
  list.push_back("ColorB=DAFEE7");
  list.push_back("ColorC=D9FAFF");
  list.push_back("ColorD=FFE0B3");
  const struct { char letter; TColor colour; } computed[] = {
      {'E', RGB(253, 234, 225)}, {'F', RGB(236, 225, 253)}, {'G', RGB(251, 225, 253)}, {'H', RGB(255, 245, 221)},
      {'I', RGB(255, 128, 64)},  {'J', RGB(255, 240, 138)}, {'K', RGB(100, 193, 255)}, {'L', RGB(106, 196, 255)},
      {'M', RGB(250, 198, 173)}, {'N', RGB(220, 200, 251)}, {'O', RGB(183, 251, 249)}, {'P', RGB(245, 216, 176)},
  };
  for (const auto& [letter, colour] : computed) list.push_back(std::string("Color") + letter + "=" + hex6(colour));
}

void TForm1::RadioGroup_couleur_crayonClick() { RadioGroup_peindre_dessiner.set_choice(ModePeinture::dessiner); }

void TForm1::RadioGroup_couleur_peintureClick() {
  RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
}

}  // namespace korvel
