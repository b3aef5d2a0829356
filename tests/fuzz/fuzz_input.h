#pragma once
// The fuzzer's bytes read as a stream of small decisions. Past the end every
// read gives 0, so any input is a whole program of calls.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace korvel::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  bool empty() const { return m_at >= m_size; }
  std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  std::uint32_t u32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | byte();
    return v;
  }
  // Mostly near the picture, sometimes anywhere in the 32-bit range.
  int coordinate(int extent) {
    const std::uint8_t kind = byte();
    if (kind < 200) return int(byte()) - 64 + (kind % 2 ? extent : 0);
    return int(u32());
  }
  std::string text(std::size_t max) {
    const std::size_t n = std::min<std::size_t>(byte() % (max + 1), m_size - std::min(m_at, m_size));
    std::string s(reinterpret_cast<const char*>(m_data + m_at), n);
    m_at += n;
    return s;
  }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_at = 0;
};

}  // namespace korvel::fuzz
