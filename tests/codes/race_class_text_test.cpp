#include "codes/race_class_text.h"

#include <gtest/gtest.h>

#include <ostream>

#include "codes/cp932.h"
#include "support/case_name.h"

namespace codes {
namespace {

struct HeaderCase {
  const char* type;
  const char* two;
  const char* three;
  const char* four;
  const char* five;
  const char* utf8;
};
void PrintTo(const HeaderCase& c, std::ostream* os) {
  *os << c.type << ' ' << c.two << ' ' << c.three << ' ' << c.four << ' ' << c.five;
}

class RaceClassHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(RaceClassHeaderTest, ShowsTheClassesThatApply) {
  const HeaderCase& c = GetParam();
  EXPECT_EQ(RaceClassHeader(c.type, c.two, c.three, c.four, c.five), Sj(c.utf8));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(RaceTypes, RaceClassHeaderTest, ::testing::Values(
    HeaderCase{"11", "701", "000", "000", "000", "2歳新馬"},
    HeaderCase{"21", "703", "000", "000", "000", "未勝利"},
    HeaderCase{"12", "000", "703", "000", "000", "3歳未勝利"},
    HeaderCase{"22", "000", "005", "000", "000", "1勝ｸﾗｽ"},
    // open-age races: a maiden condition for three-year-olds stands alone …
    HeaderCase{"13", "000", "703", "005", "005", "3歳上未勝利"},
    HeaderCase{"13", "000", "999", "999", "999", "3歳上オープン"},
    // … a winner class (1..100) lists every age
    HeaderCase{"13", "000", "005", "010", "010", "3歳上1勝ｸﾗｽ  3歳上2勝ｸﾗｽ  3歳上2勝ｸﾗｽ"},
    HeaderCase{"13", "703", "005", "005", "005", "3歳上1勝ｸﾗｽ  3歳上1勝ｸﾗｽ  3歳上1勝ｸﾗｽ"},
    HeaderCase{"18", "000", "100", "100", "100", "3歳上1億下  3歳上1億下  3歳上1億下"},
    HeaderCase{"18", "000", "101", "005", "005", "3歳上"},
    HeaderCase{"23", "000", "005", "010", "016", "1勝ｸﾗｽ  2勝ｸﾗｽ  3勝ｸﾗｽ"},
    HeaderCase{"14", "000", "000", "010", "016", "4歳上2勝ｸﾗｽ  4歳上3勝ｸﾗｽ"},
    HeaderCase{"14", "000", "005", "999", "999", "4歳上オープン"},
    HeaderCase{"19", "000", "000", "703", "703", "4歳上未勝利"},
    HeaderCase{"24", "000", "000", "001", "020", "  "},
    HeaderCase{"15", "701", "703", "005", "005", ""},
    HeaderCase{"  ", "701", "703", "005", "005", ""}),
    testsupport::PrintedCaseName());
// clang-format on

TEST(RaceClassPair, UsesTheExportWording) {
  EXPECT_EQ(RaceClassPair("18", "703"), Sj("障3歳上未勝利"));
  EXPECT_EQ(RaceClassPair("19", "005"), Sj("障4歳上1勝ｸﾗｽ"));
  EXPECT_EQ(RaceClassPair("14", "100"), Sj("4歳上10000"));
  EXPECT_EQ(RaceClassPair("13", "999"), Sj("3歳上ｵｰﾌﾟﾝ"));
  EXPECT_EQ(RaceClassPair("21", "010"), Sj("2勝ｸﾗｽ"));
  EXPECT_EQ(RaceClassPair("11", "000"), Sj("2歳"));
  EXPECT_EQ(RaceClassPair("00", "020"), "");
}

}  // namespace
}  // namespace codes
