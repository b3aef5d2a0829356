// The guides in the real window: F2 through the window shows and hides them
// over the picture, they follow the centre as it is chosen, a stroke
// repaints them only where it drew, and nothing of them reaches the
// picture, its snapshots or a saved file.
#include <QBackingStore>
#include <QPainter>
#include <QFile>
#include <QRadioButton>
#include <QToolButton>

#include "app/choices.h"
#include "gui_support.h"

#include <set>
#include <utility>

namespace korvel::qt::testing {
namespace {

QByteArray contents(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The picture painted again into an image, and as the window's backing
// store holds it after its last paint (where the guides are set directly).
QRgb shown_at(StartedWindow& w, int x, int y) { return w.view->picture().grab().toImage().pixel(x, y) & 0xFFFFFF; }
QRgb on_screen_at(StartedWindow& w, int x, int y) {
  QApplication::processEvents();
  const auto* store = dynamic_cast<QImage*>(w.view->backingStore()->paintDevice());
  if (!store) return 0xBAD;
  const QPoint at = w.view->picture().mapTo(w.view.get(), QPoint(x, y));
  return store->pixel(at) & 0xFFFFFF;
}

TEST(GuidesView, F2ThroughTheWindowShowsAndHidesThemOverThePicture) {
  StartedWindow w;
  TForm1& f = *w.form;
  ASSERT_FALSE(f.guides_visibles);
  const Bitmap before = w.canvas().bitmap();
  // On the first ray, straight up, in its first light dash: black picture.
  const int x = f.centre_x, y = f.centre_y - 13;
  EXPECT_EQ(shown_at(w, x, y), 0u);
  EXPECT_EQ(on_screen_at(w, x, y), 0u);
  type_key(*w.view, Qt::Key_F2, QString());
  EXPECT_TRUE(f.guides_visibles);
  EXPECT_EQ(w.view->picture().guides().rayons.size(), 24u);
  EXPECT_EQ(shown_at(w, x, y), 0xFFFFFFu);
  EXPECT_EQ(on_screen_at(w, x, y), 0xFFFFFFu);
  EXPECT_EQ(shown_at(w, f.centre_x + 3, f.centre_y), 0xFFFFFFu);  // the mark
  EXPECT_EQ(w.canvas().bitmap(), before);
  EXPECT_EQ(contents(f.chemin_configuration()), "guides=true\n");
  type_key(*w.view, Qt::Key_F2, QString());
  EXPECT_FALSE(f.guides_visibles);
  EXPECT_TRUE(w.view->picture().guides().empty());
  EXPECT_EQ(shown_at(w, x, y), 0u);
}

TEST(GuidesView, TheyFollowTheCentreTheSymmetryAndN) {
  StartedWindow w;
  TForm1& f = *w.form;
  type_key(*w.view, Qt::Key_F2, QString());
  PictureWidget& picture = w.view->picture();
  // C, then the pointer: the mark goes with it; the press puts the centre.
  type_key(*w.view, Qt::Key_C, "c");
  move_pointer(&picture, QPoint(300, 200));
  EXPECT_EQ(picture.guides().marques, (std::vector<TPoint>{TPoint{300, 200}}));
  EXPECT_EQ(shown_at(w, 303, 200), 0xFFFFFFu);
  click(&picture, QPoint(320, 240));
  move_pointer(&picture, QPoint(500, 400));
  EXPECT_EQ(picture.guides().marques, (std::vector<TPoint>{TPoint{320, 240}}));
  // Another symmetry, chosen on the panel.
  const auto symmetry = w.widget(f.RadioGroup_symetrie)->findChildren<QRadioButton*>();
  click(symmetry[int(Symetrie::quatre_quarts)]);
  EXPECT_EQ(picture.guides().rayons.size(), 4u);
  EXPECT_EQ(shown_at(w, 320, 240 - 14), 0u);  // short dashes on an axis: dark there
  EXPECT_EQ(shown_at(w, 320, 240 - 12), 0xFFFFFFu);
  click(symmetry[int(Symetrie::rosace)]);
  // N and the clones, from their up-downs' arrows.
  const auto arrow = [&](const UpDown& updown, Qt::ArrowType direction) {
    for (QToolButton* b : w.widget(updown)->findChildren<QToolButton*>())
      if (b->arrowType() == direction) return b;
    return static_cast<QToolButton*>(nullptr);
  };
  click(arrow(f.UpDown1, Qt::UpArrow));
  ASSERT_EQ(f.Edit1.text(), "25");
  EXPECT_EQ(picture.guides().rayons.size(), 25u);
  for (int i = 0; i < 2; ++i) click(arrow(f.UpDown5, Qt::UpArrow));
  ASSERT_EQ(f.Edit6.text(), "3");
  EXPECT_EQ(picture.guides().marques.size(), 3u);
}

// The regions of the picture's paint events.
class PaintRecorder : public QObject {
 public:
  std::vector<QRegion> regions;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) regions.push_back(static_cast<QPaintEvent*>(event)->region());
    return false;
  }
};

TEST(GuidesView, AStrokeRepaintsThemOnlyWhereItDrew) {
  StartedWindow w;
  TForm1& f = *w.form;
  type_key(*w.view, Qt::Key_F2, QString());
  PictureWidget& picture = w.view->picture();
  PaintRecorder recorder;
  picture.installEventFilter(&recorder);
  const int cx = f.centre_x, cy = f.centre_y;
  press(&picture, QPoint(cx + 100, cy - 100));
  for (int i = 1; i <= 5; ++i) {
    move_pointer(&picture, QPoint(cx + 100 + 4 * i, cy - 100));
    QApplication::processEvents();
  }
  picture.removeEventFilter(&recorder);
  release(&picture, QPoint(cx + 120, cy - 100));
  // Only the copies' places: a small part of the box around them, which
  // holds the centre and so every ray.
  ASSERT_FALSE(recorder.regions.empty());
  QRegion painted;
  for (const QRegion& r : recorder.regions) {
    int area = 0;
    for (const QRect& part : r) area += part.width() * part.height();
    const QRect box = r.boundingRect();
    EXPECT_LT(area, box.width() * box.height() / 8);
    EXPECT_TRUE(box.contains(cx, cy));
    painted += r;
  }
  // And the rays were painted back over what the stroke drew around them.
  EXPECT_EQ(shown_at(w, cx, cy - 13), 0xFFFFFFu);
  EXPECT_EQ(on_screen_at(w, cx, cy - 13), 0xFFFFFFu);
  // The window's pixels are the picture's but on the guides.
  QApplication::processEvents();
  const QImage shown = picture.grab().toImage();
  // Painted at twice the scale, the guides go through a copy of the
  // picture instead: the same pixels, each two by two.
  QPixmap twice(picture.size() * 2);
  twice.setDevicePixelRatio(2);
  picture.render(&twice);
  const QImage doubled = twice.toImage();
  for (int y = cy - 120; y < cy - 80; ++y)
    for (int x = cx + 90; x < cx + 130; ++x) {
      ASSERT_EQ(on_screen_at(w, x, y), shown.pixel(x, y) & 0xFFFFFF) << x << ", " << y;
      ASSERT_EQ(doubled.pixel(2 * x + 1, 2 * y + 1) & 0xFFFFFF, shown.pixel(x, y) & 0xFFFFFF) << x << ", " << y;
    }
  // Off the guides, the stored words are those the painter draws from the
  // picture, to the last bit, though the window copies its rows itself.
  const auto* store = dynamic_cast<QImage*>(w.view->backingStore()->paintDevice());
  ASSERT_NE(store, nullptr);
  QImage drawn(picture.size(), store->format());
  {
    QPainter q(&drawn);
    q.drawImage(0, 0, picture.image());
  }
  std::set<std::pair<int, int>> guide;
  pour_chaque_pixel_guide(picture.guides(), Rect{0, 0, picture.width(), picture.height()},
                          [&](int x, int y, Teinte) { guide.insert({x, y}); });
  int compared = 0;
  for (const QRect& part : painted)
    for (int y = part.top(); y <= part.bottom(); ++y)
      for (int x = part.left(); x <= part.right(); ++x) {
        if (guide.count({x, y})) continue;
        const QPoint at = picture.mapTo(w.view.get(), QPoint(x, y));
        const auto word = [](const QImage& i, QPoint q) { return reinterpret_cast<const QRgb*>(i.constScanLine(q.y()))[q.x()]; };
        ASSERT_EQ(word(*store, at), word(drawn, QPoint(x, y))) << x << ", " << y;
        ++compared;
      }
  EXPECT_GT(compared, 500);
}

// Two runs of the same strokes, guides off then on.
TEST(GuidesView, ThePictureItsSnapshotAndASavedBmpAreTheSameWithAndWithout) {
  struct Run {
    Bitmap picture;
    QByteArray snapshot, saved;
    QImage shown;
  };
  const auto run = [](bool guides) {
    StartedWindow w;
    TForm1& f = *w.form;
    if (guides) type_key(*w.view, Qt::Key_F2, QString());
    EXPECT_EQ(f.guides_visibles, guides);
    PictureWidget& picture = w.view->picture();
    const int cx = f.centre_x, cy = f.centre_y;
    drag(&picture, {QPoint(cx + 50, cy - 20), QPoint(cx + 90, cy + 10), QPoint(cx + 140, cy + 30)});
    drag(&picture, {QPoint(cx - 30, cy - 80), QPoint(cx + 10, cy - 120)});
    f.attend_instantane();
    Run r{w.canvas().bitmap(), contents(f.rep_instantanes + "/~101.bmp"), {}, picture.grab().toImage()};
    const QString path = w.directory.filePath("saved.bmp");
    {
      const BoxAnswerer ok(QMessageBox::Ok);  // the generic name is free
      FileDialogAnswerer answer(path);
      click(w.view->widget_for(f.Panel7));
    }
    r.saved = contents(path.toStdString());
    return r;
  };
  const Run off = run(false), on = run(true);
  ASSERT_FALSE(off.snapshot.isEmpty());
  ASSERT_FALSE(off.saved.isEmpty());
  EXPECT_EQ(on.picture, off.picture);
  EXPECT_EQ(on.snapshot, off.snapshot);
  EXPECT_EQ(on.saved, off.saved);
  EXPECT_NE(on.shown, off.shown);  // they were on screen all the same
}

}  // namespace
}  // namespace korvel::qt::testing
