// The random colouring of the whole picture ("K") through a started window:
// which sample points are painted, the progress labels, the stop button and
// the modes given back at the end.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "app/choices.h"
#include "platform/dispatch.h"
#include "support/form_fixture.h"
#include "ui/key_sequence.h"

namespace korvel {
namespace {

using testing::StartedForm;

constexpr TColor kVert = 0x008000;
// Colours that no "normale" random colour equals (it never reaches 255).
constexpr TColor kBlanc = RGB(255, 255, 255), kMagenta = RGB(255, 0, 255);

using Points = std::set<std::pair<int, int>>;

struct RandomColouring : ::testing::Test {
  StartedForm f{800, 600};
  void SetUp() override {
    f->RadioGroup_symetrie.set_item_index(int(Symetrie::unique));
    ASSERT_EQ(f.canvas().width(), 800);
    ASSERT_EQ(f->coul_crayon, kVert);
    f.desktop.repaint_log.clear();
  }
  // The snapshots written, once the one in flight is settled.
  std::size_t snapshots() {
    f->attend_instantane();
    return f.files.writes.size();
  }
  // Every pixel its own 4-connected area: a fill paints one pixel.
  void checkerboard() {
    Bitmap b(800, 600);
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) b.set_colour(x, y, (x + y) % 2 ? kBlanc : kMagenta);
    f.canvas().Draw(0, 0, b);
  }
  // The pixels a run changed on the checkerboard.
  Points painted() const {
    Points p;
    const Canvas& c = f.form->Image1.canvas();
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (c.Pixels(x, y) != ((x + y) % 2 ? kBlanc : kMagenta)) p.insert({x, y});
    return p;
  }
  // The grid's spacing is 100 + the run's first draw: seeds that make it 100.
  void spacing_100() {
    for (std::uint64_t s = 1;; ++s) {
      RandomGenerator g(s);
      if (g.Random(50) == 0) {
        f->random().seed(s);
        return;
      }
    }
  }
  int samples() const {
    int n = 0;
    for (const std::string& r : f.desktop.repaint_log) n += r.rfind("Label_x=", 0) == 0 && r != "Label_x=---";
    return n;
  }
};

Points grid(int x0, int y0, int s, int w, int h) {
  Points p;
  for (int y = y0; y < h; y += s)
    for (int x = x0; x < w; x += s) p.insert({x, y});
  return p;
}

TEST_F(RandomColouring, TheGridFollowsTheMousePhaseUpTo10PixelsBeyondTheEdges) {
  const struct { TPoint mouse; int columns, rows; } cases[] = {{{37, 81}, 8, 6}, {{5, 3}, 9, 7}, {{1905, 1003}, 9, 7}};
  for (const auto& c : cases) {
    f.desktop.repaint_log.clear();
    checkerboard();
    spacing_100();
    f.desktop.cursor_position = c.mouse;
    f->Panel6.click();
    EXPECT_EQ(painted(), grid(c.mouse.x % 100, c.mouse.y % 100, 100, 800, 600));
    EXPECT_EQ(samples(), c.columns * c.rows);
    EXPECT_EQ(f->Label_x.caption(), "100 %");
    EXPECT_EQ(f->Label_y.caption(), "100 %");
  }
}

TEST_F(RandomColouring, ProgressShowsAsTheRunGoes) {
  spacing_100();
  f.desktop.cursor_position = {5, 3};
  f->Panel6Click();
  const auto& log = f.desktop.repaint_log;
  ASSERT_GE(log.size(), 5u);
  // 105 and 205 of 810 are 13 % and 25 %; the next row at 103 of 610 is 17 %.
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 4),
            (std::vector<std::string>{"Label_x=---", "Label_y=---", "Label_x=13 %", "Label_x=25 %"}));
  EXPECT_EQ(log[2 + 9], "Label_y=17 %");  // after the row's 9 samples
}

TEST_F(RandomColouring, StrokesInThePenColourSurvive) {
  Canvas& c = f.canvas();
  c.Pen.Color = kVert;
  c.Pen.Width = 1;
  c.MoveTo(0, 81);  // through every sample of a row
  c.LineTo(800, 81);
  c.MoveTo(0, 0);
  c.LineTo(800, 600);
  const Bitmap before = c.bitmap();
  spacing_100();
  f.desktop.cursor_position = {37, 81};
  f->Panel6Click();
  int green = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x)
      if (before.colour_at(x, y) == kVert) {
        ASSERT_EQ(c.Pixels(x, y), kVert) << x << "," << y;
        ++green;
      }
  EXPECT_EQ(green, 800 + 800 - 1);
  EXPECT_NE(c.Pixels(10, 300), clBlack);  // the areas between are painted
  EXPECT_NE(c.Pixels(700, 200), clBlack);
  EXPECT_EQ(c.Pixels(700, 20), clBlack);  // above the row of the line: no sample there
  EXPECT_EQ(f->coul_crayon, kVert);
}

TEST_F(RandomColouring, ASampleAlreadyInTheNewColourIsNotFilled) {
  // In XOR a fill of a colour with itself would turn it black.
  f->mode_crayon = pmXor;
  spacing_100();
  RandomGenerator next = f->random();
  next.Random(50);
  const TColor first = next.Random(255);  // blue, green, red of the first colour
  const TColor g = next.Random(255), r = next.Random(255);
  const TColor colour = RGB(int(r), int(g), int(first));
  checkerboard();
  f.canvas().Pen.Mode = pmCopy;
  Bitmap one(1, 1, colour);
  f.canvas().Draw(37, 81, one);
  f.desktop.cursor_position = {37, 81};
  f->Panel6Click();
  EXPECT_EQ(f.canvas().Pixels(37, 81), colour);
  EXPECT_NE(f.canvas().Pixels(137, 81), kMagenta);  // the next one is
}

TEST_F(RandomColouring, TheRowRunSamplesOneRowNearTheCentre) {
  f->RadioGroup_symetrie.set_item_index(int(Symetrie::rosace));
  f->Edit1.set_text("1");
  f->centre_x = 400;
  f->centre_y = 300;
  checkerboard();
  f.desktop.cursor_position = {30, 7};
  f->Panel6Click();
  // x from 30 mod 25 = 5 by 25 while x <= 800; y = 300 - 7.
  EXPECT_EQ(painted(), grid(5, 293, 25, 800, 294));
  const auto& log = f.desktop.repaint_log;
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[2], "Label_y=100 %");
  EXPECT_EQ(f.desktop.stop_polls, 0);
  EXPECT_EQ(f->Panel_peinture.color(), f->coul_peinture);
}

TEST_F(RandomColouring, ARowRunEndingBeyondTheEdgeKeepsARealPaintColour) {
  f->RadioGroup_symetrie.set_item_index(int(Symetrie::vitrail));
  f.desktop.cursor_position = {50, 50};  // x = 0, 25, ..., 800: the last one outside
  f->Panel6Click();
  EXPECT_NE(f->coul_peinture, clInvalid);
  EXPECT_EQ(f->coul_peinture, f->Panel_peinture.color());
}

TEST_F(RandomColouring, StopDuringTheGridEndsAfterTheCurrentSample) {
  checkerboard();
  spacing_100();
  f.desktop.cursor_position = {37, 81};
  f->RadioGroup_couleur_peinture.set_item_index(int(ChoixCouleur::choisie));
  f->RadioGroup_peindre_dessiner.set_item_index(int(ModePeinture::dessiner));
  std::vector<TCursor> cursors;
  f.desktop.on_stop_poll = [&] {
    cursors.push_back(f.desktop.cursor());
    EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), int(ModePeinture::peind_tant_que));
    if (f.desktop.stop_polls == 5) f->Panel_stop.click();
  };
  f->Panel6Click();
  EXPECT_EQ(painted().size(), 5u);
  EXPECT_EQ(cursors, std::vector<TCursor>(5, crHourGlass));
  EXPECT_EQ(f.desktop.cursor(), crArrow);
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), int(ModePeinture::dessiner));
  EXPECT_EQ(f->RadioGroup_couleur_peinture.item_index(), int(ChoixCouleur::choisie));
  EXPECT_EQ(snapshots(), 1u);
  EXPECT_EQ(f.desktop.keyboard_flushes, 1);
}

TEST_F(RandomColouring, AStopClickedBeforeTheRunHasNoEffectOnIt) {
  f->Panel_stop.click();
  EXPECT_TRUE(f->stop_demande);
  checkerboard();
  spacing_100();
  f.desktop.cursor_position = {37, 81};
  f->Panel6Click();
  EXPECT_EQ(painted().size(), 48u);
}

TEST_F(RandomColouring, TheModesComeBackAndTheTraceTypeStaysCrayon) {
  f->RadioGroup_type_trace.set_item_index(int(TypeTrace::lignes));
  f->RadioGroup_couleur_peinture.set_item_index(int(ChoixCouleur::choisie));
  f->RadioGroup_peindre_dessiner.set_item_index(int(ModePeinture::dessiner));
  f->RadioGroup_type_trace.set_item_index(int(TypeTrace::lignes));
  f->Panel6Click();
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), int(ModePeinture::dessiner));
  EXPECT_EQ(f->RadioGroup_couleur_peinture.item_index(), int(ChoixCouleur::choisie));
  EXPECT_EQ(f->RadioGroup_type_trace.item_index(), int(TypeTrace::crayon));
  // It painted, although the reactions to its choices went back to drawing.
  EXPECT_NE(f.canvas().Pixels(400, 300), clBlack);
}

TEST_F(RandomColouring, TheKKeyStartsIt) {
  std::uint16_t key = 'K';
  f->FormKeyDown(key, ssShift);
  EXPECT_EQ(snapshots(), 1u);
  EXPECT_EQ(f->Label_y.caption(), "100 %");
  EXPECT_NE(f.canvas().Pixels(400, 300), clBlack);
}

TEST_F(RandomColouring, TheCharacterOfTheKKeyIsDroppedWithTheOtherWaitingKeys) {
  // With the panel on screen a typed character goes on to the focus trap,
  // unless the key's command dropped the waiting keys, its own among them.
  ASSERT_TRUE(f->Panel1.visible());
  EXPECT_EQ(preview_key(*f, &f->Edit2, KeyStroke{'E', 0, U"e"}), std::u32string(U"e"));
  EXPECT_EQ(preview_key(*f, &f->Edit2, KeyStroke{'K', 0, U"k"}), std::nullopt);
  EXPECT_EQ(snapshots(), 1u);  // the run took place
  EXPECT_EQ(preview_key(*f, &f->Edit2, KeyStroke{'Z', 0, U"z"}), std::u32string(U"z"));
}

TEST_F(RandomColouring, AnUnwritableDirectoryStillEndsTheRun) {
  f.files.fail_writes = true;
  f->Panel6Click();
  f->attend_instantane();  // the background write's failure, reported here
  EXPECT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_EQ(f.desktop.cursor(), crArrow);
  EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), int(ModePeinture::dessiner));
  EXPECT_EQ(f.desktop.keyboard_flushes, 1);
}

TEST_F(RandomColouring, ANumberThatIsNotAnIntegerIsReportedOnceAndChangesNothing) {
  for (Edit* e : {&f->Edit3, &f->Edit1}) {
    const std::string kept = e->text();
    e->set_text("4-4");
    dispatch(f.desktop, [&] { f->Panel6Click(); });
    EXPECT_EQ(f.desktop.errors, std::vector<std::string>{"'4-4' n'est pas une valeur entière correcte"});
    EXPECT_EQ(f->Label_x.caption(), "X");
    EXPECT_EQ(f.desktop.cursor(), crDefault);
    EXPECT_EQ(f->RadioGroup_peindre_dessiner.item_index(), int(ModePeinture::dessiner));
    EXPECT_TRUE(snapshots() == 0);
    EXPECT_EQ(f.canvas().Pixels(400, 300), clBlack);
    e->set_text(kept);
    f.desktop.errors.clear();
  }
}

}  // namespace
}  // namespace korvel
