// The custom colour list of the colour dialog: its text and its reading.
#include <gtest/gtest.h>

#include "colour/custom_colours.h"

namespace korvel {
namespace {

TEST(CustomColourList, LinesHoldBlueFirstHexOfAtLeastSixDigits) {
  EXPECT_EQ(ligne_couleur_perso(0, RGB(255, 128, 64)), "ColorA=4080FF");
  EXPECT_EQ(ligne_couleur_perso(15, RGB(245, 216, 176)), "ColorP=B0D8F5");
  EXPECT_EQ(ligne_couleur_perso(2, RGB(1, 0, 0)), "ColorC=000001");
  EXPECT_EQ(ligne_couleur_perso(3, clBlack), "ColorD=000000");
}

TEST(CustomColourList, SixteenLinesReadBackToTheSameColours) {
  CustomColours colours;
  for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = RGB(int(i) * 16, 255 - int(i), int(i) * 7);
  const std::vector<std::string> lines = ecrit_couleurs_perso(colours);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0].substr(0, 7), "ColorA=");
  EXPECT_EQ(lines[15].substr(0, 7), "ColorP=");
  EXPECT_EQ(lit_couleurs_perso(lines), colours);
}

TEST(CustomColourList, MalformedLinesLeaveTheirBoxWhite) {
  const CustomColours c = lit_couleurs_perso({
      "ColorA=4080ff",        // lower case is read
      "ColorB=FFFFFFFF",      // the platform's "no colour"
      "ColorC=12345G",        // not hexadecimal
      "ColorD=",              // no digits
      "ColorQ=000000",        // no such box
      "Colour=000000",        // no letter
      "junk",
      "ColorE 000000",        // no "="
      "  ColorF=0000FF \r",   // blanks and a carriage return around it
      "ColorG=123456789",     // more than eight digits
      "ColorH=1",             // fewer than six digits is still a value
      "ColorH=000002",        // a later line wins
      "colorI=000000",        // the key is case-sensitive
  });
  EXPECT_EQ(c[0], RGB(255, 128, 64));
  for (int box : {1, 2, 3, 6, 8, 9, 10, 15}) EXPECT_EQ(c[std::size_t(box)], clWhite) << box;
  EXPECT_EQ(c[4], clWhite);
  EXPECT_EQ(c[5], RGB(255, 0, 0));
  EXPECT_EQ(c[7], 0x000002u);
}

TEST(CustomColourList, NoLinesAllWhite) {
  CustomColours white;
  white.fill(clWhite);
  EXPECT_EQ(lit_couleurs_perso({}), white);
}

}  // namespace
}  // namespace korvel
