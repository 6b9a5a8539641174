#include "codes/code_tables.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "codes/cp932.h"
#include "support/case_name.h"

namespace codes {
namespace {

using CodeFn = std::string (*)(std::string_view);

struct CodeCase {
  const char* name;
  CodeFn fn;
  const char* field;
  const char* utf8;
};
void PrintTo(const CodeCase& c, std::ostream* os) { *os << c.name << " \"" << c.field << '"'; }

#define CODE_CASE(fn, field, text) \
  CodeCase { #fn, &fn, field, text }

class CodeTableTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CodeTableTest, GivesTheListedText) {
  const CodeCase& c = GetParam();
  EXPECT_EQ(c.fn(c.field), Sj(c.utf8)) << c.name << " \"" << c.field << '"';
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Codes, CodeTableTest, ::testing::Values(
    CODE_CASE(GradeText, "A", "G1   "),        CODE_CASE(GradeText, "D", "重賞 "),
    CODE_CASE(GradeText, "L", "List "),        CODE_CASE(GradeText, "a", "　　 "),
    CODE_CASE(GradeText, " ", "　　 "),        CODE_CASE(GradeText, "AA", "　　 "),
    CODE_CASE(RaceTypeText, "13", "サラ系３歳以上　"), CODE_CASE(RaceTypeText, "24", "アラブ系４歳以上"),
    CODE_CASE(RaceTypeText, "15", "　　　　　　　　"), CODE_CASE(RaceTypeText, "13 ", "　　　　　　　　"),
    // class codes are read as numbers
    CODE_CASE(ClassText, "005", "1勝ｸﾗｽ"),     CODE_CASE(ClassText, "5", "1勝ｸﾗｽ"),
    CODE_CASE(ClassText, "  5", "1勝ｸﾗｽ"),     CODE_CASE(ClassText, "020", ""),
    CODE_CASE(ClassText, "100", "1億下"),      CODE_CASE(ClassText, "999", "オープン"),
    CODE_CASE(ClassText, "000", ""),           CODE_CASE(ClassText, "", ""),
    CODE_CASE(WeightRuleText, "1", "ﾊﾝﾃﾞ"),    CODE_CASE(WeightRuleText, "4", "定量"),
    CODE_CASE(WeightRuleText, "0", ""),        CODE_CASE(WeightRuleWideText, "1", "ハンデ"),
    CODE_CASE(WeightRuleWideText, "2", "別定　"), CODE_CASE(WeightRuleWideText, "5", ""),
    CODE_CASE(WeekdayText, "1", "土"),         CODE_CASE(WeekdayText, "8", "金"),
    CODE_CASE(WeekdayText, "0", "　"),         CODE_CASE(WeekdayText, " ", "　"),
    CODE_CASE(WeekdayText, "9", ""),           CODE_CASE(TrackText, "10", "芝 直線"),
    CODE_CASE(TrackText, "13", "芝 左回り 内→外回り"), CODE_CASE(TrackText, "25", "ﾀﾞｰﾄ 左回り 内回り"),
    CODE_CASE(TrackText, "51", "障害 芝　襷"), CODE_CASE(TrackText, "59", "障害 外２周"),
    CODE_CASE(TrackText, "30", ""),            CODE_CASE(TrackText, "60", ""),
    CODE_CASE(TrackShortText, "10", "芝直"),   CODE_CASE(TrackShortText, "16", "芝左"),
    CODE_CASE(TrackShortText, "17", "芝右"),   CODE_CASE(TrackShortText, "22", "芝右"),
    CODE_CASE(TrackShortText, "23", "ダ左"),   CODE_CASE(TrackShortText, "25", ""),
    CODE_CASE(TrackShortText, "28", ""),       CODE_CASE(TrackShortText, "29", "ダ直"),
    CODE_CASE(TrackShortText, "51", "障害"),   CODE_CASE(TrackShortText, "59", "障害"),
    CODE_CASE(TrackShortText, "60", ""),       CODE_CASE(TrackShortText, "09", ""),
    CODE_CASE(WeatherText, "4", "小雨"),       CODE_CASE(WeatherText, "6", "小雪"),
    CODE_CASE(WeatherText, "7", ""),           CODE_CASE(WeatherText, " 1", ""),
    CODE_CASE(SexText, "3", "ｾﾝ"),             CODE_CASE(SexText, "0", ""),
    CODE_CASE(CircledNumber, "1", "①"),        CODE_CASE(CircledNumber, "05", "⑤"),
    CODE_CASE(CircledNumber, "18", "⑱"),       CODE_CASE(CircledNumber, "0", "－"),
    CODE_CASE(CircledNumber, "19", "－"),      CODE_CASE(CircledNumber, "-1", "－"),
    CODE_CASE(CircledNumber, "ab", "－")),
    testsupport::PrintedCaseName());
// clang-format on

struct WidthCase {
  const char* name;
  CodeFn fn;
  std::size_t width;
  bool may_be_empty;
};
void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.name; }

class CodeWidthTest : public ::testing::TestWithParam<WidthCase> {};

// The screens line columns up on these byte widths, so every code of one and two
// characters, listed or not, must give the fixed width (or empty where allowed).
TEST_P(CodeWidthTest, KeepsItsByteWidthForEveryCode) {
  const WidthCase& c = GetParam();
  const std::string symbols = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (char a : symbols) {
    for (const std::string& code : {std::string{a}, std::string{a, '0'}, std::string{'1', a}}) {
      const std::size_t size = c.fn(code).size();
      EXPECT_TRUE(size == c.width || (c.may_be_empty && size == 0))
          << c.name << " \"" << code << "\" gives " << size << " bytes";
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Tables, CodeWidthTest, ::testing::Values(
    WidthCase{"GradeText", &GradeText, 5, false},
    WidthCase{"RaceTypeText", &RaceTypeText, 16, false},
    WidthCase{"WeightRuleText", &WeightRuleText, 4, true},
    WidthCase{"WeightRuleWideText", &WeightRuleWideText, 6, true},
    WidthCase{"WeekdayText", &WeekdayText, 2, true},
    WidthCase{"TrackShortText", &TrackShortText, 4, true},
    WidthCase{"SexText", &SexText, 2, true},
    WidthCase{"CircledNumber", &CircledNumber, 2, false}),
    testsupport::PrintedCaseName());
// clang-format on

TEST(GoingText, PrefixesTheSurfaceOnlyToKnownGoings) {
  EXPECT_EQ(GoingText("2", 1), Sj("芝:稍重"));
  EXPECT_EQ(GoingText("4", 2), Sj("ダ:不良"));
  EXPECT_EQ(GoingText("1", 0), Sj("良"));
  EXPECT_EQ(GoingText("5", 1), "");
  EXPECT_EQ(GoingText("", 2), "");
}

}  // namespace
}  // namespace codes
