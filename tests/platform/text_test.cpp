#include "platform/text.h"

#include <gtest/gtest.h>

#include "platform/dispatch.h"
#include "platform/random.h"
#include "support/fake_desktop.h"

namespace korvel {
namespace {

TEST(StrToInt, AcceptsASignAndDigitsWithinThirtyTwoBits) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("-17"), -17);
  EXPECT_EQ(StrToInt("+42"), 42);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToInt, RefusesEverythingElseWithThePlatformText) {
  for (const char* bad : {"", "-", "+", " 1", "1 ", "1,5", "2E3", "2147483648", "-2147483649", "0x10", "99999999999999999999"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' n'est pas une valeur entière correcte");
    }
  }
}

TEST(Nearest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(nearest(387.5), 388.0);
  EXPECT_EQ(nearest(412.5), 412.0);
  EXPECT_EQ(nearest(-0.5), -0.0);
  EXPECT_EQ(nearest(-1.5), -2.0);
  EXPECT_EQ(nearest(2.4999), 2.0);
}

TEST(RandomGenerator, StaysInRangeAndRepeatsForASeed) {
  RandomGenerator a(7), b(7);
  int seen_top = 0;
  for (int i = 0; i < 20000; ++i) {
    const int v = a.Random(6);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 6);
    seen_top += v == 5;
    ASSERT_EQ(v, b.Random(6));
  }
  EXPECT_GT(seen_top, 20000 / 6 - 400);
  EXPECT_LT(seen_top, 20000 / 6 + 400);
  EXPECT_EQ(a.Random(0), 0);
  EXPECT_EQ(a.Random(1), 0);
}

TEST(Dispatch, AFailingHandlerIsReportedAndTheCallerGoesOn) {
  testing::FakeDesktop desktop;
  bool after = false;
  dispatch(desktop, [] { StrToInt("abc"); });
  dispatch(desktop, [&] { after = true; });
  ASSERT_EQ(desktop.errors.size(), 1u);
  EXPECT_EQ(desktop.errors[0], "'abc' n'est pas une valeur entière correcte");
  EXPECT_TRUE(after);
}

}  // namespace
}  // namespace korvel
