#pragma once
// While a long handler runs, the waiting input is handled selectively: key
// input is dropped, mouse input for one chosen widget (the "stop" button)
// goes through, and other mouse input is kept to be delivered once the
// handler has ended.
#include <QEvent>
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
  // Posts the kept events to their receivers, in order, for the event loop.
  void deliver();
  bool empty() const { return m_events.empty(); }

 private:
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_events;
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
  QPointer<QWidget> m_open_to;
  DeferredInput& m_deferred;
};

}  // namespace korvel::qt
