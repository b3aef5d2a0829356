// Text of files written by another hand: UTF-8, or Windows-1252 otherwise.
#include "files/text_encoding.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(TextEncoding, WellFormedUtf8Only) {
  EXPECT_TRUE(is_valid_utf8(""));
  EXPECT_TRUE(is_valid_utf8("image été €.bmp \xF0\x9F\x8E\xA8"));
  EXPECT_FALSE(is_valid_utf8("\xE9t\xE9"));           // Windows-1252 é
  EXPECT_FALSE(is_valid_utf8("\xC0\x80"));            // overlong NUL
  EXPECT_FALSE(is_valid_utf8("\xE0\x80\xAF"));        // overlong /
  EXPECT_FALSE(is_valid_utf8("\xED\xA0\x80"));        // a surrogate
  EXPECT_FALSE(is_valid_utf8("\xF4\x90\x80\x80"));    // above U+10FFFF
  EXPECT_FALSE(is_valid_utf8("ab\xE2\x82"));          // cut short
  EXPECT_FALSE(is_valid_utf8("\xFF"));
}

TEST(TextEncoding, Windows1252BytesBecomeTheirCharacters) {
  EXPECT_EQ(windows1252_to_utf8("\xE9t\xE9"), "été");
  EXPECT_EQ(windows1252_to_utf8("\x80 \x9C \xFF"), "€ œ ÿ");
  EXPECT_EQ(windows1252_to_utf8("\x81"), "\xC2\x81");  // undefined: kept as C1
  EXPECT_EQ(text_as_utf8("déjà"), "déjà");           // valid UTF-8 untouched
  EXPECT_EQ(text_as_utf8("d\xE9j\xE0"), "déjà");
}

}  // namespace
}  // namespace korvel
