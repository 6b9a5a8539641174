#include "store/record_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codes/cp932.h"
#include "store/day_prefix.h"
#include "store/record_lengths.h"
#include "support/case_name.h"
#include "support/record_builder.h"

namespace {

struct DateCase {
  const char* text;
  bool real;
};

// clang-format off
const DateCase kDates[] = {
  {"20240229", true},  {"20230229", false}, {"19000229", false}, {"20000229", true},
  {"20240231", false}, {"20240431", false}, {"20241231", true},  {"20241301", false},
  {"20240100", false}, {"20240001", false}, {"18991231", false}, {"20/tmp/Z", false},
  {"20../..x", false}, {"2024051",  false}, {"202405181", false}, {"2024 518", false},
};
// clang-format on

class RaceDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(RaceDateTest, OnlyRealCalendarDatesOfDigitsNameADay) {
  EXPECT_EQ(store::IsRaceDate(GetParam().text), GetParam().real);
  EXPECT_EQ(store::DayPrefixOfDate(GetParam().text).has_value(), GetParam().real);
}

INSTANTIATE_TEST_SUITE_P(Dates, RaceDateTest, ::testing::ValuesIn(kDates),
                         testsupport::CaseNameOf(&DateCase::text));

TEST(RecordNames, VenuesAreCodesOfTheRacecourseTable) {
  EXPECT_EQ(store::VenueName("05"), codes::Sj("東京"));
  EXPECT_EQ(store::VenueName("30"), codes::Sj("門別"));
  for (const std::string& code :
       std::vector<std::string>{"..", std::string(2, '\0'), "  ", "00", "11", "99", "5", "055"}) {
    EXPECT_FALSE(store::VenueName(code)) << code;
  }
}

TEST(RecordNames, RaceNumbersAreOneToTwelveAndHorsesOneToEighteen) {
  EXPECT_TRUE(store::IsRaceNumber("01"));
  EXPECT_TRUE(store::IsRaceNumber("12"));
  for (const char* n : {"00", "13", " 1", "1 ", "..", "1"})
    EXPECT_FALSE(store::IsRaceNumber(n)) << n;
  EXPECT_TRUE(store::IsHorseNumber("18"));
  EXPECT_FALSE(store::IsHorseNumber("19"));
}

TEST(RecordNames, TheVoteFileDayIsTakenFromARealDay) {
  EXPECT_EQ(store::VoteFileDay(codes::Sj("2025年01月05日")), "250105");
  EXPECT_FALSE(store::VoteFileDay(codes::Sj("2025年02月29日")));
  EXPECT_FALSE(store::VoteFileDay("20/tmp/Z"));
}

TEST(RecordNames, AFaultOfTheKeySaysWhichPartIsWrong) {
  auto record = [](const char* key) {
    return testsupport::RecordWithKey("SE", store::kSeLength, '1', key);
  };
  EXPECT_FALSE(store::RaceKeyFault(record("2024051805020311")));
  EXPECT_EQ(store::RaceKeyFault(record("2024023105020311")), codes::Sj("日付が暦にない"));
  EXPECT_EQ(store::RaceKeyFault(record("20240518..020311")), codes::Sj("競馬場コードが表にない"));
  EXPECT_EQ(store::RaceKeyFault(record("2024051805020313")), codes::Sj("レース番号が01～12でない"));
  EXPECT_FALSE(store::RaceKeyFault(record("2024051805020313"), store::KeyCheck::kDayAndVenue));
  std::string se = record("2024051805020311");
  testsupport::PutNumber(se, 29, 2, 19);
  EXPECT_FALSE(store::RaceKeyFault(se));
  EXPECT_EQ(store::RaceKeyFault(se, store::KeyCheck::kRunner), codes::Sj("馬番が01～18でない"));
}

}  // namespace
