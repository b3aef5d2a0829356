#pragma once
// One symmetric copy of a segment, as replication computes it and as
// trace_copie puts it on the picture.
#include <cstdint>
#include <vector>

#include "draw/reglages_trace.h"
#include "platform/colour.h"

namespace korvel {

class FillSeries;  // platform/fill_series.h

// One copy of the segment, in picture pixels (not yet rounded).
struct Copie {
  double x1 = 0, y1 = 0;  // first point
  double x2 = 0, y2 = 0;  // second point: where painting fills
  friend bool operator==(const Copie&, const Copie&) = default;
};

// The shade ramp of one colour and width, kept while the copies of one call
// are shaded alike (each clone repeats it).
struct RampeOmbre {
  TColor base = 0;
  std::int32_t largeur = 0;  // 0: none computed yet
  std::vector<TColor> couleurs;
};

// The copy that trace_symetrique hands to trace_copie.
struct CopieContexte {
  Copie copie;
  TColor couleur = 0;  // the call's colour; trace_copie may replace it
  RampeOmbre rampe{};
  ReglagesTrace reglages{};  // the stroke's, the same for every copy
  // The press's fills, when they go through a series; else the canvas.
  FillSeries* remplissages = nullptr;
};

}  // namespace korvel
