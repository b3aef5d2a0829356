#pragma once
// The one boundary where events enter the behaviour: a handler that fails is
// reported in a message box and the program goes on.
#include <exception>
#include <utility>

#include "platform/desktop.h"
#include "platform/text.h"

namespace korvel {

enum class Handled { done, failed };

// Runs the handler; a failure is reported and told to the caller, which may
// need to know that the handler stopped part-way.
template <class Handler>
Handled dispatch(Desktop& desktop, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
    return Handled::done;
  } catch (const std::exception& e) {
    desktop.report_error(e.what());
  } catch (...) {
    desktop.report_error("Erreur inconnue");
  }
  return Handled::failed;
}

}  // namespace korvel
