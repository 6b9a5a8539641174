#include "screens/result_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codes/cp932.h"
#include "codes/errors.h"

namespace {

using codes::BetType;
using screens::ResultColumn;

const ResultColumn kEmpty{};

TEST(ResultPage, HasTheColumnsAndCaptionsOfEveryBetType) {
  // clang-format off
  const struct { BetType type; int columns; const char* name; } kRows[] = {
    {BetType::Tan, 3, "単勝"}, {BetType::Fuk, 5, "複勝"}, {BetType::WR, 3, "枠連"},
    {BetType::UR, 3, "馬連"}, {BetType::WD, 7, "ﾜｲﾄﾞ"}, {BetType::UT, 6, "馬単"},
    {BetType::SRF, 3, "三連複"}, {BetType::SRT, 6, "三連単"},
  };
  // clang-format on
  const screens::ResultPage page;
  for (const auto& row : kRows) {
    EXPECT_EQ(screens::ResultColumnCount(row.type), row.columns) << row.name;
    EXPECT_EQ(page.Columns(row.type).size(), static_cast<size_t>(row.columns)) << row.name;
    EXPECT_EQ(codes::SjisToUtf8(screens::ResultBetName(row.type)), row.name);
  }
}

TEST(ResultPage, BeforeTheRaceEveryCellIsEmpty) {
  screens::ResultPage page;
  screens::FillResultPage(store::RacePayouts{}, page);
  for (BetType type : screens::kResultBetTypes) {
    for (const ResultColumn& column : page.Columns(type)) EXPECT_EQ(column, kEmpty);
  }
}

TEST(ResultPage, ShowsEveryPaidEntryInRecordOrder) {
  store::RacePayouts paid;
  paid.Tan[0] = {7, 3, 560};
  paid.Tan[1] = {12, 5, 1230};  // a dead heat: two win entries
  paid.Fuk[0] = {7, 3, 150};
  paid.Fuk[2] = {4, 1, 110};  // an entry after an unpaid one still shows in its column
  paid.UR[0] = {" 7-12", 14, 4520};
  paid.UT[0] = {"12- 7", 30, 123456789};
  paid.SRT[5] = {" 1- 5-11", 1200, 87650};

  screens::ResultPage page;
  screens::FillResultPage(paid, page);
  EXPECT_EQ(page.Columns(BetType::Tan)[0], (ResultColumn{" 7", " 3", "     560"}));
  EXPECT_EQ(page.Columns(BetType::Tan)[1], (ResultColumn{"12", " 5", "    1230"}));
  EXPECT_EQ(page.Columns(BetType::Tan)[2], kEmpty);
  EXPECT_EQ(page.Columns(BetType::Fuk)[1], kEmpty);
  EXPECT_EQ(page.Columns(BetType::Fuk)[2], (ResultColumn{" 4", " 1", "     110"}));
  EXPECT_EQ(page.Columns(BetType::UR)[0], (ResultColumn{" 7-12", "14", "    4520"}));
  EXPECT_EQ(page.Columns(BetType::UT)[0], (ResultColumn{"12- 7", "30", "123456789"}));
  EXPECT_EQ(page.Columns(BetType::SRT)[5], (ResultColumn{" 1- 5-11", "1200", "   87650"}));
  EXPECT_EQ(page.Columns(BetType::SRF)[0], kEmpty);
}

TEST(ResultPage, AllZeroCombinationsAndBlankTextsCountAsUnpaid) {
  store::RacePayouts paid;
  paid.WR[0] = {" 0- 0", 1, 300};
  paid.WD[0] = {"     ", 1, 300};
  paid.SRF[0] = {" 0- 0- 0", 1, 300};
  paid.SRT[0] = {" 0- 0", 1, 300};  // the pair's zeros are a text like any other here
  screens::ResultPage page;
  screens::FillResultPage(paid, page);
  EXPECT_EQ(page.Columns(BetType::WR)[0], kEmpty);
  EXPECT_EQ(page.Columns(BetType::WD)[0], kEmpty);
  EXPECT_EQ(page.Columns(BetType::SRF)[0], kEmpty);
  EXPECT_EQ(page.Columns(BetType::SRT)[0].Result, " 0- 0");
}

TEST(ResultPage, AFillReplacesTheColumnsOfTheRaceShownBefore) {
  store::RacePayouts before;
  before.Tan[0] = {7, 3, 560};
  before.SRF[2] = {" 2- 3- 4", 9, 4000};
  screens::ResultPage page;
  screens::FillResultPage(before, page);
  store::RacePayouts after;
  after.Tan[0] = {1, 1, 120};
  screens::FillResultPage(after, page);
  EXPECT_EQ(page.Columns(BetType::Tan)[0].Result, " 1");
  EXPECT_EQ(page.Columns(BetType::SRF)[2], kEmpty);

  page.Clear();
  EXPECT_EQ(page.Columns(BetType::Tan)[0], kEmpty);
}

TEST(ResultPage, ATypeWithoutRowIsAnError) {
  // Every BetType has a row; an out-of-range value is a programming error.
  const screens::ResultPage page;
  EXPECT_THROW(page.Columns(static_cast<BetType>(99)), codes::LogicError);
}

}  // namespace
