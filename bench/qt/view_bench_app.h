#pragma once
// The one application of the view benchmarks, on Qt's offscreen platform
// with a full-HD screen and a 4K screen beside it, and a started window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "platform/dispatch.h"
#include "qt/main_view.h"
#include "qt/qt_desktop.h"
#include "qt/qt_image_files.h"
#include "qt/qt_text_files.h"
#include "support/fake_sound.h"

namespace korvel::qt::bench {

inline QApplication& application() {
  static int argc = 1;
  static char name[] = "korvel_view_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    const QString config = QDir::temp().filePath("korvel_view_bench_screens.json");
    QFile file(config);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
      file.write(R"({"screens": [
        {"name": "full-hd", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 1},
        {"name": "4k", "x": 1920, "y": 0, "width": 3840, "height": 2160, "logicalDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    return new QApplication(argc, argv);
  }();
  return *app;
}

// The screen of that width, or the primary one.
inline QScreen* screen_of_width(int width) {
  application();
  for (QScreen* s : QGuiApplication::screens())
    if (s->geometry().width() == width) return s;
  return QGuiApplication::primaryScreen();
}

// A started window filling the screen of that width, pen width 1.
struct BenchWindow {
  QTemporaryDir directory;
  QtDesktop desktop;
  QtImageFiles files;
  QtTextFiles text_files;
  korvel::testing::FakeAudioOut audio;
  korvel::testing::FakeConsole console;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<MainView> view;

  explicit BenchWindow(int screen_width) : desktop(screen_of_width(screen_width)) {
    const std::string dir = directory.path().toStdString();
    form = std::make_unique<TForm1>(Services{desktop, files, dir + "/korvel", {}, text_files, audio, console});
    dispatch(desktop, [&] { form->FormCreate(); });
    form->random().seed(1);
    view = std::make_unique<MainView>(*form, &desktop);
    view->setGeometry(screen_of_width(screen_width)->geometry());
    view->show();
    QApplication::processEvents();
    form->Edit3.set_text("1");
  }
};

}  // namespace korvel::qt::bench
