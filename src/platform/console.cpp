#include "platform/console.h"

#include <unistd.h>

#include <iostream>

namespace korvel {

void StandardConsole::write_line(const std::string& text) { std::cout << text << std::endl; }

void StandardConsole::wait_for_enter() {
  // A program started from a desktop has no terminal: waiting would hang
  // the window with no one able to answer.
  if (::isatty(STDIN_FILENO) != 1) return;
  std::string line;
  std::getline(std::cin, line);
}

}  // namespace korvel
