#pragma once
// A stroke's settings: the numbers and boxes of the tool panel that decide
// how each copy is drawn, read once per stroke and handed to every copy.
#include <cstdint>
#include <optional>

#include "colour/colour_generation.h"

namespace korvel {

// Which settings a stroke reads: the pen's alone (the elliptical stroke,
// never replicated), or the replication's too.
enum class Reglages { trait, replication };

// The shaded shadow drawn instead of the line when a shadow box is checked.
struct Ombre {
  std::int32_t largeur = 0;  // Edit7 up to 100; below 1 nothing is drawn
  FaconOmbre facon;          // the boxes' shaping of the ramp
};

// The settings of the tool panel a stroke reads, checked.
struct ReglagesTrace {
  std::int32_t epaisseur = 1;        // Edit3, the pen width
  bool epaisseur_aleatoire = false;  // CheckBox_epaisseur: a random width and a jittered line
  std::optional<Ombre> ombre;        // when a shadow box is checked
  // With Reglages::replication only:
  std::int32_t petales = 1;  // nb_petales
  std::int32_t tours = 1;    // Edit4 with the spiral of a rosette, else 1
  double facteur = 1.0;      // Edit5 / 1000 with the spiral of a rosette, else 1
};

// A pen of that width alone: no shadow, one copy.
inline ReglagesTrace trait_simple(std::int32_t epaisseur) {
  ReglagesTrace r;
  r.epaisseur = epaisseur;
  return r;
}

}  // namespace korvel
