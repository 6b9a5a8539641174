#pragma once

#include <array>
#include <span>

namespace analysis {

/// One row of the Logic B target table: with S favourites second and W favourites first
/// at the venue on the previous race day, the races whose FavDayRank is one of `ranks`
/// are targets, their favourite the axis and the runners of the `partners` ranks the
/// partners.
struct LogicBTarget {
  int s;
  int w_from;
  int w_to;  ///< kAnyMore for "8 or more"
  std::array<int, 2> ranks;
  std::array<int, 5> partners;
};

inline constexpr int kAnyMore = 1 << 30;

/// The whole table, in the order S, then W.
std::span<const LogicBTarget> LogicBTargetTable();

/// The row for yesterday's counts S (2nd) and W (1st); nullptr when there is none
/// (S 0 or 1 with W of 8 or more, S 2..4 with W 0, S of 5 or more).
const LogicBTarget* FindLogicBTarget(int s, int w);

}  // namespace analysis
