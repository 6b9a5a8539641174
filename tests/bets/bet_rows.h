#pragma once

#include <string>
#include <vector>

#include "bets/bet_table.h"
#include "codes/cell_format.h"

namespace bets::testing {

/// One bet of a hand-made table: its combination text and odds.
struct BetRow {
  std::string comb;
  double odds;
};

/// A table holding the given bets in rows 1.. as a fill writes them (No., 買い目, オッズ,
/// 人気), with popularity = row number.
inline BetTable TableOf(codes::BetType type, const std::vector<BetRow>& bets) {
  BetTable table(type);
  const bool pair = table.Layout() == BetLayout::Pair;
  table.SetRowCount(std::max(static_cast<int>(bets.size()) + 1, 2));
  for (int k = 0; k < static_cast<int>(bets.size()); ++k) {
    const BetRow& bet = bets[static_cast<std::size_t>(k)];
    table.SetCell(k + 1, kNoCol, codes::FormatInt(k + 1, table.NoWidth()));
    table.SetCell(k + 1, kCombCol, bet.comb);
    table.SetCell(k + 1, kOddsCol, codes::FormatFixed(bet.odds, pair ? 7 : 9, 1));
    table.SetCell(k + 1, kPopularityCol, codes::FormatInt(k + 1, pair ? 3 : 4));
  }
  return table;
}

/// The texts of one column over rows 1..RowCount()-1.
inline std::vector<std::string> Column(const BetTable& table, int col) {
  std::vector<std::string> texts;
  for (int row = 1; row < table.RowCount(); ++row) texts.push_back(table.Cell(row, col));
  return texts;
}

}  // namespace bets::testing
