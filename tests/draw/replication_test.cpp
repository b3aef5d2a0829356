// Symmetric replication: angle_point, the pure list of copies (the worked
// example of the rosette, vitrail and spiral among them) and the driver trace_symetrique
// on a started window's canvas.
#include "draw/replication.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

// A copy rounded as trace_copie rounds it.
struct CopieEntiere {
  int x1, y1, x2, y2;
  friend bool operator==(const CopieEntiere&, const CopieEntiere&) = default;
  friend std::ostream& operator<<(std::ostream& o, const CopieEntiere& c) {
    return o << "(" << c.x1 << ", " << c.y1 << ") to (" << c.x2 << ", " << c.y2 << ")";
  }
};

std::vector<CopieEntiere> arrondies(const std::vector<Copie>& copies) {
  std::vector<CopieEntiere> out;
  for (const Copie& c : copies)
    out.push_back({int(nearest(c.x1)), int(nearest(c.y1)), int(nearest(c.x2)), int(nearest(c.y2))});
  return out;
}

ParametresReplication exemple(Symetrie s) {
  ParametresReplication p;
  p.p1 = {400, 200};
  p.p2 = {450, 200};
  p.centre = {400, 300};
  p.symetrie = s;
  p.petales = 4;
  return p;
}

// ---- angle_point -------------------------------------------------------------

TEST(AnglePoint, AxesAndNullVector) {
  constexpr double pi = std::numbers::pi;
  EXPECT_EQ(angle_point(0, 0), 0.0);
  EXPECT_EQ(angle_point(0, 5), 0.0);
  EXPECT_DOUBLE_EQ(angle_point(5, 0), pi / 2);
  EXPECT_DOUBLE_EQ(angle_point(0, -5), pi);
  EXPECT_DOUBLE_EQ(angle_point(-5, 0), -pi / 2);
  // Diagonals take the |dy| <= |dx| branch.
  EXPECT_DOUBLE_EQ(angle_point(1, 1), pi / 4);
  EXPECT_DOUBLE_EQ(angle_point(1, -1), 3 * pi / 4);
  EXPECT_DOUBLE_EQ(angle_point(-1, 1), -pi / 4);
  EXPECT_DOUBLE_EQ(angle_point(-1, -1), -3 * pi / 4);
}

TEST(AnglePoint, SineAndCosineGiveTheVectorBack) {
  RandomGenerator rng(5);
  for (int i = 0; i < 5000; ++i) {
    const double dx = rng.Random(20001) - 10000, dy = rng.Random(20001) - 10000;
    const double r = std::hypot(dx, dy), a = angle_point(dx, dy);
    ASSERT_NEAR(r * std::sin(a), dx, 1e-9 * (1 + r)) << dx << " " << dy;
    ASSERT_NEAR(r * std::cos(a), dy, 1e-9 * (1 + r)) << dx << " " << dy;
  }
  EXPECT_NEAR(angle_point(1e-300, -1e300), std::numbers::pi, 1e-15);
}

// ---- the list of copies -------------------------------------------------------

TEST(CopiesSymetriques, WorkedExampleRosace) {
  const std::vector<CopieEntiere> expected = {
      {400, 200, 450, 200}, {300, 300, 300, 250}, {400, 400, 350, 400}, {500, 300, 500, 350}};
  EXPECT_EQ(arrondies(copies_symetriques(exemple(Symetrie::rosace))), expected);
}

TEST(CopiesSymetriques, WorkedExampleVitrail) {
  const std::vector<CopieEntiere> expected = {
      {400, 200, 450, 200}, {400, 200, 350, 200},  // pass 0 and its mirror
      {300, 300, 300, 250}, {500, 300, 500, 250},  // pass 1
      {400, 400, 350, 400}, {400, 400, 450, 400},  // pass 2
      {500, 300, 500, 350}, {300, 300, 300, 350},  // pass 3
  };
  EXPECT_EQ(arrondies(copies_symetriques(exemple(Symetrie::vitrail))), expected);
}

TEST(CopiesSymetriques, WorkedExampleSpiralWithTiesToEven) {
  ParametresReplication p = exemple(Symetrie::rosace);
  p.tours = 2;
  p.facteur = 0.5;
  const std::vector<Copie> copies = copies_symetriques(p);
  const std::vector<CopieEntiere> expected = {
      {400, 200, 450, 200}, {350, 300, 350, 275}, {400, 325, 388, 325}, {412, 300, 412, 306},
      {400, 294, 403, 294}, {397, 300, 397, 298}, {400, 302, 399, 302}, {401, 300, 401, 300},
  };
  EXPECT_EQ(arrondies(copies), expected);
  // The ties themselves: exactly halves, which go to the even neighbour.
  ASSERT_EQ(copies.size(), 8u);
  EXPECT_EQ(copies[2].x2, 387.5);
  EXPECT_EQ(copies[3].x1, 412.5);
  EXPECT_EQ(copies[3].x2, 412.5);
}

TEST(CopiesSymetriques, MiroirVerticalInExactIntegers) {
  ParametresReplication p;
  p.p1 = {10, 20};
  p.p2 = {100, 40};
  p.centre = {100, 50};
  p.symetrie = Symetrie::miroir_vertical;
  const std::vector<Copie> expected = {{10, 20, 100, 40}, {190, 20, 100, 40}};
  EXPECT_EQ(copies_symetriques(p), expected);  // a point on the axis maps onto itself
}

TEST(CopiesSymetriques, QuatreQuartsInOrder) {
  ParametresReplication p;
  p.p1 = {10, 20};
  p.p2 = {30, 45};
  p.centre = {100, 50};
  p.symetrie = Symetrie::quatre_quarts;
  const std::vector<Copie> expected = {
      {10, 20, 30, 45}, {190, 20, 170, 45}, {190, 80, 170, 55}, {10, 80, 30, 55}};
  EXPECT_EQ(copies_symetriques(p), expected);
}

TEST(CopiesSymetriques, UniqueIsTheSegmentItself) {
  ParametresReplication p;
  p.p1 = {-7, 3};
  p.p2 = {5000, -9};
  p.centre = {100, 50};
  p.symetrie = Symetrie::unique;
  p.petales = 24;
  EXPECT_EQ(copies_symetriques(p), (std::vector<Copie>{{-7, 3, 5000, -9}}));
}

TEST(CopiesSymetriques, LosangesMirrorsOnlyTheRosace) {
  for (Symetrie s : {Symetrie::rosace, Symetrie::vitrail, Symetrie::miroir_vertical, Symetrie::quatre_quarts,
                     Symetrie::unique}) {
    ParametresReplication p = exemple(s);
    const auto sans = copies_symetriques(p);
    p.type_trace = TypeTrace::losanges;
    const auto avec = copies_symetriques(p);
    if (s == Symetrie::rosace)
      EXPECT_EQ(avec, copies_symetriques(exemple(Symetrie::vitrail)));
    else
      EXPECT_EQ(avec, sans) << int(s);
  }
}

TEST(CopiesSymetriques, CountsAndEmptyCases) {
  ParametresReplication p = exemple(Symetrie::rosace);
  p.petales = 24;
  p.tours = 20;
  p.facteur = 0.975;
  EXPECT_EQ(copies_symetriques(p).size(), 480u);
  p.symetrie = Symetrie::vitrail;
  EXPECT_EQ(copies_symetriques(p).size(), 960u);
  p.petales = -3;  // a negative text is returned as it is: N x M < 0
  EXPECT_TRUE(copies_symetriques(p).empty());
  p.petales = 4;
  p.tours = 0;
  EXPECT_TRUE(copies_symetriques(p).empty());
  p.tours = 1;
  p.symetrie = static_cast<Symetrie>(-1);  // no symmetry selected
  EXPECT_TRUE(copies_symetriques(p).empty());
}

TEST(CopiesSymetriques, OnePetalIsTheSegmentInItsPlace) {
  ParametresReplication p = exemple(Symetrie::rosace);
  p.p1 = {123, 456};
  p.p2 = {-80, 9};
  p.petales = 1;
  EXPECT_EQ(arrondies(copies_symetriques(p)), (std::vector<CopieEntiere>{{123, 456, -80, 9}}));
  p.symetrie = Symetrie::vitrail;
  EXPECT_EQ(arrondies(copies_symetriques(p)), (std::vector<CopieEntiere>{{123, 456, -80, 9}, {677, 456, 880, 9}}));
}

TEST(CopiesSymetriques, ASegmentFromTheCentreIsAStar) {
  ParametresReplication p = exemple(Symetrie::rosace);
  p.p1 = p.centre;
  p.p2 = {500, 300};
  p.petales = 6;
  const auto copies = copies_symetriques(p);
  ASSERT_EQ(copies.size(), 6u);
  // Arms of length 100 every 60 degrees, from +X towards -Y (counter-clockwise
  // on screen); 86.6025... is 100 sin 60 degrees.
  const std::vector<std::pair<double, double>> ends = {{500, 300},       {450, 213.39746}, {350, 213.39746},
                                                       {300, 300},       {350, 386.60254}, {450, 386.60254}};
  for (std::size_t k = 0; k < copies.size(); ++k) {
    EXPECT_EQ(copies[k].x1, 400.0);
    EXPECT_EQ(copies[k].y1, 300.0);
    EXPECT_NEAR(copies[k].x2, ends[k].first, 1e-5) << k;
    EXPECT_NEAR(copies[k].y2, ends[k].second, 1e-5) << k;
  }
}

TEST(CopiesSymetriques, FactorOneRepeatsTheRosetteEachTurn) {
  ParametresReplication p = exemple(Symetrie::rosace);
  p.petales = 24;
  p.tours = 3;
  p.facteur = 1.0;
  const auto copies = arrondies(copies_symetriques(p));
  ASSERT_EQ(copies.size(), 72u);
  for (std::size_t k = 0; k < 24; ++k) {
    EXPECT_EQ(copies[k], copies[k + 24]);
    EXPECT_EQ(copies[k], copies[k + 48]);
  }
}

TEST(CopiesSymetriques, SmallFactorCrowdsIntoTheCentre) {
  ParametresReplication p = exemple(Symetrie::rosace);
  p.petales = 24;
  p.tours = 20;
  p.facteur = 0.01;
  const auto copies = copies_symetriques(p);
  EXPECT_NEAR(std::hypot(copies[1].x2 - 400, copies[1].y2 - 300), std::hypot(50.0, 100.0) / 100, 1e-9);
  for (std::size_t k = 5; k < copies.size(); ++k) {
    ASSERT_EQ(nearest(copies[k].x2), 400.0);
    ASSERT_EQ(nearest(copies[k].y2), 300.0);
  }
}

TEST(CopiesSymetriques, IntegerMirrorsBeyond32BitsAreExact) {
  ParametresReplication p;
  p.p1 = {std::numeric_limits<std::int32_t>::min(), 0};
  p.p2 = {0, std::numeric_limits<std::int32_t>::max()};
  p.centre = {1000, -1000};
  p.symetrie = Symetrie::quatre_quarts;
  const auto copies = copies_symetriques(p);
  ASSERT_EQ(copies.size(), 4u);
  EXPECT_EQ(copies[1].x1, 2000.0 + 2147483648.0);
  EXPECT_EQ(copies[2].y2, -2000.0 - 2147483647.0);
  EXPECT_TRUE(copie_representable(copies[0]));
  EXPECT_FALSE(copie_representable(copies[1]));
  EXPECT_FALSE(copie_representable(copies[2]));
  EXPECT_FALSE(copie_representable(copies[3]));
}

TEST(CopieRepresentable, FiniteAndWithin32BitsAfterRounding) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(copie_representable({0, 0, 0, 0}));
  EXPECT_TRUE(copie_representable({2147483647.4, -2147483648.0, -2147483648.5, 0}));  // -...8.5 goes to even -...8
  EXPECT_FALSE(copie_representable({2147483647.5, 0, 0, 0}));                          // goes to ...648
  EXPECT_FALSE(copie_representable({0, -2147483649.0, 0, 0}));
  EXPECT_FALSE(copie_representable({0, 0, inf, 0}));
  EXPECT_FALSE(copie_representable({0, 0, 0, -inf}));
  EXPECT_FALSE(copie_representable({std::nan(""), 0, 0, 0}));
  EXPECT_FALSE(copie_representable({0, 0, 0, 1e300}));
}

TEST(CopiesSymetriques, AGrowingSpiralLeavesTheRangeAndStaysOut) {
  ParametresReplication p = exemple(Symetrie::rosace);
  p.petales = 24;
  p.tours = 20;
  p.facteur = 100.0;  // Edit5 typed as 100000
  const auto copies = copies_symetriques(p);
  ASSERT_EQ(copies.size(), 480u);
  std::size_t representables = 0;
  bool sorti = false;
  for (const Copie& c : copies) {
    if (copie_representable(c)) {
      ASSERT_FALSE(sorti) << "a copy came back into range";
      ++representables;
    } else {
      sorti = true;
    }
  }
  // Radii 112, 11180, 1.1e6, 1.1e8, then 1.1e10: four copies fit.
  EXPECT_EQ(representables, 4u);
  EXPECT_FALSE(std::isfinite(copies.back().x2) && std::fabs(copies.back().x2) < 1e300);
}

// ---- the driver ------------------------------------------------------------

// The lines of `copies` drawn thin in pmCopy on a black picture.
Bitmap reference(const Canvas& model, const std::vector<Copie>& copies, TColor colour, int width = 1) {
  Canvas ref(model.width(), model.height());
  ref.Pen.Color = colour;
  ref.Pen.Width = width;
  for (const Copie& c : copies) {
    if (!copie_representable(c)) continue;
    ref.MoveTo(int(nearest(c.x1)), int(nearest(c.y1)));
    ref.LineTo(int(nearest(c.x2)), int(nearest(c.y2)));
  }
  return ref.bitmap();
}

struct Driver : ::testing::Test {
  StartedForm f;
  void SetUp() override {
    f->centre_x = 400;
    f->centre_y = 300;
    f->Edit1.set_text("4");
    f->Edit3.set_text("1");
    ASSERT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), ModePeinture::dessiner);
    ASSERT_EQ(f->RadioGroup_type_trace.choice<TypeTrace>(), TypeTrace::crayon);
    ASSERT_EQ(f->RadioGroup_symetrie.choice<Symetrie>(), Symetrie::rosace);
    ASSERT_EQ(f->nb_clones, 1);
  }
};

TEST_F(Driver, WorkedExampleOnThePicture) {
  f->trace_symetrique({400, 200}, {450, 200}, pmCopy, clRed);
  EXPECT_EQ(f.canvas().bitmap(), reference(f.canvas(), copies_symetriques(exemple(Symetrie::rosace)), clRed));
  EXPECT_EQ(f.canvas().Pixels(449, 200), clRed);
  EXPECT_EQ(f.canvas().Pixels(300, 251), clRed);
  EXPECT_EQ(f.canvas().Pixels(300, 250), clBlack);  // the end pixel is left out
}

TEST_F(Driver, WorkedExampleVitrailOnThePicture) {
  f->RadioGroup_symetrie.set_choice(Symetrie::vitrail);
  f->trace_symetrique({400, 200}, {450, 200}, pmCopy, clRed);
  EXPECT_EQ(f.canvas().bitmap(), reference(f.canvas(), copies_symetriques(exemple(Symetrie::vitrail)), clRed));
}

TEST_F(Driver, WorkedSpiralOnThePicture) {
  f->CheckBox_spirale.set_checked(true);
  f->Edit4.set_text("2");
  f->Edit5.set_text("500");
  f->trace_symetrique({400, 200}, {450, 200}, pmCopy, clRed);
  ParametresReplication p = exemple(Symetrie::rosace);
  p.tours = 2;
  p.facteur = 0.5;
  EXPECT_EQ(f.canvas().bitmap(), reference(f.canvas(), copies_symetriques(p), clRed));
  EXPECT_EQ(f.desktop.cursor(), crDefault);  // no hourglass when drawing
}

TEST_F(Driver, SetsPenModeColourWidthAndSwatches) {
  f->Edit3.set_text("7");
  f->trace_symetrique({10, 10}, {20, 10}, pmXor, RGB(1, 2, 3));
  EXPECT_EQ(f.canvas().Pen.Mode, pmXor);
  EXPECT_EQ(f.canvas().Pen.Color, RGB(1, 2, 3));
  EXPECT_EQ(f.canvas().Pen.Width, 7);
  EXPECT_EQ(f->Panel_crayon.color(), RGB(1, 2, 3));
  EXPECT_EQ(f->Panel9.color(), RGB(1, 2, 3));
}

TEST_F(Driver, RandomWidthStartsFromThePreviousWidth) {
  f->CheckBox_epaisseur.set_checked(true);
  f->RadioGroup_type_trace.set_choice(TypeTrace::eventail);  // no darkening draw
  f->Edit3.set_text("5");
  f.canvas().Pen.Width = 3;
  f->random().seed(42);
  RandomGenerator replay(42);
  f->trace_symetrique({10, 10}, {20, 10}, pmCopy, clRed);
  const int w1 = replay.Random(8);
  EXPECT_EQ(f.canvas().Pen.Width, w1);
  for (int i = 0; i < 4 * 4; ++i) replay.Random(10);  // the jittered line of each of the 4 copies
  f->trace_symetrique({10, 10}, {20, 10}, pmCopy, clRed);
  EXPECT_EQ(f.canvas().Pen.Width, replay.Random(5 + w1));
}

TEST_F(Driver, HourglassWhileASpiralPaints) {
  f->CheckBox_spirale.set_checked(true);
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), ModePeinture::peind_tant_que);
  f->trace_symetrique({10, 10}, {10, 10}, pmCopy, f->coul_crayon);
  EXPECT_EQ(f.desktop.cursor(), crHourGlass);
}

TEST_F(Driver, NoHourglassWithoutTheSpiral) {
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  f->trace_symetrique({10, 10}, {10, 10}, pmCopy, f->coul_crayon);
  EXPECT_EQ(f.desktop.cursor(), crDefault);
}

TEST_F(Driver, ABadSpiralTextStopsBeforeTheFirstCopy) {
  f->CheckBox_spirale.set_checked(true);
  f->Edit5.set_text("abc");
  const Bitmap before = f.canvas().bitmap();
  EXPECT_THROW(f->trace_symetrique({400, 200}, {450, 200}, pmCopy, clRed), EConvertError);
  EXPECT_EQ(f.canvas().bitmap(), before);
  EXPECT_EQ(f->Panel_crayon.color(), clGreen);  // the numbers are read before anything changes
}

TEST_F(Driver, ZeroOrEmptyPetalCountDrawsOnePetal) {
  for (const char* text : {"0", ""}) {
    f->nouvelle_image();
    f->Edit1.set_text(text);
    f->trace_symetrique({400, 200}, {450, 200}, pmCopy, clRed);
    ParametresReplication p = exemple(Symetrie::rosace);
    p.petales = 1;
    EXPECT_EQ(f.canvas().bitmap(), reference(f.canvas(), copies_symetriques(p), clRed)) << text;
  }
}

TEST_F(Driver, SpiralFactor100000With480CopiesDrawsTheRepresentableOnes) {
  f->Edit1.set_text("24");
  f->CheckBox_spirale.set_checked(true);
  f->Edit4.set_text("20");
  f->Edit5.set_text("100000");
  f->trace_symetrique({400, 200}, {450, 200}, pmCopy, clRed);
  ParametresReplication p = exemple(Symetrie::rosace);
  p.petales = 24;
  p.tours = 20;
  p.facteur = 100.0;
  const auto copies = copies_symetriques(p);
  ASSERT_EQ(copies.size(), 480u);
  EXPECT_EQ(f.canvas().bitmap(), reference(f.canvas(), copies, clRed));
  EXPECT_EQ(f.canvas().Pixels(449, 200), clRed);  // the first copy is in its place
}

TEST_F(Driver, SkippedCopiesDrawNothingFromTheGenerator) {
  f->Edit1.set_text("24");
  f->CheckBox_spirale.set_checked(true);
  f->Edit4.set_text("20");
  f->Edit5.set_text("100000");
  f->CheckBox_epaisseur.set_checked(true);
  f->RadioGroup_type_trace.set_choice(TypeTrace::eventail);  // 4 jitter draws per copy
  f->random().seed(17);
  RandomGenerator replay(17);
  const int width_bound = 1 + f.canvas().Pen.Width;
  f->trace_symetrique({400, 200}, {450, 200}, pmCopy, clRed);
  // The width, then the jitter of the four representable copies.
  replay.Random(width_bound);
  for (int i = 0; i < 4 * 4; ++i) replay.Random(10);
  EXPECT_EQ(f->Random(1 << 30), replay.Random(1 << 30));
}

TEST_F(Driver, SpiralFactor100000PaintsOnlyRepresentablePoints) {
  f->Edit1.set_text("24");
  f->CheckBox_spirale.set_checked(true);
  f->Edit4.set_text("20");
  f->Edit5.set_text("100000");
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  f->coul_peinture = clAqua;
  f->trace_symetrique({450, 200}, {450, 200}, pmCopy, f->coul_crayon);
  // The first point lies in the black picture, which is painted whole.
  EXPECT_EQ(f.canvas().Pixels(0, 0), clAqua);
  EXPECT_EQ(f.canvas().Pixels(f.canvas().width() - 1, f.canvas().height() - 1), clAqua);
}

// The settings a stroke is given are the ones every copy is drawn with,
// whatever the panel says meanwhile; read from the panel, they are the
// panel's.
TEST_F(Driver, EveryCopyIsDrawnWithTheStrokesSettings) {
  f->RadioGroup_symetrie.set_choice(Symetrie::quatre_quarts);
  const auto picture = [&](auto draw) {
    f.canvas().Draw(0, 0, Bitmap(f.canvas().width(), f.canvas().height()));
    draw();
    return f.canvas().bitmap();
  };
  f->Edit3.set_text("5");
  f->CheckBox_ombre_2.set_checked(true);
  f->Edit7.set_text("6");
  const ReglagesTrace panel = f->reglages_trace(Reglages::replication);
  const Bitmap shaded = picture([&] { f->trace_symetrique({300, 100}, {420, 180}, pmCopy, clRed); });
  f->Edit3.set_text("1");
  f->CheckBox_ombre_2.set_checked(false);
  const Bitmap plain = picture([&] { f->trace_symetrique({300, 100}, {420, 180}, pmCopy, clRed); });
  EXPECT_NE(plain, shaded);
  EXPECT_EQ(picture([&] { f->trace_symetrique({300, 100}, {420, 180}, pmCopy, clRed, panel); }), shaded);
  ASSERT_TRUE(panel.ombre);
  EXPECT_EQ(panel.ombre->largeur, 6);
  EXPECT_TRUE(panel.ombre->facon.sinus);
  EXPECT_FALSE(panel.ombre->facon.carre);
  EXPECT_EQ(panel.epaisseur, 5);
}

}  // namespace
}  // namespace korvel
