#include "output/vote_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/session.h"
#include "app/session_vote.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "store/record_lengths.h"
#include "support/record_builder.h"
#include "support/recording_prompts.h"
#include "support/temp_dir.h"

namespace {

using codes::BetType;
using output::VoteResult;

// Race 5 at Nakayama ("06") on 5 January 2025.
store::RaRecord Race() {
  store::RaRecord ra;
  ra.Assign(testsupport::RecordWithKey("RA", store::kRaLength, '7', "2025010506010205"));
  return ra;
}

// A bet row as the fill and the allocation leave it.
void PutBet(bets::BetTable& table, int row, const std::string& comb, const std::string& odds,
            const std::string& stake, bool excluded = false) {
  if (table.RowCount() <= row) table.SetRowCount(row + 1);
  table.SetCell(row, bets::kExclusionCol, excluded ? bets::ExclusionMark() : "");
  table.SetCell(row, bets::kNoCol, "  " + std::to_string(row));
  table.SetCell(row, bets::kCombCol, comb);
  table.SetCell(row, bets::kOddsCol, odds);
  table.SetCell(row, bets::kStakeCol, stake);
}

TEST(VoteCombination, WritesTwoDigitNumbersInTheOrderOfTheCell) {
  // clang-format off
  const struct { BetType type; const char* cell; const char* combination; } kCases[] = {
    {BetType::UR,  " 3-11",    "03-11"},
    {BetType::UT,  "11- 3",    "11-03"},     // the winner stays first
    {BetType::SRF, " 1- 2-12", "01-02-12"},
    {BetType::SRT, "12- 1- 2", "12-01-02"},
    {BetType::SRT, "18-17-16", "18-17-16"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    EXPECT_EQ(output::VoteCombination(c.type, c.cell), c.combination) << c.cell;
  }
  EXPECT_THROW(output::VoteCombination(BetType::Tan, " 3"), codes::LogicError);
}

TEST(VoteTypes, HaveThePluginsCodesAndTheConfirmationsNames) {
  // clang-format off
  const struct { BetType type; const char* code; const char* name; } kCases[] = {
    {BetType::UR, "UMAFUKU", "馬連"}, {BetType::UT, "UMATAN", "馬単"},
    {BetType::SRF, "SANFUKU", "３連複"}, {BetType::SRT, "SANTAN", "３連単"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    EXPECT_EQ(output::VoteTypeCode(c.type), c.code);
    EXPECT_EQ(codes::SjisToUtf8(output::VoteTypeName(c.type)), c.name);
  }
}

TEST(VoteLine, IsTheRaceTheTypeTheStakeAndTheCombinationEachEndedByAComma) {
  EXPECT_EQ(output::VoteLine(Race(), BetType::UR, "   500", " 3-11"),
            "20250105,06,05,UMAFUKU,NORMAL,500,03-11,\r\n");
  EXPECT_EQ(output::VoteLine(Race(), BetType::SRT, "  1200", "12- 1- 2"),
            "20250105,06,05,SANTAN,NORMAL,1200,12-01-02,\r\n");
  EXPECT_EQ(output::VoteFileName(codes::Sj("2025年01月05日")), "250105.csv");
}

TEST(VoteCsv, HoldsTheLiveRowsWithStakesInTableOrderWithoutExcludedOnes) {
  bets::BetTable table(BetType::UT);
  PutBet(table, 1, "11- 3", "   12.5", "   500");
  PutBet(table, 2, " 3-11", "   30.1", "   200", /*excluded=*/true);
  PutBet(table, 3, " 1- 2", "    4.0", "  1500");
  PutBet(table, 4, " 2- 1", "    9.9", "      ");  // no stake: not a bet to vote
  EXPECT_EQ(output::VoteCsv(Race(), table),
            "20250105,06,05,UMATAN,NORMAL,500,11-03,\r\n"
            "20250105,06,05,UMATAN,NORMAL,1500,01-02,\r\n");
  PutBet(table, 1, "11- 3", "   12.5", "   500", true);
  PutBet(table, 3, " 1- 2", "    4.0", "  1500", true);
  EXPECT_EQ(output::VoteCsv(Race(), table), "");
}

// A launcher that remembers what it was asked to start.
class RecordingLauncher : public platform::Launcher {
 public:
  bool Open(const std::string& program, const std::string& parameter) override {
    calls.push_back({program, parameter});
    return succeed;
  }
  std::vector<std::pair<std::string, std::string>> calls;
  bool succeed = true;
};

class VoteExportTest : public ::testing::Test {
 protected:
  VoteExportTest()
      : clock_({2025, 1, 5, 9, 0, 0}),
        session_(prompts_, clock_, nullptr, launcher_, companions_, home_.path()),
        plugin_(home_.path() / "plugin") {
    session_.Start();
    std::filesystem::create_directories(plugin_ / "kaime");
    session_.Settings().SetVelkTohyo2(plugin_.string());
    // Race 5 shown as list item 1, with two quinella bets.
    session_.DateCombo.Text = codes::Sj("2025年01月05日");
    session_.DatList.Items = {codes::Sj("中山 4R"), codes::Sj("中山 5R")};
    session_.DatList.ItemIndex = 1;
    session_.Day().CurrentSlot = 1;
    session_.Day().RaRec[1] = Race();
    bets::BetTable& table = session_.Screen.Tables.Table(BetType::UR);
    PutBet(table, 1, " 3-11", "   12.5", "   500");
    PutBet(table, 2, " 5- 6", "   40.0", "   100");
  }
  VoteResult Export(BetType type = BetType::UR) {
    return app::VoteExport(session_, type, [this](const std::filesystem::path& folder) {
      folders_.push_back(folder);
      return true;
    });
  }
  std::filesystem::path CsvFile() const { return plugin_ / "kaime" / "250105.csv"; }

  testsupport::TempDir home_;
  testsupport::RecordingPrompts prompts_;
  platform::FixedClock clock_;
  RecordingLauncher launcher_;
  platform::NoCompanionLocator companions_;
  app::Session session_;
  std::filesystem::path plugin_;
  std::vector<std::filesystem::path> folders_;
};

TEST_F(VoteExportTest, AsksThenWritesTheFileAndStartsThePluginWithIt) {
  prompts_.ScriptAnswers({true});
  EXPECT_EQ(Export(), VoteResult::kLaunched);
  EXPECT_EQ(
      prompts_.confirms,
      std::vector<std::string>{codes::Sj("[中山 5R:馬連]に投票します。実行してよろしいですか？")});
  EXPECT_EQ(testsupport::ReadFileBytes(CsvFile()),
            "20250105,06,05,UMAFUKU,NORMAL,500,03-11,\r\n"
            "20250105,06,05,UMAFUKU,NORMAL,100,05-06,\r\n");
  ASSERT_EQ(launcher_.calls.size(), 1u);
  EXPECT_EQ(launcher_.calls[0].first, (plugin_ / "VelkTohyoPlugIn2.exe").string());
  EXPECT_EQ(launcher_.calls[0].second, CsvFile().string());
  EXPECT_EQ(folders_, std::vector<std::filesystem::path>{plugin_});  // and it stays there
  EXPECT_EQ(prompts_.beeps, 0);
}

TEST_F(VoteExportTest, ANoWritesNothingAndStartsNothing) {
  EXPECT_EQ(Export(), VoteResult::kDeclined);
  EXPECT_EQ(prompts_.confirms.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(CsvFile()));
  EXPECT_TRUE(launcher_.calls.empty());
  EXPECT_TRUE(folders_.empty());
}

TEST_F(VoteExportTest, APluginThatDoesNotStartShowsTheTwoLinesAndKeepsTheFile) {
  launcher_.succeed = false;
  prompts_.ScriptAnswers({true});
  EXPECT_EQ(Export(), VoteResult::kLaunchFailed);
  EXPECT_EQ(prompts_.beeps, 1);
  EXPECT_EQ(prompts_.InformsUtf8(),
            std::vector<std::string>{
                "投票プラグイン２の呼び出しでエラーが発生しました。\r\n"
                "投票プラグイン２が正しくインストールされているか確認してください。"});
  EXPECT_FALSE(testsupport::ReadFileBytes(CsvFile()).empty());
  EXPECT_EQ(folders_,
            (std::vector<std::filesystem::path>{plugin_, session_.Store().ProgramFolder()}));
}

TEST_F(VoteExportTest, TheRealLauncherFailsWithoutTheExecutableAndTheFileStaysWritten) {
  platform::ProcessLauncher real;
  app::Session session(prompts_, clock_, nullptr, real, companions_, home_.path());
  session.DateCombo = session_.DateCombo;
  session.DatList = session_.DatList;
  session.Day().CurrentSlot = 1;
  session.Day().RaRec[1] = Race();
  session.Screen.Tables = session_.Screen.Tables;
  prompts_.ScriptAnswers({true});
  EXPECT_EQ(
      app::VoteExport(session, BetType::UR, [](const std::filesystem::path&) { return true; }),
      VoteResult::kLaunchFailed);
  EXPECT_EQ(prompts_.informs.size(), 1u);
  EXPECT_EQ(testsupport::ReadFileBytes(CsvFile()).substr(0, 9), "20250105,");
}

TEST_F(VoteExportTest, AllExcludedStillWritesAnEmptyFileAndStartsThePlugin) {
  bets::BetTable& table = session_.Screen.Tables.Table(BetType::UR);
  table.SetCell(1, bets::kExclusionCol, bets::ExclusionMark());
  table.SetCell(2, bets::kExclusionCol, bets::ExclusionMark());
  prompts_.ScriptAnswers({true});
  EXPECT_EQ(Export(), VoteResult::kLaunched);
  EXPECT_TRUE(std::filesystem::exists(CsvFile()));
  EXPECT_EQ(testsupport::ReadFileBytes(CsvFile()), "");
  EXPECT_EQ(launcher_.calls.size(), 1u);
}

TEST_F(VoteExportTest, ASecondExportReplacesTheFile) {
  prompts_.ScriptAnswers({true, true});
  Export();
  session_.Screen.Tables.Table(BetType::UR).SetCell(2, bets::kExclusionCol, bets::ExclusionMark());
  Export();
  EXPECT_EQ(testsupport::ReadFileBytes(CsvFile()), "20250105,06,05,UMAFUKU,NORMAL,500,03-11,\r\n");
}

TEST_F(VoteExportTest, AMissingKaimeFolderIsAnErrorAndNothingStarts) {
  std::filesystem::remove_all(plugin_ / "kaime");
  prompts_.ScriptAnswers({true});
  EXPECT_THROW(Export(), codes::InputError);
  EXPECT_TRUE(launcher_.calls.empty());
  EXPECT_TRUE(folders_.empty());
}

struct RefusalCase {
  const char* name;
  void (*arrange)(app::Session&);
  BetType type;
  VoteResult result;
  const char* message;
};

class VoteRefusalTest : public VoteExportTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(VoteRefusalTest, BeepsShowsTheMessageAndAsksNothing) {
  const RefusalCase& c = GetParam();
  c.arrange(session_);
  prompts_.ScriptAnswers({true});
  EXPECT_EQ(Export(c.type), c.result);
  EXPECT_EQ(prompts_.Log, (std::vector<std::string>{"beep", std::string("inform: ") + c.message}));
  EXPECT_FALSE(std::filesystem::exists(CsvFile()));
  EXPECT_TRUE(launcher_.calls.empty());
}

// clang-format off
const RefusalCase kRefusals[] = {
  {"NoDate", [](app::Session& s) { s.DateCombo.Text = "  "; }, BetType::UR, VoteResult::kNoDay,
   "開催日ﾃﾞｰﾀを読み込んでください。"},
  {"NoRace", [](app::Session& s) { s.DatList.ItemIndex = -1; }, BetType::UR, VoteResult::kNoRace,
   "レースデータを読み込んでください。"},
  {"NoBetsInTheActiveTable", [](app::Session&) {}, BetType::SRT, VoteResult::kNoBets,
   "買い目が作成されていません。"},
  {"NoStakes", [](app::Session& s) {
     s.Screen.Tables.Table(BetType::UR).SetCell(1, bets::kStakeCol, "");
     s.Screen.Tables.Table(BetType::UR).SetCell(2, bets::kStakeCol, "      ");
   }, BetType::UR, VoteResult::kNoBets, "買い目が作成されていません。"},
  {"NoPluginFolder", [](app::Session& s) { s.Settings().SetVelkTohyo2("   "); }, BetType::UR,
   VoteResult::kNoPlugin,
   "「Velk投票プラグイン２」が正常にインストールされていません。再インストールしてください。"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Checks, VoteRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// The vote file is named after the chosen day, never after the bytes of the race's
// record: a record whose date would name a path elsewhere writes no file there.
struct RecordDate {
  const char* name;
  const char* date_bytes;  // RA positions 12-19
};

class VoteFileNameTest : public VoteExportTest, public ::testing::WithParamInterface<RecordDate> {};

TEST_P(VoteFileNameTest, TheFileIsNamedAfterTheChosenDayOnly) {
  std::filesystem::remove("/tmp/Z.csv");
  store::RaRecord ra = Race();
  std::string text(ra.Text());
  text.replace(11, 8, GetParam().date_bytes);
  session_.Day().RaRec[1].Assign(text);
  prompts_.ScriptAnswers({true});
  EXPECT_EQ(Export(), VoteResult::kLaunched);
  EXPECT_TRUE(std::filesystem::exists(CsvFile()));
  EXPECT_FALSE(std::filesystem::exists("/tmp/Z.csv"));
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(plugin_)) {
    if (entry.is_regular_file()) written.push_back(entry.path().string());
  }
  EXPECT_EQ(written, std::vector<std::string>{CsvFile().string()});
}

// clang-format off
const RecordDate kRecordDates[] = {
  {"SlashPath", "20/tmp/Z"},
  {"DotsToTheParent", "20../..x"},
  {"AnotherDay", "20991231"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Dates, VoteFileNameTest, ::testing::ValuesIn(kRecordDates),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(VoteFileName, RefusesADayThatIsNoRealDate) {
  for (const char* day : {"2025年02月30日", "20/tmp/Z", "2025年1月05日"}) {
    EXPECT_THROW(output::VoteFileName(codes::Sj(day)), codes::InputError) << day;
  }
  EXPECT_EQ(output::VoteFileName(codes::Sj("2024年02月29日")), "240229.csv");
}

}  // namespace
