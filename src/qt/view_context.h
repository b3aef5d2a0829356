#pragma once
// What every widget of the view shares: the window, the desktop that reports
// failures, and the one way into the behaviour.
#include <functional>
#include <utility>

#include "app/main_window.h"
#include "platform/dispatch.h"

namespace korvel::qt {

class InputHold;

class ViewContext {
 public:
  explicit ViewContext(TForm1& form) : m_form(form) {}
  ViewContext(const ViewContext&) = delete;
  ViewContext& operator=(const ViewContext&) = delete;

  TForm1& form() const { return m_form; }
  Desktop& desktop() const { return m_form.desktop(); }

  // Input the user made on `control` (null: on the window itself, a key, a
  // timer's tick), by hand or through a screen reader: runs its handler
  // through the dispatch boundary (a failure becomes the error box and the
  // program goes on), then shows what it changed on the picture. During a
  // long run the run's hold decides first (input_hold.h); what it holds is
  // dropped. Handlers may nest, through the modal boxes they open.
  template <class Handler>
  void run(const Control* control, Handler&& handler) {
    if (admits(control)) notice(std::forward<Handler>(handler));
  }
  template <class Handler>
  void run(Handler&& handler) {
    run(nullptr, std::forward<Handler>(handler));
  }
  // What the platform reports of the window (its activation, its size, the
  // focus it moved): it has happened already, so its handler runs even
  // during a long run.
  template <class Handler>
  void notice(Handler&& handler) {
    ++m_depth;
    dispatch(desktop(), std::forward<Handler>(handler));
    --m_depth;
    if (after_event) after_event();
    if (m_depth == 0 && after_outermost) after_outermost();
  }
  // How many handlers are running now.
  int depth() const { return m_depth; }

  // The hold of the long run under way, set by the hold for its lifetime.
  void set_hold(const InputHold* hold) { m_hold = hold; }

  std::function<void()> after_event;
  std::function<void()> after_outermost;

 private:
  bool admits(const Control* control) const;

  TForm1& m_form;
  int m_depth = 0;
  const InputHold* m_hold = nullptr;
};

}  // namespace korvel::qt
