#pragma once
// A started Korvel window on the offscreen platform, and the helpers the GUI
// tests drive it with: answers for the modal boxes, real mouse and key
// events.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "platform/dispatch.h"
#include "qt/main_view.h"
#include "qt/picture_widget.h"
#include "qt/qt_desktop.h"
#include "qt/qt_image_files.h"
#include "qt/qt_text_files.h"
#include "support/fake_sound.h"
#include "support/form_fixture.h"

namespace korvel::qt::testing {

// The program as main() starts it, in a directory of its own; `after_create` changes the form before the window.
struct StartedWindow {
  explicit StartedWindow(const std::function<void(TForm1&)>& after_create = {})
      : StartedWindow(QString(), after_create) {}
  // Started from `program_dir` instead: programs side by side in one place.
  explicit StartedWindow(const QString& program_dir, const std::function<void(TForm1&)>& after_create = {})
      : desktop(QGuiApplication::primaryScreen()) {
    const std::string dir = (program_dir.isEmpty() ? directory.path() : program_dir).toStdString();
    form = std::make_unique<TForm1>(Services{desktop, files, dir + "/korvel", korvel::testing::home_directories(dir + "/home"),
                                             text_files, audio, console});
    dispatch(desktop, [&] { form->FormCreate(); });
    form->random().seed(4242);
    if (after_create) after_create(*form);
    view = std::make_unique<MainView>(*form, &desktop);
    view->show_on(QGuiApplication::primaryScreen());
    view->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
    QApplication::processEvents();
  }
  ~StartedWindow() {
    view.reset();
    QApplication::processEvents();
  }

  template <class W = QWidget>
  W* widget(const Control& c) const {
    return qobject_cast<W*>(view->widget_for(c));
  }
  Canvas& canvas() { return form->Image1.canvas(); }

  QTemporaryDir directory;
  QtDesktop desktop;
  QtImageFiles files;
  QtTextFiles text_files;
  korvel::testing::FakeAudioOut audio;
  korvel::testing::FakeConsole console;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<MainView> view;
};

// Answers the modal message boxes that open from now on with `button`, and
// records their texts.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(QMessageBox::StandardButton button) : m_button(button) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || box == m_last) return;
      m_last = box;
      texts.push_back(box->text().toStdString());
      icons.push_back(box->icon());
      if (QAbstractButton* b = box->button(m_button)) b->click();
    });
    m_timer.start(5);
  }
  std::vector<std::string> texts;
  std::vector<QMessageBox::Icon> icons;

 private:
  QMessageBox::StandardButton m_button;
  QTimer m_timer;
  QPointer<QMessageBox> m_last;
};

// Answers the file dialogs that open from now on with `path`, and keeps
// their titles.
class FileDialogAnswerer {
 public:
  explicit FileDialogAnswerer(QString path) : m_path(std::move(path)) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog || dialog == m_last) return;
      m_last = dialog;
      titles.push_back(dialog->windowTitle().toStdString());
      dialog->selectFile(m_path);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    m_timer.start(5);
  }
  std::vector<std::string> titles;

 private:
  QString m_path;
  QTimer m_timer;
  QPointer<QFileDialog> m_last;
};

// Mouse input as the platform delivers it: to the top-level window, at the
// point of `w` given in w's own coordinates (its centre by default). The
// window then finds the widget; filters and grabs on the way see it.
inline QWindow* platform_window(QWidget* w) { return w->window()->windowHandle(); }
inline QPoint window_point(QWidget* w, std::optional<QPoint> at) {
  return w->mapTo(w->window(), at.value_or(QPoint(w->width() / 2, w->height() / 2)));
}
inline void click(QWidget* w, std::optional<QPoint> at = {}, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseClick(platform_window(w), button, Qt::NoModifier, window_point(w, at));
}
inline void press(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mousePress(platform_window(w), button, Qt::NoModifier, window_point(w, at));
}
inline void release(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  QTest::mouseRelease(platform_window(w), button, Qt::NoModifier, window_point(w, at));
}
inline void move_pointer(QWidget* w, QPoint at) { QTest::mouseMove(platform_window(w), window_point(w, at)); }

// A stroke with the left button through the given points of `w`.
inline void drag(QWidget* w, const std::vector<QPoint>& points) {
  press(w, points.front());
  for (std::size_t i = 1; i < points.size(); ++i) move_pointer(w, points[i]);
  release(w, points.back());
}

// One key typed into the window, as the window system delivers it (to the
// focused widget, through the application).
inline void type_key(QWidget& window, Qt::Key key, const QString& text,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::sendKeyEvent(QTest::Press, window.windowHandle(), key, text, modifiers);
  QTest::sendKeyEvent(QTest::Release, window.windowHandle(), key, text, modifiers);
  QApplication::processEvents();
}

}  // namespace korvel::qt::testing
