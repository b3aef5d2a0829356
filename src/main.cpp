// Korvel: the program entry. Reads the command line, creates the one window
// on the screen the program starts on, opens the picture it was given, and
// runs the event loop until "Quitter ?" is answered Yes (or the window is
// closed by the system).
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>
#include <csignal>

#include "app/main_window.h"
#include "files/data_directory.h"
#include "platform/dispatch.h"
#include "qt/command_line.h"
#include "qt/french_texts.h"
#include "qt/main_view.h"
#include "qt/qt_desktop.h"
#include "qt/portaudio_out.h"
#include "qt/qt_image_files.h"
#include "qt/qt_text_files.h"
#include "qt/startup.h"

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const korvel::qt::CommandLine line = korvel::qt::parse_command_line(arguments, QDir::currentPath());
  if (const auto status = korvel::qt::answer_without_window(line)) return *status;

  // Past a file-size limit a write fails with EFBIG and is reported like any
  // failed write, instead of the signal ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::jthread fonts = korvel::qt::read_font_configuration_in_background();
  // Qt's own options (-platform, -reverse...) are not ours: they were
  // refused above, and Qt is given none.
  char program_name[] = "korvel";
  char* qt_argv[] = {argc > 0 && argv[0] ? argv[0] : program_name, nullptr};
  int qt_argc = 1;
  QApplication app(qt_argc, qt_argv);
  // The per-user data directory is named after the program.
  QCoreApplication::setApplicationName(QStringLiteral("korvel"));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Korvel"));
  // The desktop shows the window under the launcher entry's name and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.korvel.Korvel"));
  // French throughout, Qt's own dialogs included, whatever the locale.
  korvel::qt::install_french_texts();

  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();

  korvel::qt::QtDesktop desktop(screen);
  korvel::qt::QtImageFiles image_files;
  korvel::qt::QtTextFiles text_files;
  korvel::qt::PortAudioOut audio;
  korvel::StandardConsole console;
  const auto environment = [](const char* name) { return qEnvironmentVariable(name).toStdString(); };
  korvel::TForm1 form(korvel::Services{
      desktop, image_files, QCoreApplication::applicationFilePath().toStdString(),
      korvel::xdg_user_directories(
          environment, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString()),
      text_files, audio, console});
  korvel::dispatch(desktop, [&] { form.FormCreate(); });

  korvel::qt::MainView window(form, &desktop);
  window.show_on(screen);
  window.activateWindow();
  // Looking the icon up in the icon theme takes longer than the first frame.
  korvel::qt::after_first_frame(window, [] {
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.korvel.Korvel")));
  });
  // Opened once the window is up, as "Ouvrir" would: a refused file leaves
  // the new picture and says why.
  if (!line.file.isEmpty()) {
    korvel::qt::after_first_frame(window, [&] {
      window.context().run([&] { form.ouvre_image(line.file.toStdString()); });
    });
  }
  if (form.terminated) return 0;
  return app.exec();
}
