// trace_copie: one symmetric copy on the picture, painted or drawn as a line,
// clones, shadows and the jittered line of random thickness.
//
// Coordinates are rounded to nearest with halves to even. A point that cannot
// be held in a 32-bit integer (far beyond the picture, for instance a clone
// shift added to a huge coordinate) skips the line it belongs to; the canvas
// clips every line it is given.
#include <cstdint>
#include <optional>

#include "app/main_window.h"
#include "draw/clones.h"
#include "draw/copie.h"
#include "platform/fill_series.h"

namespace korvel {

namespace {

// A copy's two points rounded; a coordinate is empty when it does not fit.
struct Segment {
  std::optional<std::int32_t> x1, y1, x2, y2;
};

// MoveTo(x1 + dx1, y1 + dy1), LineTo(x2 + dx2, y2 + dy2), or nothing when a
// point does not fit in 32 bits.
void ligne(Canvas& canvas, const Segment& s, std::int64_t dx1, std::int64_t dy1, std::int64_t dx2, std::int64_t dy2) {
  if (!s.x1 || !s.y1 || !s.x2 || !s.y2) return;
  const auto a = offset_point({*s.x1, *s.y1}, dx1, dy1), b = offset_point({*s.x2, *s.y2}, dx2, dy2);
  if (!a || !b) return;
  canvas.MoveTo(a->x, a->y);
  canvas.LineTo(b->x, b->y);
}

// The copy shifted right by o pixels, then rounded: a half rounds to even
// after the shift.
Segment arrondi_a_droite(const Copie& c, std::int64_t o) {
  return {round_to_int32(static_cast<long double>(c.x1) + o), round_to_int32(c.y1),
          round_to_int32(static_cast<long double>(c.x2) + o), round_to_int32(c.y2)};
}

// Painting: a flood fill at the copy's second point, in the paint colour.
void peindre_copie(TForm1& f, const CopieContexte& copie, ModePeinture peinture) {
  Canvas& canvas = f.Image1.canvas();
  // 1-2.
  canvas.Brush.Style = bsSolid;
  canvas.Pen.Color = f.coul_peinture;
  canvas.Brush.Color = canvas.Pen.Color;
  // 3. A point outside the picture fills nothing (the canvas checks).
  const auto px = round_to_int32(copie.copie.x2), py = round_to_int32(copie.copie.y2);
  if (!px || !py) return;
  FillSeries* serie = copie.remplissages;
  const auto remplir = [&](TColor colour, TFillStyle style) {
    if (serie)
      serie->FloodFill(*px, *py, colour, style);
    else
      canvas.FloodFill(*px, *py, colour, style);
  };
  if (peinture == ModePeinture::peind_jusqua) {
    // 4. "peind j'usqu'à": up to a border in the pen colour field.
    remplir(f.coul_crayon, fsBorder);
  } else {
    // 5. "peind tant que": the area of the colour under the point, unless
    // that is the call's colour.
    const TColor sous = serie ? serie->Pixels(*px, *py) : canvas.Pixels(*px, *py);
    if (sous != copie.couleur) remplir(sous, fsSurface);
  }
}

// A shadow: a band of `rampe.largeur` lines of width 2 stepping one pixel
// down-right from the segment, shaded from the copy's colour.
void ombre(Canvas& canvas, const Segment& s, const RampeOmbre& rampe) {
  if (rampe.largeur < 1) return;
  canvas.Pen.Width = 2;
  if (s.x1 && s.y1 && s.x2 && s.y2)
    canvas.draw_band({*s.x1, *s.y1}, {*s.x2, *s.y2}, rampe.couleurs);
  else  // no line can be drawn; each would have set the colour
    canvas.Pen.Color = rampe.couleurs.back();
}

}  // namespace

void TForm1::trace_copie(CopieContexte& copie) {
  const ModePeinture peinture = RadioGroup_peindre_dessiner.choice<ModePeinture>();
  if (peinture != ModePeinture::dessiner) {
    peindre_copie(*this, copie, peinture);
    return;
  }

  Canvas& canvas = Image1.canvas();
  const bool epaisseur_aleatoire = copie.reglages.epaisseur_aleatoire;
  const std::optional<Ombre>& avec_ombre = copie.reglages.ombre;

  // 1. "crayon" with random thickness: 60 % or 70 % of the pen colour.
  if (epaisseur_aleatoire && RadioGroup_type_trace.choice<TypeTrace>() == TypeTrace::crayon) {
    rouge_crayon = red_of(coul_crayon);
    vert_crayon = green_of(coul_crayon);
    bleu_crayon = blue_of(coul_crayon);
    const int k = 6 + Random(2);
    copie.couleur = RGB(rouge_crayon * k / 10, vert_crayon * k / 10, bleu_crayon * k / 10);
  }

  // The copy shifted right by o pixels, with its shadow or as one line.
  const auto trace_decale = [&](std::int64_t o) {
    if (!avec_ombre) {
      ligne(canvas, arrondi_a_droite(copie.copie, o), 0, 0, 0, 0);
      return;
    }
    const std::int32_t largeur = avec_ombre->largeur;
    if (largeur < 1) return;
    RampeOmbre& rampe = copie.rampe;
    if (rampe.base != copie.couleur || rampe.largeur != largeur) {
      rampe.base = copie.couleur;
      rampe.largeur = largeur;
      rampe.couleurs.clear();
      for (std::int32_t i = 0; i < largeur; ++i)
        rampe.couleurs.push_back(korvel::rampe_ombre(copie.couleur, largeur, i, avec_ombre->facon));
    }
    ombre(canvas, arrondi_a_droite(copie.copie, o), rampe);
  };

  if (const std::optional<Clones> clones = clones_de(nb_clones, desktop().screen_width())) {
    // 3. Clones across the screen, in the pen colour the driver set.
    for (std::int64_t g = -clones->demi; g <= clones->demi; ++g) trace_decale(g * clones->pas);
  } else {
    // 2. One segment, in the call's colour unless it is shaded.
    if (!avec_ombre) canvas.Pen.Color = copie.couleur;
    trace_decale(0);
  }

  // 4. The jittered line near the unshifted copy, with the pen left above.
  if (epaisseur_aleatoire) {
    const int j1 = Random(10), j2 = Random(10), j3 = Random(10), j4 = Random(10);
    ligne(canvas, arrondi_a_droite(copie.copie, 0), j2 - 5, j1 - 5, j4 - 5, j3 - 5);
  }
}

}  // namespace korvel
