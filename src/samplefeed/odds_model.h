#pragma once

#include <array>
#include <vector>

#include "samplefeed/race_plan.h"

namespace samplefeed {

/// The eight bet types in the order of the payout record.
enum class Bet { kWin, kPlace, kBracket, kQuinella, kWide, kExacta, kTrio, kTrifecta };
constexpr int kBetCount = 8;

/// Odds values of an entry besides tenths above 0: no votes, and the marks of the record.
constexpr int kNoVotes = 0;
constexpr int kNoEntry = -1;          // blanks: no such horse or not on sale
constexpr int kCancelledBefore = -2;  // "-": withdrawn before the betting opened
constexpr int kCancelledAfter = -3;   // "*": withdrawn after it opened

/// The entries of one bet type, in the order of the odds record (the lexicographic
/// combination numbering of an 18-horse field; horse numbers 1..18, brackets 1..8).
struct OddsTable {
  std::vector<std::array<int, 3>> combos;  // unused numbers 0
  std::vector<double> share;               // share of the pool's votes
  std::vector<int> tenths;                 // odds x 10 or one of the values above
  std::vector<int> high;                   // place and wide: the upper odds x 10
  std::vector<int> popularity;             // 1.. by odds, 0 when the entry has no odds
  long long votes = 0;                     // the pool, in 100-yen votes
};

/// The betting of one race at one moment: a strength per runner turned into vote
/// shares of every combination (each next place taken in proportion to the strengths of
/// the horses left), odds after JRA's takeout per bet type, popularity from the odds.
/// One model is reused for every race and moment; its buffers keep their size.
class OddsModel {
 public:
  OddsModel();

  /// The betting on `race` at `minute` of the race day (negative: the day before).
  void Compute(const RacePlan& race, int minute);

  const OddsTable& Table(Bet bet) const { return tables_[static_cast<size_t>(bet)]; }
  /// 0 none (fewer than five starters), 2 or 3 places paid.
  int PlacesPaid() const { return places_; }
  bool BracketOnSale() const { return bracket_on_sale_; }
  /// Runner state at this moment: 'R' runs, '-' or '*' withdrawn, ' ' no such horse.
  char RunnerState(int horse) const { return state_[static_cast<size_t>(horse - 1)]; }

  /// Payout in yen per 100-yen stake of each paid entry (entry indices 0-based) when
  /// these entries win together: the pool less the takeout and the winning stakes is
  /// shared equally by the paid entries, rounded down to 10 yen, at least 100 yen.
  /// A single paid entry gets exactly its odds x 100.
  std::vector<long long> Payouts(Bet bet, const std::vector<int>& paid) const;

  static double Takeout(Bet bet);
  /// Minute the betting on the race opens: 07:00 of the race day, or 10:00 of the day
  /// before (negative) for Sunday and holiday races.
  static int SalesOpen(const RacePlan& race);
  /// 0-based entry of a combination: brackets a <= b; horses as written.
  static int BracketEntry(int a, int b);
  static int QuinellaEntry(int i, int j);
  static int ExactaEntry(int i, int j);
  static int TrioEntry(int i, int j, int k);
  static int TrifectaEntry(int i, int j, int k);

 private:
  void SetStates(const RacePlan& race, int minute);
  void WinProbabilities(const RacePlan& race, double fraction);
  void OrderedShares();
  void PlaceShares();
  void BracketShares();
  int EntryMark(Bet bet, const std::array<int, 3>& combo) const;
  int BracketMark(int a, int b) const;
  int MarkAndMix(Bet bet);
  static int Tenths(Bet bet, double odds);
  void SingleOdds(Bet bet);
  void RangeOdds(Bet bet);
  void OtherPlacers(size_t entry, int count, double& most, double& least) const;
  void OtherWidePairs(size_t entry, double& most, double& least) const;
  void Rank(Bet bet);

  std::array<OddsTable, kBetCount> tables_;
  std::array<char, 18> state_{};
  std::array<double, 18> p_{};
  std::array<double, 18 * 18> exacta_{};
  std::array<int, 18> bracket_of_{};
  int registered_ = 0;
  int places_ = 0;
  bool bracket_on_sale_ = false;
  std::vector<unsigned long long> sort_keys_;
};

}  // namespace samplefeed
