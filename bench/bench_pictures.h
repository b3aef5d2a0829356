#pragma once
// Inputs shared by the canvas benchmarks and their peers in bench/peers/, so
// that both sides do exactly the same work.
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace korvel::bench {

constexpr int kWidth = 1920, kHeight = 1080;

// A serpentine maze: a wall in every fourth column, open for 3 rows at the
// bottom and at the top in turn, so that the one corridor winds through
// 480 columns three pixels wide. `wall(x, y)` says where the walls are.
inline bool maze_wall(int x, int y) {
  if (x % 4 != 3) return false;
  const bool gap_at_bottom = (x / 4) % 2 == 0;
  return gap_at_bottom ? y < kHeight - 3 : y >= 3;
}

// 10,000 strokes 20 pixels long at random places and angles.
struct Segment {
  int x0, y0, x1, y1;
};
inline std::vector<Segment> short_strokes() {
  std::mt19937 rng(1);
  std::uniform_real_distribution<double> angle(0, 6.283185307179586);
  std::vector<Segment> lines;
  for (int i = 0; i < 10000; ++i) {
    const int x = int(rng() % kWidth), y = int(rng() % kHeight);
    const double a = angle(rng);
    lines.push_back(
        {x, y, x + int(std::lround(20 * std::cos(a))), y + int(std::lround(20 * std::sin(a)))});
  }
  return lines;
}
constexpr int kStrokeWidth = 10;

}  // namespace korvel::bench
