// The export and stats commands as a user runs them: answers, exit statuses, messages and
// the JSON of the three labels and the selected lines.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_run.h"
#include "codes/cp932.h"
#include "support/case_name.h"
#include "support/temp_dir.h"
#include "verify/export_line.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CliRun;
using testsupport::RunCli;

// A line of an export file from UTF-8 fields.
std::string Line(const std::string& date, const std::string& course, const std::string& type,
                 const std::string& condition, const std::string& grade,
                 const std::string& returned) {
  verify::ExportFields f;
  const std::string utf8[16] = {date,   course,   " 5",      "　　　",      "16",     "芝左",
                                "1600", type,     condition, "3歳上1勝ｸﾗｽ", "定量　", grade,
                                "3000", returned, "4.37",    "8.9"};
  for (size_t i = 0; i < f.size(); ++i) f[i] = codes::Sj(utf8[i]);
  return verify::JoinFields(f) + "\r\n";
}

class StatsCommandTest : public ::testing::Test {
 protected:
  StatsCommandTest() {
    testsupport::WriteFileBytes(home_.path() / "home" / "csv" / "A_馬連20230101_20231231.csv",
                                Line("2023年01月07日", "中山", "13", "005", "　　 ", "") +
                                    Line("2023年01月08日", "東京", "12", "701", "　　 ", "4500") +
                                    Line("2023年02月05日", "東京", "14", "999", "G1   ", "12000") +
                                    "\"short\",\"line\"\r\n" +
                                    Line("2023年02月12日", "京都", "21", "999", "G2   ", ""));
  }
  testsupport::TempDir home_;
};

TEST_F(StatsCommandTest, PrintsTheLabelsAndTheSelectedLines) {
  const CliRun run = RunCli(home_, "stats --file A_馬連20230101_20231231.csv --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(R"("rows":4,"skipped":1,"skippedReasons":{"short line":1},"selected":4,)"
                         R"("データ数":"    4","的中率":" 50.0","回収率":"137.5")"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.err.find("1 line left out: 1 short line (first at line 4)"), std::string::npos)
      << run.err;
}

TEST_F(StatsCommandTest, G1AndDebutTogetherAndTheMonthTable) {
  const CliRun run = RunCli(home_,
                            "stats --file A_馬連20230101_20231231.csv --class G1 "
                            "--class 新馬 --by month --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(R"("selected":2,"データ数":"    2","的中率":"100.0","回収率":"275.0")"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(R"("by":{"month":[{"key":"2023-01","count":1,"hits":1,"stake":3000,)"
                         R"("returned":4500,"hitRate":"100.0","returnRate":"150.0"},)"
                         R"({"key":"2023-02","count":1,)"),
            std::string::npos)
      << run.out;
}

TEST_F(StatsCommandTest, AnArabBredRaceMatchesNoAgeAndANarrowRangeSelectsNothing) {
  CliRun run = RunCli(home_,
                      "stats --file A_馬連20230101_20231231.csv --age ３歳上 --age 4歳上 "
                      "--age ２歳 --age 3歳 --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(R"("selected":3,)"), std::string::npos) << run.out;
  run = RunCli(home_,
               "stats --file A_馬連20230101_20231231.csv --from 20230301 --to 20230331 --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(R"("selected":0,"データ数":"","的中率":"","回収率":"","lines":[])"),
            std::string::npos)
      << run.out;
}

// A file whose last line ends in a lone CR and that holds blank lines (as an editor may
// leave it): every line of the export is a row and none is reported as left out.
TEST_F(StatsCommandTest, ALastLineEndingInALoneCrIsReadAndBlankLinesAreNoShortLines) {
  std::string last = Line("2023年02月05日", "東京", "14", "999", "G1   ", "12000");
  last.pop_back();  // "\r\n" -> "\r"
  testsupport::WriteFileBytes(home_.path() / "home" / "csv" / "edited.csv",
                              Line("2023年01月07日", "中山", "13", "005", "　　 ", "") + "\r\n" +
                                  Line("2023年01月08日", "東京", "12", "701", "　　 ", "4500") +
                                  "  \r\n" + last);
  const CliRun run = RunCli(home_, "stats --file edited.csv --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(R"("rows":3,"skipped":0,)"), std::string::npos) << run.out;
  EXPECT_EQ(run.err.find("left out"), std::string::npos) << run.err;
}

struct BadStats {
  const char* words;
  int status;
  const char* message;
};
class StatsCommandRefuses : public StatsCommandTest,
                            public ::testing::WithParamInterface<BadStats> {};
TEST_P(StatsCommandRefuses, WithAMessageAndItsStatus) {
  const CliRun run = RunCli(home_, GetParam().words);
  EXPECT_EQ(run.status, GetParam().status);
  EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, StatsCommandRefuses, ::testing::Values(
  BadStats{"stats --file nothing.csv --json", 1, "does not exist"},
  BadStats{"stats --file ../Quorvane.ini", 2, "--file takes the name of a file in csv/"},
  BadStats{"stats --file A_馬連20230101_20231231.csv --distance 3100:5000", 2,
           "distance: the first value 3100 lies outside 1000..3000"},
  BadStats{"stats --file A_馬連20230101_20231231.csv --runners 5:19", 2, "outside 5..18"},
  BadStats{"stats --file A_馬連20230101_20231231.csv --ave123 0:10.25", 2, "at most one decimal"},
  BadStats{"stats --file A_馬連20230101_20231231.csv --race 1-12", 2, "--race takes MIN:MAX"},
  BadStats{"stats --file A_馬連20230101_20231231.csv --class G4", 2, "--class takes one of"},
  BadStats{"stats --file A_馬連20230101_20231231.csv --by week", 2, "--by takes month or course"},
  BadStats{"stats --file A_馬連20230101_20231231.csv --from 2023", 2, "--from takes a date"}),
    testsupport::CaseNameOf(&BadStats::words));
// clang-format on

TEST(ExportCommand, WithoutYesTheQuestionIsAnsweredNoAndNothingIsWritten) {
  testsupport::TempDir home;
  fs::create_directories(home.path() / "home");
  const CliRun run = RunCli(home, "export --from 20240101 --to 20241231");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("集計を始めます。"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(home.path() / "home" / "csv"));
}

TEST(ExportCommand, RefusesBadArguments) {
  testsupport::TempDir home;
  fs::create_directories(home.path() / "home");
  EXPECT_EQ(RunCli(home, "export --from 2024 --to 20241231 --yes").status, 2);
  EXPECT_EQ(RunCli(home, "export --from 20240101 --to 20241231 --logic C --yes").status, 2);
  EXPECT_EQ(RunCli(home, "export --from 20240101 --to 20241231 --jobs 0 --yes").status, 2);
  EXPECT_EQ(RunCli(home, "export --to 20241231 --yes").status, 2);
}

// Nine days of sample feed from Saturday 4 May 2024, pulled with final odds.
void PullSampleWeek(const testsupport::TempDir& home) {
  const std::string feed = home.str() + "/feed";
  ASSERT_EQ(RunCli(home, "feed --out '" + feed + "' --from 20240504 --days 9").status, 0);
  const CliRun run =
      RunCli(home, "pull --feed '" + feed + "' --from \"2024/05/01 00:00:00\" --final-odds");
  ASSERT_EQ(run.status, 0) << run.err;
}

// A pulled week exported by the command, then read back by stats.
TEST(ExportCommand, ExportsAPulledWeekAndStatsReadsItBack) {
  testsupport::TempDir home;
  ASSERT_NO_FATAL_FAILURE(PullSampleWeek(home));
  CliRun run;
  run = RunCli(home, "export --from 20240504 --to 20240512 --logic B --yes --jobs 2");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("/4] 2024年05月04日\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("[4/4] "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("wrote csv/B_馬連20240504_20240512.csv"), std::string::npos) << run.err;
  const std::string file =
      testsupport::ReadFileBytes(home.path() / "home" / "csv" / "B_馬連20240504_20240512.csv");
  ASSERT_FALSE(file.empty());
  size_t lines = 0;
  for (char c : file) lines += c == '\n';
  run = RunCli(home, "stats --file B_馬連20240504_20240512.csv --json");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\"rows\":" + std::to_string(lines) + ",\"skipped\":0,"),
            std::string::npos)
      << run.out.substr(0, 200);

  run = RunCli(home, "export --from 20240504 --to 20240512 --logic none --yes");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("no file written"), std::string::npos) << run.err;
}

// The progress lines name the days oldest first, however the workers finish them: here
// the first day, a whole one, takes longer than the three after it, which do not load.
TEST(ExportCommand, ReportsTheDaysInDateOrder) {
  testsupport::TempDir home;
  ASSERT_NO_FATAL_FAILURE(PullSampleWeek(home));
  CliRun run;
  for (const char* day : {"2024年05月05日", "2024年05月11日", "2024年05月12日"}) {
    const fs::path ra = home.path() / "home" / "Data" / (std::string(day) + ".jvRA");
    testsupport::WriteFileBytes(ra, testsupport::ReadFileBytes(ra) + "RA7short\r\n");
  }
  run = RunCli(home, "export --from 20240504 --to 20240512 --logic A --yes --jobs 2");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("[1/4] 2024年05月04日\n"
                         "[2/4] 2024年05月05日\n"
                         "[3/4] 2024年05月11日\n"
                         "[4/4] 2024年05月12日\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("1 of 4 days"), std::string::npos) << run.err;
}

}  // namespace
