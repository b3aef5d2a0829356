// Korvel: the program entry. Creates the one window on the screen the
// program starts on and runs the event loop until "Quitter ?" is answered
// Yes (or the window is closed by the system).
#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QStandardPaths>
#include <QTranslator>
#include <csignal>

#include "app/main_window.h"
#include "platform/dispatch.h"
#include "qt/main_view.h"
#include "qt/qt_desktop.h"
#include "qt/portaudio_out.h"
#include "qt/qt_image_files.h"
#include "qt/qt_text_files.h"

int main(int argc, char* argv[]) {
  // Past a file-size limit a write fails with EFBIG and is reported like any
  // failed write, instead of the signal ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  // No argument is read, not even Qt's own options (-platform, -reverse...):
  // a launcher that passes a file, or anything else, changes nothing.
  char program_name[] = "korvel";
  char* qt_argv[] = {argc > 0 && argv[0] ? argv[0] : program_name, nullptr};
  int qt_argc = 1;
  QApplication app(qt_argc, qt_argv);
  // The per-user data directory is named after the program.
  QCoreApplication::setApplicationName(QStringLiteral("korvel"));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Korvel"));
  // The desktop shows the window under the launcher entry's name and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.korvel.Korvel"));
  QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.korvel.Korvel")));
  // The buttons of the boxes and dialogs in the user's language.
  QTranslator qt_texts;
  if (qt_texts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qt_texts);

  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();

  korvel::qt::QtDesktop desktop(screen);
  korvel::qt::QtImageFiles image_files;
  korvel::qt::QtTextFiles text_files;
  korvel::qt::PortAudioOut audio;
  korvel::StandardConsole console;
  korvel::TForm1 form(korvel::Services{
      desktop, image_files, QCoreApplication::applicationFilePath().toStdString(),
      QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString(), text_files, audio,
      console});
  korvel::dispatch(desktop, [&] { form.FormCreate(); });

  korvel::qt::MainView window(form, &desktop);
  window.show_on(screen);
  window.activateWindow();
  if (form.terminated) return 0;
  return app.exec();
}
