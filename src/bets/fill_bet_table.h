#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "bets/bet_table.h"
#include "bets/stake_allocation.h"
#include "bets/text_list.h"
#include "store/comb_odds.h"
#include "store/race_day.h"

namespace bets {

/// What the common tail of a fill runs on the freshly filled table: first the stake
/// allocation, then the payout check. Either may be empty (it is then skipped), which the
/// verification replay and the tests use.
struct FillTail {
  std::function<void(BetTable&)> Allocate;
  std::function<void(BetTable&)> Check;
};

/// The tail of the bet page: AllocateStakes with the race's amount and the chosen mode,
/// then PayoutCheck against the race's payouts (which must outlive the tail).
FillTail StakeAndCheckTail(StakeMode mode, int amount, const store::RacePayouts& payouts);

/// Clears a table before a generator builds its lists: every cell of rows 1.. empty, row
/// count 2, the four summary label texts empty (their colours stay).
void ClearBetTable(BetTable& table);

/// The packed entry of one bet: CombText, odds and popularity without separators —
/// "%7.1f" and "%3d" for pairs (15 characters), "%9.1f" and "%4d" for triples (21).
std::string BetEntryText(BetLayout layout, std::string_view comb_text, double odds, int popularity);

/// The common fill of every generator, once per bet type:
///  1. clears the table (as ClearBetTable; a no-op when the generator already did);
///  2. clears `entries`; for each candidate in list order looks up its CombIndex for the
///     table's type, drops it when the index is 0 or its odds in `odds` are not above 0,
///     and adds the BetEntryText of the others;
///  3. row count = entries + 1, at least 2, at most 307 in the triple tables (the first 306
///     entries in list order are shown);
///  4. row k+1 gets "No." k+1 ("%3d" pair, "%4d" triple) and the entry's three parts in
///     columns 2, 3, 4, each the exact substring with its leading blanks;
///  5. tail.Allocate(table); 6. tail.Check(table).
void FillBetTable(BetTable& table, const SortedTextList& candidates,
                  const store::RaceCombOdds& odds, SortedTextList& entries, const FillTail& tail);

}  // namespace bets
