#pragma once
// The program's one pseudo-random generator.
#include <cstdint>
#include <random>

namespace korvel {

class RandomGenerator {
 public:
  explicit RandomGenerator(std::uint64_t seed = 1) : m_engine(seed) {}
  // Seeds from the clock.
  void Randomize();
  void seed(std::uint64_t s) { m_engine.seed(s); }
  // Uniform on 0 .. n - 1; 0 for n <= 0.
  int Random(int n);

 private:
  std::mt19937_64 m_engine;
};

}  // namespace korvel
