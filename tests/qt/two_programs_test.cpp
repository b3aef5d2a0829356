// Two programs started from one directory, as "Open with" starts a second
// one beside the first: each steps through its own strokes only, and an
// ended program's strokes go to the next one started. So does the
// time-lapse.
#include "gui_support.h"

namespace korvel::qt::testing {
namespace {

void stroke_at(StartedWindow& w, int dy) {
  const int cx = w.form->centre_x, cy = w.form->centre_y;
  drag(&w.view->picture(), {QPoint(cx + 60, cy + dy), QPoint(cx + 90, cy + dy), QPoint(cx + 120, cy + dy)});
}

TEST(TwoPrograms, EachStepsThroughItsOwnStrokesAndAnEndedOnesGoToTheNextStart) {
  QTemporaryDir shared;
  auto a = std::make_unique<StartedWindow>(shared.path());
  stroke_at(*a, 0);
  const Bitmap a_stroke = a->canvas().bitmap();

  auto b = std::make_unique<StartedWindow>(shared.path());
  stroke_at(*b, 40);
  const Bitmap b_first = b->canvas().bitmap();
  stroke_at(*b, 80);
  ASSERT_NE(b_first, a_stroke);

  for (const auto key : {Qt::Key_F8, Qt::Key_F9, Qt::Key_F8}) {
    type_key(*a->view, key, QString());
    EXPECT_EQ(a->canvas().bitmap(), a_stroke) << "A shows B's picture after key " << key;
  }
  type_key(*b->view, Qt::Key_F8, QString());
  EXPECT_EQ(b->canvas().bitmap(), b_first);
  EXPECT_EQ(a->form->rep_instantanes, shared.path().toStdString());
  EXPECT_EQ(b->form->rep_instantanes, shared.path().toStdString() + "/ring-2");
  // Nor do they share the time-lapse's frames.
  EXPECT_NE(a->form->rep_film, b->form->rep_film);
  const std::string a_film = a->form->rep_film;

  // A ends while B runs: the next program takes A's ring, with A's stroke.
  a.reset();
  StartedWindow c(shared.path());
  EXPECT_EQ(c.form->rep_instantanes, shared.path().toStdString());
  EXPECT_EQ(c.form->rep_film, a_film);
  type_key(*c.view, Qt::Key_F9, QString());
  EXPECT_EQ(c.canvas().bitmap(), a_stroke);
}

}  // namespace
}  // namespace korvel::qt::testing
