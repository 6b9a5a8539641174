#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli_run.h"
#include "codes/cp932.h"
#include "store/line_files.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CliRun;
using testsupport::RunCli;

const std::string kDay = "2024年05月18日";

// A program folder with the sample feed of the week up to "today", 2024-05-18, pulled
// in the morning of that day (made once, copied for each test).
class LiveCommandTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pulled_ = new testsupport::TempDir;
    fs::create_directories(pulled_->path() / "home");
    Now("2024/05/18 08:20:00");
    CliRun feed =
        RunCli(*pulled_, "feed --out '" + Feed().string() + "' --from 20240518 --days 1 --today");
    ASSERT_EQ(feed.status, 0) << feed.err;
    CliRun pull = RunCli(*pulled_, "pull --from '2024/05/01 00:00:00'" + FeedOption());
    ASSERT_EQ(pull.status, 0) << pull.err;
  }
  static void TearDownTestSuite() {
    delete pulled_;
    pulled_ = nullptr;
    unsetenv("QUORVANE_NOW");
  }
  LiveCommandTest() {
    fs::copy(pulled_->path() / "home", Home(), fs::copy_options::recursive);
    Now("2024/05/18 08:20:00");
  }
  static void Now(const char* moment) { setenv("QUORVANE_NOW", moment, 1); }
  fs::path Home() const { return home_.path() / "home"; }
  static fs::path Feed() { return pulled_->path() / "feed"; }
  static std::string FeedOption() { return " --feed '" + Feed().string() + "'"; }
  std::string DataFile(const fs::path& home, const std::string& suffix) const {
    return testsupport::ReadFileBytes(home / "Data" / fs::u8path(kDay + suffix));
  }

  static testsupport::TempDir* pulled_;
  testsupport::TempDir home_;
};

testsupport::TempDir* LiveCommandTest::pulled_ = nullptr;

TEST_F(LiveCommandTest, RunsTheDayFasterAndLeavesTheStoreOfAPullAfterTheRaces) {
  const auto start = std::chrono::steady_clock::now();
  CliRun live = RunCli(home_, "live --at 08:25:00 --speed 6000" + FeedOption());
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
  ASSERT_EQ(live.status, 0) << live.err;
  EXPECT_LT(seconds.count(), 60);
  EXPECT_NE(live.err.find("08:25:00 2024年05月18日 を読み込みます\n"), std::string::npos);
  EXPECT_NE(live.err.find("09:15:00 朝ｵｯｽﾞ 新潟 1R: 取込件数:6件"), std::string::npos) << live.err;
  EXPECT_NE(live.err.find("ﾚｰｽ情報データ取得中\n"), std::string::npos);
  EXPECT_EQ(live.err.find("18:10:00 ﾚｰｽ情報データ取得中"), std::string::npos);
  EXPECT_NE(live.err.find("18:00:00 終了しました\n"), std::string::npos);

  // The reference: another folder pulled after the races with the final odds.
  testsupport::TempDir other;
  fs::create_directories(other.path() / "home");
  Now("2024/05/18 18:00:00");
  CliRun pull = RunCli(other, "pull --final-odds --from '2024/05/01 00:00:00'" + FeedOption());
  ASSERT_EQ(pull.status, 0) << pull.err;
  for (const char* suffix : {".jvO1a", ".jvO2a", ".jvO3a", ".jvO4a", ".jvO5a", ".jvO6a", ".jvRA"}) {
    const std::string mine = DataFile(Home(), suffix);
    EXPECT_FALSE(mine.empty()) << suffix;
    EXPECT_TRUE(mine == DataFile(other.path() / "home", suffix)) << suffix;
  }
  const std::string log = testsupport::ReadFileBytes(Home() / "ErrorLog.txt");
  EXPECT_EQ(log.find(codes::Sj("【エラー】")), std::string::npos) << codes::SjisToUtf8(log);
}

TEST_F(LiveCommandTest, AnEndBeforeTheStartRunsThroughMidnightToThatTimeOfTheNextDay) {
  Now("2024/05/17 20:00:00");
  CliRun live = RunCli(home_, "live --at 20:00:00 --until 09:20 --speed 20000" + FeedOption());
  ASSERT_EQ(live.status, 0) << live.err;
  EXPECT_NE(live.err.find("20:00:00 2024年05月18日 を読み込みます\n"), std::string::npos)
      << live.err;
  EXPECT_NE(live.err.find("09:15:00 朝ｵｯｽﾞ 新潟 1R: 取込件数:6件"), std::string::npos) << live.err;
  EXPECT_NE(live.err.find("09:20:00 終了しました\n"), std::string::npos) << live.err;
}

TEST_F(LiveCommandTest, BadTimesAndSpeedsAreUsageErrors) {
  for (const char* words : {"live --at 25:00:00", "live --at 9:15", "live --speed 0",
                            "live --until 18:00:00", "live --day 2024年05月18日"}) {
    EXPECT_EQ(RunCli(home_, words).status, 2) << words;
  }
}

TEST_F(LiveCommandTest, ADayWithoutDataIsRefused) {
  Now("2024/05/25 08:20:00");
  CliRun live = RunCli(home_, "live --at 09:00:00 --until 09:01" + FeedOption());
  EXPECT_EQ(live.status, 1);
  EXPECT_NE(live.err.find("今日の開催日ﾃﾞｰﾀがありません"), std::string::npos) << live.err;
}

TEST_F(LiveCommandTest, TimeSeriesTakesTheMorningOddsOfTheCompanionFolder) {
  CliRun unset = RunCli(home_, "timeseries --day " + kDay);
  EXPECT_EQ(unset.status, 1);
  EXPECT_NE(unset.err.find("時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。"), std::string::npos) << unset.err;

  testsupport::WriteFileBytes(Home() / "Quorvane.ini",
                              "[Dir]\r\njikeiretu=" + (Feed() / "timeseries").string() + "\r\n");
  CliRun run = RunCli(home_, "timeseries --day " + kDay);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("36ﾚｰｽ分の単複枠朝ｵｯｽﾞ、"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("36ﾚｰｽ分の馬連朝ｵｯｽﾞ"), std::string::npos) << run.err;
  const auto lines = store::SplitLines(DataFile(Home(), ".jvO1a"));
  ASSERT_EQ(lines.size(), 36u);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.substr(27, 4), "0518");
    EXPECT_EQ(line.substr(31, 2), "07") << line.substr(27, 8);  // the announcement near 07:00
  }
  // Once more: the same lines again, one per race.
  EXPECT_EQ(RunCli(home_, "timeseries --day " + kDay).status, 0);
  EXPECT_EQ(store::SplitLines(DataFile(Home(), ".jvO1a")), lines);
}

}  // namespace
