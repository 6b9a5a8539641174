#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "../store/race_day_files.h"
#include "cli_run.h"
#include "platform/clock.h"
#include "store/record_store.h"
#include "support/temp_dir.h"

namespace {

using ::testing::HasSubstr;
using testsupport::CliRun;
using testsupport::RunCli;

struct DayFormCase {
  const char* label;
  const char* day;  // the --day value
  const char* now;  // QUORVANE_NOW
  int status;
  const char* err;  // a part of standard error
};

// The case as test names and messages show it.
[[maybe_unused]] void PrintTo(const DayFormCase& c, std::ostream* os) { *os << c.label; }

// Stored days: 2024年05月12日 and 2024年05月18日.
// clang-format off
const DayFormCase kDayForms[] = {
  {"day_prefix",        "2024年05月18日", "2024/05/20 09:00:00", 0, "day: 2024年05月18日\n"},
  {"dashes",            "2024-05-18",     "2024/05/20 09:00:00", 0, "day: 2024年05月18日\n"},
  {"digits",            "20240512",       "2024/05/20 09:00:00", 0, "day: 2024年05月12日\n"},
  {"today",             "today",          "2024/05/18 09:00:00", 0, "day: 2024年05月18日\n"},
  {"latest_skips_today","latest",         "2024/05/18 09:00:00", 0, "day: 2024年05月12日\n"},
  {"latest",            "latest",         "2024/05/19 09:00:00", 0, "day: 2024年05月18日\n"},
  {"between_days",      "2024-05-15",     "2024/05/20 09:00:00", 1,
   "2024年05月15日 is not a stored race day.\n"
   "Nearest stored days: 2024年05月12日 (before) 2024年05月18日 (after). "
   "`quorvane-cli days` lists them all.\n"},
  {"after_every_day",   "2024年12月07日", "2024/05/20 09:00:00", 1,
   "Nearest stored days: 2024年05月18日 (before)."},
  {"before_every_day",  "20240101",       "2024/05/20 09:00:00", 1,
   "Nearest stored days: 2024年05月12日 (after)."},
  {"today_not_stored",  "today",          "2024/05/20 09:00:00", 1,
   "2024年05月20日 is not a stored race day."},
  {"latest_is_today",   "latest",         "2024/05/12 09:00:00", 1,
   "No stored day is before today (2024年05月12日).\n"
   "Today is stored, its races still running: --day today shows it.\n"},
  {"latest_none",       "latest",         "2024/05/01 09:00:00", 1,
   "No stored day is before today (2024年05月01日).\n"
   "Nearest stored days: 2024年05月12日 (after)."},
  {"leap_day",          "2024-02-29",     "2024/05/20 09:00:00", 1, "2024年02月29日 is not a stored"},
  {"no_leap_day",       "2023-02-29",     "2024/05/20 09:00:00", 2, "--day 2023-02-29 is not a date"},
  {"day_32",            "2024年05月32日", "2024/05/20 09:00:00", 2, "is not a date of the calendar"},
  {"month_13",          "20241301",       "2024/05/20 09:00:00", 2, "is not a date of the calendar"},
  {"month_0",           "2024-00-10",     "2024/05/20 09:00:00", 2, "is not a date of the calendar"},
  {"cut_prefix",        "2024年05月18",   "2024/05/20 09:00:00", 2, "--day takes 2024年05月18日, "},
  {"path",              "../x",           "2024/05/20 09:00:00", 2, "--day takes"},
  {"slashes",           "2024/05/18",     "2024/05/20 09:00:00", 2, "--day takes"},
  {"word",              "yesterday",      "2024/05/20 09:00:00", 2, "--day takes"},
};
// clang-format on

class DayFormTest : public ::testing::TestWithParam<DayFormCase> {
 protected:
  DayFormTest() : clock_({2024, 5, 18, 9, 0, 0}), store_(home_.path() / "home", clock_) {
    store_.PrepareFolders();
    testsupport::StoreDay(store_, "20240518", {{"05", 1, 8}});
    testsupport::StoreDay(store_, "20240512", {{"08", 1, 8}});
  }
  testsupport::TempDir home_;
  platform::FixedClock clock_;
  store::RecordStore store_;
};

// The same forms hold for day, race and vote (they share the reading of --day).
TEST_P(DayFormTest, NamesTheStoredDayOrSaysWhichAreNear) {
  const DayFormCase& c = GetParam();
  const std::string env = std::string("QUORVANE_NOW='") + c.now + "'";
  for (const std::string command : {"day", "race --slot 0"}) {
    CliRun run = RunCli(home_, command + " --day '" + c.day + "'", env);
    EXPECT_EQ(run.status, c.status) << command << "\n" << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.err)) << command;
    if (c.status != 0) {
      EXPECT_EQ(run.out, "") << command;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, DayFormTest, ::testing::ValuesIn(kDayForms),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
