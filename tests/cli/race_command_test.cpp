#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "../store/race_day_files.h"
#include "cli_run.h"
#include "platform/clock.h"
#include "store/record_lengths.h"
#include "store/record_store.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testsupport::KeyOf;

using testsupport::CliRun;
using testsupport::RunCli;

// Quinella i at odds 10.0 + i / 10 and popularity i.
std::string O2Of(const std::string& key) {
  std::string o2 = testsupport::RecordWithKey("O2", store::kO2Length, '1', key);
  for (int i = 1; i <= store::kQuinellaCount; ++i) {
    testsupport::PutNumber(o2, 45 + 13 * (i - 1), 6, 100 + i);
    testsupport::PutNumber(o2, 51 + 13 * (i - 1), 3, i);
  }
  return o2;
}

// Tokyo races 1 and 2 with morning odds; race 1 gets five Logic A quinella bets
// (" 1- 2", " 1- 3", " 1- 4", " 2- 3", " 2- 4").
class RaceCommandTest : public ::testing::Test {
 protected:
  RaceCommandTest() : clock_({2024, 5, 18, 9, 0, 0}), store_(home_.path() / "home", clock_) {
    store_.PrepareFolders();
    testsupport::StoreDay(store_, "20240518", {{"05", 1, 8}, {"05", 2, 8}});
    const std::filesystem::path data = store_.DataFolder();
    testsupport::WriteFileBytes(
        data / "2024年05月18日.jvO1a",
        testsupport::O1Of(KeyOf("20240518", "05", 1), {15, 30, 60, 100}) +
            testsupport::O1Of(KeyOf("20240518", "05", 2), {90, 20, 40, 100}));
    testsupport::WriteFileBytes(data / "2024年05月18日.jvO2a", O2Of(KeyOf("20240518", "05", 1)));
  }
  std::string Ini() const { return testsupport::ReadFileBytes(home_.path() / "home/Quorvane.ini"); }

  testsupport::TempDir home_;
  platform::FixedClock clock_;
  store::RecordStore store_;
};

const char kDay[] = "--day 2024年05月18日";

TEST_F(RaceCommandTest, ShowsTheRaceWithTheWholeScreenAsJson) {
  CliRun run = RunCli(home_, std::string("race ") + kDay + " --slot 0 --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr(R"("day":"2024年05月18日","slot":0,"item":"東京 1R","logic":"A",)"
                                 R"("mode":0,"amount":3000,"header":{"Label1":"2024年05月18日)"));
  EXPECT_THAT(run.out, HasSubstr(R"("BashoLabel":"東京","RaceLabel":"1",)"));
  EXPECT_THAT(run.out, HasSubstr(R"("URTaisho":1,"UTTaisho":0,)"));
  EXPECT_THAT(run.out, HasSubstr(R"("URTaishoLabel":"対象","UTTaishoLabel":"",)"));
  EXPECT_THAT(run.out, HasSubstr(R"("OzAve123Label":"  3.50","UR1NinOZLabel":"10.1"})"));
  EXPECT_THAT(run.out,
              HasSubstr(R"("runners":[{"AsaWinOdds":1.5,"AsaPlaceLow":1,"AsaWinRank":1,)"));
  EXPECT_THAT(run.out, HasSubstr(R"(["","  1"," 1- 2","   10.1","  1","","   600","   6060",)"));
  EXPECT_THAT(run.out, HasSubstr(R"("count":"  5","total":"  3000",)"));
  // An empty table is one row of empty cells.
  EXPECT_THAT(run.out,
              HasSubstr(R"("UT":{"rows":[["","","","","","","","","","","","","",""]],)"
                        R"("count":"","total":"","expected":"","expectedColour":"black")"));
  EXPECT_THAT(run.out,
              HasSubstr(R"("results":{"単勝":[{"結果":" 1","人気":" 3","配当":"     560"},)"));
}

TEST_F(RaceCommandTest, TheAmountIsTypedAfterTheShowAndTheExclusionsClickedInOrder) {
  // 1000 yen over five bets gives 200 each; excluding row 1 leaves four at 300
  // (Trunc(2.5 + 0.9) = 3); excluding row 2 as well, three at 400.
  CliRun run = RunCli(home_, std::string("race ") + kDay +
                                 " --slot 0 --amount 1000 --exclude UR:1 --exclude UR:2 --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr(R"("amount":1000,)"));
  EXPECT_THAT(run.out, HasSubstr(R"(["消","  1"," 1- 2","   10.1","  1","","","","",)"));
  EXPECT_THAT(run.out, HasSubstr(R"(["","  3"," 1- 4","   10.3","  3","","   400",)"));
  EXPECT_THAT(run.out, HasSubstr(R"("count":"  3","total":"  1200",)"));
}

TEST_F(RaceCommandTest, TheChoicesAreWrittenToTheSettingsBeforeTheLoad) {
  CliRun run = RunCli(home_, std::string("race ") + kDay + " --slot 0 --logic B --mode 1 --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr(R"("logic":"B","mode":1,)"));
  EXPECT_THAT(run.out, HasSubstr(R"("UR":{"rows":[["","","",)"));  // no Logic B target
  EXPECT_THAT(Ini(), HasSubstr("Option=2"));
  EXPECT_THAT(Ini(), HasSubstr("HaibunSet=1"));

  run = RunCli(home_, std::string("race ") + kDay + " --slot 0 --logic none --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr(R"("logic":"none",)"));
  EXPECT_THAT(run.out, Not(HasSubstr(R"(" 1- 2")")));
}

TEST_F(RaceCommandTest, BadArgumentsExitTwoAndAMissingDayOne) {
  // clang-format off
  const char* kBad[] = {
    " --slot 2 --json",          // the list has items 0 and 1
    " --slot -1 --json",
    " --slot x --json",
    " --json",                   // no slot
    " --slot 0 --logic C",
    " --slot 0 --mode 2",
    " --slot 0 --amount 1000000",
    " --slot 0 --exclude UR",
    " --slot 0 --exclude UR:0",
    " --slot 0 --exclude WIN:1",
    " --slot 0 --exclude UR:6",  // five bet rows
    " --slot 0 --colour red",
  };
  // clang-format on
  for (const char* words : kBad) {
    EXPECT_EQ(RunCli(home_, std::string("race ") + kDay + words).status, 2) << words;
  }
  EXPECT_EQ(RunCli(home_, "race --day 2024年05月19日 --slot 0 --json").status, 1);
}

TEST_F(RaceCommandTest, VoteAsksAndWritesTheFileOnlyWithYes) {
  const std::filesystem::path plugin = home_.path() / "plugin";
  std::filesystem::create_directories(plugin / "kaime");
  testsupport::WriteFileBytes(home_.path() / "home/Quorvane.ini",
                              "[Dir]\r\nVelkTohyo2=" + plugin.string() + "\r\n");
  const std::string vote = std::string("vote ") + kDay + " --slot 0 --type UR";

  CliRun no = RunCli(home_, vote);
  EXPECT_EQ(no.status, 0) << no.err;
  EXPECT_THAT(no.err, HasSubstr("[東京 1R:馬連]に投票します。実行してよろしいですか？"));
  EXPECT_FALSE(std::filesystem::exists(plugin / "kaime/240518.csv"));

  // There is no plug-in to start here: the message, status 1, and the file stays written.
  CliRun yes = RunCli(home_, vote + " --yes");
  EXPECT_EQ(yes.status, 1);
  EXPECT_THAT(yes.err, HasSubstr("投票プラグイン２の呼び出しでエラーが発生しました。"));
  EXPECT_EQ(testsupport::ReadFileBytes(plugin / "kaime/240518.csv"),
            "20240518,05,01,UMAFUKU,NORMAL,600,01-02,\r\n"
            "20240518,05,01,UMAFUKU,NORMAL,600,01-03,\r\n"
            "20240518,05,01,UMAFUKU,NORMAL,600,01-04,\r\n"
            "20240518,05,01,UMAFUKU,NORMAL,600,02-03,\r\n"
            "20240518,05,01,UMAFUKU,NORMAL,600,02-04,\r\n");

  CliRun none = RunCli(home_, std::string("vote ") + kDay + " --slot 0 --type UT --yes");
  EXPECT_EQ(none.status, 1);
  EXPECT_THAT(none.err, HasSubstr("買い目が作成されていません。"));
  EXPECT_EQ(RunCli(home_, std::string("vote ") + kDay + " --slot 0 --type WIN").status, 2);
}

TEST_F(RaceCommandTest, TheTextViewShowsTheChoicesTheMarksAndEveryBetInColumns) {
  CliRun run =
      RunCli(home_, std::string("race ") + kDay + " --slot 0 --amount 1000 --exclude UR:2");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, testing::StartsWith("2024年05月18日 東京 1R (slot 0)\n"
                                           "logic A, mode 0 (均等), amount 1000 yen\n\n"));
  EXPECT_THAT(run.out,
              HasSubstr("馬券種別対象レース  馬連 対象  馬単 -  ３連複・３連単 -  ロジックＢ -\n"
                        "平均ｵｯｽﾞ123 3.50  馬連1人ｵｯｽﾞ 10.1\n"));
  // Columns line up under their headings by display width; hidden columns are left out.
  EXPECT_THAT(run.out,
              HasSubstr("馬連 UR  点数 4  投票金額(円) 1200  予想回収率(%) 275.6  回収金額(円) -\n"
                        "  消  No.  買い目   オッズ  人気  購入額   回収額   回収率  結果配当  "
                        "結果回収  結果人気  的中\n"
                        "        1   1- 2      10.1     1     300     3030    252.5\n"
                        "  消    2   1- 3      10.2     2\n"
                        "        3   1- 4      10.3     3     300     3090    257.5\n"
                        "        4   2- 3      11.8    18     300     3540    295.0\n"
                        "        5   2- 4      11.9    19     300     3570    297.5\n\n"
                        "馬単 UT  点数 -  投票金額(円) -  予想回収率(%) -  回収金額(円) -\n"
                        "  (買い目なし)\n"));
  EXPECT_THAT(run.out,
              HasSubstr("\n結果\n  券種  結果  人気      配当\n  単勝   1       3       560\n"));
}

TEST_F(RaceCommandTest, EveryViewSaysWhichLogicModeAndAmountItUsed) {
  // clang-format off
  // In this order: a choice made is kept in the settings for the runs after it.
  const struct { const char* words; int status; const char* out; const char* err; } kCases[] = {
    {"race --slot 0 --logic B --mode 1 --amount 1000", 0, "logic B, mode 1 (比例), amount 1000 yen\n", ""},
    {"day", 0, "logic B, mode 1 (比例), amount 3000 yen (the default amount of each race)\n", ""},
    {"race --slot 0 --logic none --mode 0",            0, "logic none, mode 0 (均等), amount 3000 yen\n", ""},
    {"race --slot 0 --logic A",                        0, "logic A, mode 0 (均等), amount 3000 yen\n", ""},
    {"day", 0, "logic A, mode 0 (均等), amount 3000 yen (the default amount of each race)\n", ""},
    // No plug-in folder is set here: the message comes after the choices line.
    {"vote --slot 0 --type UR --amount 2000", 1, "",
     "logic A, mode 0 (均等), amount 2000 yen\n「Velk投票プラグイン２」が正常に"},
    // Below 100 yen nothing is reallocated: the stakes and the JSON keep the amount in force.
    {"race --slot 0 --amount 50 --json", 0, R"("logic":"A","mode":0,"amount":3000,)",
     "--amount 50 is below 100 yen, the smallest stake: nothing was reallocated, the tables "
     "keep the stakes of 3000 yen.\n"},
    {"race --slot 0 --amount 50 --json", 0, R"("count":"  5","total":"  3000",)", ""},
    {"race --slot 0 --amount 100 --json", 0, R"("amount":100,)", ""},
    {"race --slot 0 --amount 99", 0, "amount 3000 yen\n", "--amount 99 is below 100 yen"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    const std::string words = std::string(c.words) + " ";
    const size_t space = words.find(' ');
    CliRun run = RunCli(home_, words.substr(0, space) + " " + kDay + words.substr(space));
    EXPECT_EQ(run.status, c.status) << c.words << "\n" << run.err;
    EXPECT_THAT(run.out, HasSubstr(c.out)) << c.words;
    EXPECT_THAT(run.err, HasSubstr(c.err)) << c.words;
  }
}

}  // namespace
