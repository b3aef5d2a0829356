// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show what Korvel shows at start, a full-screen window with 40
// radio buttons on a coloured panel.
#include <QApplication>
#include <QGridLayout>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowFlag(Qt::FramelessWindowHint);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(255, 128, 64));  // the colour of Korvel's tool panel
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  auto* grid = new QGridLayout(&window);
  for (int i = 0; i < 40; ++i) grid->addWidget(new QRadioButton(QStringLiteral("choix %1").arg(i + 1)), i % 8, i / 8);
  window.setGeometry(QGuiApplication::primaryScreen()->geometry());
  window.showFullScreen();
  return app.exec();
}
