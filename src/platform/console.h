#pragma once
// The process's standard output and input, where the sound reports its rare
// errors.
#include <string>

namespace korvel {

class Console {
 public:
  virtual ~Console() = default;
  // One line on standard output.
  virtual void write_line(const std::string& text) = 0;
  // Waits for Enter, but only where someone can press it: without a
  // terminal on standard input it returns at once.
  virtual void wait_for_enter() = 0;
};

// The process's own streams.
class StandardConsole : public Console {
 public:
  void write_line(const std::string& text) override;
  void wait_for_enter() override;
};

}  // namespace korvel
