// Times a program's start as a person sees it: from its launch to the first
// time the screen shows a given colour at a given point.
//   first_pixel X Y R,G,B TIMEOUT_MS PROGRAM [ARGS...]
// Waits until the point shows another colour, starts PROGRAM, reads the
// point about every millisecond, prints the milliseconds to the colour and
// ends the program (SIGTERM). Exits 1 on a timeout or if the program ends
// first.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

QRgb pixel_at(QScreen& screen, int x, int y) { return screen.grabWindow(0, x, y, 1, 1).toImage().pixel(0, 0) & 0xFFFFFF; }

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: first_pixel X Y R,G,B TIMEOUT_MS PROGRAM [ARGS...]\n");
    return 2;
  }
  const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
  int r = 0, g = 0, b = 0;
  if (std::sscanf(argv[3], "%d,%d,%d", &r, &g, &b) != 3) return 2;
  const QRgb wanted = qRgb(r, g, b) & 0xFFFFFF;
  const auto timeout = std::chrono::milliseconds(std::atoi(argv[4]));
  char** command = argv + 5;
  int qt_argc = 1;
  QGuiApplication app(qt_argc, argv);
  QScreen& screen = *QGuiApplication::primaryScreen();

  using Clock = std::chrono::steady_clock;
  for (const auto until = Clock::now() + timeout; pixel_at(screen, x, y) == wanted;) {
    if (Clock::now() > until) return std::fprintf(stderr, "first_pixel: the colour is there already\n"), 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(command[0], command);
    _exit(127);
  }
  int status = 0;
  while (pixel_at(screen, x, y) != wanted) {
    if (waitpid(child, &status, WNOHANG) == child) return std::fprintf(stderr, "first_pixel: the program ended\n"), 1;
    if (Clock::now() - start > timeout) {
      kill(child, SIGTERM);
      waitpid(child, &status, 0);
      return std::fprintf(stderr, "first_pixel: timed out\n"), 1;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  kill(child, SIGTERM);
  waitpid(child, &status, 0);
  std::printf("%.1f\n", ms);
  return 0;
}
