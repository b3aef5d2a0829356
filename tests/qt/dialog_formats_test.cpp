// The texts exchanged with the dialogs.
#include <gtest/gtest.h>

#include "qt/dialog_formats.h"

namespace korvel::qt {
namespace {

TEST(CustomColours, LinesAreReadAsBlueFirstValues) {
  const CustomColours boxes =
      parse_custom_colours({"ColorA=4080FF", "ColorB=DAFEE7", "ColorP=FFFFFFFF", "junk", "ColorQ=000000"});
  ASSERT_TRUE(boxes[0]);
  EXPECT_EQ(*boxes[0], QColor(255, 128, 64));
  EXPECT_EQ(*boxes[1], QColor(0xE7, 0xFE, 0xDA));
  EXPECT_FALSE(boxes[15]);  // the platform's "no colour"
  EXPECT_FALSE(boxes[2]);
}

TEST(CustomColours, OnlyTheBoxesTheUserChangedAreRewritten) {
  std::vector<std::string> lines = {"ColorA=4080FF", "ColorB=dafee7", "ColorC=FFFFFFFF"};
  CustomColours before = parse_custom_colours(lines);
  before[2] = QColor(Qt::white);
  CustomColours after = before;
  after[0] = QColor(1, 2, 3);
  after[4] = QColor(0, 0, 255);
  update_custom_colours(lines, before, after);
  EXPECT_EQ(lines, (std::vector<std::string>{"ColorA=030201", "ColorB=dafee7", "ColorC=FFFFFFFF", "ColorE=FF0000"}));
}

TEST(NameFilters, PlatformFiltersBecomeQtFilters) {
  EXPECT_EQ(name_filters("images (*.bmp)|*.bmp"), QStringList{"images (*.bmp)"});
  EXPECT_EQ(name_filters("Bitmaps|*.bmp;*.dib|Tout|*.*"), (QStringList{"Bitmaps (*.bmp *.dib)", "Tout (*.*)"}));
  EXPECT_TRUE(name_filters("").isEmpty());
  EXPECT_TRUE(picture_filters().front().contains("*.bmp"));
}

}  // namespace
}  // namespace korvel::qt
