#pragma once

#include <string_view>

#include "bets/bet_table.h"
#include "store/race_day.h"

namespace bets {

/// True when `comb_text` is not blank and equals a paid combination of the type.
bool IsPaidCombination(const store::RacePayouts& payouts, codes::BetType type,
                       std::string_view comb_text);

/// Compares every bet row's 買い目 with the paid combinations of the table's type (every
/// entry with every row, so a dead heat marks every matching row). A hit gets 結果配当
/// (payout per 100 yen, "%7d"), 結果回収 (payout × stake / 100, truncated, "%7d") and
/// 結果人気 ("%3d"); rows without a hit keep their result cells. The returned-amount label
/// shows the sum as "%8d", red when below the stake-total label, black otherwise; empty
/// when the sum is below 1. A table with fewer than two rows is left alone.
void PayoutCheck(BetTable& table, const store::RacePayouts& payouts);

/// PayoutCheck against the payouts of the race shown (day.CurrentSlot).
void PayoutCheck(BetTable& table, const store::RaceDay& day);

}  // namespace bets
