#include "bets/race_stakes.h"

#include <gtest/gtest.h>

#include <memory>

#include "bet_rows.h"

namespace bets {
namespace {

using codes::BetType;
using testing::TableOf;

class RaceStakesTest : public ::testing::Test {
 protected:
  RaceStakesTest() {
    day_->CurrentSlot = 4;
    day_->DayPayouts[4].UR[0] = {" 1- 2", 1, 300};
    day_->DayPayouts[4].SRT[0] = {" 1- 2- 3", 1, 5000};
    tables_.Table(BetType::UR) = TableOf(BetType::UR, {{" 1- 2", 3.0}, {" 1- 3", 6.0}});
    tables_.Table(BetType::UT) = TableOf(BetType::UT, {{" 2- 1", 4.0}});
    tables_.Table(BetType::SRF) = TableOf(BetType::SRF, {{" 1- 2- 3", 10.0}});
    tables_.Table(BetType::SRT) =
        TableOf(BetType::SRT, {{" 1- 2- 3", 50.0}, {" 1- 3- 2", 60.0}, {" 2- 1- 3", 70.0}});
  }

  std::unique_ptr<store::RaceDay> day_ = std::make_unique<store::RaceDay>();
  BetTables tables_;
};

TEST_F(RaceStakesTest, DayLoadGivesEveryRaceTheDefaultAmount) {
  ResetRaceStakeList(*day_, "3000");
  for (int slot = 0; slot < 36; ++slot) EXPECT_EQ(RaceStake(*day_, slot), "3000");
}

TEST_F(RaceStakesTest, AmountChangeIsRememberedAndReallocatesAllFour) {
  ResetRaceStakeList(*day_, "3000");
  ChangeAmount(*day_, tables_, "1000", StakeMode::Equal);
  EXPECT_EQ(RaceStake(*day_, 4), "1000");
  EXPECT_EQ(RaceStake(*day_, 3), "3000");
  EXPECT_EQ(tables_.Table(BetType::UR).Summary().total.text, "  1000");
  EXPECT_EQ(tables_.Table(BetType::UT).Summary().total.text, "  1000");
  EXPECT_EQ(tables_.Table(BetType::SRF).Summary().total.text, "  1000");
  EXPECT_EQ(tables_.Table(BetType::SRT).Summary().total.text, "  1200");
  EXPECT_EQ(tables_.Table(BetType::UR).Summary().returned.text, "    1500");
  EXPECT_EQ(tables_.Table(BetType::UR).Summary().returned.colour, LabelColour::Black);
  EXPECT_EQ(tables_.Table(BetType::SRT).Summary().returned.text, "   20000");
  EXPECT_EQ(tables_.Table(BetType::UT).Summary().returned.text, "");
}

TEST_F(RaceStakesTest, AmountBelowOneHundredIsStoredButAllocatesNothing) {
  ChangeAmount(*day_, tables_, "1000", StakeMode::Equal);
  ChangeAmount(*day_, tables_, "99", StakeMode::Equal);
  EXPECT_EQ(RaceStake(*day_, 4), "99");
  EXPECT_EQ(tables_.Table(BetType::UR).Summary().total.text, "  1000");
  ChangeAmount(*day_, tables_, "", StakeMode::Equal);
  EXPECT_EQ(tables_.Table(BetType::UR).Cell(1, kStakeCol), "   500");
}

TEST_F(RaceStakesTest, ModeIsStoredBeforeTheTablesAreReallocated) {
  day_->RaceStakeList[4] = "1000";
  ChangeAmount(*day_, tables_, "1000", StakeMode::Equal);
  std::string total_when_stored;
  ChangeMode(*day_, tables_, StakeMode::Proportional, [&](StakeMode mode) {
    EXPECT_EQ(mode, StakeMode::Proportional);
    total_when_stored = tables_.Table(BetType::UR).Cell(1, kStakeCol);
  });
  EXPECT_EQ(total_when_stored, "   500");
  // Odds 3.0 and 6.0: two thirds and one third of 1000 yen.
  EXPECT_EQ(testing::Column(tables_.Table(BetType::UR), kStakeCol),
            (std::vector<std::string>{"   700", "   400"}));
  EXPECT_EQ(tables_.Table(BetType::UR).Summary().returned.text, "    2100");
}

TEST(AmountOf, ReadsTheDigits) {
  EXPECT_EQ(AmountOf("3000"), 3000);
  EXPECT_EQ(AmountOf(""), 0);
  EXPECT_EQ(AmountOf(" 500"), 500);
  EXPECT_EQ(AmountOf("99999999999999"), 2147483647);
}

}  // namespace
}  // namespace bets
