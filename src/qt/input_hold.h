#pragma once
// One hold per long run (the random colouring, a tone burst). From the run's
// start to its end the user-interface thread is the run's, and the input
// made meanwhile is decided here alone:
// - at the window, for every event the program gets: keys are dropped;
//   pointer input over the "stop" button goes through, and so does the rest
//   of a press that went there; other pointer input is kept and given back,
//   in order, once the run has ended;
// - at every entry into the behaviour (ViewContext::run, which clicks, keys,
//   timer ticks and the actions of screen readers all go through): only what
//   is for the "stop" button runs; the rest is dropped, as keys are.
// A press let through belongs to its run: when the run ends with the button
// still down, the rest of that press is no longer the run's business.
#include <QEvent>
#include <QObject>
#include <QPointingDevice>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

namespace korvel {
class Control;
}

namespace korvel::qt {

class ViewContext;

// Pointer input kept during a run, to be delivered once it has ended.
class KeptInput {
 public:
  void keep(QObject* receiver, const QEvent& event);
  // Adds what `later` kept after what is kept here.
  void append(KeptInput&& later);
  // Sends the kept events to their receivers, in order, from the event loop.
  void deliver();
  bool empty() const { return m_events.empty(); }

 private:
  // A pointer event by value, read when it is kept.
  struct Held {
    Held(QObject* to, const QEvent& event);
    void send() const;
    QPointer<QObject> receiver;
    QEvent::Type type;
    QPointF position, scene_position, global_position;
    Qt::MouseButton button;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    const QPointingDevice* device;
    quint64 timestamp;
    // A wheel's turn.
    QPoint pixel_delta, angle_delta;
    Qt::ScrollPhase phase = Qt::NoScrollPhase;
    bool inverted = false;
  };
  std::vector<std::shared_ptr<Held>> m_events;
};

// The one way through a hold: the "stop" button, as the widget the pointer
// reaches and as the control whose handler runs.
struct StopButton {
  QWidget* widget = nullptr;
  const Control* control = nullptr;
};

class InputHold : public QObject {
  Q_OBJECT
 public:
  // Holds the program's input from now until its end; `context` asks it
  // about every entry into the behaviour meanwhile.
  InputHold(ViewContext& context, StopButton stop);
  ~InputHold() override;
  InputHold(const InputHold&) = delete;
  InputHold& operator=(const InputHold&) = delete;

  // Handles the input waiting now, as the hold says.
  void poll();
  // Whether a handler for input on `control` (null: the window itself, a
  // key, a timer's tick) may run now.
  bool admits(const Control* control) const;
  // The pointer input kept so far, to be delivered when the run has ended.
  KeptInput take_kept();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool is_stop(const QWidget* widget) const;
  bool goes_through(QObject* watched, const QEvent& event);

  ViewContext& m_context;
  QPointer<QWidget> m_stop_widget;
  const Control* m_stop_control;
  KeptInput m_kept;
  // A press on "stop" went through and a button is still down: the rest of
  // that press goes there too, from one poll to the next.
  bool m_press_let_through = false;
};

}  // namespace korvel::qt
