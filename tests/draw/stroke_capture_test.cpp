// Stroke capture through a started window: presses, moves and releases on
// the picture, checked on the canvas and on the drawing state.
#include <gtest/gtest.h>

#include <vector>

#include "colour/colour_generation.h"
#include "draw/replication.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

constexpr TColor kVert = 0x008000;

struct Ligne {
  int x1, y1, x2, y2;
};

// Thin pmCopy lines on a black picture of the form's size.
Bitmap picture(const Canvas& model, const std::vector<Ligne>& lines, TColor colour) {
  Canvas ref(model.width(), model.height());
  ref.Pen.Color = colour;
  for (const Ligne& l : lines) {
    ref.MoveTo(l.x1, l.y1);
    ref.LineTo(l.x2, l.y2);
  }
  return ref.bitmap();
}

struct StrokeCapture : ::testing::Test {
  StartedForm f;
  void SetUp() override {
    f->Edit3.set_text("1");
    f.canvas().Pen.Width = 1;
    // "unique" unless a test asks for the rosette, and a chosen pen colour.
    f->RadioGroup_symetrie.set_item_index(int(Symetrie::unique));
    f->RadioGroup_couleur_crayon.set_item_index(1);
    ASSERT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 0);
    ASSERT_EQ(f->RadioGroup_type_trace.item_index(), 0);
    ASSERT_EQ(f->coul_crayon, kVert);
  }
  void type(TypeTrace t) {
    f->RadioGroup_type_trace.set_item_index(int(t));
    ASSERT_EQ(f->RadioGroup_type_trace.item_index(), int(t));
  }
  void down(int x, int y, TMouseButton b = mbLeft) { f->FormMouseDown(b, 0, x, y); }
  void move(int x, int y) { f->FormMouseMove(0, x, y); }
  void up(int x, int y, TMouseButton b = mbLeft) { f->FormMouseUp(b, 0, x, y); }
  std::size_t snapshots() const { return f.files.writes.size(); }
  Bitmap noir() { return picture(f.canvas(), {}, kVert); }
};

// ---- centre choice --------------------------------------------------------------

TEST_F(StrokeCapture, CentreChoiceSetsTheCentreAndDrawsNothing) {
  f->Panel3Click();
  EXPECT_EQ(f->Label1.caption(), "clik au centre");
  EXPECT_TRUE(f->choix_centre);
  EXPECT_EQ(f.desktop.cursor(), crCross);
  f->menu_a_cacher = true;
  f->Panel3Click();
  EXPECT_FALSE(f->menu_a_cacher);  // _ws

  down(123, 45, mbRight);
  EXPECT_EQ(f->centre_x, 123);
  EXPECT_EQ(f->centre_y, 45);
  EXPECT_FALSE(f->trace_en_cours);
  move(200, 200);
  EXPECT_EQ(f->souris_x, 200);
  EXPECT_EQ(f.canvas().bitmap(), noir());
  const auto before = snapshots();
  up(200, 200, mbLeft);
  EXPECT_EQ(snapshots(), before + 1);
  EXPECT_FALSE(f->choix_centre);
  EXPECT_EQ(f.desktop.cursor(), crArrow);
  EXPECT_EQ(f->Label1.caption(), "");
  EXPECT_EQ(f.canvas().bitmap(), noir());
}

// ---- crayon, éventail, points ---------------------------------------------------

TEST_F(StrokeCapture, CrayonIsAChainOfSegments) {
  down(100, 100);
  EXPECT_TRUE(f->trace_en_cours);
  EXPECT_EQ(f.canvas().bitmap(), noir());  // nothing at the press in "dessiner"
  move(110, 100);
  move(110, 110);
  move(100, 120);
  EXPECT_EQ(f->pt_depart, (TPoint{100, 120}));
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{100, 100, 110, 100}, {110, 100, 110, 110}, {110, 110, 100, 120}}, kVert));
  up(100, 120);
  EXPECT_FALSE(f->trace_en_cours);
  // Moves after the release draw nothing.
  const Bitmap after = f.canvas().bitmap();
  move(300, 300);
  EXPECT_EQ(f.canvas().bitmap(), after);
}

TEST_F(StrokeCapture, CrayonInTheRosetteDrawsEveryCopy) {
  f->RadioGroup_symetrie.set_item_index(int(Symetrie::rosace));
  f->centre_x = 400;
  f->centre_y = 300;
  f->Edit1.set_text("4");
  down(400, 200);
  move(450, 200);
  std::vector<Ligne> expected = {{400, 200, 450, 200}, {300, 300, 300, 250}, {400, 400, 350, 400}, {500, 300, 500, 350}};
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), expected, kVert));
}

TEST_F(StrokeCapture, EventailFansFromThePressPoint) {
  type(TypeTrace::eventail);
  down(100, 100);
  move(150, 100);
  move(100, 150);
  EXPECT_EQ(f->pt_depart, (TPoint{100, 100}));
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{100, 100, 150, 100}, {100, 100, 100, 150}}, kVert));
}

TEST_F(StrokeCapture, PointsDrawOneUnreplicatedDotWithTheCanvasPen) {
  type(TypeTrace::points);
  f->RadioGroup_symetrie.set_item_index(int(Symetrie::rosace));
  f->mode_crayon = pmXor;
  Canvas& c = f.canvas();
  c.Pen.Color = clRed;
  c.Brush.Color = clWhite;
  down(200, 200);
  move(300, 300);
  EXPECT_EQ(c.Pen.Mode, pmXor);
  Canvas ref(c.width(), c.height());
  ref.Pen.Color = clRed;
  ref.Brush.Color = clWhite;
  ref.Pen.Mode = pmXor;
  ref.Ellipse(298, 298, 302, 302);
  EXPECT_EQ(c.bitmap(), ref.bitmap());
}

TEST_F(StrokeCapture, TheMiddleButtonDrawsLikeTheLeftInCrayon) {
  down(100, 100, mbMiddle);
  move(120, 100);
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{100, 100, 120, 100}}, kVert));
}

TEST_F(StrokeCapture, ARightClickInCrayonDrawsNothingAndTogglesThePanel) {
  ASSERT_TRUE(f->Panel1.visible());
  down(100, 100, mbRight);
  EXPECT_FALSE(f->trace_en_cours);
  move(150, 150);
  EXPECT_EQ(f.canvas().bitmap(), noir());
  const auto before = snapshots();
  up(150, 150, mbRight);
  EXPECT_EQ(snapshots(), before + 1);
  EXPECT_FALSE(f->Panel1.visible());
  EXPECT_FALSE(f->menu_a_cacher);  // a right release never arms
  down(100, 100, mbRight);
  up(100, 100, mbRight);
  EXPECT_TRUE(f->Panel1.visible());
}

// ---- two-click lines ------------------------------------------------------------

TEST_F(StrokeCapture, LignesRubberBandThenFinalLine) {
  type(TypeTrace::lignes);
  f->Edit3.set_text("3");
  down(100, 100);
  EXPECT_TRUE(f->ligne_en_cours);
  EXPECT_EQ(f.canvas().Pen.Width, 3);
  up(100, 100);
  EXPECT_TRUE(f->ligne_en_cours);  // survives the release
  f->Edit3.set_text("1");
  move(150, 130);
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{100, 100, 150, 130}}, kVert));  // XOR on black
  move(200, 100);
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{100, 100, 200, 100}}, kVert));
  EXPECT_EQ(f->elastique_debut, (TPoint{100, 100}));
  EXPECT_EQ(f->elastique_fin, (TPoint{200, 100}));
  // The second click on a white line: the band XORs over it, the final line copies.
  f->mode_crayon = pmXor;
  down(200, 100);
  EXPECT_FALSE(f->ligne_en_cours);
  EXPECT_EQ(f.canvas().Pen.Mode, pmCopy);
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{100, 100, 200, 100}}, kVert));
}

TEST_F(StrokeCapture, TheFinalLineStartsAtTheLastRubberBandsStart) {
  type(TypeTrace::lignes);
  f->elastique_debut = {10, 10};
  down(100, 100);
  up(100, 100);
  down(300, 100);  // no move between the clicks
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{10, 10, 300, 100}}, kVert));
}

TEST_F(StrokeCapture, AnotherButtonCancelsAPendingLine) {
  for (TMouseButton b : {mbMiddle, mbRight}) {
    f->nouvelle_image();
    type(TypeTrace::lignes);
    down(100, 100);
    move(150, 130);
    ASSERT_NE(f.canvas().bitmap(), noir());
    down(150, 130, b);
    EXPECT_FALSE(f->ligne_en_cours) << b;
    EXPECT_EQ(f.canvas().bitmap(), noir()) << b;  // the band is XORed away
    EXPECT_EQ(f->pt_depart, (TPoint{150, 130}));
    EXPECT_EQ(f->pt_courant, (TPoint{150, 130}));
    up(150, 130, b);
    EXPECT_TRUE(f->Panel1.visible()) << b;  // "lignes": no panel toggle
  }
}

TEST_F(StrokeCapture, ARightClickInLosangesDoesNothing) {
  type(TypeTrace::losanges);
  down(100, 100);
  move(150, 100);
  const Bitmap band = f.canvas().bitmap();
  down(150, 100, mbRight);
  EXPECT_TRUE(f->ligne_en_cours);
  EXPECT_EQ(f.canvas().bitmap(), band);
  up(150, 100, mbRight);
  EXPECT_TRUE(f->Panel1.visible());
}

TEST_F(StrokeCapture, LosangesMirrorTheRosetteCopies) {
  type(TypeTrace::losanges);
  f->RadioGroup_symetrie.set_item_index(int(Symetrie::rosace));
  f->centre_x = 400;
  f->centre_y = 300;
  f->Edit1.set_text("4");
  down(400, 200);
  move(450, 200);
  down(450, 200);
  ParametresReplication p;
  p.p1 = {400, 200};
  p.p2 = {450, 200};
  p.centre = {400, 300};
  p.symetrie = Symetrie::vitrail;
  p.petales = 4;
  std::vector<Ligne> lines;
  for (const Copie& c : copies_symetriques(p))
    lines.push_back({int(nearest(c.x1)), int(nearest(c.y1)), int(nearest(c.x2)), int(nearest(c.y2))});
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), lines, kVert));
}

// ---- painting --------------------------------------------------------------------

TEST_F(StrokeCapture, APressInAPaintingModePaintsAndMovesDoNothing) {
  f->RadioGroup_peindre_dessiner.set_item_index(1);
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 1);
  f->coul_peinture = clAqua;
  down(50, 50);
  EXPECT_EQ(f.canvas().Pixels(0, 0), clAqua);
  EXPECT_EQ(f.canvas().Pixels(1919, 1079), clAqua);
  const Bitmap painted = f.canvas().bitmap();
  f.canvas().Pen.Color = clRed;
  move(60, 60);
  EXPECT_EQ(f.canvas().bitmap(), painted);
}

TEST_F(StrokeCapture, TwoClickLinesInAPaintingModePaintAtTheClickPoints) {
  // The cascades of the tool panel never leave "lignes" in a painting mode;
  // the state is set here without them.
  f->RadioGroup_peindre_dessiner.set_item_index(1);
  const auto handler = f->RadioGroup_type_trace.OnClick;
  f->RadioGroup_type_trace.OnClick = nullptr;
  f->RadioGroup_type_trace.set_item_index(int(TypeTrace::lignes));
  f->RadioGroup_type_trace.OnClick = handler;
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 1);
  f->coul_peinture = clAqua;
  Canvas& c = f.canvas();
  c.Pen.Color = kVert;
  c.MoveTo(0, 500);
  c.LineTo(1920, 500);  // splits the picture in two areas
  down(100, 100);  // first point: nothing painted
  EXPECT_TRUE(f->ligne_en_cours);
  EXPECT_EQ(c.Pixels(100, 100), clBlack);
  move(150, 150);  // no rubber band
  EXPECT_EQ(c.Pixels(120, 120), clBlack);
  down(100, 700);  // second point paints its own area
  EXPECT_FALSE(f->ligne_en_cours);
  EXPECT_EQ(c.Pixels(0, 1079), clAqua);
  EXPECT_EQ(c.Pixels(0, 0), clBlack);
  // The right-button cancel paints at elastique_fin.
  f->elastique_fin = {5, 5};
  down(900, 900, mbRight);
  EXPECT_EQ(c.Pixels(0, 0), clAqua);
  EXPECT_EQ(c.Pixels(0, 500), kVert);
}

TEST_F(StrokeCapture, SpiralPaintingShowsTheHourglassUntilTheRelease) {
  f->RadioGroup_symetrie.set_item_index(int(Symetrie::rosace));
  f->CheckBox_spirale.set_checked(true);
  f->Edit1.set_text("4");
  f->Edit4.set_text("1");
  f->RadioGroup_peindre_dessiner.set_item_index(1);
  down(700, 500);
  EXPECT_EQ(f.desktop.cursor(), crHourGlass);
  up(700, 500);
  EXPECT_EQ(f.desktop.cursor(), crArrow);
}

// ---- release: snapshot, colours, arming --------------------------------------------

TEST_F(StrokeCapture, EveryReleaseWritesASnapshotOfThePicture) {
  down(100, 100);
  move(120, 100);
  const auto before = snapshots();
  up(120, 100);
  ASSERT_EQ(snapshots(), before + 1);
  EXPECT_EQ(f.files.files[f.files.writes.back()], f.canvas().bitmap());
  up(0, 0, mbMiddle);  // even without a press
  EXPECT_EQ(snapshots(), before + 2);
}

TEST_F(StrokeCapture, RandomPenColourIsRenewedAtTheRelease) {
  f->RadioGroup_couleur_crayon.set_item_index(0);
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 0);
  f->RadioGroup_coul_type.set_item_index(int(StyleCouleur::vive));
  down(100, 100);
  move(120, 100);
  f->random().seed(21);
  RandomGenerator replay(21);
  up(120, 100);
  EXPECT_EQ(f->coul_crayon_prec, kVert);
  EXPECT_EQ(f->coul_crayon, couleur_vive(replay));
  EXPECT_EQ(f->Panel_crayon.color(), f->coul_crayon);
  EXPECT_EQ(f->Panel9.color(), f->coul_crayon);
  EXPECT_EQ(f.canvas().Pixels(110, 100), kVert);  // the stroke kept its colour
}

TEST_F(StrokeCapture, AChosenPenColourIsKept) {
  down(100, 100);
  up(100, 100);
  EXPECT_EQ(f->coul_crayon, kVert);
  EXPECT_EQ(f->Panel_crayon.color(), kVert);
}

TEST_F(StrokeCapture, RandomPaintColourIsRenewedInAPaintingMode) {
  f->RadioGroup_couleur_peinture.set_item_index(1);
  f->RadioGroup_couleur_peinture.set_item_index(0);  // its handler selects "peind tant que"
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.item_index(), 1);
  f->coul_peinture = clAqua;
  f->RadioGroup_coul_type.set_item_index(int(StyleCouleur::gris));
  down(100, 100);
  f->random().seed(5);
  RandomGenerator replay(5);
  up(100, 100);
  EXPECT_EQ(f->coul_peinture_prec, clAqua);
  EXPECT_EQ(f->coul_peinture, couleur_grise(replay));
  EXPECT_EQ(f->Panel_peinture.color(), f->coul_peinture);
  EXPECT_EQ(f->coul_crayon, kVert);  // the pen colour is not renewed while painting
}

TEST_F(StrokeCapture, ALeftReleaseArmsTheHidingWhenThePanelIsDocked) {
  f->menu_descend = true;
  down(100, 100);
  up(100, 100);
  EXPECT_TRUE(f->menu_a_cacher);
  EXPECT_FALSE(f->menu_descend);
  f->_ws();
  f->Panel1.set_align(alNone);
  f->Panel1.set_top(f->top_menu + 5);  // a slide stopped part-way
  down(100, 100);
  up(100, 100);
  EXPECT_FALSE(f->menu_a_cacher);
  f->Panel1.set_top(f->top_menu);
  f->Panel1.set_visible(false);
  down(100, 100);
  up(100, 100);
  EXPECT_FALSE(f->menu_a_cacher);
}

// ---- the elliptical stroke is handed over --------------------------------------------

TEST_F(StrokeCapture, DelieElliptiqueEventsGoToTheEllipticalStroke) {
  type(TypeTrace::delie_elliptique);
  f->RadioGroup_couleur_crayon.set_item_index(0);
  down(100, 100);
  move(150, 150);
  up(150, 150);
  // None of stroke capture's own steps ran.
  EXPECT_FALSE(f->trace_en_cours);
  EXPECT_EQ(f->coul_crayon, kVert);  // no colour renewal
  EXPECT_FALSE(f->menu_a_cacher);    // no arming
  EXPECT_EQ(f.desktop.cursor(), crDefault);
}

TEST_F(StrokeCapture, CentreChoiceUnderDelieElliptiqueLastsPastTheRelease) {
  type(TypeTrace::delie_elliptique);
  f->Panel3Click();
  down(10, 20);
  up(10, 20);
  EXPECT_TRUE(f->choix_centre);
  down(30, 40);
  EXPECT_EQ(f->centre_x, 30);
  EXPECT_EQ(f->centre_y, 40);
}

}  // namespace
}  // namespace korvel
