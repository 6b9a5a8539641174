#include "bets/bet_table_actions.h"

#include <algorithm>
#include <vector>

#include "bets/payout_check.h"
#include "codes/errors.h"

namespace bets {

bool ToggleExclusion(BetTable& table, int row, StakeMode mode, int amount,
                     const store::RacePayouts& payouts) {
  if (row < 1 || row >= table.RowCount() || !table.IsLive(row)) return false;
  const bool blank = table.Cell(row, kExclusionCol).empty();
  table.SetCell(row, kExclusionCol, blank ? ExclusionMark() : std::string());
  table.Summary().ClearTexts();
  AllocateStakes(mode, amount, table);
  PayoutCheck(table, payouts);
  return true;
}

// A stable sort by (key in the asked direction, then the tie column ascending) gives the
// same rows as sorting by the key and then sorting each run of equal keys by the tie column.
void SortBetTable(BetTable& table, int col, bool descending) {
  codes::CheckIndex(col, 0, table.ColCount() - 1, "bet table sort column");
  const int tie = col == kNoCol ? kCombCol : kNoCol;
  std::vector<std::vector<std::string>> rows;
  for (int row = 1; row < table.RowCount(); ++row) rows.push_back(table.Row(row));
  const auto at = [](int c) { return static_cast<std::size_t>(c); };
  std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
    const std::string& ka = a[at(col)];
    const std::string& kb = b[at(col)];
    if (ka != kb) return descending ? kb < ka : ka < kb;
    return a[at(tie)] < b[at(tie)];
  });
  for (int row = 1; row < table.RowCount(); ++row) {
    table.SetRow(row, std::move(rows[static_cast<std::size_t>(row - 1)]));
  }
}

namespace {

int TablePosition(codes::BetType type) {
  for (int i = 0; i < 4; ++i) {
    if (BetTables::kOrder[i] == type) return i;
  }
  throw codes::LogicError("the bet page has tables only for 馬連, 馬単, ３連複 and ３連単");
}

}  // namespace

void SortState::PressHeader(BetTable& table, int col) {
  if (col < 1 || col >= table.ColCount()) return;
  int& flag =
      flags_[static_cast<std::size_t>(TablePosition(table.Type()))][static_cast<std::size_t>(col)];
  flag = 1 - flag;
  last_column_ = col;
  SortBetTable(table, col, flag == 1);
}

int SortState::Flag(codes::BetType type, int col) const {
  codes::CheckIndex(col, 0, kMaxCols - 1, "bet table column");
  return flags_[static_cast<std::size_t>(TablePosition(type))][static_cast<std::size_t>(col)];
}

bool ShowsHandCursor(int row, int col) { return row == 0 || col == 0; }

}  // namespace bets
