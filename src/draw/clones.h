#pragma once
// The clones of a copy: the same segment repeated across the screen.
#include <cstdint>
#include <optional>

namespace korvel {

// Shifts g * pas pixels to the right for g = -demi .. demi, left to right;
// none at all when demi is negative.
struct Clones {
  std::int64_t demi = 0;
  std::int64_t pas = 0;
  friend bool operator==(const Clones&, const Clones&) = default;
};

// The clones for the count of Edit6 on a screen of the given width, or
// nothing when the copy is drawn once, unshifted, in its own colour: a count
// of 1, and the counts -2 .. 0 for which the spacing would divide by zero.
// Counts below -2 give clones with demi < 0, that is no line at all; counts
// past the screen's width, whose clones would all coincide, give one clone.
std::optional<Clones> clones_de(std::int64_t nb_clones, std::int64_t largeur_ecran);

}  // namespace korvel
