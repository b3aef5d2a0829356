// Skipping the copies that repeat the previous one against drawing them all:
// byte for byte on random strokes and settings, with the pen, the changed
// rectangle and the random generator left in the same state.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

struct Reglages {
  Symetrie symetrie;
  TypeTrace type;
  int petales, tours, facteur, ombre, largeur_ombre, clones, epaisseur;
  bool spirale, aleatoire;
  ModePeinture peinture;
};

Reglages au_hasard(std::mt19937& rng) {
  const int facteurs[] = {975, 1000, 990, 500, 1025, 0};
  Reglages r;
  r.symetrie = Symetrie(rng() % 4);
  r.type = TypeTrace(rng() % 5);
  r.petales = 1 + int(rng() % 48);
  r.tours = 1 + int(rng() % 20);
  r.facteur = facteurs[rng() % 6];
  r.ombre = int(rng() % 3);  // none, first, second
  r.largeur_ombre = 1 + int(rng() % 12);
  r.clones = int(rng() % 7) - 1;
  r.epaisseur = int(rng() % 13);
  r.spirale = rng() % 4 != 0;
  r.aleatoire = rng() % 3 == 0;
  r.peinture = rng() % 8 == 0 ? ModePeinture::peind_tant_que : ModePeinture::dessiner;
  return r;
}

void appliquer(TForm1& f, const Reglages& r) {
  f.RadioGroup_symetrie.set_item_index(int(r.symetrie));
  f.RadioGroup_type_trace.set_item_index(int(r.type));
  f.RadioGroup_peindre_dessiner.set_item_index(int(r.peinture));
  f.Edit1.set_text(std::to_string(r.petales));
  f.CheckBox_spirale.set_checked(r.spirale);
  f.Edit4.set_text(std::to_string(r.tours));
  f.Edit5.set_text(std::to_string(r.facteur));
  f.CheckBox_ombre_1.set_checked(r.ombre == 1);
  f.CheckBox_ombre_2.set_checked(r.ombre == 2);
  f.Edit7.set_text(std::to_string(r.largeur_ombre));
  f.Edit6.set_text(std::to_string(r.clones));
  f.Edit3.set_text(std::to_string(r.epaisseur));
  f.CheckBox_epaisseur.set_checked(r.aleatoire);
}

TEST(Repetitions, SkippingCopiesChangesNoPixelPenOrRandomDraw) {
  std::mt19937 rng(2024);
  int sautees = 0;  // cases where skipping had something to skip
  for (int cas = 0; cas < 150; ++cas) {
    StartedForm vite(320, 240), plain(320, 240);
    const Reglages r = au_hasard(rng);
    appliquer(*vite, r);
    appliquer(*plain, r);
    const TPenMode mode = TPenMode(rng() % 16);
    const TColor couleur = TColor(rng() & 0xFFFFFF);
    for (int trait = 0; trait < 4; ++trait) {
      auto point = [&] { return TPoint{int(rng() % 360) - 20, int(rng() % 280) - 20}; };
      const TPoint a = point(), b = rng() % 3 ? point() : a;
      vite->trace_symetrique(a, b, mode, couleur, Repetitions::sautees);
      plain->trace_symetrique(a, b, mode, couleur, Repetitions::toutes);
      const Canvas &v = vite.canvas(), &p = plain.canvas();
      ASSERT_EQ(v.bitmap(), p.bitmap()) << "case " << cas << " stroke " << trait;
      ASSERT_EQ(v.PenPos(), p.PenPos()) << "case " << cas;
      ASSERT_EQ(v.Pen.Width, p.Pen.Width) << "case " << cas;
      ASSERT_EQ(v.Pen.Color, p.Pen.Color) << "case " << cas;
      ASSERT_EQ(v.changed(), p.changed()) << "case " << cas;
    }
    for (int k = 0; k < 4; ++k) ASSERT_EQ(vite->Random(1 << 30), plain->Random(1 << 30)) << "case " << cas;
    sautees += r.spirale && r.facteur < 1000 && !r.aleatoire && repeats_harmlessly(mode) &&
               r.peinture == ModePeinture::dessiner;
  }
  EXPECT_GT(sautees, 10);  // the skipping path was exercised
}

}  // namespace
}  // namespace korvel
