#include "bets/bet_table_actions.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "bet_rows.h"
#include "bets/payout_check.h"
#include "codes/errors.h"

namespace bets {
namespace {

using codes::BetType;
using testing::Column;
using testing::TableOf;

// Rows 1..5 with odds 5.0, 3.0, 5.0, 8.0, 3.0: two runs of equal odds.
BetTable OddsTable() {
  return TableOf(BetType::UR,
                 {{" 1- 2", 5.0}, {" 1- 3", 3.0}, {" 1- 4", 5.0}, {" 1- 5", 8.0}, {" 1- 6", 3.0}});
}

std::vector<std::string> Numbers(const BetTable& table) {
  std::vector<std::string> numbers;
  for (const std::string& no : Column(table, kNoCol)) numbers.push_back(no.substr(2));
  return numbers;
}

TEST(SortBetTable, EqualKeysKeepTheirRowNumberOrderInBothDirections) {
  BetTable table = OddsTable();
  SortBetTable(table, kOddsCol, /*descending=*/true);
  EXPECT_EQ(Numbers(table), (std::vector<std::string>{"4", "1", "3", "2", "5"}));
  SortBetTable(table, kOddsCol, /*descending=*/false);
  EXPECT_EQ(Numbers(table), (std::vector<std::string>{"2", "5", "1", "3", "4"}));
}

TEST(SortBetTable, ByNumberBreaksTiesByCombination) {
  BetTable table = OddsTable();
  table.SetCell(2, kNoCol, "");  // two blank "No." cells: ordered by 買い目
  table.SetCell(5, kNoCol, "");
  SortBetTable(table, kCombCol, true);
  SortBetTable(table, kNoCol, false);
  EXPECT_EQ(Column(table, kCombCol),
            (std::vector<std::string>{" 1- 3", " 1- 6", " 1- 2", " 1- 4", " 1- 5"}));
}

TEST(SortBetTable, MovesWholeRowsAndChangesNoCell) {
  BetTable table = OddsTable();
  table.SetCell(4, kExclusionCol, ExclusionMark());
  table.SetCell(4, kStakeCol, "   700");
  std::vector<std::vector<std::string>> before;
  for (int row = 1; row < table.RowCount(); ++row) before.push_back(table.Row(row));
  SortBetTable(table, kOddsCol, true);
  EXPECT_EQ(table.Row(1), before[3]);
  std::vector<std::vector<std::string>> after;
  for (int row = 1; row < table.RowCount(); ++row) after.push_back(table.Row(row));
  std::sort(before.begin(), before.end());
  std::sort(after.begin(), after.end());
  EXPECT_EQ(after, before);
}

TEST(SortBetTable, BlankResultColumnKeepsTheGenerationOrder) {
  BetTable table = OddsTable();
  SortBetTable(table, kOddsCol, true);
  SortBetTable(table, table.PayoutCol(), true);
  EXPECT_EQ(Numbers(table), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST(SortState, FirstPressSortsDescendingThenAscending) {
  SortState state;
  BetTable table = OddsTable();
  BetTable other = OddsTable();
  state.PressHeader(table, kOddsCol);
  EXPECT_EQ(Numbers(table), (std::vector<std::string>{"4", "1", "3", "2", "5"}));
  EXPECT_EQ(state.Flag(BetType::UR, kOddsCol), 1);
  state.PressHeader(table, kOddsCol);
  EXPECT_EQ(Numbers(table), (std::vector<std::string>{"2", "5", "1", "3", "4"}));
  EXPECT_EQ(state.LastColumn(), kOddsCol);

  BetTable trio = TableOf(BetType::SRF, {{" 1- 2- 3", 5.0}, {" 1- 2- 4", 9.0}});
  state.PressHeader(trio, kOddsCol);  // its own flag: descending again
  EXPECT_EQ(Column(trio, kCombCol), (std::vector<std::string>{" 1- 2- 4", " 1- 2- 3"}));
  EXPECT_EQ(state.Flag(BetType::SRF, kOddsCol), 1);

  state.PressHeader(other, kExclusionCol);  // column 0 does not sort
  EXPECT_EQ(Numbers(other), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(state.LastColumn(), kOddsCol);
}

// ---- exclusion ----------------------------------------------------------------------

class ExclusionTest : public ::testing::Test {
 protected:
  ExclusionTest() { payouts_.UR[0] = {" 1- 2", 1, 500}; }
  BetTable table_ = TableOf(BetType::UR, {{" 1- 2", 5.0}, {" 3- 4", 10.0}});
  store::RacePayouts payouts_;
};

TEST_F(ExclusionTest, RerunsAllocationAndCheck) {
  AllocateStakes(StakeMode::Equal, 1000, table_);
  PayoutCheck(table_, payouts_);
  EXPECT_EQ(table_.Summary().returned.text, "    2500");

  ASSERT_TRUE(ToggleExclusion(table_, 1, StakeMode::Equal, 1000, payouts_));
  EXPECT_EQ(table_.Cell(1, kExclusionCol), ExclusionMark());
  EXPECT_EQ(Column(table_, kStakeCol), (std::vector<std::string>{"", "  1000"}));
  EXPECT_EQ(table_.Summary().count.text, "  1");
  EXPECT_EQ(table_.Summary().expected.text, " 1000.0");
  EXPECT_EQ(table_.Cell(1, table_.ResultReturnCol()), "      0");  // still paid, no stake
  EXPECT_EQ(table_.Summary().returned.text, "");

  ASSERT_TRUE(ToggleExclusion(table_, 1, StakeMode::Equal, 1000, payouts_));
  EXPECT_EQ(table_.Cell(1, kExclusionCol), "");
  EXPECT_EQ(Column(table_, kStakeCol), (std::vector<std::string>{"   500", "   500"}));
  EXPECT_EQ(table_.Summary().returned.text, "    2500");
}

TEST_F(ExclusionTest, ExcludingEveryBetEmptiesTheLabelsInEqualMode) {
  AllocateStakes(StakeMode::Equal, 1000, table_);
  ToggleExclusion(table_, 1, StakeMode::Equal, 1000, payouts_);
  ToggleExclusion(table_, 2, StakeMode::Equal, 1000, payouts_);
  EXPECT_EQ(Column(table_, kStakeCol), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(Column(table_, kReturnCol), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(table_.Summary().count.text, "");
  EXPECT_EQ(table_.Summary().total.text, "");
  EXPECT_EQ(table_.Summary().expected.text, "");
}

TEST_F(ExclusionTest, ExcludingEveryBetShowsZeroInProportionalMode) {
  ToggleExclusion(table_, 1, StakeMode::Proportional, 1000, payouts_);
  ToggleExclusion(table_, 2, StakeMode::Proportional, 1000, payouts_);
  EXPECT_EQ(table_.Summary().count.text, "  0");
  EXPECT_EQ(table_.Summary().total.text, "     0");
  EXPECT_EQ(table_.Summary().expected.text, "");
}

TEST_F(ExclusionTest, HeaderAndEmptyRowsAreNotToggled) {
  EXPECT_FALSE(ToggleExclusion(table_, 0, StakeMode::Equal, 1000, payouts_));
  BetTable empty(BetType::SRT);
  empty.Summary().count.text = "  3";
  EXPECT_FALSE(ToggleExclusion(empty, 1, StakeMode::Equal, 1000, payouts_));
  EXPECT_EQ(empty.Cell(1, kExclusionCol), "");
  EXPECT_EQ(empty.Summary().count.text, "  3");
  EXPECT_FALSE(ToggleExclusion(table_, 3, StakeMode::Equal, 1000, payouts_));
}

TEST(ShowsHandCursor, OverTheHeaderRowAndColumnZero) {
  EXPECT_TRUE(ShowsHandCursor(0, 5));
  EXPECT_TRUE(ShowsHandCursor(3, 0));
  EXPECT_FALSE(ShowsHandCursor(3, 1));
}

}  // namespace
}  // namespace bets
