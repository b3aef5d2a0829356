#pragma once
// While a long handler runs, the waiting input is handled selectively: key
// input is dropped, mouse input for one chosen widget (the "stop" button)
// goes through, and other mouse input is kept to be delivered once the
// handler has ended.
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

namespace korvel::qt {

class DeferredInput {
 public:
  void keep(QObject* receiver, const QEvent& event);
  // Sends the kept events to their receivers, in order, from the event loop.
  void deliver();
  bool empty() const { return m_events.empty(); }
  // A press on the open widget went through and its button is still down:
  // the rest of that press goes there too, from one poll to the next.
  bool press_let_through = false;

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

class InputGate : public QObject {
  Q_OBJECT
 public:
  // Installed on the application for its lifetime. `open_to` may be null
  // (nothing goes through).
  InputGate(QWidget* open_to, DeferredInput& deferred);
  ~InputGate() override;
  // Handles the events waiting now through the gate.
  void process_pending();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool is_open_to(const QWidget* widget) const;
  bool goes_through(QObject* watched, const QEvent& event);

  QPointer<QWidget> m_open_to;
  DeferredInput& m_deferred;
};

}  // namespace korvel::qt
