// The statistics of the "検証" tab: reading lines back, the conditions, the labels and the
// tables beside them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "support/case_name.h"
#include "verify/stats_numbers.h"
#include "verify/stats_result.h"

namespace {

using codes::Sj;
using verify::ConditionList;
using verify::ConditionRange;
using verify::ExportFields;

// A line as the export writes it; the fields a test cares about are given, the rest are
// those of an ordinary race.
struct Row {
  std::string date = "2023年05月02日";
  std::string course = "東京";
  std::string race = " 5";
  std::string runners = "16";
  std::string track = "芝左";
  std::string distance = "1600";
  std::string type = "13";
  std::string condition = "005";
  std::string weight = "定量　";
  std::string grade = "　　 ";
  std::string stake = "3000";
  std::string returned = "";
  std::string ave123 = "4.37";
  std::string ur1 = "8.9";
};

ExportFields FieldsOf(const Row& r) {
  return {Sj(r.date),      Sj(r.course),      Sj(r.race),     Sj("　　　"),
          Sj(r.runners),   Sj(r.track),       Sj(r.distance), Sj(r.type),
          Sj(r.condition), Sj("3歳上1勝ｸﾗｽ"), Sj(r.weight),   Sj(r.grade),
          Sj(r.stake),     Sj(r.returned),    Sj(r.ave123),   Sj(r.ur1)};
}

verify::StatsFile FileOf(const std::vector<Row>& rows) {
  std::string bytes;
  for (const Row& r : rows) bytes += verify::JoinFields(FieldsOf(r)) + "\r\n";
  return verify::ParseStatsFile("t.csv", bytes);
}

std::string Utf8(const std::string& sjis) { return codes::SjisToUtf8(sjis); }

// --- reading lines back ------------------------------------------------------------------

struct LineCase {
  const char* name;
  std::string line;
  bool read;
  verify::SkipReason reason;
};
class ParseLineTest : public ::testing::TestWithParam<LineCase> {};
TEST_P(ParseLineTest, ReadsSixteenQuotedFieldsOrSaysWhyNot) {
  const LineCase& c = GetParam();
  const verify::ParsedLine parsed = verify::ParseLine(c.line);
  ASSERT_EQ(parsed.fields.has_value(), c.read);
  if (!c.read) {
    EXPECT_EQ(parsed.reason, c.reason);
  }
}
std::string Quoted(int fields, const std::string& inner = "x") {
  std::string line;
  for (int i = 0; i < fields; ++i) line += (i ? ",\"" : "\"") + inner + "\"";
  return line;
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ParseLineTest, ::testing::Values(
  LineCase{"Sixteen", Quoted(16), true, {}},
  LineCase{"EmptyFields", Quoted(16, ""), true, {}},
  LineCase{"CommaInsideQuotes", Quoted(16, "a,b"), true, {}},
  LineCase{"DoubledQuote", Quoted(16, "a\"\"b"), true, {}},
  LineCase{"Empty", "", false, verify::SkipReason::kShortLine},
  LineCase{"Fifteen", Quoted(15), false, verify::SkipReason::kShortLine},
  LineCase{"Seventeen", Quoted(17), false, verify::SkipReason::kLongLine},
  LineCase{"LeftOpen", Quoted(15) + ",\"x", false, verify::SkipReason::kShortLine},
  LineCase{"Unquoted", Quoted(15) + ",x", false, verify::SkipReason::kUnquotedField},
  LineCase{"TextAfterQuote", Quoted(15) + ",\"x\"y", false, verify::SkipReason::kUnquotedField},
  LineCase{"TrailingComma", Quoted(16) + ",", false, verify::SkipReason::kUnquotedField},
  LineCase{"NotShiftJis", Quoted(15) + ",\"\x81\x20\"", false, verify::SkipReason::kNotShiftJis},
  LineCase{"NoSuchLeadByte", Quoted(15) + ",\"\xfd\"", false, verify::SkipReason::kNotShiftJis}),
  [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(StatsFile, KeepsTheLinesItCanReadAndCountsTheOthersByReason) {
  const std::string good = verify::JoinFields(FieldsOf(Row{}));
  const std::string bytes = good + "\r\n" + Quoted(3) + "\r\n\r\n" + Quoted(15) + ",x\r\n" + good +
                            "\r\n\xff\xfe\r\n" + good;  // the last line without line end
  const verify::StatsFile file = verify::ParseStatsFile("t.csv", bytes);
  EXPECT_EQ(file.rows.size(), 3u);
  EXPECT_EQ(file.SkippedCount(), 3);  // the blank line is no line left out
  EXPECT_EQ(file.skipped[static_cast<size_t>(verify::SkipReason::kShortLine)], 1);
  EXPECT_EQ(file.skipped[static_cast<size_t>(verify::SkipReason::kUnquotedField)], 1);
  EXPECT_EQ(file.skipped[static_cast<size_t>(verify::SkipReason::kNotShiftJis)], 1);
  EXPECT_EQ(verify::SkippedText(file),
            "3 lines left out: 1 short line, 1 unquoted field, 1 not Shift-JIS text "
            "(first at line 2)");
}

// Line ends as editors and other systems leave them: every line of the export is read,
// whatever ends it, and blank lines are neither rows nor lines left out.
struct LineEndCase {
  const char* name;
  std::string bytes;  // "L" stands for a line of the export
  size_t rows;
  int skipped;
  int first_skipped_line;
};
class LineEndTest : public ::testing::TestWithParam<LineEndCase> {};
TEST_P(LineEndTest, ReadsEveryLineAndPassesOverBlankOnes) {
  const std::string line = verify::JoinFields(FieldsOf(Row{}));
  std::string bytes;
  for (char c : GetParam().bytes) bytes += c == 'L' ? line : std::string(1, c);
  const verify::StatsFile file = verify::ParseStatsFile("t.csv", bytes);
  EXPECT_EQ(file.rows.size(), GetParam().rows);
  EXPECT_EQ(file.SkippedCount(), GetParam().skipped) << verify::SkippedText(file);
  EXPECT_EQ(file.first_skipped_line, GetParam().first_skipped_line);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, LineEndTest, ::testing::Values(
  LineEndCase{"CrLf",                 "L\r\nL\r\n",       2, 0, 0},
  LineEndCase{"LastLineEndsInALoneCr", "L\r\nL\r",         2, 0, 0},
  LineEndCase{"OnlyLineEndsInALoneCr", "L\r",              1, 0, 0},
  LineEndCase{"LastLineWithoutEnd",    "L\r\nL",            2, 0, 0},
  LineEndCase{"LfOnly",                "L\nL\n",            2, 0, 0},
  LineEndCase{"CrCrLf",                "L\r\r\nL\r\n",     2, 0, 0},
  LineEndCase{"BlankLineBetween",      "L\r\n\r\nL\r\n",  2, 0, 0},
  LineEndCase{"BlanksAtTheEnd",        "L\r\n\r\n  \r\n\t", 1, 0, 0},
  LineEndCase{"OnlyBlankLines",        "\r\n\n\r\n",       0, 0, 0},
  LineEndCase{"ShortLineAfterABlank",  "L\r\n\r\n\"x\"\r", 1, 1, 3}),
  [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(StatsFile, AQuoteInAFieldReadsBackAsWritten) {
  ExportFields fields = FieldsOf(Row{});
  fields[3] = "A\"B,C";
  const verify::ParsedLine parsed = verify::ParseLine(verify::JoinFields(fields));
  ASSERT_TRUE(parsed.fields);
  EXPECT_EQ(*parsed.fields, fields);
}

// --- numbers of the cells ----------------------------------------------------------------

struct NumberCase {
  const char* cell;
  long long integer;
  long long millionths;
};
class CellNumberTest : public ::testing::TestWithParam<NumberCase> {};
TEST_P(CellNumberTest, ReadsWholeCellsOrZero) {
  EXPECT_EQ(verify::CellInteger(GetParam().cell), GetParam().integer);
  EXPECT_EQ(verify::CellMillionths(GetParam().cell), GetParam().millionths);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CellNumberTest, ::testing::Values(
  NumberCase{"", 0, 0},           NumberCase{" 5", 5, 5000000},
  NumberCase{"005", 5, 5000000},  NumberCase{"3000 ", 3000, 3000000000},
  NumberCase{"4.37", 0, 4370000}, NumberCase{"10.0", 0, 10000000},
  NumberCase{".5", 0, 500000},    NumberCase{"5a", 0, 0},
  NumberCase{"-2", -2, -2000000}, NumberCase{"1.2.3", 0, 0},
  NumberCase{"9999999999999999", 0, 0}),
    testsupport::CaseNameOf(&NumberCase::cell));
// clang-format on

// --- the conditions ----------------------------------------------------------------------

// A row, and the items or ranges that are set, and whether the row passes.
struct ConditionCase {
  const char* name;
  Row row;
  std::vector<std::pair<ConditionList, int>> items;
  std::vector<std::pair<ConditionRange, verify::ValueRange>> ranges;
  bool passes;
};
class ConditionTest : public ::testing::TestWithParam<ConditionCase> {};
TEST_P(ConditionTest, SelectsTheRowOrNot) {
  const ConditionCase& c = GetParam();
  verify::StatsConditions conditions;
  for (auto [list, item] : c.items) conditions.Selected(list)[static_cast<size_t>(item)] = true;
  for (auto [range, values] : c.ranges) conditions.Range(range) = values;
  EXPECT_EQ(verify::RowPasses(FieldsOf(c.row), conditions), c.passes);
}
Row With(Row r, std::string Row::*field, const char* value) {
  r.*field = value;
  return r;
}
constexpr auto kTrack = ConditionList::kTrack;
constexpr auto kCourse = ConditionList::kCourse;
constexpr auto kAge = ConditionList::kAge;
constexpr auto kWeight = ConditionList::kWeight;
constexpr auto kClass = ConditionList::kClass;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ConditionTest, ::testing::Values(
  ConditionCase{"DefaultsPassAnOrdinaryRow", Row{}, {}, {}, true},
  ConditionCase{"TurfItemPassesTurf", Row{}, {{kTrack, 0}}, {}, true},
  ConditionCase{"DirtItemFailsTurf", Row{}, {{kTrack, 1}}, {}, false},
  ConditionCase{"DirtItemPassesDirt", With(Row{}, &Row::track, "ダ右"), {{kTrack, 1}}, {}, true},
  ConditionCase{"JumpItemPassesJump", With(Row{}, &Row::track, "障害"), {{kTrack, 2}}, {}, true},
  ConditionCase{"TwoTrackItemsEitherPasses", Row{}, {{kTrack, 1}, {kTrack, 0}}, {}, true},
  ConditionCase{"CourseByName", Row{}, {{kCourse, 4}}, {}, true},
  ConditionCase{"OtherCourseFails", Row{}, {{kCourse, 5}}, {}, false},
  ConditionCase{"Age3UpIs13", Row{}, {{kAge, 2}}, {}, true},
  ConditionCase{"Age3UpIsJump18", With(Row{}, &Row::type, "18"), {{kAge, 2}}, {}, true},
  ConditionCase{"Age4UpIsJump19", With(Row{}, &Row::type, "19"), {{kAge, 3}}, {}, true},
  ConditionCase{"Age2Fails13", Row{}, {{kAge, 0}}, {}, false},
  ConditionCase{"ArabBredFailsEveryAge", With(Row{}, &Row::type, "21"),
                {{kAge, 0}, {kAge, 1}, {kAge, 2}, {kAge, 3}}, {}, false},
  ConditionCase{"WeightWithoutWideSpace", Row{}, {{kWeight, 3}}, {}, true},
  ConditionCase{"HandicapWeight", With(Row{}, &Row::weight, "ハンデ"), {{kWeight, 0}}, {}, true},
  ConditionCase{"HandicapFailsFixed", Row{}, {{kWeight, 0}}, {}, false},
  ConditionCase{"ClassByConditionCode", Row{}, {{kClass, 2}}, {}, true},
  ConditionCase{"DebutWithG1SelectsDebut", With(Row{}, &Row::condition, "701"),
                {{kClass, 0}, {kClass, 8}}, {}, true},
  ConditionCase{"DebutWithG1SelectsG1", With(With(Row{}, &Row::condition, "999"), &Row::grade, "G1   "),
                {{kClass, 0}, {kClass, 8}}, {}, true},
  ConditionCase{"DebutWithG1LeavesG2", With(With(Row{}, &Row::condition, "999"), &Row::grade, "G2   "),
                {{kClass, 0}, {kClass, 8}}, {}, false},
  ConditionCase{"OpenIs999", With(Row{}, &Row::condition, "999"), {{kClass, 5}}, {}, true},
  ConditionCase{"Distance1000PassesTheDefaults", With(Row{}, &Row::distance, "1000"), {}, {}, true},
  ConditionCase{"DistanceBothEnds", Row{}, {}, {{ConditionRange::kDistance, {1600, 1600}}}, true},
  ConditionCase{"DistanceAbove", Row{}, {}, {{ConditionRange::kDistance, {1000, 1500}}}, false},
  ConditionCase{"FourRunnersFailTheDefaults", With(Row{}, &Row::runners, " 4"), {}, {}, false},
  ConditionCase{"RaceNumberRange", Row{}, {}, {{ConditionRange::kRace, {6, 12}}}, false},
  ConditionCase{"Ave123AtTheUpperEdge", With(Row{}, &Row::ave123, "10.00"), {}, {}, true},
  ConditionCase{"Ave123JustAbove", With(Row{}, &Row::ave123, "10.01"), {}, {}, false},
  ConditionCase{"Ave123NotANumberIsZero", With(Row{}, &Row::ave123, "abc"), {},
                {{ConditionRange::kAve123, {0, 0}}}, true},
  ConditionCase{"Ur1AtTheLowerEdge", Row{}, {}, {{ConditionRange::kUr1, {89, 500}}}, true},
  ConditionCase{"Ur1JustBelow", Row{}, {}, {{ConditionRange::kUr1, {90, 500}}}, false}),
  [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(StatsConditions, TheListItemsAreThoseOfTheTab) {
  EXPECT_EQ(verify::ListItems(kClass).size(), 9u);
  EXPECT_EQ(Utf8(verify::ListItems(kClass)[8]), "G１");
  EXPECT_EQ(Utf8(verify::ListItems(kAge)[2]), "３歳上");
  EXPECT_EQ(verify::ListItems(kCourse).size(), 10u);
}

TEST(StatsConditions, RangesHaveTheLimitsOfTheirControls) {
  EXPECT_NO_THROW(verify::CheckRange(ConditionRange::kDistance, {3000, 5000}));
  EXPECT_THROW(verify::CheckRange(ConditionRange::kDistance, {3100, 5000}), codes::InputError);
  EXPECT_THROW(verify::CheckRange(ConditionRange::kDistance, {1000, 5100}), codes::InputError);
  EXPECT_THROW(verify::CheckRange(ConditionRange::kRunners, {4, 18}), codes::InputError);
  EXPECT_THROW(verify::CheckRange(ConditionRange::kRace, {1, 13}), codes::InputError);
  try {
    verify::CheckRange(ConditionRange::kAve123, {0, 100000});
    FAIL();
  } catch (const codes::InputError& e) {
    EXPECT_STREQ(e.what(), "ave123: the second value 10000.0 lies outside 0.0..9999.9");
  }
}

TEST(StatsConditions, TheTabStartsThreeYearsBack) {
  const verify::StatsConditions c = verify::TabDefaults({2024, 3, 1, 9, 0, 0});
  EXPECT_EQ(c.from, "20210302");  // 1095 days, over the leap day of 2024
  EXPECT_EQ(c.to, "20240301");
  EXPECT_EQ(c.Range(ConditionRange::kAve123).second, 100);
  EXPECT_EQ(c.Range(ConditionRange::kUr1).second, 500);
}

TEST(StatsConditions, ARightClickClearsOnlyThatList) {
  verify::StatsConditions c;
  c.Selected(kAge)[1] = true;
  c.Selected(kClass)[0] = true;
  c.ClearList(kAge);
  EXPECT_EQ(c.Selected(kAge), std::vector<bool>(4, false));
  EXPECT_TRUE(c.Selected(kClass)[0]);
}

// --- 調べる ------------------------------------------------------------------------------

TEST(Examine, TheDateRangeIncludesBothEnds) {
  const verify::StatsFile file = FileOf(
      {With(Row{}, &Row::date, "2023年04月30日"), With(Row{}, &Row::date, "2023年05月01日"),
       With(Row{}, &Row::date, "2023年05月31日"), With(Row{}, &Row::date, "2023年06月01日")});
  verify::StatsConditions c;
  c.from = "20230501";
  c.to = "20230531";
  EXPECT_EQ(verify::Examine(file, c).selected, (std::vector<size_t>{1, 2}));
}

TEST(Examine, EmptyReturnsWithStakesGiveZeroRates) {
  const verify::StatsFile file = FileOf({Row{}, Row{}, Row{}});
  const verify::StatsResult result = verify::Examine(file, verify::StatsConditions{});
  EXPECT_EQ(result.labels.count, "    3");
  EXPECT_EQ(result.labels.hit_rate, "  0.0");
  EXPECT_EQ(result.labels.return_rate, "  0.0");
}

TEST(Examine, ARangeThatSelectsNothingLeavesTheLabelsEmpty) {
  const verify::StatsFile file = FileOf({Row{}, With(Row{}, &Row::returned, "5000")});
  verify::StatsConditions c;
  c.from = c.to = "20990101";
  const verify::StatsResult result = verify::Examine(file, c);
  EXPECT_TRUE(result.selected.empty());
  EXPECT_EQ(result.labels.count, "");
  EXPECT_EQ(result.labels.hit_rate, "");
  EXPECT_EQ(result.labels.return_rate, "");
  EXPECT_TRUE(result.by_month.empty());
  EXPECT_TRUE(result.series.empty());
}

TEST(Examine, RatesAreExactQuotientsRoundedHalfUp) {
  // 1 hit of 8 rows: 12.5 %; returned 3750 of 8 × 3000 = 24000: 15.625 % -> " 15.6";
  // returned 3765 / 24000 = 15.6875 % -> " 15.7".
  std::vector<Row> rows(8);
  rows[0].returned = "3750";
  EXPECT_EQ(verify::Examine(FileOf(rows), {}).labels.hit_rate, " 12.5");
  EXPECT_EQ(verify::Examine(FileOf(rows), {}).labels.return_rate, " 15.6");
  rows[0].returned = "3765";
  EXPECT_EQ(verify::Examine(FileOf(rows), {}).labels.return_rate, " 15.7");
  // 1 of 16 rows hit: 6.25 % -> "  6.3"
  std::vector<Row> sixteen(16);
  sixteen[3].returned = "100";
  EXPECT_EQ(verify::Examine(FileOf(sixteen), {}).labels.hit_rate, "  6.3");
}

TEST(Examine, MonthAndCourseTablesAddUpToTheLabels) {
  std::vector<Row> rows;
  const char* dates[] = {"2023年04月29日", "2023年04月30日", "2023年05月06日", "2023年05月07日"};
  const char* courses[] = {"東京", "京都", "東京", "新潟"};
  for (int i = 0; i < 12; ++i) {
    Row r = With(With(Row{}, &Row::date, dates[i % 4]), &Row::course, courses[(i / 2) % 4]);
    r.stake = std::to_string(1000 + 100 * i);
    if (i % 3 == 0) r.returned = std::to_string(700 * i + 100);
    rows.push_back(r);
  }
  const verify::StatsResult result = verify::Examine(FileOf(rows), {});
  for (const auto* table : {&result.by_month, &result.by_course}) {
    verify::StatsTotals sum;
    for (const verify::BreakdownRow& row : *table) {
      sum.count += row.totals.count;
      sum.hits += row.totals.hits;
      sum.stake += row.totals.stake;
      sum.returned += row.totals.returned;
      EXPECT_EQ(row.labels.count, verify::LabelsOf(row.totals).count);
    }
    EXPECT_EQ(verify::LabelsOf(sum).count, result.labels.count);
    EXPECT_EQ(verify::LabelsOf(sum).hit_rate, result.labels.hit_rate);
    EXPECT_EQ(verify::LabelsOf(sum).return_rate, result.labels.return_rate);
  }
  ASSERT_EQ(result.by_month.size(), 2u);
  EXPECT_EQ(result.by_month[0].key, "2023-04");
  ASSERT_EQ(result.by_course.size(), 3u);  // in the order of the list: 新潟, 東京, 京都
  EXPECT_EQ(Utf8(result.by_course[0].key), "新潟");
  EXPECT_EQ(Utf8(result.by_course[2].key), "京都");
  ASSERT_EQ(result.series.size(), 4u);
  EXPECT_EQ(result.series.back().stake, result.totals.stake);
  EXPECT_EQ(result.series.back().returned, result.totals.returned);
  for (size_t i = 1; i < result.series.size(); ++i) {
    EXPECT_LT(result.series[i - 1].date, result.series[i].date);
    EXPECT_LE(result.series[i - 1].stake, result.series[i].stake);
  }
}

}  // namespace
