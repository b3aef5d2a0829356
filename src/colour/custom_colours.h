#pragma once
// The custom colour list of the colour dialog as text: 16 lines "ColorA="
// to "ColorP=", each followed by the 0x00BBGGRR value in at least six
// upper-case hexadecimal digits (so blue comes first): "ColorA=4080FF" is
// RGB(255, 128, 64).
#include <string>
#include <vector>

#include "platform/colour.h"

namespace korvel {

// The line of box `box` (0 for A .. 15 for P).
std::string ligne_couleur_perso(int box, TColor colour);

// The 16 lines, A to P, in order.
std::vector<std::string> ecrit_couleurs_perso(const CustomColours& colours);

// The colours of the lines, read in order. A box whose line is missing or
// malformed (unknown letter, no "=", digits that are not hexadecimal, a value
// past 24 bits such as the platform's "no colour" FFFFFFFF) stays white, as
// an unused box shows; a later line for a box replaces an earlier one.
// Surrounding blanks and a trailing carriage return are ignored.
CustomColours lit_couleurs_perso(const std::vector<std::string>& lines);

}  // namespace korvel
