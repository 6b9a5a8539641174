#include "codes/civil_date.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "codes/ascii_case.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"
#include "support/case_name.h"

namespace codes {
namespace {

struct DayCase {
  int year, month, day;
  int days;  // since 1970-01-01
};
void PrintTo(const DayCase& c, std::ostream* os) {
  *os << c.year << "/" << c.month << "/" << c.day;
}

class DaysFromCivilTest : public ::testing::TestWithParam<DayCase> {};

TEST_P(DaysFromCivilTest, CountsDaysAndRunsOnPastMonthEnds) {
  const DayCase& c = GetParam();
  EXPECT_EQ(DaysFromCivil(c.year, c.month, c.day), c.days);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Dates, DaysFromCivilTest, ::testing::Values(
    DayCase{1970, 1, 1, 0},       DayCase{1969, 12, 31, -1},     DayCase{2000, 3, 1, 11017},
    DayCase{2024, 2, 29, 19782},  DayCase{2024, 2, 30, 19783},   // runs on into March
    DayCase{2024, 3, 1, 19783},   DayCase{2023, 13, 1, 19723},   // month 13: next January
    DayCase{2024, 1, 1, 19723},   DayCase{2024, 0, 31, 19722},   // month 0: last December
    DayCase{2024, 3, 0, 19782},   DayCase{1900, 3, 1, -25508}),
    testsupport::PrintedCaseName());
// clang-format on

TEST(CivilDate, RoundTripsEveryDayOfFourCenturies) {
  const int first = DaysFromCivil(1900, 1, 1);
  const int last = DaysFromCivil(2300, 12, 31);
  for (int days = first; days <= last; ++days) {
    const CivilDate d = CivilFromDays(days);
    ASSERT_EQ(DaysFromCivil(d.year, d.month, d.day), days);
    ASSERT_EQ(WeekdayOfDays(days), ((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  }
}

struct YmdCase {
  int ymd;
  bool valid;
};
void PrintTo(const YmdCase& c, std::ostream* os) { *os << c.ymd; }

class IsValidYmdTest : public ::testing::TestWithParam<YmdCase> {};

TEST_P(IsValidYmdTest, AcceptsRealDatesOf1900To2999) {
  EXPECT_EQ(IsValidYmd(GetParam().ymd), GetParam().valid);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Dates, IsValidYmdTest, ::testing::Values(
    YmdCase{20240229, true},  YmdCase{20230229, false}, YmdCase{19000228, true},
    YmdCase{19000229, false}, YmdCase{20000229, true},  YmdCase{21000229, false},
    YmdCase{20241231, true},  YmdCase{20241232, false}, YmdCase{20241301, false},
    YmdCase{20240001, false}, YmdCase{20240100, false}, YmdCase{18991231, false},
    YmdCase{30000101, false}, YmdCase{29991231, true},  YmdCase{0, false}),
    testsupport::PrintedCaseName());
// clang-format on

TEST(CivilDate, MovesYmdDatesAndNamesWeekdays) {
  EXPECT_EQ(AddDays(20241231, 1), 20250101);
  EXPECT_EQ(AddDays(20240301, -1), 20240229);
  EXPECT_EQ(AddDays(20240518, 0), 20240518);
  EXPECT_EQ(WeekdayOf(20240518), 6);  // a Saturday
  EXPECT_EQ(WeekdayOf(20240519), 0);  // a Sunday
  EXPECT_EQ(YmdFromDays(DaysFromYmd(20240518)), 20240518);
}

TEST(SameAsciiName, FoldsOnlyTheLettersAToZ) {
  EXPECT_TRUE(SameAsciiName("Data", "DATA"));
  EXPECT_TRUE(SameAsciiName("jvdataget", "JvDataGet"));
  EXPECT_FALSE(SameAsciiName("Data", "Dat"));
  EXPECT_FALSE(SameAsciiName("a[", "A{"));  // '[' and '{' are no case pair
  EXPECT_TRUE(SameAsciiName("", ""));
}

TEST(FieldSpec, NamesFieldsOfTheRaceRecord) {
  std::string ra(1272, ' ');
  ra.replace(11, 16, "2024051805030211");
  ra.replace(873, 4, "1540");
  ra.replace(881, 2, "16");
  EXPECT_EQ(Field(ra, ra_layout::kRaceKey), "2024051805030211");
  EXPECT_EQ(Field(ra, ra_layout::kCourse), "05");
  EXPECT_EQ(FieldInt(ra, ra_layout::kRaceNumber), 11);
  EXPECT_EQ(Field(ra, ra_layout::kPostHour), "15");
  EXPECT_EQ(Field(ra, ra_layout::kPostMinute), "40");
  EXPECT_EQ(FieldInt(ra, ra_layout::kRegisteredRunners), 16);
  EXPECT_EQ(ra_layout::kMainPrize.At(2 * ra_layout::kPrizeEntryLength).pos, 730);
}

}  // namespace
}  // namespace codes
