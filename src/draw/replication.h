#pragma once
// Symmetric replication: the copies of one segment about the symmetry centre.
//
// Angles (angle_point) are measured from the downward vertical towards +X:
//
//                  a = pi  (up, -Y)
//                        |
//     a = -pi/2   -X ----c---- +X   a = pi/2
//                        |
//                  a = 0  (down, +Y)
//
// Pass k of a rosette turns the segment by k * 2pi/N (counter-clockwise as
// seen on the screen) and multiplies both radii by f^k.
#include <cstdint>
#include <vector>

#include "app/choices.h"
#include "draw/copie.h"
#include "draw/reglages_trace.h"
#include "platform/geometry.h"

namespace korvel {

// The angle a of (dx, dy) with dx = r sin a and dy = r cos a; 0 for the null
// vector. Computed in long double (x87 extended) with pi and pi/2 to 20
// digits, returned as a double.
double angle_point(double dx, double dy);

struct ParametresReplication {
  TPoint p1, p2;          // the segment
  TPoint centre;          // centre_x, centre_y
  Symetrie symetrie = Symetrie::rosace;  // an unknown value (no item selected) gives no copy
  TypeTrace type_trace = TypeTrace::crayon;  // "losanges" mirrors every rosette copy
  std::int32_t petales = 1;  // N, at least 1 when the rosette is drawn
  std::int32_t tours = 1;    // M, spiral turns (1 without the spiral)
  double facteur = 1.0;      // f, radius factor per copy (1 without the spiral)
  // When only the positions rounded to whole pixels matter (drawing does
  // nothing else with them), a rosette copy whose two radii are both below
  // 0.49 is the centre itself: every rounding of cx + r sin a, shifted or
  // not by whole pixels, is that of cx. A spiral spends most of its copies
  // there, and their sines and cosines are most of its cost.
  enum class Positions { exactes, arrondies } positions = Positions::exactes;
};

// True when each coordinate is finite and, rounded to nearest (halves to
// even), lies in the 32-bit range: the copy can be drawn.
bool copie_representable(const Copie& c);

// Calls visit(const Copie&) for every copy, in drawing order (each mirrored
// copy right after its own). "rosace"/"vitrail" give N x M passes (none when
// N x M <= 0); the mirrors and quarters are exact integer reflections.
template <class Visit>
void pour_chaque_copie(const ParametresReplication& p, Visit&& visit);

// The copies as a list, for tests and small callers.
std::vector<Copie> copies_symetriques(const ParametresReplication& p);

// ---- implementation --------------------------------------------------------

namespace detail {
// A point of the rosette: radius and angle about the centre, kept as doubles
// between passes.
struct PointPolaire {
  double r, a;
};
// The two points of the segment in polar form, and the angle step 2pi/N.
void rosette(const ParametresReplication& p, PointPolaire& q1, PointPolaire& q2, double& pas);
// x = cx + r sin a, y = cy + r cos a and the mirror cx - r sin a, computed in
// long double and stored as doubles.
void position(double cx, double cy, const PointPolaire& q, double& x, double& y, double& miroir_x);
// |r| < 0.49: the point and its mirror round to the centre (false for NaN).
inline bool au_centre(const PointPolaire& q) { return q.r < 0.49 && q.r > -0.49; }
}  // namespace detail

template <class Visit>
void pour_chaque_copie(const ParametresReplication& p, Visit&& visit) {
  const std::int64_t cx = p.centre.x, cy = p.centre.y;
  const std::int64_t x1 = p.p1.x, y1 = p.p1.y, x2 = p.p2.x, y2 = p.p2.y;
  const auto entiers = [&](std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    visit(Copie{double(a), double(b), double(c), double(d)});
  };
  switch (p.symetrie) {
    case Symetrie::unique:
      entiers(x1, y1, x2, y2);
      return;
    case Symetrie::miroir_vertical:
      entiers(x1, y1, x2, y2);
      entiers(2 * cx - x1, y1, 2 * cx - x2, y2);
      return;
    case Symetrie::quatre_quarts:
      entiers(x1, y1, x2, y2);
      entiers(2 * cx - x1, y1, 2 * cx - x2, y2);
      entiers(2 * cx - x1, 2 * cy - y1, 2 * cx - x2, 2 * cy - y2);
      entiers(x1, 2 * cy - y1, x2, 2 * cy - y2);
      return;
    case Symetrie::rosace:
    case Symetrie::vitrail:
      break;
    default:
      return;
  }
  const std::int64_t passes = std::int64_t(p.petales) * std::int64_t(p.tours);
  if (passes <= 0) return;
  const bool miroir = p.symetrie == Symetrie::vitrail || p.type_trace == TypeTrace::losanges;
  detail::PointPolaire q1{}, q2{};
  double pas = 0;
  detail::rosette(p, q1, q2, pas);
  const bool arrondies = p.positions == ParametresReplication::Positions::arrondies;
  for (std::int64_t k = 0; k < passes; ++k) {
    Copie c;
    double m1 = 0, m2 = 0;
    if (arrondies && detail::au_centre(q1) && detail::au_centre(q2)) {
      c = Copie{double(cx), double(cy), double(cx), double(cy)};
      m1 = m2 = double(cx);
    } else {
      detail::position(double(cx), double(cy), q1, c.x1, c.y1, m1);
      detail::position(double(cx), double(cy), q2, c.x2, c.y2, m2);
    }
    visit(static_cast<const Copie&>(c));
    if (miroir) visit(Copie{m1, c.y1, m2, c.y2});
    // a := a + step and r := r * f, each stored as a double.
    q1.a = double(static_cast<long double>(q1.a) + pas);
    q2.a = double(static_cast<long double>(q2.a) + pas);
    q1.r = double(static_cast<long double>(q1.r) * p.facteur);
    q2.r = double(static_cast<long double>(q2.r) * p.facteur);
  }
}

}  // namespace korvel
