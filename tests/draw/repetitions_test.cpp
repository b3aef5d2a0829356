// Skipping the copies that repeat the previous one against drawing them all,
// and lines drawn by bands of rows on several threads against lines drawn one
// by one: byte for byte on random strokes and settings, with the pen, the
// changed rectangle and the random generator left in the same state.
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
  // Now and then a wide shadow band, up to the widest the panel allows.
  r.largeur_ombre = 1 + int(rng() % (rng() % 4 == 0 ? 100 : 12));
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

// Presses of both paint tools with the spiral, in every mode, on a picture
// drawn first and on a blank one: one series of fills against each copy's
// fill on its own.
TEST(Repetitions, PaintPressesThroughOneSeriesChangeNoPixelPenOrRandomDraw) {
  std::mt19937 rng(25);
  for (int cas = 0; cas < 64; ++cas) {
    StartedForm vite(160, 120), plain(160, 120);
    Reglages r = au_hasard(rng);
    r.symetrie = rng() % 2 ? Symetrie::rosace : Symetrie::vitrail;
    r.spirale = true;
    r.facteur = 975;
    r.petales = 1 + int(rng() % 24);
    const bool dessin = cas % 4 != 0;  // now and then a blank picture
    const TPenMode mode = TPenMode(cas % 16);
    for (StartedForm* f : {&vite, &plain}) {
      r.peinture = ModePeinture::dessiner;
      appliquer(**f, r);
      (*f)->coul_crayon = clRed;
      (*f)->coul_peinture = TColor(0x3366CC);
    }
    for (int trait = 0; trait < 6 && dessin; ++trait) {
      const TPoint a{int(rng() % 160), int(rng() % 120)}, b{int(rng() % 160), int(rng() % 120)};
      const TColor couleur = rng() % 2 ? clRed : TColor(rng() & 0xFFFFFF);
      vite->trace_symetrique(a, b, pmCopy, couleur, Repetitions::sautees);
      plain->trace_symetrique(a, b, pmCopy, couleur, Repetitions::toutes);
    }
    vite.canvas().take_changed();
    plain.canvas().take_changed();
    r.peinture = cas % 2 ? ModePeinture::peind_tant_que : ModePeinture::peind_jusqua;
    appliquer(*vite, r);
    appliquer(*plain, r);
    for (int presse = 0; presse < 3; ++presse) {
      // Points inside and beyond the picture.
      const TPoint a{int(rng() % 240) - 40, int(rng() % 180) - 30};
      const TColor couleur = rng() % 2 ? clRed : TColor(rng() & 0xFFFFFF);
      vite->trace_symetrique(a, a, mode, couleur, Repetitions::sautees);
      plain->trace_symetrique(a, a, mode, couleur, Repetitions::toutes);
      const Canvas &v = vite.canvas(), &p = plain.canvas();
      ASSERT_TRUE(v.bitmap() == p.bitmap()) << "case " << cas << " press " << presse;
      ASSERT_EQ(v.Pen.Width, p.Pen.Width) << "case " << cas;
      ASSERT_EQ(v.Pen.Color, p.Pen.Color) << "case " << cas;
      ASSERT_EQ(v.Brush.Color, p.Brush.Color) << "case " << cas;
      ASSERT_EQ(vite.canvas().take_changed(), plain.canvas().take_changed()) << "case " << cas;
    }
    ASSERT_EQ(vite->Random(1 << 30), plain->Random(1 << 30)) << "case " << cas;
  }
}

// Every stroke on a full-HD and a 4K picture, drawn by 1, 2 and 8 threads
// against the plain path, which draws each line at once.
TEST(Repetitions, BandsOfRowsOnAnyNumberOfThreadsDrawAsThePlainPath) {
  for (const auto& [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
    std::mt19937 rng(7 + w);
    StartedForm plain(w, h), t1(w, h), t2(w, h), t8(w, h);
    plain.canvas().set_line_threads(LineThreads::none());
    t1.canvas().set_line_threads(LineThreads::of(1));
    t2.canvas().set_line_threads(LineThreads::of(2));
    t8.canvas().set_line_threads(LineThreads::of(8));
    StartedForm* bands[] = {&t1, &t2, &t8};
    for (int cas = 0; cas < 150; ++cas) {
      Reglages r = au_hasard(rng);
      r.peinture = ModePeinture::dessiner;  // fills draw no line
      const TPoint centre{int(rng() % unsigned(w)), int(rng() % unsigned(h))};
      const TPenMode mode = TPenMode(rng() % 16);
      const TColor couleur = TColor(rng() & 0xFFFFFF);
      for (StartedForm* f : {&plain, &t1, &t2, &t8}) {
        appliquer(**f, r);
        (*f)->centre_x = centre.x;
        (*f)->centre_y = centre.y;
      }
      for (int trait = 0; trait < 4; ++trait) {
        // Mostly the short segments of a moving mouse, now and then a long one.
        const TPoint a{int(rng() % unsigned(w + 80)) - 40, int(rng() % unsigned(h + 80)) - 40};
        const int reach = rng() % 8 == 0 ? w : 40;
        const TPoint b = rng() % 4 == 0 ? a : TPoint{a.x + int(rng() % unsigned(2 * reach)) - reach, a.y + int(rng() % 80) - 40};
        plain->trace_symetrique(a, b, mode, couleur);
        const Rect changed = plain.canvas().take_changed();
        for (StartedForm* f : bands) {
          (*f)->trace_symetrique(a, b, mode, couleur);
          const Canvas& c = f->canvas();
          ASSERT_EQ(c.PenPos(), plain.canvas().PenPos()) << w << " case " << cas;
          ASSERT_EQ(c.Pen.Width, plain.canvas().Pen.Width) << w << " case " << cas;
          ASSERT_EQ(c.Pen.Color, plain.canvas().Pen.Color) << w << " case " << cas;
          ASSERT_EQ(f->canvas().take_changed(), changed) << w << " case " << cas << " threads " << c.line_threads().count();
        }
      }
      const int draw = plain->Random(1 << 30);
      for (StartedForm* f : bands) {
        ASSERT_TRUE(f->canvas().bitmap() == plain.canvas().bitmap()) << w << " case " << cas << " threads "
                                                                     << f->canvas().line_threads().count();
        ASSERT_EQ((*f)->Random(1 << 30), draw) << w << " case " << cas;
      }
    }
  }
}

}  // namespace
}  // namespace korvel
