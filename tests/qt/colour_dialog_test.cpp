// The colour dialog on Qt: the colour the user confirms, a cancel and the
// window's close button, the 16 custom colours handed in and back.
#include <QColorDialog>

#include "gui_support.h"
#include "qt/qt_convert.h"

namespace korvel::qt::testing {
namespace {

// Acts on the colour dialog once it is open.
void when_open(std::function<void(QColorDialog&)> act) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (auto* d = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      act(*d);
    }
  });
  timer->start();
}

CustomColours sample_customs() {
  CustomColours c;
  for (std::size_t i = 0; i < c.size(); ++i) c[i] = RGB(int(i) * 10, 200 - int(i), 7);
  return c;
}

TEST(ColourDialog, ConfirmedColourAndTheCustomColoursComeBack) {
  QtDesktop desktop(QGuiApplication::primaryScreen());
  CustomColours custom = sample_customs();
  CustomColours seen{};
  TColor opened_on = 0;
  when_open([&](QColorDialog& d) {
    for (int i = 0; i < 16; ++i) seen[std::size_t(i)] = to_tcolor(QColorDialog::customColor(i));
    opened_on = to_tcolor(d.currentColor());
    QColorDialog::setCustomColor(3, QColor(1, 2, 3));  // the user edits boxes D and P
    QColorDialog::setCustomColor(15, QColor(4, 5, 6));
    d.setCurrentColor(QColor(10, 20, 30));
    d.accept();
  });
  const auto chosen = desktop.choose_colour(RGB(200, 100, 50), custom);
  EXPECT_EQ(seen, sample_customs());
  EXPECT_EQ(opened_on, RGB(200, 100, 50));
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, RGB(10, 20, 30));
  CustomColours edited = sample_customs();
  edited[3] = RGB(1, 2, 3);
  edited[15] = RGB(4, 5, 6);
  EXPECT_EQ(custom, edited);
}

TEST(ColourDialog, CancelAndTheCloseButtonChooseNothing) {
  QtDesktop desktop(QGuiApplication::primaryScreen());
  for (const bool close_button : {false, true}) {
    CustomColours custom = sample_customs();
    when_open([&](QColorDialog& d) {
      d.setCurrentColor(QColor(10, 20, 30));
      QColorDialog::setCustomColor(0, QColor(9, 9, 9));
      if (close_button)
        d.close();
      else
        d.reject();
    });
    EXPECT_FALSE(desktop.choose_colour(clBlack, custom));
    EXPECT_EQ(custom[0], RGB(9, 9, 9));  // the user's edit stays
  }
}

TEST(ColourDialog, TheSwatchesAndTheBarePanelOpenIt) {
  StartedWindow w;
  TForm1& f = *w.form;
  when_open([](QColorDialog& d) {
    d.setCurrentColor(QColor(10, 20, 30));
    d.accept();
  });
  QTest::mouseClick(w.view->widget_for(f.Panel_crayon), Qt::LeftButton);
  EXPECT_EQ(f.coul_crayon, RGB(10, 20, 30));
  EXPECT_EQ(f.RadioGroup_couleur_crayon.item_index(), 1);
  // A right press on the bare tool panel, answered with the close button.
  const TColor menu = f.Panel1.color();
  bool opened = false;
  when_open([&](QColorDialog& d) {
    opened = true;
    EXPECT_EQ(to_tcolor(d.currentColor()), RGB(10, 20, 30));  // the colour confirmed last
    d.setCurrentColor(QColor(200, 0, 0));
    d.close();
  });
  QTest::mouseClick(w.view->widget_for(f.Panel1), Qt::RightButton, {}, QPoint(3, 3));
  EXPECT_TRUE(opened);
  EXPECT_EQ(f.Panel1.color(), menu);
}

}  // namespace
}  // namespace korvel::qt::testing
