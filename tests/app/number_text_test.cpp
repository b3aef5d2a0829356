// The numeric text helpers: trims, cleaning, the petal count and the strict
// reading of an edit.
#include "app/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

TEST(TrimDroite, RemovesTrailingSpacesOnly) {
  EXPECT_EQ(trim_droite("ab  "), "ab");
  EXPECT_EQ(trim_droite("   "), "");
  EXPECT_EQ(trim_droite(""), "");
  EXPECT_EQ(trim_droite("  ab"), "  ab");
  EXPECT_EQ(trim_droite("a b "), "a b");
}

TEST(TrimGauche, RemovesLeadingSpacesKeepingTheLastCharacter) {
  EXPECT_EQ(trim_gauche("  ab"), "ab");
  EXPECT_EQ(trim_gauche("   "), " ");
  EXPECT_EQ(trim_gauche(" "), " ");
  EXPECT_EQ(trim_gauche("a"), "a");
  EXPECT_EQ(trim_gauche(""), "");
  EXPECT_EQ(trim_gauche("ab  "), "ab  ");
  EXPECT_EQ(trim_gauche("  a"), "a");
}

TEST(TrimBlancs, BothEnds) {
  EXPECT_EQ(trim_blancs("   "), "");
  EXPECT_EQ(trim_blancs("  7 "), "7");
  EXPECT_EQ(trim_blancs(" 1 2 "), "1 2");
  EXPECT_EQ(trim_blancs(""), "");
}

TEST(Trims, OnlyTheSpaceIsABlank) {
  EXPECT_EQ(trim_droite("a\t"), "a\t");
  EXPECT_EQ(trim_gauche("\ta"), "\ta");
  EXPECT_EQ(trim_blancs("\n 5 \r"), "\n 5 \r");
  // UTF-8 no-break space (C2 A0) is not a blank either.
  EXPECT_EQ(trim_blancs("\xC2\xA0" "5"), "\xC2\xA0" "5");
}

TEST(Trims, TextsLongerThan255BytesAreTrimmedWhole) {
  const std::string spaces300(300, ' ');
  EXPECT_EQ(trim_droite("ab" + spaces300), "ab");
  EXPECT_EQ(trim_gauche(spaces300 + "ab"), "ab");
  EXPECT_EQ(trim_gauche(spaces300), " ");
  EXPECT_EQ(trim_blancs(spaces300), "");
  EXPECT_EQ(trim_blancs(spaces300 + "12" + spaces300), "12");
  // Around the eight-bit boundary: 255, 256 and 257 bytes.
  for (const std::size_t n : {254u, 255u, 256u, 257u, 511u, 512u}) {
    const std::string padded = std::string(n - 1, ' ') + "9";
    EXPECT_EQ(trim_gauche(padded), "9") << n;
    EXPECT_EQ(trim_droite("9" + std::string(n - 1, ' ')), "9") << n;
  }
  // A long text without blanks is kept as it is.
  const std::string digits(400, '7');
  EXPECT_EQ(trim_blancs(digits), digits);
}

TEST(NettoieNombre, WithACommaSeparator) {
  EXPECT_EQ(nettoie_nombre(" 12.5 ", ','), "12,5");
  EXPECT_EQ(nettoie_nombre("1.2.3", ','), "1,23");
  EXPECT_EQ(nettoie_nombre("2e3", ','), "23");
  EXPECT_EQ(nettoie_nombre("abc", ','), "");
  EXPECT_EQ(nettoie_nombre("1,5", ','), "1,5");
}

TEST(NettoieNombre, WithAPointSeparator) {
  EXPECT_EQ(nettoie_nombre("12,5", '.'), "12.5");
  EXPECT_EQ(nettoie_nombre("1.234,5", '.'), "1.234.5");
  EXPECT_EQ(nettoie_nombre("1,2,3", '.'), "1.23");
}

TEST(NettoieNombre, KeepsTheAllowedSetAndDropsTheRest) {
  EXPECT_EQ(nettoie_nombre("*+-/0123456789E", '.'), "*+-/0123456789E");
  EXPECT_EQ(nettoie_nombre("1e5", '.'), "15");
  EXPECT_EQ(nettoie_nombre("1E5", '.'), "1E5");
  EXPECT_EQ(nettoie_nombre("\t12\t", '.'), "12");
  EXPECT_EQ(nettoie_nombre(" 1 2 ", '.'), "12");
  EXPECT_EQ(nettoie_nombre("x=(3)", '.'), "3");
  // Both bytes of a UTF-8 letter go.
  EXPECT_EQ(nettoie_nombre("1\xC3\xA9" "2", '.'), "12");
  EXPECT_EQ(nettoie_nombre("", '.'), "");
  EXPECT_EQ(nettoie_nombre("   ", '.'), "");
}

TEST(NettoieNombre, OnlyOnePointOrCommaIsReplaced) {
  // The point rule comes first; then the comma is not replaced.
  EXPECT_EQ(nettoie_nombre("1.2,3", ','), "1,2,3");
  EXPECT_EQ(nettoie_nombre("1,2.3", ','), "1,2,3");
}

TEST(NettoieNombre, LongTexts) {
  const std::string long_text = std::string(300, ' ') + "-42" + std::string(300, ' ');
  EXPECT_EQ(nettoie_nombre(long_text, '.'), "-42");
  EXPECT_EQ(nettoie_nombre(std::string(1000, 'a') + "5", '.'), "5");
}

TEST(DecimalSeparator, FollowsTheCLocale) {
  EXPECT_EQ(decimal_separator(), *std::localeconv()->decimal_point);
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "C"), nullptr);
  EXPECT_EQ(decimal_separator(), '.');
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(DecimalSeparator, ACommaLocaleGivesAComma) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  for (const char* name : {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8", "de_DE.utf8"})
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      const char separator = decimal_separator();
      std::setlocale(LC_NUMERIC, saved.c_str());
      EXPECT_EQ(separator, ',') << name;
      return;
    }
  GTEST_SKIP() << "no locale with a decimal comma is installed";
}

TEST(NbPetales, ReadsEdit1WithItsDefault) {
  StartedForm f;
  const struct {
    const char* text;
    std::int32_t expected;
  } cases[] = {{"24", 24}, {"0", 1}, {"", 1}, {" 7 ", 7}, {"abc", 1}, {"-3", -3}, {"100", 100}, {"x5y", 5}};
  for (const auto& c : cases) {
    f->Edit1.set_text(c.text);
    EXPECT_EQ(f->nb_petales(), c.expected) << c.text;
  }
}

TEST(NbPetales, ATextThatIsNotAnIntegerFails) {
  StartedForm f;
  f->Edit1.set_text("1.5");
  try {
    f->nb_petales();
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1.5' n'est pas une valeur entière correcte");
  }
  f->Edit1.set_text("2E3");
  EXPECT_THROW(f->nb_petales(), EConvertError);
  f->Edit1.set_text("99999999999");
  EXPECT_THROW(f->nb_petales(), EConvertError);
}

TEST(EntierDe, CleansThenConvertsStrictly) {
  StartedForm f;
  f->Edit5.set_text(" 975 ");
  EXPECT_EQ(f->entier_de(f->Edit5), 975);
  f->Edit5.set_text("9 7 5");
  EXPECT_EQ(f->entier_de(f->Edit5), 975);
  f->Edit5.set_text("+12");
  EXPECT_EQ(f->entier_de(f->Edit5), 12);
  f->Edit5.set_text("-2147483648");
  EXPECT_EQ(f->entier_de(f->Edit5), -2147483647 - 1);
  f->Edit5.set_text("1/2");
  try {
    f->entier_de(f->Edit5);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1/2' n'est pas une valeur entière correcte");
  }
  // An empty cleaned text fails too (only nb_petales has a default).
  f->Edit5.set_text("abc");
  try {
    f->entier_de(f->Edit5);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'' n'est pas une valeur entière correcte");
  }
}

}  // namespace
}  // namespace korvel
