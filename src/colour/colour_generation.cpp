// Colour generation: the four random styles and the shade ramp.
#include "colour/colour_generation.h"

#include <algorithm>
#include <cmath>

#include "app/main_window.h"

namespace korvel {

namespace {

int haut(RandomGenerator& rng) { return 128 + rng.Random(127); }
int bas(RandomGenerator& rng) { return rng.Random(128); }

}  // namespace

TColor couleur_normale(RandomGenerator& rng) {
  const int b = rng.Random(255);
  const int g = rng.Random(255);
  const int r = rng.Random(255);
  return RGB(r, g, b);
}

TColor couleur_vive(RandomGenerator& rng) {
  int r = 0, g = 0, b = 0;
  // Each branch lists the channels in the order they are drawn.
  switch (rng.Random(6)) {
    case 0: r = haut(rng); b = bas(rng); g = bas(rng); break;
    case 1: g = haut(rng); b = bas(rng); r = bas(rng); break;
    case 2: b = haut(rng); g = bas(rng); r = bas(rng); break;
    case 3: g = haut(rng); r = haut(rng); b = bas(rng); break;
    case 4: b = haut(rng); g = haut(rng); r = bas(rng); break;
    default: b = haut(rng); r = haut(rng); g = bas(rng); break;
  }
  return RGB(r, g, b);
}

TColor couleur_degrade(TColor origine, RandomGenerator& rng) {
  const int r = rng.Random(red_of(origine));
  const int g = rng.Random(green_of(origine));
  const int b = rng.Random(blue_of(origine));
  return RGB(r, g, b);
}

TColor couleur_grise(RandomGenerator& rng) {
  const int v = rng.Random(255);
  return RGB(v, v, v);
}

TColor couleur_du_style(int style, TColor origine, RandomGenerator& rng) {
  switch (static_cast<StyleCouleur>(style)) {
    case StyleCouleur::vive: return couleur_vive(rng);
    case StyleCouleur::degrade: return couleur_degrade(origine, rng);
    case StyleCouleur::gris: return couleur_grise(rng);
    case StyleCouleur::normale: break;
  }
  return couleur_normale(rng);
}

TColor rampe_ombre(TColor base, int n, int k, FaconOmbre facon) {
  double f = n >= 1 ? 1.0 - double(k) / double(n) : 0.0;
  f = std::clamp(f, 0.0, 1.0);
  if (facon.carre) f = f * f;
  // 3.14, not pi: at f = 1 the sine is about 0.0016, nearly black.
  if (facon.sinus) f = std::fabs(std::sin(3.14 * f));
  const auto canal = [f](int c) { return int(nearest(double(c) * f)); };
  return RGB(canal(red_of(base)), canal(green_of(base)), canal(blue_of(base)));
}

TColor TForm1::coul_aleatoire() {
  return couleur_du_style(RadioGroup_coul_type.item_index(), Panel10.color(), random());
}

TColor TForm1::rampe_ombre(TColor base, int n, int k) {
  return korvel::rampe_ombre(base, n, k, {.carre = CheckBox_ombre_1.checked(), .sinus = CheckBox_ombre_2.checked()});
}

}  // namespace korvel
