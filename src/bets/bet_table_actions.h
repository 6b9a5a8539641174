#pragma once

#include <array>

#include "bets/bet_table.h"
#include "bets/stake_allocation.h"
#include "store/race_day.h"

namespace bets {

/// Clicking column 0 of a bet row: the mark becomes "消" when the cell was blank and blank
/// otherwise; then the type's count, total, expected-return and returned-amount labels are
/// emptied, the table is allocated again and checked against the payouts. Rows that are
/// not bets (the header, an empty row) are left alone. Returns whether the row was toggled.
bool ToggleExclusion(BetTable& table, int row, StakeMode mode, int amount,
                     const store::RacePayouts& payouts);

/// Sorts the bet rows by the text of column `col` (plain character-code comparison,
/// descending when asked), whole rows moving; rows with equal keys are ordered ascending
/// by "No." (by 買い目 when sorting by "No." itself). No cell changes, nothing is
/// reallocated.
void SortBetTable(BetTable& table, int col, bool descending);

/// The sort state of the bet page: a direction flag per table and column (all 0 at
/// start-up) and the last sorted column, shared by all tables.
class SortState {
 public:
  /// A press on header cell `col` (1 or higher) of a table: toggles the table's flag for
  /// the column, remembers the column and sorts (descending when the flag is now 1, so the
  /// first press sorts descending). Column 0 and columns outside the table do nothing.
  void PressHeader(BetTable& table, int col);

  /// The direction flag (0 or 1) of a table's column.
  int Flag(codes::BetType type, int col) const;
  /// The last sorted column; -1 before any sort.
  int LastColumn() const { return last_column_; }

 private:
  static constexpr int kMaxCols = 15;
  std::array<std::array<int, kMaxCols>, 4> flags_{};
  int last_column_ = -1;
};

/// The hand cursor shows over the header row and over column 0; elsewhere the normal one.
bool ShowsHandCursor(int row, int col);

}  // namespace bets
