#include "platform/bitmap.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(Bitmap, StoresPixelsAsRgb32AndTalksInTColor) {
  Bitmap b(3, 2, RGB(0x11, 0x22, 0x33));
  ASSERT_EQ(b.width(), 3);
  ASSERT_EQ(b.height(), 2);
  EXPECT_EQ(b.data()[0], 0x00112233u);  // bytes B, G, R, 0 in memory
  b.set_colour(2, 1, RGB(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(b.row(1)[2], 0x00AABBCCu);
  EXPECT_EQ(b.colour_at(2, 1), RGB(0xAA, 0xBB, 0xCC));
  EXPECT_EQ(b.colour_at(0, 0), RGB(0x11, 0x22, 0x33));
}

TEST(Bitmap, OutsideReadsInvalidAndWritesNothing) {
  Bitmap b(2, 2, clRed);
  const Bitmap before = b;
  for (auto [x, y] : {std::pair{-1, 0}, {2, 0}, {0, 2}, {0, -1}}) {
    EXPECT_EQ(b.colour_at(x, y), clInvalid);
    b.set_colour(x, y, clWhite);
  }
  EXPECT_EQ(b, before);
}

TEST(Bitmap, NegativeSizesAreEmpty) {
  const Bitmap b(-4, 7);
  EXPECT_EQ(b.width(), 0);
  EXPECT_TRUE(b.empty());
  EXPECT_EQ(b.colour_at(0, 0), clInvalid);
}

}  // namespace
}  // namespace korvel
