#pragma once
// The guides: the symmetry's centre and axes, shown over the picture by the
// view and never drawn into it. A pure function of the symmetry, N, the
// spiral, the centre and the clones gives rays and marks; each has a fixed
// set of pixels, so that any part of the screen repaints them alike.
//
// A ray leaves its centre at angle a (measured as the replication measures
// it: x = cx + t sin a, y = cy + t cos a) and runs to the picture's edge,
// one pixel per step t along its major axis, in dashes that alternate a
// light and a dark tone so that it shows over any colour:
//
//        centre   gap       light  dark   light  dark
//          +   . . . . . . ######______######______ ...   (t = 0, 1, 2, ...)
//
// A mark is a plus of light pixels edged in dark, at a centre.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/choices.h"
#include "draw/clones.h"
#include "platform/geometry.h"

namespace korvel {

struct ParametresGuides {
  TPoint centre;
  Symetrie symetrie = Symetrie::rosace;  // an unknown value shows the centre alone
  std::int32_t petales = 1;              // N
  std::int32_t tours = 1;                // M, spiral turns (1 without the spiral)
  double facteur = 1.0;                  // f, radius factor per copy (1 without the spiral)
  std::optional<Clones> clones;          // as trace_copie shifts each copy
  std::int32_t largeur = 0, hauteur = 0;  // the picture's size: rays end at its edge
  friend bool operator==(const ParametresGuides&, const ParametresGuides&) = default;
};

// A petal's ray, where the copies of a segment drawn along the first ray
// fall; or a mirror line of the copies (drawn in shorter dashes).
enum class GenreRayon : std::uint8_t { petale, miroir };

struct RayonGuide {
  TPoint centre;
  double sx = 0, sy = 1;  // unit direction (sin a, cos a)
  GenreRayon genre = GenreRayon::petale;
  friend bool operator==(const RayonGuide&, const RayonGuide&) = default;
};

struct Guides {
  std::vector<RayonGuide> rayons;
  std::vector<TPoint> marques;  // the centre, and with clones each clone's centre
  std::int32_t largeur = 0, hauteur = 0;
  bool empty() const { return rayons.empty() && marques.empty(); }
  friend bool operator==(const Guides&, const Guides&) = default;
};

// More rays than this would cover the picture around the centre: none is
// shown then, only the marks.
inline constexpr std::int32_t kRayonsMax = 360;

// The guides for the symmetry chosen now:
//   "rosace" (spiral or not): the rays of the petals, the first straight up;
//   "vitrail": those rays and the mirror lines between them;
//   "miroir vertical": the vertical line through the centre;
//   "4 quarts": both axes through the centre;
//   "unique": the centre alone;
// and a mark at the centre, or at each clone's centre. No ray when the
// rosette draws no copy (N x M <= 0).
Guides calcule_guides(const ParametresGuides& p);

enum class Teinte : std::uint8_t { claire, sombre };

// Calls visit(x, y, Teinte) for every pixel of the guides inside `zone`
// (within the picture), rays first, then marks; a pixel may come twice, the
// last call wins. The pixels and tones are the same whatever the zone.
template <class Visit>
void pour_chaque_pixel_guide(const Guides& g, Rect zone, Visit&& visit);

// The same pixels worked out once, each with the tone that wins, kept by
// tiles of 16 x 16, each by rows: a repaint of a few small places, as a
// move asks for, looks only at the rows of the tiles they touch.
struct PixelGuide {
  std::uint8_t dx = 0, dy = 0;  // within its tile
  Teinte teinte = Teinte::claire;
  friend bool operator==(const PixelGuide&, const PixelGuide&) = default;
};

class PixelsGuides {
 public:
  static constexpr int kTuile = 16;
  PixelsGuides() = default;
  explicit PixelsGuides(const Guides& g);
  bool empty() const { return m_pixels.empty(); }
  // Calls visit(x, y, Teinte) once for each pixel inside `zone`, tile by tile.
  template <class Visit>
  void pour_chaque_pixel(Rect zone, Visit&& visit) const;

 private:
  std::int32_t m_largeur = 0, m_hauteur = 0;
  std::int32_t m_colonnes = 0;                // tiles across
  // A tile holding pixels: they are [debut, the next record's debut); its
  // row r starts lignes[r] pixels in (at most 15 rows of 16 come before: a
  // byte). One record, so that a tile costs one trip to memory before its
  // pixels.
  struct Tuile {
    std::uint32_t debut = 0;
    std::uint8_t lignes[kTuile] = {};
  };
  std::vector<Tuile> m_tuiles;  // the tiles holding pixels, in order, and one more where the last ends
  // One bit per tile, set where it holds pixels, and the number of such
  // tiles before each word: where a tile's record is. Small enough to stay
  // in the processor's nearest cache, they spare a lookup for empty tiles.
  std::vector<std::uint64_t> m_occupees;
  std::vector<std::uint32_t> m_avant_mot;
  std::vector<PixelGuide> m_pixels;
};

// ---- implementation --------------------------------------------------------

namespace detail {

// The steps t >= 0 of a ray whose pixel may lie in `zone`: empty when
// first > last.
struct PasRayon {
  std::int64_t first = 0, last = -1;
};
inline constexpr int kEcartCentre = 11;  // no ray within the mark
inline constexpr int kTiretPetale = 6, kTiretMiroir = 2;
inline constexpr int kBrasMarque = 7;

// The pixel of step t of ray r.
struct PixelRayon {
  bool x_major;
  std::int64_t sens;   // +1 or -1 along the major axis
  double pente;        // minor offset per step
};
PixelRayon geometrie_rayon(const RayonGuide& r);
PasRayon pas_dans_zone(const RayonGuide& r, const PixelRayon& g, Rect zone);

}  // namespace detail

template <class Visit>
void pour_chaque_pixel_guide(const Guides& g, Rect zone, Visit&& visit) {
  zone.left = std::max(zone.left, 0);
  zone.top = std::max(zone.top, 0);
  zone.right = std::min(zone.right, g.largeur);
  zone.bottom = std::min(zone.bottom, g.hauteur);
  if (zone.empty()) return;
  const auto dedans = [&](std::int64_t x, std::int64_t y) {
    return x >= zone.left && x < zone.right && y >= zone.top && y < zone.bottom;
  };
  for (const RayonGuide& r : g.rayons) {
    const detail::PixelRayon geo = detail::geometrie_rayon(r);
    const detail::PasRayon pas = detail::pas_dans_zone(r, geo, zone);
    const int tiret = r.genre == GenreRayon::petale ? detail::kTiretPetale : detail::kTiretMiroir;
    for (std::int64_t t = pas.first; t <= pas.last; ++t) {
      const std::int64_t majeur = geo.sens * t;
      const auto mineur = static_cast<std::int64_t>(std::nearbyint(double(t) * geo.pente));
      const std::int64_t x = r.centre.x + (geo.x_major ? majeur : mineur);
      const std::int64_t y = r.centre.y + (geo.x_major ? mineur : majeur);
      if (dedans(x, y)) visit(int(x), int(y), (t / tiret) % 2 == 0 ? Teinte::claire : Teinte::sombre);
    }
  }
  // A plus three pixels wide: light along its middle, dark at its edges.
  constexpr int b = detail::kBrasMarque;
  for (const TPoint& m : g.marques) {
    if (m.x + b + 1 < zone.left || m.x - b - 1 >= zone.right || m.y + b + 1 < zone.top || m.y - b - 1 >= zone.bottom)
      continue;
    for (int dy = -b - 1; dy <= b + 1; ++dy)
      for (int dx = -b - 1; dx <= b + 1; ++dx) {
        const int ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
        if (!((ay <= 1 && ax <= b + 1) || (ax <= 1 && ay <= b + 1))) continue;
        const std::int64_t x = std::int64_t(m.x) + dx, y = std::int64_t(m.y) + dy;
        if (!dedans(x, y)) continue;
        const bool milieu = (dy == 0 && ax <= b) || (dx == 0 && ay <= b);
        visit(int(x), int(y), milieu ? Teinte::claire : Teinte::sombre);
      }
  }
}

template <class Visit>
void PixelsGuides::pour_chaque_pixel(Rect zone, Visit&& visit) const {
  zone.left = std::max(zone.left, 0);
  zone.top = std::max(zone.top, 0);
  zone.right = std::min(zone.right, m_largeur);
  zone.bottom = std::min(zone.bottom, m_hauteur);
  if (zone.empty() || m_pixels.empty()) return;
  const std::int32_t tx1 = zone.left / kTuile, tx2 = (zone.right - 1) / kTuile;
  for (std::int32_t ty = zone.top / kTuile; ty <= (zone.bottom - 1) / kTuile; ++ty) {
    // The row's tiles holding pixels, found a word of 64 at a time; their
    // records follow each other from the first one's, counted once.
    const std::size_t ligne = std::size_t(ty) * std::size_t(m_colonnes);
    const std::size_t t1 = ligne + std::size_t(tx1), t2 = ligne + std::size_t(tx2);
    const std::uint64_t sous_t1 = (std::uint64_t(1) << (t1 % 64)) - 1;
    std::size_t k = m_avant_mot[t1 / 64] + std::size_t(std::popcount(m_occupees[t1 / 64] & sous_t1));
    for (std::size_t w = t1 / 64; w <= t2 / 64; ++w) {
      std::uint64_t bits = m_occupees[w];
      if (w == t1 / 64) bits &= ~sous_t1;
      if (w == t2 / 64 && t2 % 64 != 63) bits &= (std::uint64_t(2) << (t2 % 64)) - 1;
      for (; bits; bits &= bits - 1, ++k) {
        const std::size_t t = w * 64 + std::size_t(std::countr_zero(bits));
        const std::int32_t x0 = std::int32_t(t - ligne) * kTuile, y0 = ty * kTuile;
        // The zone within the tile: only its rows are looked at.
        const std::int32_t gauche = zone.left - x0, droite = zone.right - x0;
        const std::int32_t haut = zone.top - y0, bas = zone.bottom - y0;
        const Tuile& tuile = m_tuiles[k];
        const PixelGuide* const premier = m_pixels.data() + tuile.debut;
        const PixelGuide* p = premier + (haut > 0 ? tuile.lignes[haut] : 0);
        const PixelGuide* const fin =
            bas < kTuile ? premier + tuile.lignes[bas] : m_pixels.data() + m_tuiles[k + 1].debut;
        for (; p < fin; ++p)
          if (p->dx >= gauche && p->dx < droite) visit(int(x0 + p->dx), int(y0 + p->dy), p->teinte);
      }
    }
  }
}

}  // namespace korvel
