// The real window: its controls, the picture, clicks, the quit question and
// the error report.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <set>
#include <thread>

#include "gui_support.h"
#include "qt/qt_convert.h"
#include "qt/updown_widget.h"

namespace korvel::qt::testing {
namespace {

// Where a control of the tool panel is on the screen.
QRect screen_rect(const StartedWindow& w, const Control& c) {
  QWidget* widget = w.view->widget_for(c);
  return QRect(widget->mapTo(w.view.get(), QPoint(0, 0)), widget->size());
}

TEST(MainView, CoversTheScreenFramelessWithThePanelDockedAtTheBottom) {
  const QFont system_font = QApplication::font();
  StartedWindow w;
  // The panel's face is the application's only while the panel is built:
  // the dialogs keep the system's.
  EXPECT_EQ(QApplication::font(), system_font);
  EXPECT_NE(QApplication::font(), w.view->font());
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(w.view->geometry(), screen);
  EXPECT_TRUE(w.view->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(w.view->windowTitle(), "Korvel");
  EXPECT_EQ(screen_rect(w, w.form->Panel1), QRect(0, screen.height() - 132, screen.width(), 132));
  // The first resize made a black picture of the whole client area.
  EXPECT_EQ(w.canvas().width(), screen.width());
  EXPECT_EQ(w.canvas().height(), screen.height());
  EXPECT_FALSE(w.view->widget_for(w.form->Panel8)->isVisible());
}

TEST(MainView, FollowsTheFormsWindowStateAndKeyPreview) {
  struct Case { bool maximized, borderless, key_preview; Qt::WindowState state; };
  for (const Case c : {Case{true, true, true, Qt::WindowFullScreen}, Case{true, false, false, Qt::WindowMaximized},
                       Case{false, false, true, Qt::WindowNoState}}) {
    StartedWindow w([&](TForm1& f) {
      f.Maximized = c.maximized;
      f.Borderless = c.borderless;
      f.KeyPreview = c.key_preview;
    });
    EXPECT_EQ(w.view->windowState(), c.state);
    EXPECT_EQ(bool(w.view->windowFlags() & Qt::FramelessWindowHint), c.borderless);
    // F1 shows the help through the window's own key handler.
    type_key(*w.view, Qt::Key_F1, {});
    EXPECT_EQ(w.form->Panel8.visible(), c.key_preview);
  }
}

// A press, a move, a release and a double click, sent to the window, reach
// the bare window's and the picture's handlers alike, at the receiver's pixels.
TEST(MainView, MouseEventsReachTheWindowsAndThePicturesHandlersAlike) {
  StartedWindow w;
  w.form->ScrollBox1.set_align(alNone);
  w.form->ScrollBox1.set_bounds(20, 10, 200, 200);  // bare window to its right
  using Heard = std::array<int, 6>;                 // receiver, 'd'own/'m'ove/'u'p, button, shift, x, y
  std::vector<Heard> heard;
  for (int r : {0, 1}) {
    MouseEvents& e = r == 0 ? static_cast<MouseEvents&>(*w.form) : w.form->Image1;
    e.OnMouseDown = [&, r](TMouseButton b, TShiftState s, int x, int y) { heard.push_back({r, 'd', b, s, x, y}); };
    e.OnMouseMove = [&, r](TShiftState s, int x, int y) { heard.push_back({r, 'm', -1, s, x, y}); };
    e.OnMouseUp = [&, r](TMouseButton b, TShiftState s, int x, int y) { heard.push_back({r, 'u', b, s, x, y}); };
  }
  QWindow* window = w.view->windowHandle();
  for (const auto& [r, at, x, y] : {std::tuple{0, QPoint(400, 50), 400, 50}, std::tuple{1, QPoint(70, 60), 50, 50}}) {
    heard.clear();
    QTest::mousePress(window, Qt::RightButton, Qt::ShiftModifier, at);
    QTest::mouseMove(window, at + QPoint(3, 4));
    QTest::mouseRelease(window, Qt::RightButton, Qt::ShiftModifier, at + QPoint(3, 4));
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, at);
    // The pointer comes to each press first.
    EXPECT_EQ(heard, (std::vector<Heard>{{r, 'm', -1, ssShift, x, y}, {r, 'd', mbRight, ssShift | ssRight, x, y},
                                         {r, 'm', -1, ssRight, x + 3, y + 4}, {r, 'u', mbRight, ssShift, x + 3, y + 4},
                                         {r, 'm', -1, 0, x, y}, {r, 'd', mbLeft, ssLeft, x, y},
                                         {r, 'u', mbLeft, 0, x, y}, {r, 'd', mbLeft, ssLeft | ssDouble, x, y},
                                         {r, 'u', mbLeft, 0, x, y}}));
  }
}

TEST(MainView, ControlsShowTheirCaptionsAtTheirShiftedPlaces) {
  StartedWindow w;
  TForm1& f = *w.form;
  const int shift = (QGuiApplication::primaryScreen()->geometry().width() - 1377) / 2;
  const int panel_top = w.view->height() - 132;
  EXPECT_EQ(screen_rect(w, f.Panel_quit), QRect(1156 + shift, panel_top + 22, 48, 29));
  EXPECT_EQ(screen_rect(w, f.Panel_new_fond_noir), QRect(8 + shift, panel_top + 6, 49, 25));
  EXPECT_EQ(screen_rect(w, f.Edit2).topLeft(), QPoint(1052 + shift, panel_top + 104));
  EXPECT_EQ(screen_rect(w, f.ComboBox1), QRect(677 + shift, panel_top + 55, 684, 21));

  EXPECT_EQ(w.widget<QLabel>(f.Label7)->text(), "clones");
  EXPECT_EQ(w.widget<QLabel>(f.Label10)->text(), "Korvel v2.1");
  EXPECT_FALSE(w.widget<QLabel>(f.Label8)->isVisible());
  EXPECT_EQ(w.widget<QCheckBox>(f.CheckBox_panel_disparait_auto)->text(), "Menu disparait automatiquement");
  EXPECT_EQ(w.widget<QLineEdit>(f.Edit_nom_generique)->text(), "image.bmp");
  EXPECT_TRUE(w.widget<QLineEdit>(f.Edit1)->isReadOnly());
  EXPECT_FALSE(w.widget<QLineEdit>(f.Edit5)->isReadOnly());
  EXPECT_EQ(w.widget<QLineEdit>(f.Edit_nom_generique)->toolTip(), "nom générique des images  ");

  auto* symmetry = w.widget<QGroupBox>(f.RadioGroup_symetrie);
  EXPECT_EQ(symmetry->title(), "Symétrie");
  const auto radios = symmetry->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 5);
  EXPECT_EQ(radios[2]->text(), "miroir vertical");
  // FormCreate selected "rosace".
  EXPECT_TRUE(radios[0]->isChecked());
  EXPECT_FALSE(radios[3]->isChecked());

  auto* modes = w.widget<QComboBox>(f.ComboBox1);
  ASSERT_EQ(modes->count(), 16);
  EXPECT_EQ(modes->currentIndex(), 0);
  EXPECT_EQ(modes->itemText(6), " 7 pmWhite       Toujours blanc");
  EXPECT_EQ(modes->maxVisibleItems(), 16);

  EXPECT_TRUE(qobject_cast<QPlainTextEdit*>(w.view->widget_for(f.Memo1))
                  ->toPlainText()
                  .startsWith("  Echap ou F1=> sortie\n\nEspace ou Clik droit"));
}

TEST(MainView, ModelChangesReachTheWidgets) {
  StartedWindow w;
  TForm1& f = *w.form;
  f.Label1.set_caption("clik au centre");
  EXPECT_EQ(w.widget<QLabel>(f.Label1)->text(), "clik au centre");
  EXPECT_GT(w.widget<QLabel>(f.Label1)->width(), 0);
  f.Panel1.set_color(RGB(10, 200, 30));
  // Labels and boxes take the panel's colour through their models.
  EXPECT_EQ(w.view->widget_for(f.Label7)->palette().color(QPalette::Window), QColor(10, 200, 30));
  f.Panel1.set_visible(false);
  EXPECT_FALSE(w.view->widget_for(f.Panel1)->isVisible());
  f.Panel1.set_visible(true);
  f.Edit3.set_text("17");
  EXPECT_EQ(w.widget<QLineEdit>(f.Edit3)->text(), "17");
}

TEST(MainView, PictureShowsTheCanvasPixels) {
  StartedWindow w;
  Canvas& canvas = w.canvas();
  const TColor colours[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(1, 2, 3), RGB(250, 128, 7)};
  for (int i = 0; i < 4; ++i) {
    canvas.Brush.Color = colours[i];
    canvas.FillRect(100 + 40 * i, 200, 130 + 40 * i, 230);
  }
  w.view->context().run([] {});
  const QImage shown = w.view->picture().grab().toImage();
  for (int i = 0; i < 4; ++i) {
    const QPoint p(110 + 40 * i, 215);
    EXPECT_EQ(to_tcolor(shown.pixelColor(p)), canvas.Pixels(p.x(), p.y())) << i;
    EXPECT_EQ(canvas.Pixels(p.x(), p.y()), colours[i]);
  }
  EXPECT_EQ(to_tcolor(shown.pixelColor(5, 5)), clBlack);
  // The image is the canvas's own buffer, not a copy.
  EXPECT_EQ(w.view->picture().image().constBits(), reinterpret_cast<const uchar*>(canvas.bitmap().data()));
}

TEST(MainView, NewOnWhiteWipesThePictureToWhite) {
  StartedWindow w;
  w.canvas().Brush.Color = RGB(9, 9, 9);
  w.canvas().FillRect(0, 0, 50, 50);
  QTest::mouseClick(w.view->widget_for(w.form->Panel2), Qt::LeftButton);
  EXPECT_EQ(w.form->coul_fond, clWhite);
  for (const QPoint p : {QPoint(0, 0), QPoint(25, 25), QPoint(1919, 1079), QPoint(960, 540)})
    EXPECT_EQ(w.canvas().Pixels(p.x(), p.y()), clWhite);
  const QImage shown = w.view->picture().grab().toImage();
  EXPECT_EQ(to_tcolor(shown.pixelColor(25, 25)), clWhite);
  // A press that leaves the button before the release is no click.
  QWidget* black = w.view->widget_for(w.form->Panel_new_fond_noir);
  press(black, QPoint(5, 5));
  release(black, QPoint(200, 5));
  EXPECT_EQ(w.form->coul_fond, clWhite);
}

// A snapshot's end is posted from its thread: posted for a window that has
// gone since (a window closed in a long-running process), it is dropped.
TEST(MainView, ATaskPostedForADesktopThatHasGoneIsDropped) {
  bool ran = false;
  {
    QtDesktop desktop;
    std::thread([&] { desktop.post([&] { ran = true; }); }).join();
  }
  QApplication::processEvents();
  EXPECT_FALSE(ran);
  QtDesktop desktop;
  desktop.post([&] { ran = true; });
  QApplication::processEvents();
  EXPECT_TRUE(ran);
}

TEST(MainView, QuitEndsOnlyWhenAnsweredYes) {
  StartedWindow w;
  QWidget* quit = w.view->widget_for(w.form->Panel_quit);
  {
    BoxAnswerer no(QMessageBox::No);
    QTest::mouseClick(quit, Qt::LeftButton);
    ASSERT_EQ(no.texts, std::vector<std::string>{"Quitter ?"});
    EXPECT_EQ(no.icons.front(), QMessageBox::Question);
  }
  EXPECT_FALSE(w.form->terminated);
  EXPECT_FALSE(w.desktop.terminated());
  {
    BoxAnswerer yes(QMessageBox::Yes);
    QTest::mouseClick(quit, Qt::LeftButton);
    ASSERT_EQ(yes.texts.size(), 1u);
  }
  EXPECT_TRUE(w.form->terminated);
  EXPECT_TRUE(w.desktop.terminated());
}

TEST(MainView, AFailingHandlerIsReportedAndTheProgramGoesOn) {
  StartedWindow w;
  w.form->Panel12.OnClick = [] { throw EConvertError("'x' n'est pas une valeur entière correcte"); };
  {
    BoxAnswerer ok(QMessageBox::Ok);
    QTest::mouseClick(w.view->widget_for(w.form->Panel12), Qt::LeftButton);
    ASSERT_EQ(ok.texts, std::vector<std::string>{"'x' n'est pas une valeur entière correcte"});
    EXPECT_EQ(ok.icons.front(), QMessageBox::Critical);
  }
  QTest::mouseClick(w.view->widget_for(w.form->Panel2), Qt::LeftButton);
  EXPECT_EQ(w.canvas().Pixels(10, 10), clWhite);
}

TEST(MainView, StrokeOnThePictureIsDrawnInEverySymmetricCopy) {
  StartedWindow w;
  TForm1& f = *w.form;
  ASSERT_EQ(f.RadioGroup_symetrie.item_index(), 0);  // rosace
  ASSERT_EQ(f.RadioGroup_type_trace.item_index(), 0);  // crayon
  const int cx = f.centre_x, cy = f.centre_y;
  const TColor pen = f.coul_crayon;
  drag(&w.view->picture(), {QPoint(cx + 100, cy), QPoint(cx + 130, cy), QPoint(cx + 160, cy)});
  // 24 petals: every quarter turn is a copy.
  EXPECT_EQ(w.canvas().Pixels(cx + 130, cy), pen);
  EXPECT_EQ(w.canvas().Pixels(cx - 130, cy), pen);
  EXPECT_EQ(w.canvas().Pixels(cx, cy - 130), pen);
  EXPECT_EQ(w.canvas().Pixels(cx, cy + 130), pen);
  // Half-way between two neighbouring copies nothing is drawn.
  EXPECT_EQ(w.canvas().Pixels(cx + 129, cy + 17), clBlack);
  const QImage shown = w.view->picture().grab().toImage();
  EXPECT_EQ(to_tcolor(shown.pixelColor(cx - 130, cy)), pen);
  // The release wrote the first snapshot.
  EXPECT_EQ(f.indice_fic, 0);
}

TEST(MainView, UpDownArrowsStepTheirEdit) {
  StartedWindow w;
  auto* updown = qobject_cast<UpDownWidget*>(w.view->widget_for(w.form->UpDown5));
  ASSERT_NE(updown, nullptr);
  QTest::mouseClick(updown->up_button(), Qt::LeftButton);
  QTest::mouseClick(updown->up_button(), Qt::LeftButton);
  EXPECT_EQ(w.widget<QLineEdit>(w.form->Edit6)->text(), "3");
  EXPECT_EQ(w.form->nb_clones, 3);
  QTest::mouseClick(updown->down_button(), Qt::LeftButton);
  EXPECT_EQ(w.form->Edit6.text(), "2");
}

TEST(MainView, RadioAndCheckBoxClicksRunTheirCascades) {
  StartedWindow w;
  TForm1& f = *w.form;
  // "lignes" then "peind tant que": the paint mode sets the trace type back
  // to "crayon", which sets the paint mode back to "dessiner".
  auto trace = w.widget<QGroupBox>(f.RadioGroup_type_trace)->findChildren<QRadioButton*>();
  QTest::mouseClick(trace[1], Qt::LeftButton);
  EXPECT_EQ(f.RadioGroup_type_trace.item_index(), 1);
  auto paint = w.widget<QGroupBox>(f.RadioGroup_peindre_dessiner)->findChildren<QRadioButton*>();
  QTest::mouseClick(paint[1], Qt::LeftButton);
  EXPECT_EQ(f.RadioGroup_type_trace.item_index(), 0);
  EXPECT_EQ(f.RadioGroup_peindre_dessiner.item_index(), 0);
  EXPECT_TRUE(paint[0]->isChecked());
  EXPECT_FALSE(paint[1]->isChecked());
  EXPECT_TRUE(trace[0]->isChecked());
  // The focus entered the group: the focused control follows.
  EXPECT_EQ(f.focused_control, &f.RadioGroup_peindre_dessiner);

  auto* shadow1 = w.widget<QCheckBox>(f.CheckBox_ombre_1);
  auto* shadow2 = w.widget<QCheckBox>(f.CheckBox_ombre_2);
  QTest::mouseClick(shadow1, Qt::LeftButton);
  QTest::mouseClick(shadow2, Qt::LeftButton);
  EXPECT_TRUE(f.CheckBox_ombre_2.checked());
  EXPECT_FALSE(f.CheckBox_ombre_1.checked());
  EXPECT_FALSE(shadow1->isChecked());
  EXPECT_TRUE(shadow2->isChecked());
}

TEST(MainView, PickingAPenModeInTheListAppliesIt) {
  StartedWindow w;
  auto* modes = w.widget<QComboBox>(w.form->ComboBox1);
  modes->setFocus();
  type_key(*w.view, Qt::Key_Down, QString());
  EXPECT_EQ(w.form->ComboBox1.item_index(), 1);
  EXPECT_EQ(w.form->mode_crayon, pmMerge);
  EXPECT_EQ(w.canvas().Pen.Mode, pmMerge);
}

TEST(MainView, HelpPanelShowsCentredAndIsDraggedByTheMouse) {
  StartedWindow w;
  TForm1& f = *w.form;
  QTest::mouseClick(w.view->widget_for(f.Panel12), Qt::LeftButton);
  QWidget* help = w.view->widget_for(f.Panel8);
  ASSERT_TRUE(help->isVisible());
  EXPECT_EQ(help->geometry(), QRect((1920 - 401) / 2, (1080 - 425) / 2, 401, 425));
  // The pointer's positions in the window; the panel moves under it.
  QWindow* window = platform_window(help);
  const QPoint grip = window_point(help, QPoint(200, 10));
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, grip);
  for (const QPoint step : {QPoint(30, 10), QPoint(60, 20)}) QTest::mouseMove(window, grip + step);
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, grip + QPoint(60, 20));
  EXPECT_EQ(help->pos(), QPoint((1920 - 401) / 2 + 60, (1080 - 425) / 2 + 20));
  EXPECT_EQ(f.Panel8.left(), help->x());
  QTest::mouseClick(w.view->widget_for(f.SpeedButton_exit_help), Qt::LeftButton);
  EXPECT_FALSE(help->isVisible());
  EXPECT_FALSE(f.Panel8.visible());
}

// Counts the drag objects made anywhere: each sees at least its deletion.
struct DragWatch : QObject {
  DragWatch() { QCoreApplication::instance()->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent*) override {
    if (watched->inherits("QDrag")) drags.insert(watched);
    return false;
  }
  std::set<const QObject*> drags;
};

// A press on selected help text, then a move: the text's drag, whose own
// event loop would hold all other input, never starts.
TEST(MainView, TheHelpTextIsNeverDragged) {
  StartedWindow w;
  type_key(*w.view, Qt::Key_F1, QString());
  auto* memo = qobject_cast<QPlainTextEdit*>(w.view->widget_for(w.form->Memo1));
  ASSERT_TRUE(memo->isVisible());
  memo->selectAll();
  QTextCursor inside = memo->textCursor();
  inside.setPosition(6);
  const QPoint on_text = memo->cursorRect(inside).center();
  DragWatch watch;
  press(memo->viewport(), on_text);
  move_pointer(memo->viewport(), on_text + QPoint(60, 30));
  release(memo->viewport(), on_text + QPoint(60, 30));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watch.drags.empty());
  EXPECT_EQ(w.form->Memo1.lines().front(), "  Echap ou F1=> sortie");
}

}  // namespace
}  // namespace korvel::qt::testing
