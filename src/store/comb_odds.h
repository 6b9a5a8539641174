#pragma once

#include "codes/bet_numbering.h"
#include "codes/layouts/odds_layout.h"
#include "store/race_day.h"

namespace store {

/// The odds and popularity of one combination as its race's odds record holds them.
struct CombOdds {
  double odds = 0;     ///< as OddsValue gives it; 0 where the entry is missing
  int popularity = 0;  ///< 0 unless the odds are a number
  friend bool operator==(const CombOdds&, const CombOdds&) = default;
};

/// Where the entries of a bet type lie in its odds record: 馬連 in O2, 馬単 in O4, ３連複
/// in O5, ３連単 in O6. LogicError for a type without such a record.
const codes::odds_layout::OddsRun& CombOddsRunOf(codes::BetType type);

/// The combination odds of one race of the day, read from its odds records when they are
/// asked for: a race holds over six thousand combinations and a bet table shows a few
/// dozen of them. Only the entries the odds import checked are read (RaceWork's
/// CombOddsChecked); every later one is missing (odds 0, popularity 0), as are all of a
/// kind the import did not reach.
class RaceCombOdds {
 public:
  /// The race in `slot`; the day must outlive this object.
  RaceCombOdds(const RaceDay& day, int slot);

  /// Combination `index` (1 … CombCount) of 馬連, 馬単, ３連複 or ３連単; LogicError for
  /// another type or an index outside that range.
  CombOdds Of(codes::BetType type, int index) const;

 private:
  const RaceDay& day_;
  int slot_;
};

}  // namespace store
