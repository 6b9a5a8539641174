#include "screens/cell_colours.h"

#include <gtest/gtest.h>

#include <memory>

#include "bets/bet_rows.h"
#include "bets/bet_table_actions.h"
#include "codes/cp932.h"
#include "support/case_name.h"

namespace screens {
namespace {

using codes::BetType;

TEST(CellColour, PaidCombinationIsMagentaAndFollowsItsText) {
  bets::BetTable table = bets::testing::TableOf(BetType::UR, {{" 1- 2", 5.0}, {" 3- 4", 2.0}});
  store::RacePayouts payouts;
  payouts.UR[0] = {" 3- 4", 1, 300};
  EXPECT_EQ(CellColour(table, 0, bets::kCombCol, payouts), kBetHeader);
  EXPECT_EQ(CellColour(table, 1, bets::kExclusionCol, payouts), kWhite);
  EXPECT_EQ(CellColour(table, 1, bets::kNoCol, payouts), kBetNoColumn);
  EXPECT_EQ(CellColour(table, 1, bets::kCombCol, payouts), kWhite);
  EXPECT_EQ(CellColour(table, 2, bets::kCombCol, payouts), kPaidCombination);
  EXPECT_EQ(CellColour(table, 2, bets::kOddsCol, payouts), kWhite);
  bets::SortBetTable(table, bets::kOddsCol, false);
  EXPECT_EQ(CellColour(table, 1, bets::kCombCol, payouts), kPaidCombination);
  // The same text paid as an exacta does not colour the quinella table.
  store::RacePayouts exacta;
  exacta.UT[0] = {" 1- 2", 1, 300};
  EXPECT_EQ(CellColour(table, 2, bets::kCombCol, exacta), kWhite);
}

TEST(SummaryLabelBackground, ActiveTabLabelsAreGreen) {
  EXPECT_EQ(SummaryLabelBackground(BetType::SRF, BetType::SRF), kActiveLabelBackground);
  EXPECT_EQ(SummaryLabelBackground(BetType::UR, BetType::SRF), kLabelBackground);
  EXPECT_EQ(LabelTextColour(bets::LabelColour::Red), kRed);
}

// ---- runner grid ----------------------------------------------------------------------

struct HorseCase {
  int mark;
  const char* horse;
  int win_order;  // of runner horse - 1
  Rgb background;
};

class HorseNumberColourTest : public ::testing::TestWithParam<HorseCase> {};

TEST_P(HorseNumberColourTest, FollowsTheTrioMarkAndTheWinOrder) {
  const HorseCase& c = GetParam();
  auto work = std::make_unique<store::RaceWork>();
  work->SRTaisho = c.mark;
  const int horse = std::atoi(c.horse);
  if (horse >= 1 && horse <= 18) work->AsaWinRank[horse - 1] = c.win_order;
  EXPECT_EQ(RunnerCellStyle(3, RunnerColumn::HorseNumber, c.horse, *work).background, c.background);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Marks, HorseNumberColourTest, ::testing::Values(
    HorseCase{1, " 5",  1, kRed},  HorseCase{1, " 5",  2, kAqua},
    HorseCase{1, " 5",  9, kAqua}, HorseCase{1, " 5", 10, kInfoBackground},
    HorseCase{1, " 5",  0, kInfoBackground},
    HorseCase{2, "12",  2, kRed},  HorseCase{2, "12",  1, kAqua},
    HorseCase{2, "12",  3, kInfoBackground}, HorseCase{2, "12", 4, kAqua},
    HorseCase{2, "12", 10, kAqua}, HorseCase{2, "12", 11, kInfoBackground},
    HorseCase{0, " 5",  1, kInfoBackground},
    HorseCase{1, " 0",  0, kWindow}, HorseCase{2, " 0", 0, kWindow},
    HorseCase{1, "25",  0, kInfoBackground}),
    testsupport::CaseNameOf(&HorseCase::mark, &HorseCase::horse, &HorseCase::win_order));  // beyond the field
// clang-format on

TEST(RunnerCellStyle, BracketColours) {
  auto work = std::make_unique<store::RaceWork>();
  const Rgb expected[] = {kWindow, kWhite, kGrey,   kRed,     kBlue,
                          kYellow, kLime,  kOrange, kFuchsia, kWindow};
  for (int bracket = 0; bracket <= 9; ++bracket) {
    EXPECT_EQ(
        RunnerCellStyle(1, RunnerColumn::Bracket, codes::FormatInt(bracket, 2), *work).background,
        expected[bracket])
        << bracket;
  }
}

TEST(RunnerCellStyle, OrderAndResultNumbersAreBoldAndColoured) {
  auto work = std::make_unique<store::RaceWork>();
  const std::string blank = codes::Sj("　");
  for (RunnerColumn col : {RunnerColumn::WinOrder, RunnerColumn::PlaceOrder, RunnerColumn::Finish,
                           RunnerColumn::Popularity}) {
    EXPECT_TRUE(RunnerCellStyle(1, col, " 1", *work).bold);
    EXPECT_EQ(RunnerCellStyle(1, col, " 1", *work).text, kRed);
    EXPECT_EQ(RunnerCellStyle(1, col, " 2", *work).text, kBlue);
    EXPECT_EQ(RunnerCellStyle(1, col, " 3", *work).text, kBlue);
    EXPECT_EQ(RunnerCellStyle(1, col, " 4", *work).text, kBlack);
    EXPECT_EQ(RunnerCellStyle(1, col, blank, *work).text, kBlack);
  }
  EXPECT_EQ(RunnerCellStyle(1, RunnerColumn::Finish, " 1", *work).background, kRunnerResult);
  EXPECT_EQ(RunnerCellStyle(1, RunnerColumn::WinOrder, " 1", *work).background, kWhite);
  EXPECT_FALSE(RunnerCellStyle(1, RunnerColumn::WinOdds, "  1.0", *work).bold);
}

TEST(RunnerCellStyle, HeadingAndAlignment) {
  auto work = std::make_unique<store::RaceWork>();
  work->SRTaisho = 1;
  EXPECT_EQ(RunnerCellStyle(0, RunnerColumn::HorseNumber, "", *work).background, kRunnerHeading);
  EXPECT_EQ(RunnerCellStyle(0, RunnerColumn::Name, "", *work).alignment, Alignment::Left);
  EXPECT_EQ(RunnerCellStyle(2, RunnerColumn::Name, "", *work).alignment, Alignment::Left);
  EXPECT_EQ(RunnerCellStyle(2, RunnerColumn::Jockey, "", *work).alignment, Alignment::Centre);
}

}  // namespace
}  // namespace screens
