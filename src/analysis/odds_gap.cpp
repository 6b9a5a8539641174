#include "analysis/odds_gap.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "codes/errors.h"

namespace analysis {
namespace {

// 2.3 in extended precision is X = 0x9333333333333333 * 2^-62; its odd last bit makes a
// difference exactly halfway between X and the value below round down, so a difference
// d counts exactly when d > M = X - 2^-63. These are M - 2 in units of 2^-63 and M in
// units of 2^-61 (M * 2^61 = kMidpointUnits61 + 1/4).
constexpr std::uint64_t kMidpointAbove2Units63 = 0x2666666666666665ULL;
constexpr std::uint64_t kMidpointUnits61 = 0x4999999999999999ULL;

// Differences clearly away from 2.3 are decided by their double value; the error of one
// double subtraction is far below these margins.
constexpr double kSurelyBelow = 2.29;
constexpr double kSurelyAbove = 2.31;
// From here on lower is at least the gap, so higher is within twice lower.
constexpr double kExactSubtractionFrom = 2.4;

std::uint64_t ExactUnits(double integral_value) {
  return static_cast<std::uint64_t>(integral_value);
}

// d = higher - lower is exactly the double difference s: compare s with M.
bool ExactDifferenceReaches(double s) {
  // s is in [2, 4), a multiple of 2^-51, so s - 2 and its scaling are exact.
  return ExactUnits(std::ldexp(s - 2.0, 63)) > kMidpointAbove2Units63;
}

// 0 < lower < 2.4 and higher < 4.72: in units of 2^-61 higher is an integer A below 2^64
// and lower is Bi + Bf, an integer part and a fraction, all exact.
bool SmallLowerReaches(double higher, double lower) {
  const std::uint64_t a = ExactUnits(std::ldexp(higher, 61));
  double integer_part = 0;
  const double fraction = std::modf(std::ldexp(lower, 61), &integer_part);
  const std::uint64_t bi = ExactUnits(integer_part);
  if (a < bi) return false;
  const std::uint64_t whole = a - bi;  // d * 2^61 = whole - fraction
  if (whole <= kMidpointUnits61) return false;
  // whole - fraction > kMidpointUnits61 + 1/4
  const std::uint64_t excess = whole - kMidpointUnits61;
  return excess >= 2 || fraction < 0.75;
}

}  // namespace

bool ReachesOddsGap(double higher, double lower) {
  if (!(higher > 0) || !(lower > 0) || !std::isfinite(higher) || !std::isfinite(lower)) {
    throw codes::LogicError("odds gap of " + std::to_string(higher) + " and " +
                            std::to_string(lower) + ": both odds must be above 0");
  }
  const double s = higher - lower;
  if (s < kSurelyBelow) return false;
  if (s > kSurelyAbove) return true;
  // higher <= 2 * lower: the subtraction was exact (Sterbenz).
  if (lower >= kExactSubtractionFrom) return ExactDifferenceReaches(s);
  return SmallLowerReaches(higher, lower);
}

}  // namespace analysis
