// Keyboard commands and the pen-mode keys.
#include <array>

#include "app/main_window.h"
#include "files/snapshot_writer.h"

namespace korvel {

namespace {

// The pen mode of each row of ComboBox1.
constexpr std::array<TPenMode, 16> kModeOfRow = {
    pmCopy,   pmMerge,       pmMask,       pmMergeNotPen, pmXor,      pmBlack,   pmWhite,   pmNop,
    pmNot,    pmNotCopy,     pmMergePenNot, pmMaskPenNot, pmMaskNotPen, pmNotMerge, pmNotMask, pmNotXor};

// Each digit with the character its key types without Shift on a French
// keyboard, then the letters, so the top row works with or without Shift.
struct PenModeKey {
  char32_t first, second;
  int row;
};
constexpr std::array<PenModeKey, 16> kPenModeKeys = {{
    {U'&', U'1', 0}, {U'é', U'2', 1}, {U'"', U'3', 2},  {U'\'', U'4', 3}, {U'(', U'5', 4}, {U'-', U'6', 5},
    {U'è', U'7', 6}, {U'_', U'8', 7}, {U'ç', U'9', 8},  {U'à', U'0', 9},  {U'Q', U'q', 10}, {U'S', U's', 11},
    {U'D', U'd', 12}, {U'F', U'f', 13}, {U'G', U'g', 14}, {U'H', U'h', 15},
}};

}  // namespace

void TForm1::FormKeyDown(std::uint16_t& Key, TShiftState Shift) {
  commande_touche(Key);
  if (Shift == ssCtrl) {
    choix_centre = true;
    desktop().set_cursor(crCross);
    RadioGroup_peindre_dessiner.set_choice(ModePeinture::dessiner);
  }
}

void TForm1::commande_touche(std::uint16_t Key) {
  // Every matching row runs, in this order.
  if ((Key == vk::Escape || Key == vk::F12) && !Panel8.visible()) quitter();
  if (Key == vk::Space) {
    Edit2.set_text("");
    const int screen_height = desktop().screen_height();
    if (Panel1.visible() && Panel1.top() < screen_height) {
      Panel1.set_visible(false);
    } else if (Panel1.visible()) {
      Panel1.set_top(top_menu);
    } else {
      Panel1.set_visible(true);
      Panel1.set_top(top_menu);
    }
    _ws();
  }
  if (Key == 'E') {
    nouvelle_image();
    record_frame(TimelapseFrame::first);
  }
  if (Key == 'P') RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  if (Key == 'C') Panel3Click();
  if (Key == 'K') coloriage_aleatoire();
  if (Key == 'M') musique();
  if (Key == vk::F1) Panel12Click();
  if (Key == vk::F2) bascule_guides();
  if (Key == vk::Escape) Panel8.set_visible(false);
  if (Key == vk::F8 || Key == vk::Left) affiche_fic_precedent();
  if (Key == vk::F9 || Key == vk::Right) affiche_fic_suivant();
  if (Key == vk::F3) export_timelapse();
}

void TForm1::FormKeyPress(char32_t& Key) {
  // While the panel is on screen the character goes to the focused control.
  if (Panel1.visible() && Panel1.top() < desktop().screen_height()) return;
  for (const PenModeKey& k : kPenModeKeys)
    if (Key == k.first || Key == k.second) {
      ComboBox1.set_item_index(k.row);
      ComboBox1Click();
    }
  if (Key == U'X' || Key == U'x') change_epaisseur(-4);
  if (Key == U'W' || Key == U'w') change_epaisseur(+4);
  if (Key == U'²') {
    ComboBox1.set_item_index(0);
    ComboBox1Click();
  }
  Key = 0;
}

void TForm1::ComboBox1Click() {
  const int row = ComboBox1.item_index();
  if (row >= 0 && row < int(kModeOfRow.size())) mode_crayon = kModeOfRow[std::size_t(row)];
  Image1.canvas().Pen.Mode = mode_crayon;
  _ws();
}

void TForm1::change_epaisseur(int pas) {
  long long n = StrToInt(Edit3.text());
  n += pas;
  if (n <= 0) n = 1;
  // No upper bound, but the width stays a 32-bit number.
  if (n > 2147483647LL) n = 2147483647LL;
  Edit3.set_text(IntToStr(n));
}

void TForm1::Edit1KeyPress(char32_t& Key) {
  if (Key == U' ') Key = 0;
}

void TForm1::Edit1KeyDown(std::uint16_t&, TShiftState) {}

}  // namespace korvel
