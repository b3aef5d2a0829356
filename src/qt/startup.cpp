#include "qt/startup.h"

#include <fontconfig/fontconfig.h>

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace korvel::qt {

std::jthread read_font_configuration_in_background() {
  // fontconfig publishes its configuration atomically: Qt's own FcInit
  // either finds it loaded or loads its own, never a half of it.
  return std::jthread([] { FcInit(); });
}

namespace {

class FirstFrame : public QObject {
 public:
  FirstFrame(QWidget& window, std::function<void()> work) : QObject(&window), m_work(std::move(work)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // Queued: the frame is finished and put on screen first.
      QTimer::singleShot(0, this, [this] {
        m_work();
        deleteLater();
      });
    }
    return false;
  }

 private:
  std::function<void()> m_work;
};

}  // namespace

void after_first_frame(QWidget& window, std::function<void()> work) { new FirstFrame(window, std::move(work)); }

}  // namespace korvel::qt
