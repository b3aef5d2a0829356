#pragma once
// The one boundary where events enter the behaviour: a handler that fails is
// reported in a message box and the program goes on.
#include <exception>
#include <utility>

#include "platform/desktop.h"
#include "platform/text.h"

namespace korvel {

template <class Handler>
void dispatch(Desktop& desktop, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& e) {
    desktop.report_error(e.what());
  } catch (...) {
    desktop.report_error("Erreur inconnue");
  }
}

}  // namespace korvel
