// Starting on a disk that takes no more writes, and settings edited by hand beyond what
// the settings dialog allows, met through the CLI.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../store/race_day_files.h"
#include "cli_run.h"
#include "codes/cp932.h"
#include "platform/clock.h"
#include "store/record_store.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CliRun;
using testsupport::RunCli;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class StoredDayTest : public ::testing::Test {
 protected:
  StoredDayTest() : clock_({2024, 5, 18, 9, 0, 0}), store_(home_.path() / "home", clock_) {
    store_.PrepareFolders();
    testsupport::StoreDay(store_, "20240518", {{"05", 1, 8}, {"05", 2, 8}});
  }
  fs::path Home() const { return home_.path() / "home"; }
  std::string Log() const {
    return codes::SjisToUtf8Lenient(testsupport::ReadFileBytes(Home() / "ErrorLog.txt"));
  }

  testsupport::TempDir home_;
  platform::FixedClock clock_;
  store::RecordStore store_;
};

// ---------------------------------------------------------------------------------
// ErrorLog.txt cannot be rewritten (its temporary file's place is taken, as a full
// disk refuses it): the commands that only read warn and go on; a pull stops.

struct LogCase {
  const char* name;
  const char* words;
  int status;
  const char* out_part;
};

// clang-format off
const LogCase kLogCases[] = {
  {"Days", "days", 0, "2024年05月18日\n"},
  {"Day",  "day --day 2024年05月18日 --json", 0, R"("items":["東京 1R","東京 2R"])"},
  {"Race", "race --day 2024年05月18日 --slot 1 --json", 0, R"("amount":3000)"},
  {"Pull", "pull --from '2024/05/01 00:00:00'", 1, ""},
};
// clang-format on

class UnwritableLogTest : public StoredDayTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(UnwritableLogTest, ReadingGoesOnWithAWarning) {
  const LogCase& c = GetParam();
  fs::create_directories(Home() / "feed" / "stored");
  fs::create_directories(Home() / "ErrorLog.txt.tmp" / "taken");
  CliRun run = RunCli(home_, c.words);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_TRUE(Has(run.err, "警告：エラーログに書き込めません")) << run.err;
  EXPECT_TRUE(Has(run.out, c.out_part)) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Commands, UnwritableLogTest, ::testing::ValuesIn(kLogCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------
// A stake in the settings file beyond the six digits of the stake field.

struct StakeCase {
  const char* name;
  const char* value;
  const char* amount;
  bool logged;
};

// clang-format off
const StakeCase kStakeCases[] = {
  {"Largest",        "2147483647", R"("amount":3000)",   true},
  {"SevenDigits",    "1000000",    R"("amount":3000)",   true},
  {"BelowTheLeast",  "99",         R"("amount":3000)",   true},
  {"Negative",       "-500",       R"("amount":3000)",   true},
  {"SixDigits",      "999999",     R"("amount":999999)", false},
  {"TheLeast",       "100",        R"("amount":100)",    false},
};
// clang-format on

class StakeSettingTest : public StoredDayTest, public ::testing::WithParamInterface<StakeCase> {};

TEST_P(StakeSettingTest, AStakeOutsideTheFieldIsTheDefault) {
  const StakeCase& c = GetParam();
  testsupport::WriteFileBytes(Home() / "Quorvane.ini",
                              std::string("[KaimeSet]\r\nDefaultAmount=") + c.value + "\r\n");
  CliRun run = RunCli(home_, "race --day 2024年05月18日 --slot 1 --json");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Has(run.out, c.amount)) << run.out;
  EXPECT_EQ(
      Has(Log(),
          std::string("設定値が範囲外のため既定値を使います：[KaimeSet]DefaultAmount=") + c.value),
      c.logged)
      << Log();
}

INSTANTIATE_TEST_SUITE_P(Stakes, StakeSettingTest, ::testing::ValuesIn(kStakeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
