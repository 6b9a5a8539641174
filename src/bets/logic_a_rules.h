#pragma once

// The rule book of Logic A as data: which popularity ranks are combined, keyed on the
// venue side, the race's mean favourite odds (OzAve123) and the field size.

#include <array>
#include <limits>
#include <span>
#include <string_view>

#include "bets/logic_number_set.h"

namespace bets {

/// Racecourses "07" to "10" are west, all others east.
enum class VenueSide { East, West };

/// The side of a racecourse code (RA 20-21).
VenueSide VenueSideOf(std::string_view venue_code);

/// A band of OzAve123: from `from` (included or not) up to, not including, `below`.
struct OddsBand {
  double from;
  bool from_included;
  double below;

  constexpr bool Contains(double value) const {
    return (from_included ? value >= from : value > from) && value < below;
  }
};

/// "≥ from": the open top band of a table.
constexpr OddsBand AtLeast(double from) {
  return {from, true, std::numeric_limits<double>::infinity()};
}
/// "≥ from and < below".
constexpr OddsBand FromBelow(double from, double below) { return {from, true, below}; }
/// "> 0 and < below": the bottom band; a race without a mean (0) is in no band.
constexpr OddsBand AboveZeroBelow(double below) { return {0, false, below}; }

/// A × {s1, s2, …}: every runner of `rank` paired with every runner of a rank in
/// `partners`. A rule of rank kNoRule adds nothing (a row with a single rule).
struct PairRule {
  int rank;
  NumberSet partners;
};
inline constexpr int kNoRule = 0;

/// The quinella rules of a race of the mark `mark` (URTaisho 1 or 2) and its band.
struct QuinellaRow {
  int mark;
  VenueSide side;
  OddsBand band;
  std::array<PairRule, 2> rules;
};

/// The fallback quinella rules of a race with a strong favourite and no pair from its
/// band.
struct FallbackRow {
  VenueSide side;
  NumberSet field_sizes;
  std::array<PairRule, 2> rules;
};

/// Exacta pairs first-second, the first of a rank in `first`, the second another
/// runner of a rank in `second`.
struct ExactaRow {
  VenueSide side;
  NumberSet field_sizes;
  NumberSet first;
  NumberSet second;
};

/// Trifectas (and their trios) of three different runners, the runner in place
/// i of a rank in roles[i].
struct TrifectaRow {
  int mark;  ///< SRTaisho 1 or 2
  std::array<NumberSet, 3> roles;
};

std::span<const QuinellaRow> QuinellaRows();
std::span<const FallbackRow> FallbackRows();
std::span<const ExactaRow> ExactaRows();
std::span<const TrifectaRow> TrifectaRows();

/// The first quinella row of the mark and side whose band holds `oz_ave123`; nullptr when
/// none does (another mark, or a mean of 0 or less).
const QuinellaRow* FindQuinellaRow(int mark, VenueSide side, double oz_ave123);
/// The fallback row of the side and field size; nullptr for the sizes the table lacks.
const FallbackRow* FindFallbackRow(VenueSide side, int runners);
/// The exacta row of the side and field size (every size has one).
const ExactaRow* FindExactaRow(VenueSide side, int runners);

}  // namespace bets
