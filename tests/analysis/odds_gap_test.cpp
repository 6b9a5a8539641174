#include "analysis/odds_gap.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "codes/errors.h"
#include "support/case_name.h"

namespace {

struct GapCase {
  double higher;
  double lower;
  bool reaches;
};

class OddsGapTest : public ::testing::TestWithParam<GapCase> {};

TEST_P(OddsGapTest, ComparesTheDifferenceOfTheDoublesInExtendedPrecision) {
  const GapCase& c = GetParam();
  EXPECT_EQ(analysis::ReachesOddsGap(c.higher, c.lower), c.reaches) << c.higher << " - " << c.lower;
}

// Each pair differs by 2.3 in decimal; whether its doubles reach 2.3 held with 64
// significant bits decides. Plain double arithmetic says yes to all but 100.3 - 98.0
// and 14.1 - 11.8.
// clang-format off
INSTANTIATE_TEST_SUITE_P(DecimalGapOf23, OddsGapTest, ::testing::Values(
  GapCase{12.3, 10.0, true},
  GapCase{3.8, 1.5, false},
  GapCase{4.5, 2.2, false},
  GapCase{5.3, 3.0, false},
  GapCase{25.3, 23.0, true},
  GapCase{3.5, 1.2, true},
  GapCase{9.9, 7.6, true},
  GapCase{6.6, 4.3, false},
  GapCase{2.4, 0.1, false},
  GapCase{3.4, 1.1, false},
  GapCase{100.3, 98.0, false},
  GapCase{14.1, 11.8, false},
  GapCase{4.2, 1.9, true}),
    testsupport::CaseNameOf(&GapCase::higher, &GapCase::lower));

INSTANTIATE_TEST_SUITE_P(ClearGaps, OddsGapTest, ::testing::Values(
  GapCase{4.0, 1.5, true},
  GapCase{3.7, 1.5, false},
  GapCase{1.5, 4.0, false},
  GapCase{250.0, 1.1, true},
  GapCase{1000.0, 997.8, false}),
    testsupport::CaseNameOf(&GapCase::higher, &GapCase::lower));
// clang-format on

TEST(OddsGapTest, RejectsOddsOfZeroOrBelow) {
  EXPECT_THROW(analysis::ReachesOddsGap(3.0, 0.0), codes::LogicError);
  EXPECT_THROW(analysis::ReachesOddsGap(-1.0, 2.0), codes::LogicError);
}

// Where long double is the x87 format, the gap must be exactly what it computes.
bool ExtendedReaches(double higher, double lower) {
  return static_cast<long double>(higher) - static_cast<long double>(lower) >= 2.3L;
}

TEST(OddsGapTest, AgreesWithExtendedPrecisionForEveryPairOfTenths) {
  if (LDBL_MANT_DIG != 64) GTEST_SKIP() << "long double is not the x87 format here";
  int differences = 0;
  for (int lower = 1; lower <= 3000; ++lower) {
    for (int higher = lower + 20; higher <= lower + 26; ++higher) {
      const double h = higher / 10.0;
      const double l = lower / 10.0;
      ASSERT_EQ(analysis::ReachesOddsGap(h, l), ExtendedReaches(h, l)) << h << " - " << l;
      if (ExtendedReaches(h, l) != (h - l >= 2.3)) ++differences;
    }
  }
  EXPECT_GT(differences, 20);  // the rule differs from plain doubles often enough to matter
}

TEST(OddsGapTest, AgreesWithExtendedPrecisionForDoublesNearTheGap) {
  if (LDBL_MANT_DIG != 64) GTEST_SKIP() << "long double is not the x87 format here";
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> lower_of(1e-6, 60.0);
  std::uniform_int_distribution<int> ulps(-40, 40);
  for (int n = 0; n < 200000; ++n) {
    const double l = lower_of(random);
    double h = l + 2.3;
    for (int u = ulps(random); u != 0; u += u > 0 ? -1 : 1) {
      h = std::nextafter(h, u > 0 ? 100.0 : 0.0);
    }
    ASSERT_EQ(analysis::ReachesOddsGap(h, l), ExtendedReaches(h, l))
        << std::hexfloat << h << " - " << l;
  }
}

}  // namespace
