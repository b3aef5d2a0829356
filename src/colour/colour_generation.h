#pragma once
// Random colours in the four styles of RadioGroup_coul_type, and the shade
// ramp of shadows. Every rule draws from the generator in a fixed order.
#include "platform/colour.h"
#include "platform/random.h"

namespace korvel {

// Item indexes of RadioGroup_coul_type.
enum class StyleCouleur : int { normale = 0, vive = 1, degrade = 2, gris = 3 };

// "normale": each channel Random(255), 0..254; drawn blue, green, red.
TColor couleur_normale(RandomGenerator& rng);
// "vive": a selector Random(6), then one or two channels high
// (128 + Random(127), 128..254) and the others low (Random(128), 0..127), in
// the selector's own draw order.
TColor couleur_vive(RandomGenerator& rng);
// "dégradé": each channel Random(origin's channel), drawn red, green, blue: a
// colour between black and the origin, never reaching the origin's channels
// (except 0, which stays 0).
TColor couleur_degrade(TColor origine, RandomGenerator& rng);
// "gris": one draw v = Random(255) for the three channels.
TColor couleur_grise(RandomGenerator& rng);

// The colour of style index `style` (0..3; any other index, such as -1 for
// no selection, gives "normale"). `origine` is used by "dégradé" only.
TColor couleur_du_style(int style, TColor origine, RandomGenerator& rng);

// The shadow boxes that shape the ramp.
struct FaconOmbre {
  bool carre = false;  // "ombre 1": the factor is squared
  bool sinus = false;  // "ombre 2": the factor becomes |sin(3.14 f)|, after any squaring
};

// Step k (0 <= k < n) of the shade ramp of `base` over n steps: each channel
// times f = 1 - k / n, shaped by `facon`, rounded to nearest (halves to even).
// Outside 0 <= k < n, or for n < 1, f is clamped to 0..1 so the result is
// still a colour.
TColor rampe_ombre(TColor base, int n, int k, FaconOmbre facon);

}  // namespace korvel
