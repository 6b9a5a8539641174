#include "bets/payout_check.h"

#include <gtest/gtest.h>

#include <memory>

#include "bet_rows.h"
#include "support/case_name.h"

namespace bets {
namespace {

using codes::BetType;
using testing::Column;
using testing::TableOf;

void SetStakes(BetTable& table, const std::vector<int>& stakes) {
  for (std::size_t i = 0; i < stakes.size(); ++i) {
    table.SetCell(static_cast<int>(i) + 1, kStakeCol, codes::FormatInt(stakes[i], 6));
  }
  long long total = 0;
  for (int s : stakes) total += s;
  table.Summary().total.text = codes::FormatInt(total, 6);
}

TEST(PayoutCheck, NoPayoutsMeansNoHitAndAnEmptyLabel) {
  BetTables tables;
  for (BetType type : BetTables::kOrder) {
    BetTable& table = tables.Table(type);
    table =
        TableOf(type, {{type == BetType::UR || type == BetType::UT ? " 1- 2" : " 1- 2- 3", 5.0}});
    SetStakes(table, {100});
    table.Summary().returned.text = "     999";
    PayoutCheck(table, store::RacePayouts{});
    EXPECT_EQ(table.Cell(1, table.PayoutCol()), "");
    EXPECT_EQ(table.Summary().returned.text, "");
  }
}

struct HitCase {
  int stake;
  int payout;
  const char* returned;
};

class QuinellaHitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(QuinellaHitTest, ReturnsPayoutTimesStakeOverOneHundred) {
  const HitCase& c = GetParam();
  BetTable table = TableOf(BetType::UR, {{" 1- 2", 5.0}, {" 3- 7", 12.5}});
  SetStakes(table, {100, c.stake});
  store::RacePayouts payouts;
  payouts.UR[0] = {" 3- 7", 4, c.payout};
  PayoutCheck(table, payouts);
  EXPECT_EQ(table.Cell(2, 11), codes::FormatInt(c.payout, 7));
  EXPECT_EQ(table.Cell(2, 12), c.returned);
  EXPECT_EQ(table.Cell(2, 13), "  4");
  EXPECT_EQ(table.Cell(1, 11), "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Stakes, QuinellaHitTest, ::testing::Values(
    HitCase{300, 1250, "   3750"},
    HitCase{150,  123, "    184"},   // truncated
    HitCase{  0, 1250, "      0"},
    HitCase{999999, 29983800, "299837700162"}),
    testsupport::CaseNameOf(&HitCase::stake, &HitCase::payout));  // wider than int
// clang-format on

TEST(PayoutCheck, LabelIsRedWhenLessThanTheStakeTotal) {
  BetTable table = TableOf(BetType::UR, {{" 1- 2", 1.5}, {" 1- 3", 5.0}});
  SetStakes(table, {100, 100});
  store::RacePayouts payouts;
  payouts.UR[0] = {" 1- 2", 1, 150};
  PayoutCheck(table, payouts);
  EXPECT_EQ(table.Summary().returned.text, "     150");
  EXPECT_EQ(table.Summary().returned.colour, LabelColour::Red);

  payouts.UR[0].payout = 200;  // equal to the stake: black
  PayoutCheck(table, payouts);
  EXPECT_EQ(table.Summary().returned.text, "     200");
  EXPECT_EQ(table.Summary().returned.colour, LabelColour::Black);
}

TEST(PayoutCheck, StakeZeroHitLeavesTheLabelEmpty) {
  BetTable table = TableOf(BetType::UR, {{" 1- 2", 1.5}});
  table.Summary().returned = {"    4000", LabelColour::Red};
  store::RacePayouts payouts;
  payouts.UR[0] = {" 1- 2", 1, 150};
  PayoutCheck(table, payouts);
  EXPECT_EQ(table.Cell(1, 11), "    150");
  EXPECT_EQ(table.Summary().returned.text, "");
}

TEST(PayoutCheck, DeadHeatMarksEveryPaidRow) {
  BetTable table = TableOf(BetType::UT, {{" 1- 3", 5.0}, {" 2- 3", 6.0}, {" 3- 1", 7.0}});
  SetStakes(table, {200, 200, 200});
  store::RacePayouts payouts;
  payouts.UT[0] = {" 1- 3", 2, 900};
  payouts.UT[1] = {" 2- 3", 3, 1100};
  PayoutCheck(table, payouts);
  EXPECT_EQ(Column(table, 12), (std::vector<std::string>{"   1800", "   2200", ""}));
  EXPECT_EQ(table.Summary().returned.text, "    4000");
  EXPECT_EQ(table.Summary().returned.colour, LabelColour::Black);
}

TEST(PayoutCheck, ExactaOrderMatters) {
  BetTable table = TableOf(BetType::UT, {{" 3- 1", 5.0}});
  SetStakes(table, {100});
  store::RacePayouts payouts;
  payouts.UT[0] = {" 1- 3", 1, 900};
  PayoutCheck(table, payouts);
  EXPECT_EQ(table.Cell(1, 11), "");
}

TEST(PayoutCheck, TripleTablesUseTheirOwnResultColumns) {
  BetTable table = TableOf(BetType::SRT, {{"10- 3- 7", 250.0}, {" 3- 7-10", 180.0}});
  SetStakes(table, {100, 100});
  store::RacePayouts payouts;
  payouts.SRT[0] = {"10- 3- 7", 1234, 25000};
  PayoutCheck(table, payouts);
  EXPECT_EQ(table.Row(1)[12], "  25000");
  EXPECT_EQ(table.Row(1)[13], "  25000");
  EXPECT_EQ(table.Row(1)[14], "1234");
  EXPECT_EQ(table.Cell(2, 12), "");
}

TEST(PayoutCheck, RowsWithoutAHitKeepTheirResultCells) {
  BetTable table = TableOf(BetType::UR, {{" 1- 2", 5.0}});
  table.SetCell(1, 11, "    777");
  PayoutCheck(table, store::RacePayouts{});
  EXPECT_EQ(table.Cell(1, 11), "    777");
}

TEST(PayoutCheck, ReadsTheRaceShown) {
  auto day = std::make_unique<store::RaceDay>();
  day->CurrentSlot = 5;
  day->DayPayouts[5].SRF[0] = {" 2- 5- 9", 3, 4560};
  BetTable table = TableOf(BetType::SRF, {{" 2- 5- 9", 40.0}});
  SetStakes(table, {100});
  PayoutCheck(table, *day);
  EXPECT_EQ(table.Cell(1, 13), "   4560");
  EXPECT_TRUE(IsPaidCombination(day->DayPayouts[5], BetType::SRF, " 2- 5- 9"));
  EXPECT_FALSE(IsPaidCombination(day->DayPayouts[5], BetType::SRF, ""));
}

}  // namespace
}  // namespace bets
