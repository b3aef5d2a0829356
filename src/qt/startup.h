#pragma once
// Start-up work kept off the way of the first frame.
#include <functional>
#include <thread>

class QWidget;

namespace korvel::qt {

// Reads the system's font configuration on the other core while the
// application starts: the first text measured then finds it read. The
// thread is joined when the returned object goes.
std::jthread read_font_configuration_in_background();

// Runs `work` once `window` has painted its first frame, when the event loop
// next turns: for what the window need not wait for.
void after_first_frame(QWidget& window, std::function<void()> work);

}  // namespace korvel::qt
