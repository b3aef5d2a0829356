#pragma once
// The one application of the view benchmarks, on Qt's offscreen platform
// with a full-HD screen and a 4K screen beside it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>

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

}  // namespace korvel::qt::bench
