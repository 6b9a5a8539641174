#pragma once

// The bet tables of the bet page: one grid of Shift-JIS text cells per bet type (馬連,
// 馬単, ３連複, ３連単) with its four summary labels. Every cell holds text in a fixed
// format and every consumer parses back the numbers it needs, so the formats are the
// contract between the generators, the stake allocation, the payout check, the voting
// export and the screens.
//
// How a rule book (Logic A, Logic B) fills a table — once per bet type it produces:
//
//   bets::BetTables& tables = …;             // the four tables of the bet page
//   bets::WorkingLists& lists = …;           // CombList, TrioCombList, EntryList
//   const store::RaceWork& work = day.Work[slot];
//   const bets::FillTail tail = bets::StakeAndCheckTail(mode, amount,
//                                                       day.DayPayouts[day.CurrentSlot]);
//
//   1. bets::ClearBetTable(tables.Table(codes::BetType::UR));   // before building the lists
//   2. lists.CombList.Clear(); lists.CombList.Add(" 1- 2"); …   // the candidates
//   3. bets::FillBetTable(tables.Table(codes::BetType::UR), lists.CombList,
//                         store::RaceCombOdds(day, slot),
//                         lists.EntryList, tail);
//
// FillBetTable (fill_bet_table.h) looks up each candidate's CombIndex, drops candidates
// without odds above 0, packs the others into the EntryList (cleared first), writes the
// rows ("No.", 買い目, オッズ, 人気; at most 306 bet rows in the triple tables), then runs
// tail.Allocate (AllocateStakes, stake_allocation.h) and tail.Check (PayoutCheck,
// payout_check.h) on the table, in this order. A table that a rule book does not fill is
// just cleared (step 1). Later changes go through race_stakes.h (amount, mode) and
// bet_table_actions.h (exclusion, sorting); colours for the screens are in cell_colours.h.

#include <string>
#include <vector>

#include "codes/bet_numbering.h"

namespace bets {

/// The two grid shapes: pairs (馬連, 馬単; 14 columns) and triples (３連複, ３連単; 15).
enum class BetLayout { Pair, Triple };

/// Columns common to both layouts.
inline constexpr int kExclusionCol = 0;   ///< "消": the exclusion mark
inline constexpr int kNoCol = 1;          ///< "No.": row number, "%3d" / "%4d"
inline constexpr int kCombCol = 2;        ///< "買い目": the CombText
inline constexpr int kOddsCol = 3;        ///< "オッズ": "%7.1f" / "%9.1f"
inline constexpr int kPopularityCol = 4;  ///< "人気": "%3d" / "%4d"
inline constexpr int kStakeCol = 6;       ///< "購入額": stake, "%6d"
inline constexpr int kReturnCol = 7;      ///< "回収額": return if hit, "%7.0f"
inline constexpr int kRateCol = 8;        ///< "回収率": return rate if hit, "%7.1f"

/// Width of a hidden column; such columns hold text but are never shown.
inline constexpr int kHiddenWidth = -1;

/// The largest number of bet rows of a table (the triple tables are cut there).
inline constexpr int kMaxBetRows = 306;

/// Colour of a summary label's text.
enum class LabelColour { Black, Red };

/// One summary label: its text (Shift-JIS) and text colour.
struct SummaryLabel {
  std::string text;
  LabelColour colour = LabelColour::Black;
  friend bool operator==(const SummaryLabel&, const SummaryLabel&) = default;
};

/// The four labels beside a table: 点数, 投票金額(円), 予想回収率(%), 回収金額(円).
struct BetSummary {
  SummaryLabel count;     ///< number of live bets, "%3d"
  SummaryLabel total;     ///< total stake in yen, "%6d"
  SummaryLabel expected;  ///< expected return rate, "%7.1f"; red when 100 or less
  SummaryLabel returned;  ///< amount returned after the race, "%8d"; red below the stake

  /// Empties the four texts; the colours stay as they are.
  void ClearTexts();
  friend bool operator==(const BetSummary&, const BetSummary&) = default;
};

/// The grid of one bet type: header row 0 and bet rows 1..RowCount()-1. A table without
/// bets keeps exactly one empty bet row (row count 2). Cell(row, col) is checked against
/// the bounds and throws codes::LogicError outside them.
class BetTable {
 public:
  /// A table of UR, UT (pair layout), SRF or SRT (triple layout) with its header row and
  /// one empty bet row; LogicError for any other bet type.
  explicit BetTable(codes::BetType type);

  codes::BetType Type() const { return type_; }
  BetLayout Layout() const { return layout_; }
  int ColCount() const;
  int RowCount() const { return row_count_; }
  /// Rows beyond the new count are dropped, new rows are empty; at least 1 (the header).
  void SetRowCount(int count);

  const std::string& Cell(int row, int col) const;
  void SetCell(int row, int col, std::string text);
  /// Every cell of a row (ColCount() of them).
  const std::vector<std::string>& Row(int row) const;
  /// Replaces a whole row; LogicError when it does not hold ColCount() cells.
  void SetRow(int row, std::vector<std::string> cells);

  /// Pixel width of a column as the screen shows it; kHiddenWidth for hidden columns.
  int ColWidth(int col) const;

  /// 結果配当, 結果回収, 結果人気: 11, 12, 13 in the pair layout, 12, 13, 14 in the triple.
  int PayoutCol() const;
  int ResultReturnCol() const { return PayoutCol() + 1; }
  int ResultPopularityCol() const { return PayoutCol() + 2; }
  /// Width of the "No." text: 3 in the pair tables, 4 in the triple tables.
  int NoWidth() const;

  /// A row is a bet when its "No." cell is not blank.
  bool IsLive(int row) const;
  /// A row is excluded when its column 0 reads exactly "消".
  bool IsExcluded(int row) const;

  BetSummary& Summary() { return summary_; }
  const BetSummary& Summary() const { return summary_; }

 private:
  void CheckRow(int row) const;
  void CheckCol(int col) const;

  codes::BetType type_;
  BetLayout layout_;
  // Rows made once stay made: a race's fill drops hundreds of rows and the next one makes
  // them again. Those from row_count_ on are out of the table, and emptied when it grows.
  std::vector<std::vector<std::string>> rows_;
  int row_count_ = 0;
  BetSummary summary_;
};

/// The exclusion mark "消" in Shift-JIS.
const std::string& ExclusionMark();

/// The type names of the bet page: "馬連", "馬単", "３連複", "３連単" (Shift-JIS).
const std::string& BetTypeName(codes::BetType type);

/// The four tables of the bet page, in the order of their tabs and of every "all four"
/// operation: 馬連, 馬単, ３連複, ３連単.
class BetTables {
 public:
  static constexpr codes::BetType kOrder[4] = {codes::BetType::UR, codes::BetType::UT,
                                               codes::BetType::SRF, codes::BetType::SRT};

  BetTables();

  /// The table of UR, UT, SRF or SRT; LogicError for any other type.
  BetTable& Table(codes::BetType type);
  const BetTable& Table(codes::BetType type) const;

 private:
  static int Position(codes::BetType type);
  std::vector<BetTable> tables_;
};

}  // namespace bets
