#pragma once
// The program's one pseudo-random generator.
#include <cstdint>
#include <functional>
#include <random>

namespace korvel {

class RandomGenerator {
 public:
  // A reading of the clock that Randomize seeds from.
  using Clock = std::function<std::uint64_t()>;

  explicit RandomGenerator(std::uint64_t seed = 1) : m_engine(seed) {}
  // Seeds from the clock: the seed is the clock's reading.
  void Randomize() { seed(m_clock()); }
  void seed(std::uint64_t s) { m_engine.seed(s); }
  // The clock Randomize reads; tests set a clock of their own.
  void set_clock(Clock clock) { m_clock = std::move(clock); }
  // Uniform on 0 .. n - 1; 0 for n <= 0.
  int Random(int n);

 private:
  static std::uint64_t system_clock();

  std::mt19937_64 m_engine;
  Clock m_clock = system_clock;
};

}  // namespace korvel
