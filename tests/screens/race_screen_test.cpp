#include "screens/race_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "codes/cp932.h"
#include "store/record_lengths.h"
#include "support/case_name.h"
#include "support/record_builder.h"

namespace {

using screens::PanelColour;

// An RA record of a race with the given fields (UTF-8 texts, put in Shift-JIS).
store::RaRecord RaWith(const std::vector<std::pair<int, std::string>>& fields) {
  std::string ra = testsupport::RecordWithKey("RA", store::kRaLength, '7', "2024051805020311");
  for (const auto& [pos, text] : fields) testsupport::Put(ra, pos, codes::Sj(text));
  store::RaRecord record;
  record.Assign(ra);
  return record;
}

struct HeaderCase {
  const char* name;
  std::string key;  // the RaceKey at 12-27
  std::vector<std::pair<int, std::string>> fields;
  std::vector<std::string> labels;  // Label1, 2, 3, 4, 6, 7, BashoLabel, RaceLabel (UTF-8)
  PanelColour panel;
};

class RaceHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(RaceHeaderTest, ShowsEveryLineOfTheRaceRecord) {
  const HeaderCase& c = GetParam();
  std::vector<std::pair<int, std::string>> fields = c.fields;
  fields.insert(fields.begin(), {12, c.key});
  const screens::RaceHeader header = screens::RaceHeaderOf(RaWith(fields));
  const std::vector<std::string> shown = {header.Label1,     header.Label2,   header.Label3,
                                          header.Label4,     header.Label6,   header.Label7,
                                          header.BashoLabel, header.RaceLabel};
  ASSERT_EQ(shown.size(), c.labels.size());
  for (size_t i = 0; i < shown.size(); ++i) {
    EXPECT_EQ(codes::SjisToUtf8(shown[i]), c.labels[i]) << "line " << i;
  }
  EXPECT_EQ(header.Panel3, c.panel);
}

const std::string kName60 = "日本ダービー" + std::string(48, ' ');
const std::string kBlank60(60, ' ');

// clang-format off
const HeaderCase kHeaderCases[] = {
  {"GradedTurfRaceWithEditionAndPrizes", "2024051805020311",
   {{28, "1"}, {33, "日本ダービー"}, {612, "091"}, {615, "A"}, {617, "12"}, {619, "N03"},
    {622, "4"}, {623, "000999000000"}, {698, "2400"}, {706, "11"}, {710, "A "},
    {714, "0020000000080000000500000003000000020000"}, {810, "000001000000005000000030"},
    {874, "1540"}, {882, "18"}, {886, "17"}, {888, "1"}, {889, "1"}, {890, " "}},
   {"2024年05月18日(土)東京02回03日11R   15.40発走  晴　芝:良　",
    "第91回 " + kName60,
    "18頭[入線:17頭] 2400ﾒｰﾄﾙ 芝 左回り(A) G1    サラ系３歳　　　 (国際)[指定]　　　　　　",
    "定量 3歳オープン",
    "【本 賞 金】1着:  200000/2着:   80000/3着:   50000/4着:   30000/5着:   20000",
    "【付加賞金】1着:     100/2着:      50/3着:      30　　　　　　　　(単位：百円)",
    "東京", "11"},
   PanelColour::Green},
  {"DirtRaceWithoutEditionGradeOrCourse", "2024051908010401",
   {{28, "2"}, {612, "000"}, {615, " "}, {617, "13"}, {619, "A00"}, {622, "3"},
    {623, "000005005005"}, {698, "1200"}, {706, "24"}, {710, "  "}, {874, "0950"},
    {882, " 9"}, {886, "00"}, {888, "3"}, {889, " "}, {890, "4"}},
   {"2024年05月19日(日)京都01回04日01R   09.50発走  雨　　ダ:不良",
    kBlank60,
    " 9頭[入線:  頭] 1200ﾒｰﾄﾙ ﾀﾞｰﾄ 右回り() 　　  サラ系３歳以上　 (混合)　　　　　　　　　",
    "馬齢 3歳上1勝ｸﾗｽ  3歳上1勝ｸﾗｽ  3歳上1勝ｸﾗｽ",
    "【本 賞 金】1着:        /2着:        /3着:        /4着:        /5着:        ",
    "【付加賞金】1着:        /2着:        /3着:        　　　　　　　　(単位：百円)",
    "京都", "1"},
   PanelColour::Maroon},
  {"ObstacleRaceWithHandicap", "2024051803020308",
   {{28, "1"}, {612, "001"}, {615, "H"}, {617, "18"}, {619, "000"}, {622, "1"},
    {623, "000999999999"}, {698, "3110"}, {706, "54"}, {882, "14"}, {886, "14"}},
   {"2024年05月18日(土)福島02回03日08R     .  発走  　　",
    "第1回 " + kBlank60,
    "14頭[入線:14頭] 3110ﾒｰﾄﾙ 障害 芝() JG3   サラ障害３歳以上 　　　　　　　　　　　　",
    "ﾊﾝﾃﾞ 3歳上オープン",
    "【本 賞 金】1着:        /2着:        /3着:        /4着:        /5着:        ",
    "【付加賞金】1着:        /2着:        /3着:        　　　　　　　　(単位：百円)",
    "福島", "8"},
   PanelColour::Maroon},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Races, RaceHeaderTest, ::testing::ValuesIn(kHeaderCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PanelCase {
  const char* track;
  PanelColour colour;
};

class PanelColourTest : public ::testing::TestWithParam<PanelCase> {};

TEST_P(PanelColourTest, TurfCoursesAreGreenEverythingElseMaroon) {
  EXPECT_EQ(screens::PanelColourOf(RaWith({{706, GetParam().track}})), GetParam().colour)
      << GetParam().track;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(TrackCodes, PanelColourTest, ::testing::Values(
  PanelCase{"09", PanelColour::Maroon}, PanelCase{"10", PanelColour::Green},
  PanelCase{"17", PanelColour::Green},  PanelCase{"22", PanelColour::Green},
  PanelCase{"23", PanelColour::Maroon}, PanelCase{"29", PanelColour::Maroon},
  PanelCase{"51", PanelColour::Maroon}, PanelCase{"  ", PanelColour::Maroon}),
    testsupport::CaseNameOf(&PanelCase::track));
// clang-format on

TEST(OddsTimeText, IsTheHourAndMinuteOfTheMorningOddsOrBlanks) {
  std::string o1 = testsupport::RecordWithKey("O1", store::kO1Length, '1', "2024051805020311");
  testsupport::Put(o1, 28, "05180932");
  store::O1Record record;
  record.Assign(o1);
  EXPECT_EQ(screens::OddsTimeText(record), "09:32");
  EXPECT_EQ(screens::OddsTimeText(store::O1Record{}), "  :  ");
}

TEST(TargetMark, IsTargetOnYellowForAnyPositiveMark) {
  const screens::MarkLabel target{codes::Sj("対象"), screens::kYellow};
  const screens::MarkLabel none{"", screens::kInfoBackground};
  EXPECT_EQ(screens::TargetMark(1), target);
  EXPECT_EQ(screens::TargetMark(2), target);
  EXPECT_EQ(screens::TargetMark(4), target);  // the quinella mark that Logic A sets
  EXPECT_EQ(screens::TargetMark(0), none);
  EXPECT_EQ(screens::TargetMark(-1), none);
}

TEST(OddsLabels, ShowTheMeanOfTheFavouritesAndTheFavouriteQuinella) {
  EXPECT_EQ(screens::OzAve123Text(3.4666666), "  3.47");
  EXPECT_EQ(screens::OzAve123Text(0), "  0.00");
  EXPECT_EQ(screens::OzAve123Text(123.456), "123.46");
  EXPECT_EQ(screens::UR1NinOZText(5.6), " 5.6");
  EXPECT_EQ(screens::UR1NinOZText(0), " 0.0");
  EXPECT_EQ(screens::UR1NinOZText(123.4), "123.4");
}

}  // namespace
