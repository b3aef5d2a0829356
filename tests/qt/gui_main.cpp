// The GUI tests run on Qt's offscreen platform, with one full-HD screen so
// that the tool panel is laid out as on a common desktop, in French as the
// program runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>

#include "qt/french_texts.h"

int main(int argc, char* argv[]) {
  // One file a process: CTest runs several test processes at once.
  const QString config = QDir::temp().filePath(
      QStringLiteral("korvel-gui-tests-screen-%1.json").arg(QCoreApplication::applicationPid()));
  QFile file(config);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": false,
                   "screens": [{"name": "screen-1", "x": 0, "y": 0, "width": 1920, "height": 1080,
                                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
  }
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(config));
  QApplication app(argc, argv);
  // As the program starts: French whatever the locale.
  korvel::qt::install_french_texts();
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  QFile::remove(config);
  return result;
}
