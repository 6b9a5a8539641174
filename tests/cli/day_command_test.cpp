#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "../store/race_day_files.h"
#include "cli_run.h"
#include "codes/cp932.h"
#include "platform/clock.h"
#include "store/record_store.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace {

using testsupport::CliRun;
using testsupport::RunCli;

class DayCommandTest : public ::testing::Test {
 protected:
  DayCommandTest() : clock_({2024, 5, 18, 9, 0, 0}), store_(home_.path() / "home", clock_) {
    store_.PrepareFolders();
    testsupport::StoreDay(store_, "20240518", {{"08", 1, 8}, {"05", 11, 16}});
    testsupport::StoreDay(store_, "20240512", {{"05", 1, 8}});
  }
  testsupport::TempDir home_;
  platform::FixedClock clock_;
  store::RecordStore store_;
};

TEST_F(DayCommandTest, DaysListsTheDatesNewestFirst) {
  CliRun run = RunCli(home_, "days");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "2024年05月18日\n2024年05月12日\n");
}

TEST_F(DayCommandTest, DayPrintsTheRaceListVenuesAndMarks) {
  CliRun run = RunCli(home_, "day --day 2024年05月18日 --json");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string race0 = R"({"slot":0,"OzAve123":0,"AsaURFavOdds":0,"URTaisho":0,"UTTaisho":0,)"
                            R"("SRTaisho":0,"Logic2Taisho":0,"FavDayRank":0})";
  const std::string race1 = R"({"slot":1,"OzAve123":0,"AsaURFavOdds":0,"URTaisho":0,"UTTaisho":0,)"
                            R"("SRTaisho":0,"Logic2Taisho":0,"FavDayRank":0})";
  EXPECT_EQ(run.out,
            R"({"day":"2024年05月18日","items":["東京11R","京都 1R"],)"
            R"("DayVenues":["05","08",""],)"
            R"("preDay":{"PreDayFav1st":[0,0,0],"PreDayFav2nd":[0,0,0],"present":[0,0,0]},)"
            R"("races":[)" +
                race0 + "," + race1 + "]}\n");
}

TEST_F(DayCommandTest, TheMarksAreThoseOfTheAnalysisAfterTheLoad) {
  testsupport::WriteFileBytes(
      store_.DataFolder() / "2024年05月18日.jvO1a",
      testsupport::O1Of(testsupport::KeyOf("20240518", "05", 11), {15, 30, 60, 100}));
  CliRun run = RunCli(home_, "day --day 2024年05月18日 --json");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(R"({"slot":0,"OzAve123":3.5,)"), std::string::npos) << run.out;
}

TEST_F(DayCommandTest, ABadDayFilePrintsWhatIsWrongAndFails) {
  testsupport::WriteFileBytes(store_.DataFolder() / "2024年05月12日.jvRA", std::string(100, ' '));
  CliRun run = RunCli(home_, "day --day 2024年05月12日 --json");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("2024年05月12日.jvRA"), std::string::npos) << run.err;
  const std::string log = codes::SjisToUtf8Lenient(
      testsupport::ReadFileBytes(home_.path() / "home" / "ErrorLog.txt"));
  EXPECT_NE(log.find("ends inside the record"), std::string::npos) << log;
}

TEST_F(DayCommandTest, TheTextViewListsSlotRaceAndMarksUnderTheChoicesInForce) {
  testsupport::WriteFileBytes(
      store_.DataFolder() / "2024年05月18日.jvO1a",
      testsupport::O1Of(testsupport::KeyOf("20240518", "05", 11), {15, 30, 60, 100}));
  CliRun run = RunCli(home_, "day --day 2024-05-18");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "day: 2024年05月18日\n");
  EXPECT_EQ(
      run.out,
      "2024年05月18日: 2 races\n"
      "logic A, mode 0 (均等), amount 3000 yen (the default amount of each race)\n\n"
      "slot  レース   馬連  馬単  ３連複・３連単  ロジックＢ  平均ｵｯｽﾞ123  馬連1人ｵｯｽﾞ  日順位\n"
      "   0  東京11R  対象  -     対象            -                  3.50          0.0       0\n"
      "   1  京都 1R  -     -     -               -                  0.00          0.0       0\n");
}

}  // namespace
