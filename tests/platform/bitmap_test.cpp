#include "platform/bitmap.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace korvel
