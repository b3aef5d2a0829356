// The per-line setup's shortcuts against plain references: square roots in
// double precision where they are exact, and disc rows kept between calls.
#include <gtest/gtest.h>

#include <random>

#include "platform/canvas_internal.h"

namespace korvel::detail {
namespace {

// floor(sqrt(n)) by bisection in 128-bit integers.
u64 plain_isqrt(u128 n) {
  u64 lo = 0, hi = ~u64(0);  // lo^2 <= n < hi^2 for n below 2^127
  while (hi - lo > 1) {
    const u64 mid = lo + (hi - lo) / 2;
    (u128(mid) * mid <= n ? lo : hi) = mid;
  }
  return lo;
}

TEST(CanvasSetup, SquareRootsMatchBisectionAroundEverySquareAndTheDoubleLimit) {
  std::mt19937_64 rng(7);
  auto check = [](u128 n) { ASSERT_EQ(isqrt(n), plain_isqrt(n)) << u64(n >> 64) << ":" << u64(n); };
  for (u64 s : {u64(0), u64(1), u64(2), u64(3), u64(1) << 25, (u64(1) << 26) - 1, u64(1) << 26,
                u64(67108863), u64(94906265), u64(3037000499)}) {
    const u128 sq = u128(s) * s;
    for (int d = -2; d <= 2; ++d)
      if (d >= 0 || sq >= u128(-d)) check(sq + d);
  }
  for (int i = 0; i < 200000; ++i) {
    const int bits = 1 + int(rng() % 62);
    const u64 s = rng() >> (64 - bits / 2 - 1);
    const u128 sq = u128(s) * s;
    check(sq);
    if (sq > 0) check(sq - 1);
    check(sq + 1 + rng() % (2 * s + 1));  // anywhere up to the next square
  }
  check((u128(1) << 52) - 1);
  check(u128(1) << 52);
  check((u128(1) << 126) + 12345);
}

// Widths are asked for in an order that keeps evicting the kept tables, and
// across the width beyond which rows are no longer kept.
TEST(CanvasSetup, KeptDiscRowsMatchTheDisc) {
  std::mt19937 rng(11);
  for (int i = 0; i < 3000; ++i) {
    const i64 w = i % 3 ? 2 + i64(rng() % 40) : 4090 + i64(rng() % 12);
    const PenDisc disc(w);
    const Span* kept = disc_rows(w);
    if (w > 4096) {
      EXPECT_EQ(kept, nullptr);
      continue;
    }
    ASSERT_NE(kept, nullptr);
    for (i64 dy = disc.first_row(); dy <= disc.last_row(); ++dy) {
      const Span want = disc.row(dy), got = kept[dy - disc.first_row()];
      ASSERT_TRUE(got.x1 == want.x1 && got.x2 == want.x2) << "width " << w << " row " << dy;
    }
  }
}

}  // namespace
}  // namespace korvel::detail
