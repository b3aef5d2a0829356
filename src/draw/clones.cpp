#include "draw/clones.h"

namespace korvel {

std::optional<Clones> clones_de(std::int64_t nb_clones, std::int64_t largeur_ecran) {
  // Integer divisions truncate towards zero, negative counts included.
  const std::int64_t h0 = (nb_clones + 1) / 2;
  if (nb_clones == 1 || h0 == 0) return std::nullopt;
  // An even count C draws C + 1 clones, an odd count C.
  const std::int64_t demi = (nb_clones + 1) % 2 == 0 ? h0 - 1 : h0;
  const std::int64_t pas = largeur_ecran / (2 * h0);
  // More clones than pixels across: all 2 x demi + 1 fall on the same place.
  // Any raster mode acts on each bit as a constant, the identity or a NOT,
  // so an odd number of the same draws leaves what one draw leaves, and one
  // draw keeps a huge count from hanging the program.
  if (pas == 0 && demi > 0) return Clones{0, 0};
  return Clones{demi, pas};
}

}  // namespace korvel
