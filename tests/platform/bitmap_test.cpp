#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvel {
namespace {

TEST(Bitmap, StoresRgb32TalksTColorAndIgnoresTheOutside) {
  Bitmap b(3, 2, RGB(0x11, 0x22, 0x33));
  EXPECT_EQ(b.data()[0], 0x00112233u);  // bytes B, G, R, 0 in memory
  b.set_colour(2, 1, RGB(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(b.row(1)[2], 0x00AABBCCu);
  EXPECT_EQ(b.colour_at(2, 1), RGB(0xAA, 0xBB, 0xCC));
  const Bitmap before = b;
  for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}}) {
    EXPECT_EQ(b.colour_at(x, y), clInvalid);
    b.set_colour(x, y, clWhite);
  }
  EXPECT_EQ(b, before);
  EXPECT_TRUE(Bitmap(-4, 7).empty());
  EXPECT_EQ(Bitmap(-4, 7).width(), 0);
}

TEST(Bitmap, EveryPixelStartsAsTheFillWhateverTheMemoryHeldBefore) {
  // Small pictures come from reused heap memory, large ones fresh from the
  // system: both hold only the fill, also where a drawn picture just was.
  for (const auto& [width, height] : {std::pair{7, 5}, {1920, 1080}}) {
    for (const TColor fill : {clBlack, clWhite, RGB(1, 2, 3)}) {
      {
        Bitmap used(width, height, clWhite);
        for (int y = 0; y < height; y += 3) used.set_colour(y % width, y, RGB(9, 8, 7));
      }
      const Bitmap b(width, height, fill);
      const std::uint32_t* p = b.data();
      const std::size_t n = std::size_t(width) * std::size_t(height);
      EXPECT_EQ(std::count(p, p + n, pixel_of(fill)), std::ptrdiff_t(n)) << width << "x" << height << " " << fill;
      Bitmap copy = b;
      copy.set_colour(0, 0, RGB(9, 9, 9));
      EXPECT_NE(copy, b);
      EXPECT_EQ(b.colour_at(0, 0), fill) << "a copy has pixels of its own";
    }
  }
}

}  // namespace
}  // namespace korvel
