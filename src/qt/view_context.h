#pragma once
// What every widget of the view shares: the window, the desktop that reports
// failures, and the one way into the behaviour.
#include <functional>
#include <utility>

#include "app/main_window.h"
#include "platform/dispatch.h"

namespace korvel::qt {

class ViewContext {
 public:
  explicit ViewContext(TForm1& form) : m_form(form) {}
  ViewContext(const ViewContext&) = delete;
  ViewContext& operator=(const ViewContext&) = delete;

  TForm1& form() const { return m_form; }
  Desktop& desktop() const { return m_form.desktop(); }

  // Runs a handler through the dispatch boundary (a failure becomes the error
  // box and the program goes on), then shows what it changed on the picture.
  // Handlers may nest, through the modal boxes they open.
  template <class Handler>
  void run(Handler&& handler) {
    ++m_depth;
    dispatch(desktop(), std::forward<Handler>(handler));
    --m_depth;
    if (after_event) after_event();
    if (m_depth == 0 && after_outermost) after_outermost();
  }
  // How many handlers are running now.
  int depth() const { return m_depth; }

  // Set while a long handler lets only chosen input through: timer ticks
  // wait until it has ended.
  bool input_held = false;

  std::function<void()> after_event;
  std::function<void()> after_outermost;

 private:
  TForm1& m_form;
  int m_depth = 0;
};

}  // namespace korvel::qt
