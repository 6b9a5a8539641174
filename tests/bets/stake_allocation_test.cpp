#include "bets/stake_allocation.h"

#include <gtest/gtest.h>

#include <ostream>

#include "bet_rows.h"
#include "codes/cp932.h"
#include "support/case_name.h"

namespace bets {
namespace {

using codes::BetType;
using testing::BetRow;
using testing::Column;
using testing::TableOf;

std::vector<BetRow> BetsAt(std::vector<double> odds) {
  std::vector<BetRow> rows;
  for (std::size_t i = 0; i < odds.size(); ++i) {
    rows.push_back({codes::PairText(1, static_cast<int>(i) + 2), odds[i]});
  }
  return rows;
}

// ---- equal mode: the worked examples -------------------------------------------------

struct EqualCase {
  int amount;
  int bets;
  const char* stake;
  const char* total;
};
void PrintTo(const EqualCase& c, std::ostream* os) { *os << c.amount << " over " << c.bets; }

class EqualAllocationTest : public ::testing::TestWithParam<EqualCase> {};

TEST_P(EqualAllocationTest, GivesEveryBetTheRoundedShare) {
  const EqualCase& c = GetParam();
  BetTable table = TableOf(BetType::UR, BetsAt(std::vector<double>(c.bets, 4.0)));
  AllocateStakes(StakeMode::Equal, c.amount, table);
  EXPECT_EQ(Column(table, kStakeCol), std::vector<std::string>(c.bets, c.stake));
  EXPECT_EQ(table.Summary().count.text, codes::FormatInt(c.bets, 3));
  EXPECT_EQ(table.Summary().total.text, c.total);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(WorkedExamples, EqualAllocationTest, ::testing::Values(
    EqualCase{1000,  3, "   400", "  1200"},
    EqualCase{1000,  7, "   200", "  1400"},
    EqualCase{1000, 10, "   100", "  1000"},
    EqualCase{3000,  4, "   800", "  3200"},
    EqualCase{ 100,  3, "   100", "   300"},
    // The share's fraction decides: 1.1 units go up to 2, 1.09 units stay at 1.
    EqualCase{1100, 10, "   200", "  2000"},
    EqualCase{1090, 10, "   100", "  1000"},
    // Below 100 yen a bet still gets 100.
    EqualCase{ 100, 20, "   100", "  2000"}),
    testsupport::PrintedCaseName());
// clang-format on

TEST(EqualAllocation, WritesReturnsRatesAndExpectedReturn) {
  BetTable table = TableOf(BetType::UR, BetsAt({5.0, 10.0}));
  AllocateStakes(StakeMode::Equal, 1000, table);
  EXPECT_EQ(Column(table, kStakeCol), (std::vector<std::string>{"   500", "   500"}));
  EXPECT_EQ(Column(table, kReturnCol), (std::vector<std::string>{"   2500", "   5000"}));
  EXPECT_EQ(Column(table, kRateCol), (std::vector<std::string>{"  250.0", "  500.0"}));
  EXPECT_EQ(table.Summary().expected.text, "  375.0");
  EXPECT_EQ(table.Summary().expected.colour, LabelColour::Black);

  BetTable other = TableOf(BetType::UR, BetsAt({5.0, 6.0}));
  AllocateStakes(StakeMode::Equal, 1000, other);
  EXPECT_EQ(other.Summary().expected.text, "  275.0");
}

TEST(EqualAllocation, ExcludedRowGetsNoStakeAndDoesNotCount) {
  BetTable table = TableOf(BetType::UR, BetsAt({5.0, 10.0, 20.0}));
  table.SetCell(2, kExclusionCol, ExclusionMark());
  table.SetCell(2, kStakeCol, "   999");  // left over from an earlier allocation
  AllocateStakes(StakeMode::Equal, 1000, table);
  EXPECT_EQ(Column(table, kStakeCol), (std::vector<std::string>{"   500", "", "   500"}));
  EXPECT_EQ(table.Cell(2, kReturnCol), "");
  EXPECT_EQ(table.Cell(2, kRateCol), "");
  EXPECT_EQ(table.Summary().count.text, "  2");
}

TEST(EqualAllocation, NoBetsClearsTheCellsAndLeavesTheLabels) {
  BetTable table = TableOf(BetType::UR, BetsAt({5.0}));
  table.SetCell(1, kStakeCol, "   500");
  table.SetCell(1, kExclusionCol, ExclusionMark());
  table.Summary().count.text = "old";
  AllocateStakes(StakeMode::Equal, 1000, table);
  EXPECT_EQ(table.Cell(1, kStakeCol), "");
  EXPECT_EQ(table.Summary().count.text, "old");
}

// ---- the expected-return colour -------------------------------------------------------

struct ColourCase {
  std::vector<double> odds;
  int amount;
  LabelColour before;
  const char* expected;
  LabelColour after;
};

class ExpectedColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ExpectedColourTest, IsBlackAboveOneHundredAndRedUpToIt) {
  const ColourCase& c = GetParam();
  BetTable table = TableOf(BetType::UR, BetsAt(c.odds));
  table.Summary().expected.colour = c.before;
  AllocateStakes(StakeMode::Equal, c.amount, table);
  EXPECT_EQ(table.Summary().expected.text, c.expected);
  EXPECT_EQ(table.Summary().expected.colour, c.after);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rates, ExpectedColourTest, ::testing::Values(
    ColourCase{{5.0, 10.0},     1000, LabelColour::Red,   "  375.0", LabelColour::Black},
    ColourCase{{1.0},            100, LabelColour::Black, "  100.0", LabelColour::Red},
    ColourCase{{1.5, 2.0, 2.5},  300, LabelColour::Black, "   66.7", LabelColour::Red},
    ColourCase{{1.1},            100, LabelColour::Red,   "  110.0", LabelColour::Black},
    // Exact halves of the last place round up: 580 × 100 / (4 × 400) is 36.25 and
    // 1860 × 100 / (4 × 400) is 116.25.
    ColourCase{{1.3, 1.5, 1.5, 1.5}, 400, LabelColour::Black, "   36.3", LabelColour::Red},
    ColourCase{{4.6, 4.6, 4.7, 4.7}, 400, LabelColour::Red, "  116.3", LabelColour::Black}),
    testsupport::CaseNameOf(&ColourCase::amount, &ColourCase::expected));
// clang-format on

TEST(EqualAllocation, RoundsAnExactHalfOfARateUp) {
  // Eight trifecta bets of 100 yen (total 800): 11,330 yen back at odds 113.3 is 1416.25 %.
  std::vector<double> odds(8, 10.0);
  odds[0] = 113.3;
  BetTable table = TableOf(BetType::SRT, BetsAt(odds));
  AllocateStakes(StakeMode::Equal, 800, table);
  EXPECT_EQ(table.Cell(1, kReturnCol), "  11330");
  EXPECT_EQ(table.Cell(1, kRateCol), " 1416.3");
  EXPECT_EQ(table.Cell(2, kRateCol), "  125.0");
}

// ---- proportional mode ----------------------------------------------------------------

struct ProportionalCase {
  const char* name;
  std::vector<double> odds;
  int amount;
  std::vector<std::string> stakes;
  const char* total;
};
void PrintTo(const ProportionalCase& c, std::ostream* os) { *os << c.name; }

class ProportionalAllocationTest : public ::testing::TestWithParam<ProportionalCase> {};

TEST_P(ProportionalAllocationTest, SplitsByTheInverseOfTheOdds) {
  const ProportionalCase& c = GetParam();
  BetTable table = TableOf(BetType::SRT, BetsAt(c.odds));
  AllocateStakes(StakeMode::Proportional, c.amount, table);
  EXPECT_EQ(Column(table, kStakeCol), c.stakes);
  EXPECT_EQ(table.Summary().count.text, codes::FormatInt(static_cast<int>(c.odds.size()), 3));
  EXPECT_EQ(table.Summary().total.text, c.total);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(WorkedExamples, ProportionalAllocationTest, ::testing::Values(
    ProportionalCase{"FourToOne", {2.0, 8.0}, 1000, {"   800", "   200"}, "  1000"},
    // 0.398 % of 1000 yen is below 100 yen: the long shot still gets "   100".
    ProportionalCase{"LongShot", {2.0, 500.0}, 1000, {"  1000", "   100"}, "  1100"},
    ProportionalCase{"EvenThree", {3.0, 3.0, 3.0}, 1000, {"   400", "   400", "   400"},
                     "  1200"},
    // Row 1 is not the favourite: the base factor cancels out.
    ProportionalCase{"BaseFromRowOne", {8.0, 2.0}, 1000, {"   200", "   800"}, "  1000"}),
    testsupport::PrintedCaseName());
// clang-format on

TEST(ProportionalAllocation, EveryBetReturnsAboutTheSame) {
  BetTable table = TableOf(BetType::UT, BetsAt({2.0, 8.0}));
  AllocateStakes(StakeMode::Proportional, 1000, table);
  EXPECT_EQ(Column(table, kReturnCol), (std::vector<std::string>{"   1600", "   1600"}));
  EXPECT_EQ(Column(table, kRateCol), (std::vector<std::string>{"  160.0", "  160.0"}));
  EXPECT_EQ(table.Summary().expected.text, "  160.0");
}

TEST(ProportionalAllocation, BlankOddsInRowOneWritesNothing) {
  BetTable table(BetType::SRF);
  table.SetCell(1, kStakeCol, "   300");
  table.Summary().count.text = "  1";
  AllocateStakes(StakeMode::Proportional, 1000, table);
  EXPECT_EQ(table.Cell(1, kStakeCol), "   300");
  EXPECT_EQ(table.Summary().count.text, "  1");
}

TEST(ProportionalAllocation, ZeroOddsInRowOneLeavesSharesAtZero) {
  BetTable table = TableOf(BetType::UR, BetsAt({0.0, 5.0}));
  table.SetCell(2, kStakeCol, "   300");
  AllocateStakes(StakeMode::Proportional, 1000, table);
  EXPECT_EQ(Column(table, kStakeCol), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(table.Summary().count.text, "  1");
  EXPECT_EQ(table.Summary().total.text, "     0");
  EXPECT_EQ(table.Summary().expected.text, "");
}

TEST(ProportionalAllocation, AllExcludedShowsZeroCountAndTotal) {
  BetTable table = TableOf(BetType::UR, BetsAt({5.0}));
  table.SetCell(1, kExclusionCol, ExclusionMark());
  AllocateStakes(StakeMode::Proportional, 1000, table);
  EXPECT_EQ(table.Summary().count.text, "  0");
  EXPECT_EQ(table.Summary().total.text, "     0");
  EXPECT_EQ(table.Cell(1, kStakeCol), "");
}

// ---- preconditions ---------------------------------------------------------------------

class UntouchedTableTest : public ::testing::TestWithParam<StakeMode> {};

TEST_P(UntouchedTableTest, AmountBelowOneHundredTouchesNothing) {
  BetTable table = TableOf(BetType::UR, BetsAt({5.0, 10.0}));
  table.SetCell(1, kStakeCol, "   700");
  table.Summary().total.text = "  1400";
  const BetTable before = table;
  AllocateStakes(GetParam(), 99, table);
  EXPECT_EQ(Column(table, kStakeCol), Column(before, kStakeCol));
  EXPECT_EQ(table.Summary(), before.Summary());
}

TEST_P(UntouchedTableTest, MoreThan306BetsTouchNothing) {
  std::vector<BetRow> rows(307, BetRow{" 1- 2- 3", 10.0});
  BetTable table = TableOf(BetType::SRT, rows);
  table.SetCell(1, kStakeCol, "   700");
  AllocateStakes(GetParam(), 3000, table);
  EXPECT_EQ(table.Cell(1, kStakeCol), "   700");
  EXPECT_EQ(table.Summary().count.text, "");

  table.SetRowCount(307);  // 306 bets: allocated
  AllocateStakes(GetParam(), 30600, table);
  EXPECT_EQ(table.Summary().count.text, "306");
}

INSTANTIATE_TEST_SUITE_P(BothModes, UntouchedTableTest,
                         ::testing::Values(StakeMode::Equal, StakeMode::Proportional),
                         [](const auto& info) {
                           return info.param == StakeMode::Equal ? "Equal" : "Proportional";
                         });

TEST(StakeMode, SettingValues) {
  EXPECT_EQ(StakeModeOf(1), StakeMode::Proportional);
  EXPECT_EQ(StakeModeOf(0), StakeMode::Equal);
  EXPECT_EQ(StakeModeOf(7), StakeMode::Equal);
  EXPECT_EQ(SettingValueOf(StakeMode::Proportional), 1);
}

}  // namespace
}  // namespace bets
