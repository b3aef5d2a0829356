// The guides' rays and marks, and the steps of a ray that a zone can hold.
#include "draw/guides.h"

#include <algorithm>
#include <cmath>

#include "app/main_window.h"
#include "draw/replication.h"

namespace korvel {

namespace {

constexpr long double kPi = 3.1415926535897932385L;

// The unit direction of angle a; a component below rounding noise is 0, so
// that the axes are exactly vertical and horizontal.
RayonGuide rayon(TPoint centre, long double a, GenreRayon genre) {
  const auto net = [](long double v) { return std::fabs(v) < 1e-15L ? 0.0 : double(v); };
  return {centre, net(std::sin(a)), net(std::cos(a)), genre};
}

// The rays of a rosette of N petals, by half step h (angle pi + h pi/N, the
// first straight up): pass k turns by k steps, a radius made negative by the
// spiral's factor puts its copy on the opposite ray, and a factor of 0 puts
// every pass after the first at the centre. "vitrail" adds the lines it
// mirrors about: every half step that no petal takes.
void rayons_rosace(const ParametresGuides& p, std::vector<RayonGuide>& rayons) {
  const std::int64_t n = p.petales;
  const std::int64_t passes = n * std::int64_t(p.tours);
  if (passes <= 0 || n > kRayonsMax) return;
  std::vector<bool> petale(std::size_t(2 * n), false);
  const std::int64_t vues = std::min(passes, 2 * n);  // then the rays repeat
  for (std::int64_t k = 0; k < vues; ++k) {
    if (k > 0 && p.facteur == 0) break;
    const bool oppose = p.facteur < 0 && k % 2 == 1;
    petale[std::size_t((2 * k + (oppose ? n : 0)) % (2 * n))] = true;
  }
  for (std::int64_t h = 0; h < 2 * n; ++h) {
    const long double a = kPi + kPi * h / n;
    if (petale[std::size_t(h)])
      rayons.push_back(rayon(p.centre, a, GenreRayon::petale));
    else if (p.symetrie == Symetrie::vitrail)
      rayons.push_back(rayon(p.centre, a, GenreRayon::miroir));
  }
}

}  // namespace

Guides calcule_guides(const ParametresGuides& p) {
  Guides g;
  g.largeur = p.largeur;
  g.hauteur = p.hauteur;
  const TPoint c = p.centre;
  switch (p.symetrie) {
    case Symetrie::rosace:
    case Symetrie::vitrail:
      rayons_rosace(p, g.rayons);
      break;
    case Symetrie::quatre_quarts:
      g.rayons.push_back({c, 1, 0, GenreRayon::miroir});
      g.rayons.push_back({c, -1, 0, GenreRayon::miroir});
      [[fallthrough]];
    case Symetrie::miroir_vertical:
      g.rayons.push_back({c, 0, -1, GenreRayon::miroir});
      g.rayons.push_back({c, 0, 1, GenreRayon::miroir});
      break;
    default:
      break;
  }
  // Every clone's copies turn about its own centre, shifted like them.
  if (p.clones && p.clones->demi >= 0) {
    for (std::int64_t k = -p.clones->demi; k <= p.clones->demi; ++k)
      if (const auto m = offset_point(c, k * p.clones->pas, 0)) g.marques.push_back(*m);
  } else {
    g.marques.push_back(c);
  }
  return g;
}

PixelsGuides::PixelsGuides(const Guides& g) : m_largeur(g.largeur), m_hauteur(g.hauteur) {
  if (g.empty() || m_largeur <= 0 || m_hauteur <= 0) return;
  m_colonnes = (m_largeur + kTuile - 1) / kTuile;
  const std::size_t tuiles = std::size_t(m_colonnes) * std::size_t((m_hauteur + kTuile - 1) / kTuile);
  struct Visite {
    std::uint32_t tuile;
    PixelGuide pixel;
  };
  std::vector<Visite> visites;
  pour_chaque_pixel_guide(g, Rect{0, 0, m_largeur, m_hauteur}, [&](int x, int y, Teinte t) {
    const auto tuile = std::uint32_t(std::size_t(y / kTuile) * std::size_t(m_colonnes) + std::size_t(x / kTuile));
    visites.push_back({tuile, {std::uint8_t(x % kTuile), std::uint8_t(y % kTuile), t}});
  });
  // By tiles, in the order of the visits (a counting sort keeps it)...
  std::vector<std::uint32_t> place(tuiles + 1, 0);
  for (const Visite& v : visites) ++place[v.tuile + 1];
  for (std::size_t t = 1; t <= tuiles; ++t) place[t] += place[t - 1];
  std::vector<PixelGuide> tries(visites.size());
  for (const Visite& v : visites) tries[place[v.tuile]++] = v.pixel;
  // ... then each tile by rows and columns, where the last visit of a pixel
  // wins; place[t] is now where tile t ends.
  const auto avant = [](const PixelGuide& a, const PixelGuide& b) { return a.dy != b.dy ? a.dy < b.dy : a.dx < b.dx; };
  m_occupees.assign((tuiles + 63) / 64, 0);
  m_avant_mot.assign(m_occupees.size(), 0);
  m_pixels.reserve(tries.size());
  for (std::size_t t = 0, fin_avant = 0; t < tuiles; fin_avant = place[t++]) {
    if (t % 64 == 0) m_avant_mot[t / 64] = std::uint32_t(m_tuiles.size());
    if (place[t] == fin_avant) continue;
    const auto premier = tries.begin() + std::ptrdiff_t(fin_avant), fin = tries.begin() + place[t];
    std::stable_sort(premier, fin, avant);
    Tuile tuile{std::uint32_t(m_pixels.size())};
    std::uint8_t par_ligne[kTuile] = {};
    for (auto it = premier; it != fin; ++it)
      if (it + 1 == fin || avant(*it, *(it + 1))) {
        ++par_ligne[it->dy];
        m_pixels.push_back(*it);
      }
    for (int r = 1; r < kTuile; ++r) tuile.lignes[r] = std::uint8_t(tuile.lignes[r - 1] + par_ligne[r - 1]);
    m_tuiles.push_back(tuile);
    m_occupees[t / 64] |= std::uint64_t(1) << (t % 64);
  }
  m_tuiles.push_back(Tuile{std::uint32_t(m_pixels.size())});
}

namespace detail {

PixelRayon geometrie_rayon(const RayonGuide& r) {
  const bool x_major = std::fabs(r.sx) >= std::fabs(r.sy);
  const double majeur = x_major ? r.sx : r.sy, mineur = x_major ? r.sy : r.sx;
  return {x_major, majeur < 0 ? -1 : 1, mineur / std::fabs(majeur)};
}

PasRayon pas_dans_zone(const RayonGuide& r, const PixelRayon& g, Rect zone) {
  // Along the major axis: c + sens t in [a, b].
  const std::int64_t c = g.x_major ? r.centre.x : r.centre.y, cm = g.x_major ? r.centre.y : r.centre.x;
  const std::int64_t a = g.x_major ? zone.left : zone.top, b = (g.x_major ? zone.right : zone.bottom) - 1;
  PasRayon pas = g.sens > 0 ? PasRayon{a - c, b - c} : PasRayon{c - b, c - a};
  pas.first = std::max<std::int64_t>(pas.first, kEcartCentre);
  if (pas.first > pas.last) return pas;
  // Across it: round(t pente) in [lo, hi], widened by a step for rounding;
  // the caller tests each pixel.
  const double lo = double((g.x_major ? zone.top : zone.left) - cm);
  const double hi = double((g.x_major ? zone.bottom : zone.right) - 1 - cm);
  if (g.pente == 0) {
    if (lo > 0 || hi < 0) pas.last = pas.first - 1;
    return pas;
  }
  double t1 = (lo - 0.5) / g.pente, t2 = (hi + 0.5) / g.pente;
  if (t1 > t2) std::swap(t1, t2);
  const double first = std::max(double(pas.first), std::floor(t1) - 1);
  const double last = std::min(double(pas.last), std::ceil(t2) + 1);
  if (first > last) return {pas.first, pas.first - 1};
  return {std::int64_t(first), std::int64_t(last)};
}

}  // namespace detail

// ---- the window's guides ----------------------------------------------------

void TForm1::bascule_guides() {
  guides_visibles = !guides_visibles;
  sauve_configuration();
}

std::optional<ParametresGuides> TForm1::parametres_guides() {
  if (!guides_visibles) return std::nullopt;
  ParametresGuides p;
  // While the centre is being chosen, the guides show it under the pointer.
  p.centre = choix_centre ? TPoint{souris_x, souris_y} : TPoint{centre_x, centre_y};
  p.symetrie = RadioGroup_symetrie.choice<Symetrie>();
  // Read again only when what a stroke reads them from has changed.
  m_lu_guides.clear();
  // Each text after its length, so that no two sets of texts read alike.
  for (const Edit* e : {&Edit1, &Edit3, &Edit4, &Edit5, &Edit7})
    ((m_lu_guides += std::to_string(e->text().size())) += ':') += e->text();
  for (const bool b : {CheckBox_spirale.checked(), CheckBox_ombre_1.checked(), CheckBox_ombre_2.checked()})
    m_lu_guides += b ? '1' : '0';
  m_lu_guides += std::to_string(int(p.symetrie));
  NombresGuides& n = m_nombres_guides;
  if (n.lu.empty() || n.lu != m_lu_guides) {
    n.lu = m_lu_guides;
    try {
      const ReglagesTrace r = reglages_trace(Reglages::replication);
      n.petales = r.petales;
      n.tours = r.tours;
      n.facteur = r.facteur;
    } catch (const EConvertError&) {
      n.petales = 0;  // a stroke would draw nothing: no ray
    }
  }
  p.petales = n.petales;
  p.tours = n.tours;
  p.facteur = n.facteur;
  // One clone is none, whatever the screen: its size is not asked for then.
  if (nb_clones != 1) p.clones = clones_de(nb_clones, desktop().screen_width());
  p.largeur = Image1.canvas().width();
  p.hauteur = Image1.canvas().height();
  return p;
}

}  // namespace korvel
