// The texts exchanged with the file dialogs.
#include <gtest/gtest.h>

#include "qt/dialog_formats.h"

namespace korvel::qt {
namespace {

TEST(NameFilters, PlatformFiltersBecomeQtFilters) {
  EXPECT_EQ(name_filters("images (*.bmp)|*.bmp"), QStringList{"images (*.bmp)"});
  EXPECT_EQ(name_filters("Bitmaps|*.bmp;*.dib|Tout|*.*"), (QStringList{"Bitmaps (*.bmp *.dib)", "Tout (*.*)"}));
  EXPECT_TRUE(name_filters("").isEmpty());
  EXPECT_TRUE(picture_filters().front().contains("*.bmp"));
}

}  // namespace
}  // namespace korvel::qt
