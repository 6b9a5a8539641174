#include "codes/rate_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

#include "codes/errors.h"
#include "support/case_name.h"

namespace codes {
namespace {

struct RateCase {
  long long numerator;
  long long denominator;
  int width;
  int decimals;
  const char* text;
};
void PrintTo(const RateCase& c, std::ostream* os) {
  *os << c.numerator << " / " << c.denominator << " as %" << c.width << "." << c.decimals << "f";
}

class RateTextTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(RateTextTest, ShowsTheExactQuotientWithAHalfRoundedAwayFromZero) {
  const RateCase& c = GetParam();
  EXPECT_EQ(RateText(c.numerator, c.denominator, c.width, c.decimals), c.text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ExactHalves, RateTextTest, ::testing::Values(
    // A return of 11,330 yen over eight bets of 100 yen: 1416.25 %.
    RateCase{11330 * 100, 800, 7, 1, " 1416.3"},
    RateCase{58765, 100, 6, 1, " 587.7"},
    RateCase{5, 100, 5, 1, "  0.1"},
    RateCase{15, 100, 5, 1, "  0.2"},      // a double holds 0.15 just below the half
    RateCase{1005, 1000, 6, 2, "  1.01"},  // and 1.005 too
    RateCase{125, 1000, 6, 2, "  0.13"},   // an exact binary half, which to_chars sends to even
    RateCase{5, 10, 3, 0, "  1"},
    RateCase{25, 10, 3, 0, "  3"}),
    testsupport::PrintedCaseName());

INSTANTIATE_TEST_SUITE_P(NearAHalf, RateTextTest, ::testing::Values(
    // One part in a large denominator either side of 1416.25.
    RateCase{141624999999, 100000000, 7, 1, " 1416.2"},
    RateCase{141625000001, 100000000, 7, 1, " 1416.3"},
    RateCase{1, 3, 7, 1, "    0.3"},
    RateCase{2, 3, 7, 1, "    0.7"},
    RateCase{2, 3, 7, 2, "   0.67"},
    RateCase{49999, 1000000, 5, 1, "  0.0"},
    RateCase{50000, 1000000, 5, 1, "  0.1"},
    // A round-up that carries through every digit.
    RateCase{99995, 100, 7, 1, " 1000.0"},
    RateCase{99995, 1000, 5, 1, "100.0"},
    RateCase{95, 10, 1, 0, "10"}),
    testsupport::PrintedCaseName());

INSTANTIATE_TEST_SUITE_P(ZeroAndLarge, RateTextTest, ::testing::Values(
    RateCase{0, 800, 7, 1, "    0.0"},
    RateCase{0, 1, 0, 0, "0"},
    RateCase{10000, 100, 7, 1, "  100.0"},
    // Returns of 999,999 × 10,000 yen, far beyond any stake the screen allows: the text
    // grows past its width and keeps every digit.
    RateCase{999999LL * 10000 * 100, 999900, 7, 1, "1000099.0"},
    RateCase{999999LL * 10000 * 100, 100, 7, 1, "9999990000.0"},
    RateCase{999999LL * 10000 * 100, 3, 7, 2, "333333000000.00"},
    RateCase{999999LL * 10000 * 100, 306LL * 306 * 999900, 7, 1, "   10.7"},
    RateCase{LLONG_MAX, 1, 0, 0, "9223372036854775807"},
    RateCase{LLONG_MAX, LLONG_MAX - 1, 0, 18, "1.000000000000000000"},
    RateCase{1, LLONG_MAX, 0, 18, "0.000000000000000000"},
    RateCase{LLONG_MAX / 2, LLONG_MAX, 0, 1, "0.5"},
    RateCase{LLONG_MAX / 2 + 1, LLONG_MAX, 0, 0, "1"},
    RateCase{LLONG_MAX / 2, LLONG_MAX, 0, 0, "0"}),
    testsupport::PrintedCaseName());

INSTANTIATE_TEST_SUITE_P(Negative, RateTextTest, ::testing::Values(
    RateCase{-5, 100, 5, 1, " -0.1"},
    RateCase{5, -100, 5, 1, " -0.1"},
    RateCase{-5, -100, 5, 1, "  0.1"},
    RateCase{-141625, 100, 7, 1, "-1416.3"},
    RateCase{-141624, 100, 7, 1, "-1416.2"},
    RateCase{-4, 100, 5, 1, "  0.0"},       // rounds to zero: no sign
    RateCase{LLONG_MIN, 1, 0, 0, "-9223372036854775808"},
    RateCase{LLONG_MIN, LLONG_MIN, 0, 1, "1.0"},
    RateCase{-1, LLONG_MIN, 0, 0, "0"}),
    testsupport::PrintedCaseName());
// clang-format on

TEST(RateText, RefusesADenominatorOfZero) {
  try {
    RateText(1416, 0, 7, 1);
    FAIL() << "no error";
  } catch (const LogicError& e) {
    EXPECT_STREQ(e.what(), "a rate of 1416 over a denominator of 0");
  }
  EXPECT_THROW(RateText(0, 0, 7, 1), LogicError);
}

TEST(RateText, RefusesDecimalsOutsideTheRange) {
  EXPECT_THROW(RateText(1, 1, 7, -1), LogicError);
  EXPECT_THROW(RateText(1, 1, 7, 19), LogicError);
  EXPECT_EQ(RateText(1, 1, 0, 18), "1.000000000000000000");
}

}  // namespace
}  // namespace codes
