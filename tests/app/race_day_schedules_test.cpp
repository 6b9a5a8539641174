#include "app/race_day_schedules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../store/race_day_files.h"
#include "app/live_labels.h"
#include "app/timer_runner.h"
#include "codes/cp932.h"
#include "jvlink/shared_stream.h"
#include "store/record_lengths.h"
#include "support/record_builder.h"
#include "support/recording_prompts.h"
#include "support/temp_dir.h"

namespace app {
namespace {

using testsupport::KeyOf;

// JV-Link that has nothing released yet and remembers every real-time open.
class NothingYet : public jvlink::JVLink {
 public:
  std::vector<std::string> opens;
  int JVInit(const std::string&) override { return 0; }
  int JVSetUIProperties() override { return 0; }
  int JVOpen(const std::string&, const std::string&, int, int&, int&, std::string&) override {
    return -1;
  }
  int JVStatus() override { return 0; }
  int JVRead(std::string&, int, std::string&) override { return 0; }
  int JVRTOpen(const std::string& dataspec, const std::string& key) override {
    opens.push_back(dataspec + " " + key);
    return -1;
  }
  int JVCancel() override { return 0; }
  int JVClose() override { return 0; }
};

std::string DayOf(const std::string& ymd) {
  return codes::Sj(ymd.substr(0, 4) + "年" + ymd.substr(4, 2) + "月" + ymd.substr(6, 2) + "日");
}

long long Ms(const platform::LocalTime& t) {
  return (t.hour * 3600LL + t.minute * 60 + t.second) * 1000;
}

class SchedulesTest : public ::testing::Test {
 protected:
  SchedulesTest()
      : clock_({2024, 5, 18, 8, 30, 0}),
        link_(control_),
        session_(prompts_, clock_, &link_, launcher_, companions_, home_.path()),
        fetches_(session_, link_),
        schedules_(session_, fetches_) {
    session_.Start();
  }
  // A day of races at racecourse 05 with the given post times, data kind `kind`.
  void StoreDay(const std::string& ymd, const std::vector<std::string>& posts, char kind = '7') {
    for (size_t i = 0; i < posts.size(); ++i) {
      const std::string key = KeyOf(ymd, "05", static_cast<int>(i) + 1);
      std::string ra = testsupport::RaOf(key, 8, posts[i]);
      ra[2] = kind;
      session_.Store().StoreDayRecord(session_.Store().Disk(), ra, ".jvRA", true,
                                      store::OrderMode::kSortAndDrop);
      for (int h = 1; h <= 8; ++h) {
        session_.Store().StoreRunnerRecord(session_.Store().Disk(), testsupport::SeOf(key, h),
                                           true);
      }
    }
    session_.BuildDateList();
  }
  LoadResult Load(const std::string& ymd) { return session_.ChooseDate(DayOf(ymd)); }
  // Runs the timers from `from` (the moment of the load) to `to` on the fake clock.
  void Run(const platform::LocalTime& from, const platform::LocalTime& to) {
    TimerRunner runner(schedules_, Ms(from));
    for (auto due = runner.NextDue(); due && *due <= Ms(to); due = runner.NextDue()) {
      platform::LocalTime t = from;
      t.hour = static_cast<int>(*due / 3600000);
      t.minute = static_cast<int>(*due / 60000 % 60);
      t.second = static_cast<int>(*due / 1000 % 60);
      clock_.Set(t);
      runner.FireDue(*due);
    }
  }
  std::vector<std::string> OpensOf(const std::string& dataspec) const {
    std::vector<std::string> found;
    for (const std::string& o : control_.opens) {
      if (o.starts_with(dataspec)) found.push_back(o);
    }
    return found;
  }

  testsupport::TempDir home_;
  testsupport::RecordingPrompts prompts_;
  platform::FixedClock clock_;
  NothingYet control_;
  jvlink::SharedStream link_;
  platform::ProcessLauncher launcher_;
  platform::NoCompanionLocator companions_;
  Session session_;
  LiveFetches fetches_;
  RaceDaySchedules schedules_;
};

// ---- Current day ---------------------------------------------------------------------------

struct CurrentCase {
  const char* name;
  platform::LocalTime now;
  bool current;
};

class CurrentDay : public SchedulesTest, public ::testing::WithParamInterface<CurrentCase> {};

TEST_P(CurrentDay, DecidesTimersAndCountdown) {
  StoreDay("20240519", {"1000", "1100"});
  clock_.Set(GetParam().now);
  ASSERT_EQ(Load("20240519"), LoadResult::kLoaded);
  EXPECT_EQ(schedules_.Timer(TimerId::kResult).enabled, GetParam().current);
  EXPECT_EQ(schedules_.Timer(TimerId::kChange).enabled, GetParam().current);
  EXPECT_EQ(schedules_.Timer(TimerId::kMorning).enabled, GetParam().current);
  EXPECT_EQ(schedules_.CountdownVisible, GetParam().current);
  EXPECT_EQ(schedules_.Timer(TimerId::kResult).interval_ms, 600000);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Moments, CurrentDay, ::testing::Values(
  CurrentCase{"TomorrowAt1755", {2024, 5, 18, 17, 55, 0}, false},
  CurrentCase{"TomorrowAt1805", {2024, 5, 18, 18, 5, 0}, true},
  CurrentCase{"TomorrowAt1800", {2024, 5, 18, 18, 0, 0}, true},
  CurrentCase{"TheDayItself", {2024, 5, 19, 7, 0, 0}, true},
  CurrentCase{"TwoDaysBefore", {2024, 5, 17, 19, 0, 0}, false},
  CurrentCase{"TheDayAfter", {2024, 5, 20, 9, 0, 0}, false}
), [](const ::testing::TestParamInfo<CurrentCase>& info) { return info.param.name; });
// clang-format on

TEST_F(SchedulesTest, TheResultTimerStopsWhenAnotherDayIsLoadedButTheOthersRunOn) {
  StoreDay("20240518", {"1000"});
  StoreDay("20240511", {"1000"});
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  ASSERT_EQ(Load("20240511"), LoadResult::kLoaded);
  EXPECT_FALSE(schedules_.Timer(TimerId::kResult).enabled);
  EXPECT_TRUE(schedules_.Timer(TimerId::kChange).enabled);
  EXPECT_TRUE(schedules_.Timer(TimerId::kMorning).enabled);
  EXPECT_FALSE(schedules_.CountdownVisible);
}

// ---- Schedules on the clock ---------------------------------------------------------------

TEST_F(SchedulesTest, DefaultWindowsOfResultsAndChangeNotices) {
  StoreDay("20240518", {"1000", "1030"});
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  Run({2024, 5, 18, 8, 30, 0}, {2024, 5, 18, 18, 20, 0});
  const std::vector<std::string> results = OpensOf("0B12");
  const std::vector<std::string> changes = OpensOf("0B14");
  // Results every 10 minutes after 09:25 up to 18:00: 09:30 … 18:00.
  EXPECT_EQ(results.size(), 52u);
  // Change notices every 5 minutes after 08:55, also past 18:00: 09:00 … 18:20.
  EXPECT_EQ(changes.size(), 113u);
  EXPECT_EQ(changes.front(), "0B14 20240518");
}

TEST_F(SchedulesTest, GetIntervalZeroLeavesNoChangeTimerAndMovesTheResultWindow) {
  session_.Settings().Ini().WriteString("Henko", "GetInterval", "0");
  StoreDay("20240518", {"1000"});
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  EXPECT_FALSE(schedules_.Timer(TimerId::kChange).enabled);
  EXPECT_EQ(session_.Day().RdataIntervalMin, 0);
  Run({2024, 5, 18, 8, 30, 0}, {2024, 5, 18, 9, 40, 0});
  // After 09:30, no longer 09:25: the 09:30 tick does not fetch, 09:40 does.
  EXPECT_EQ(OpensOf("0B12").size(), 1u);
  EXPECT_TRUE(OpensOf("0B14").empty());
}

TEST_F(SchedulesTest, AfterSixTheResultTimerNoLongerFetchesButChangeNoticesGoOn) {
  StoreDay("20240518", {"1000"});
  clock_.Set({2024, 5, 18, 17, 51, 0});
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  Run({2024, 5, 18, 17, 51, 0}, {2024, 5, 18, 18, 11, 0});
  EXPECT_TRUE(OpensOf("0B12").empty());   // 18:01 and 18:11
  EXPECT_EQ(OpensOf("0B14").size(), 4u);  // 17:56, 18:01, 18:06, 18:11
}

TEST_F(SchedulesTest, AnEntriesOnlyCardRefusesTheMorningOdds) {
  StoreDay("20240518", {"1000", "1030"}, '1');
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  ASSERT_EQ(prompts_.InformsUtf8().size(), 1u);
  EXPECT_EQ(prompts_.InformsUtf8()[0],
            "出走表データが最新でありません。JVデータ取得ボタンよりデータを取得してからオッズを取得"
            "してください。");
  EXPECT_FALSE(schedules_.AutoOddsChecked());
  EXPECT_FALSE(schedules_.Timer(TimerId::kMorning).enabled);
  EXPECT_TRUE(schedules_.Timer(TimerId::kResult).enabled);
  Run({2024, 5, 18, 8, 30, 0}, {2024, 5, 18, 9, 20, 0});
  EXPECT_TRUE(OpensOf("0B30").empty());
}

TEST_F(SchedulesTest, TheMorningTimerPutsEveryRaceOnTheListOnce) {
  StoreDay("20240518", {"1000", "1030", "1100"});
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  EXPECT_EQ(session_.Day().Work[2].AsaFetchTime1, "091500");
  EXPECT_EQ(session_.Day().Work[2].AsaFetchTime2, "091600");
  EXPECT_EQ(session_.Day().Work[3].AsaFetchTime1, "");  // no race in the slot
  Run({2024, 5, 18, 8, 30, 0}, {2024, 5, 18, 9, 20, 0});
  EXPECT_EQ(OpensOf("0B30"), (std::vector<std::string>{"0B30 " + KeyOf("20240518", "05", 1),
                                                       "0B30 " + KeyOf("20240518", "05", 2),
                                                       "0B30 " + KeyOf("20240518", "05", 3)}));
  EXPECT_EQ(session_.Day().AsaFetched1[2], 1);
}

TEST_F(SchedulesTest, ANoticeForAnUnknownRaceIsLoggedOnceAndChangesNothing) {
  StoreDay("20240518", {"1000"});
  std::string tc =
      testsupport::RecordWithKey("TC", store::kTcLength, '1', KeyOf("20240518", "06", 4));
  testsupport::Put(tc, 28, "05180930");
  testsupport::Put(tc, 36, "1105");
  session_.Store().Disk().Save(session_.Store().ChangeFilePath(DayOf("20240518")),
                               {tc.substr(0, tc.size() - 2)});
  const auto before = testsupport::FolderSnapshot(session_.Store().DataFolder());
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  fetches_.ApplyChangeNotices();  // applied again: logged once per day load
  EXPECT_EQ(testsupport::FolderSnapshot(session_.Store().DataFolder()), before);
  const std::string log =
      codes::SjisToUtf8(testsupport::ReadFileBytes(home_.path() / "ErrorLog.txt"));
  const std::string line = "変更通知の対象レースがありません：" + KeyOf("20240518", "06", 4);
  ASSERT_NE(log.find(line), std::string::npos) << log;
  EXPECT_EQ(log.find(line), log.rfind(line));
}

TEST_F(SchedulesTest, AMorningTimeOutOfRangeIsLoggedOncePerDayLoadNotAtEveryNotice) {
  StoreDay("20240518", {"1000"});
  testsupport::WriteFileBytes(home_.path() / "Quorvane.ini", "[Time]\r\nFirst=1000\r\n");
  auto logged = [this] {
    const std::string log =
        codes::SjisToUtf8(testsupport::ReadFileBytes(home_.path() / "ErrorLog.txt"));
    size_t count = 0;
    for (size_t at = log.find("[Time]First=1000"); at != std::string::npos;
         at = log.find("[Time]First=1000", at + 1)) {
      ++count;
    }
    return count;
  };
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  EXPECT_EQ(session_.Day().Work[0].AsaFetchTime1, "091500");  // the default in its place
  for (int notice = 0; notice < 3; ++notice) fetches_.ApplyChangeNotices();
  Run({2024, 5, 18, 8, 30, 0}, {2024, 5, 18, 9, 30, 0});
  EXPECT_EQ(logged(), 1u);
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  fetches_.ApplyChangeNotices();
  EXPECT_EQ(logged(), 2u);
}

// ---- Labels and the next race ---------------------------------------------------------------

TEST_F(SchedulesTest, TheCountdownOfARaceTwoDaysAheadShowsOnlyItsTimeOfDayPart) {
  StoreDay("20240520", {"1000"});
  ASSERT_EQ(Load("20240520"), LoadResult::kLoaded);
  clock_.Set({2024, 5, 18, 8, 30, 15});
  schedules_.Tick(TimerId::kCountdown);
  EXPECT_EQ(codes::SjisToUtf8(schedules_.CountdownLabel), "発走までの残り時間：01:29:45");
  EXPECT_FALSE(schedules_.CountdownVisible);
  clock_.Set({2024, 5, 20, 10, 0, 0});
  schedules_.Tick(TimerId::kCountdown);
  EXPECT_EQ(codes::SjisToUtf8(schedules_.CountdownLabel), "発走済み");
}

TEST_F(SchedulesTest, TheCountdownOfTomorrowsDayIsCleared) {
  StoreDay("20240519", {"1000"});
  clock_.Set({2024, 5, 18, 18, 30, 0});
  ASSERT_EQ(Load("20240519"), LoadResult::kLoaded);
  schedules_.Tick(TimerId::kCountdown);
  EXPECT_EQ(schedules_.CountdownLabel, "");
  schedules_.Tick(TimerId::kClock);
  EXPECT_EQ(codes::SjisToUtf8(schedules_.ClockLabel), "18時30分00秒");
}

TEST_F(SchedulesTest, NextRaceTakesTheNearestPostTimeStillToCome) {
  StoreDay("20240518", {"1155", "1205", "1230"});
  ASSERT_EQ(Load("20240518"), LoadResult::kLoaded);
  clock_.Set({2024, 5, 18, 11, 58, 0});
  EXPECT_TRUE(schedules_.NextRace());
  EXPECT_EQ(session_.DatList.ItemIndex, 1);
  clock_.Set({2024, 5, 18, 12, 31, 0});
  EXPECT_FALSE(schedules_.NextRace());
  EXPECT_EQ(session_.DatList.ItemIndex, 1);
}

}  // namespace
}  // namespace app
