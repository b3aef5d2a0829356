#include "platform/random.h"

#include <chrono>

namespace korvel {

std::uint64_t RandomGenerator::system_clock() {
  return std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^
         std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
}

int RandomGenerator::Random(int n) {
  if (n <= 0) return 0;
  // Lemire's multiply-and-reject: exactly uniform without a division per draw.
  const std::uint64_t range = std::uint64_t(n);
  for (;;) {
    const std::uint32_t x = std::uint32_t(m_engine() >> 32);
    const std::uint64_t m = std::uint64_t(x) * range;
    const std::uint32_t low = std::uint32_t(m);
    if (low >= std::uint32_t(range) || low >= std::uint32_t(-std::uint32_t(range)) % std::uint32_t(range))
      return int(m >> 32);
  }
}

}  // namespace korvel
