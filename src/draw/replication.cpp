// The replication driver trace_symetrique and its pure geometry.
#include "draw/replication.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "app/main_window.h"
#include "platform/fill_series.h"

namespace korvel {

namespace {

constexpr long double kPi = 3.1415926535897932385L;
constexpr long double kPiSur2 = 1.5707963267948966193L;
constexpr long double kDeuxPi = 6.283185307179586477L;

// What decides every line a drawn copy makes, clones included: its
// coordinates rounded, the x ones after a shift by a whole number of pixels
// (the clones). nearest(x + o) is nearest(x) + o except when x is a half,
// which goes to even: then floor(x) decides. (Shifts stay within the
// screen's width, so x + o is exact in the long double the lines use.)
struct TraceArrondi {
  std::int64_t x1, x1_demi, y1, x2, x2_demi, y2;
  friend bool operator==(const TraceArrondi&, const TraceArrondi&) = default;
};

// For a representable copy (coordinates finite and within 32 bits).
TraceArrondi trace_arrondi(const Copie& c) {
  const auto n = [](double v) { return static_cast<std::int64_t>(nearest(v)); };
  const auto demi = [](double v) {
    const double f = std::floor(v);  // v - f is exact
    return v - f == 0.5 ? static_cast<std::int64_t>(f) : std::numeric_limits<std::int64_t>::min();
  };
  return {n(c.x1), demi(c.x1), n(c.y1), n(c.x2), demi(c.x2), n(c.y2)};
}

}  // namespace

double angle_point(double dx, double dy) {
  if (dx == 0 && dy == 0) return 0;
  const long double x = dx, y = dy;
  if (std::fabs(y) > std::fabs(x)) {
    long double a = std::atan(x / y);
    if (y <= 0) a += kPi;
    return double(a);
  }
  if (x > 0) return double(kPiSur2 - std::atan(y / x));
  return double(-kPiSur2 - std::atan(y / x));
}

bool copie_representable(const Copie& c) {
  return round_to_int32(c.x1) && round_to_int32(c.y1) && round_to_int32(c.x2) && round_to_int32(c.y2);
}

namespace detail {

void rosette(const ParametresReplication& p, PointPolaire& q1, PointPolaire& q2, double& pas) {
  const double cx = p.centre.x, cy = p.centre.y;
  const double dx1 = double(p.p1.x) - cx, dy1 = double(p.p1.y) - cy;
  const double dx2 = double(p.p2.x) - cx, dy2 = double(p.p2.y) - cy;
  q1.r = double(std::sqrt(static_cast<long double>(dx1) * dx1 + static_cast<long double>(dy1) * dy1));
  q2.r = double(std::sqrt(static_cast<long double>(dx2) * dx2 + static_cast<long double>(dy2) * dy2));
  q1.a = angle_point(dx1, dy1);
  q2.a = angle_point(dx2, dy2);
  pas = double(kDeuxPi / p.petales);
}

void position(double cx, double cy, const PointPolaire& q, double& x, double& y, double& miroir_x) {
  const long double a = q.a, r = q.r;
  const long double s = r * std::sin(a);
  x = double(cx + s);
  y = double(cy + r * std::cos(a));
  miroir_x = double(cx - s);
}

}  // namespace detail

std::vector<Copie> copies_symetriques(const ParametresReplication& p) {
  std::vector<Copie> copies;
  pour_chaque_copie(p, [&](const Copie& c) { copies.push_back(c); });
  return copies;
}

// Shadow widths beyond the up-down's range are taken as its maximum, so that
// no width can hold the program for hours.
constexpr std::int32_t kOmbreMax = 100;

ReglagesTrace TForm1::reglages_trace(Reglages quoi) {
  ReglagesTrace r;
  r.epaisseur = entier_de(Edit3);
  r.epaisseur_aleatoire = CheckBox_epaisseur.checked();
  if (CheckBox_ombre_1.checked() || CheckBox_ombre_2.checked())
    r.ombre = Ombre{std::min(entier_de(Edit7), kOmbreMax),
                    {.carre = CheckBox_ombre_1.checked(), .sinus = CheckBox_ombre_2.checked()}};
  if (quoi == Reglages::trait) return r;
  r.petales = nb_petales();
  const Symetrie symetrie = RadioGroup_symetrie.choice<Symetrie>();
  if ((symetrie == Symetrie::rosace || symetrie == Symetrie::vitrail) && CheckBox_spirale.checked()) {
    r.tours = entier_de(Edit4);
    r.facteur = double(entier_de(Edit5)) / 1000;
  }
  return r;
}

void TForm1::trace_symetrique(TPoint P1, TPoint P2, TPenMode mode, TColor couleur, Repetitions repetitions) {
  // A text that is not an integer stops the call before anything changes.
  trace_symetrique(P1, P2, mode, couleur, reglages_trace(Reglages::replication), repetitions);
}

void TForm1::trace_symetrique(TPoint P1, TPoint P2, TPenMode mode, TColor couleur, const ReglagesTrace& reglages,
                              Repetitions repetitions) {
  Canvas& canvas = Image1.canvas();
  // 1.
  canvas.Pen.Mode = mode;
  canvas.Pen.Color = couleur;
  // 2. The random width starts from the width the previous call left.
  const std::int32_t e = reglages.epaisseur;
  if (reglages.epaisseur_aleatoire) {
    const std::int64_t borne = std::int64_t(e) + canvas.Pen.Width;
    canvas.Pen.Width = Random(int(std::clamp<std::int64_t>(borne, 0, std::numeric_limits<int>::max())));
  } else {
    canvas.Pen.Width = e;
  }
  // 3.
  Panel_crayon.set_color(couleur);
  Panel9.set_color(Panel_crayon.color());
  // 4-5.
  ParametresReplication p;
  p.p1 = P1;
  p.p2 = P2;
  p.centre = {centre_x, centre_y};
  p.symetrie = RadioGroup_symetrie.choice<Symetrie>();
  p.type_trace = RadioGroup_type_trace.choice<TypeTrace>();
  p.petales = reglages.petales;
  p.tours = reglages.tours;
  p.facteur = reglages.facteur;
  p.positions = ParametresReplication::Positions::arrondies;
  // 7.5.
  const bool rosette = p.symetrie == Symetrie::rosace || p.symetrie == Symetrie::vitrail;
  if (rosette && CheckBox_spirale.checked() &&
      RadioGroup_peindre_dessiner.choice<ModePeinture>() != ModePeinture::dessiner)
    desktop().set_cursor(crHourGlass);
  // 6-7. A copy beyond the 32-bit range (a growing spiral) is skipped.
  // So is a drawn copy whose lines all repeat the previous copy's exactly,
  // when drawing twice is drawing once and the copy draws no random number
  // (a spiral shrinking towards the centre repeats itself for hundreds of
  // copies): the picture, the pen and the random generator end the same.
  const bool repetition_inutile = repetitions == Repetitions::sautees &&
                                  RadioGroup_peindre_dessiner.choice<ModePeinture>() == ModePeinture::dessiner &&
                                  !reglages.epaisseur_aleatoire && repeats_harmlessly(mode);
  std::optional<TraceArrondi> precedente;
  // Drawn copies only put lines on the picture: they are drawn together, by
  // bands of rows on several threads.
  std::optional<Canvas::DeferredLines> ensemble;
  if (RadioGroup_peindre_dessiner.choice<ModePeinture>() == ModePeinture::dessiner) ensemble.emplace(canvas);
  // Painted copies fill through one series: a spiral fills the same areas
  // hundreds of times.
  std::optional<FillSeries> remplissages;
  if (RadioGroup_peindre_dessiner.choice<ModePeinture>() != ModePeinture::dessiner &&
      repetitions == Repetitions::sautees) {
    const bool miroir = p.symetrie == Symetrie::vitrail || p.type_trace == TypeTrace::losanges;
    const std::int64_t copies = rosette ? std::int64_t(p.petales) * p.tours * (miroir ? 2 : 1) : 4;
    remplissages.emplace(canvas, copies);
  }
  CopieContexte copie;
  copie.couleur = couleur;
  copie.reglages = reglages;
  if (remplissages) copie.remplissages = &*remplissages;
  pour_chaque_copie(p, [&](const Copie& c) {
    if (!copie_representable(c)) return;
    if (repetition_inutile) {
      const TraceArrondi trace = trace_arrondi(c);
      if (trace == precedente) return;
      precedente = trace;
    }
    copie.copie = c;
    trace_copie(copie);
  });
}

}  // namespace korvel
