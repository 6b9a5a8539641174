// A whole race day on a fake clock over the sample feed's "today": the day pulled in the
// morning and loaded at 08:30, the timers run until the evening, the closing odds taken,
// and the store compared with a stored pull of the same day made after the races.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/live_labels.h"
#include "codes/cp932.h"
#include "codes/record_field.h"
#include "jvlink/stored_pull.h"
#include "live_rig.h"
#include "samplefeed/feed_writer.h"
#include "store/add_minutes.h"
#include "store/line_files.h"
#include "store/record_lengths.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::LocalTime;
using testsupport::LiveRig;
using testsupport::TimeText;

constexpr LocalTime kMorning{2024, 5, 18, 8, 20, 0};
constexpr LocalTime kLoad{2024, 5, 18, 8, 30, 0};
constexpr LocalTime kPullFrom{2024, 5, 1, 0, 0, 0};
const std::string kDay = "2024年05月18日";

// A post-time change notice of the feed: the race, when it was announced, the new time.
struct Notice {
  std::string key;
  std::string announced;  // hhmm
  std::string post;       // hhmm
};

std::vector<Notice> FeedNotices(const fs::path& feed) {
  std::vector<Notice> notices;
  for (const auto& entry : fs::directory_iterator(feed / "realtime/0B14/20240518")) {
    const std::string bytes = testsupport::ReadFileBytes(entry.path());
    for (size_t at = 0; at < bytes.size();) {
      const size_t end = bytes.find("\r\n", at);
      const std::string record = bytes.substr(at, end - at);
      if (record.starts_with("TC")) {
        notices.push_back({record.substr(11, 16), record.substr(31, 4), record.substr(35, 4)});
      }
      at = end + 2;
    }
  }
  std::sort(notices.begin(), notices.end(),
            [](const Notice& a, const Notice& b) { return a.announced < b.announced; });
  return notices;
}

LocalTime At(int h, int m, int s = 0) { return {2024, 5, 18, h, m, s}; }

// The tick of a timer started at 08:30 with `step` minutes at or after hhmm.
LocalTime TickAtOrAfter(const std::string& hhmm, int step) {
  const int minute = std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(2, 2));
  int tick = 8 * 60 + 30;
  while (tick < minute) tick += step;
  return At(tick / 60, tick % 60);
}

std::string Hhnn(const LocalTime& t) { return TimeText(t).substr(0, 2) + TimeText(t).substr(3, 2); }

class LiveDayEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testsupport::TempDir;
    samplefeed::FeedOptions feed;
    feed.out = dir_->path() / "feed";
    feed.from = 20240511;
    feed.days = 8;
    feed.today = true;
    samplefeed::WriteFeed(feed);
    // The reference: the accumulated data of the day pulled after the races, final odds too.
    LiveRig reference(feed.out, dir_->path() / "reference", At(18, 30));
    reference.Pull(kPullFrom, true);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static fs::path Feed() { return dir_->path() / "feed"; }
  static fs::path Reference() { return dir_->path() / "reference"; }

  // A program folder pulled in the morning of the day, the day loaded at 08:30.
  std::unique_ptr<LiveRig> MorningRig() {
    auto rig = std::make_unique<LiveRig>(Feed(), home_.path(), kMorning);
    rig->Pull(kPullFrom, false);
    rig->clock.Set(kLoad);
    EXPECT_EQ(rig->LoadToday(), app::LoadResult::kLoaded);
    return rig;
  }

  static testsupport::TempDir* dir_;
  testsupport::TempDir home_;
};

testsupport::TempDir* LiveDayEndToEnd::dir_ = nullptr;

std::string FileOf(const fs::path& home, const std::string& name) {
  return testsupport::ReadFileBytes(home / "Data" / fs::u8path(name));
}

int SlotOf(const app::Session& session, const std::string& key) {
  for (int s = 0; s < static_cast<int>(session.DatList.Items.size()); ++s) {
    if (session.Day().RaRec[s].Field(12, 16) == key) return s;
  }
  return -1;
}

// Each change notice is applied at the first change-notice tick that sees it: the race
// takes the new post time, in the day file too, its morning times are set again, and its
// countdown runs to the new time.
void ExpectNoticesApplied(LiveRig& rig, const std::vector<Notice>& notices) {
  const app::Session& session = rig.session;
  for (const Notice& n : notices) {
    const LocalTime tick = TickAtOrAfter(n.announced, 5);
    rig.RunUntil(tick);
    const int slot = SlotOf(session, n.key);
    ASSERT_GE(slot, 0) << n.key;
    EXPECT_EQ(session.Day().RaRec[slot].Field(874, 4), n.post) << n.key << " " << TimeText(tick);
    EXPECT_EQ(session.Day().Work[slot].AsaFetchTime1, "091500");
    EXPECT_EQ(session.Day().Work[slot].AsaFetchTime2, "091600");
    bool in_file = false;
    for (const std::string& line :
         store::SplitLines(FileOf(rig.session.Store().ProgramFolder(), kDay + ".jvRA"))) {
      if (line.substr(11, 16) == n.key) in_file = line.substr(873, 4) == n.post;
    }
    EXPECT_TRUE(in_file) << n.key;
    const int minutes = std::stoi(n.post.substr(0, 2)) * 60 + std::stoi(n.post.substr(2, 2)) -
                        tick.hour * 60 - tick.minute;
    char expected[64];
    std::snprintf(expected, sizeof expected, "発走までの残り時間：%02d:%02d:00", minutes / 60,
                  minutes % 60);
    EXPECT_EQ(codes::SjisToUtf8(app::CountdownText(session.Day().RaRec[slot], tick)), expected);
  }
}

// Every race's morning odds fetched once, all at `when`.
void ExpectMorningOddsAt(const LiveRig& rig, const std::string& when) {
  const auto morning = rig.Events("朝ｵｯｽﾞ");
  ASSERT_EQ(morning.size(), rig.session.DatList.Items.size());
  std::set<std::string> names;
  for (const auto& e : morning) {
    EXPECT_EQ(TimeText(e.at), when) << e.what;
    EXPECT_EQ(e.outcome, jvlink::FetchOutcome::kDone) << e.what;
    names.insert(e.what);
  }
  EXPECT_EQ(names.size(), morning.size());
}

// Results every 10 minutes from the first tick past the first post time - 35 minutes up to
// 18:00; change notices every 5 minutes from the first tick past it - 65 minutes, on past
// 18:00 (the run goes to 18:30).
void ExpectFetchWindows(const LiveRig& rig, const std::string& first_post) {
  std::vector<std::string> expected_results;
  for (int m = 8 * 60 + 40; m <= 18 * 60 + 30; m += 10) {
    const LocalTime t = At(m / 60, m % 60);
    if (Hhnn(t) <= "1800" && Hhnn(t) > store::AddMinutes(first_post, -35)) {
      expected_results.push_back(TimeText(t));
    }
  }
  std::vector<std::string> result_times;
  for (const auto& e : rig.Events("結果情報")) result_times.push_back(TimeText(e.at));
  EXPECT_EQ(result_times, expected_results);
  EXPECT_EQ(expected_results.back(), "18:00:00");

  const auto changes = rig.Events("開催速報");
  ASSERT_FALSE(changes.empty());
  EXPECT_GT(Hhnn(changes.front().at), store::AddMinutes(first_post, -65));
  EXPECT_LE(Hhnn(changes.front().at), store::AddMinutes(first_post, -60));
  EXPECT_EQ(TimeText(changes.back().at), "18:30:00");
}

// The redraws that followed a result fetch.
int ShownAfterResults(const LiveRig& rig) {
  int shown = 0;
  for (size_t i = 1; i < rig.events.size(); ++i) {
    if (rig.events[i].what == "shown" && rig.events[i - 1].what.starts_with("結果情報")) ++shown;
  }
  return shown;
}

// The odds and race files byte for byte as the pull's; the payout lines but for the stamp
// (the real-time fetch keeps the delivered one, the pull writes zeros), and the payouts
// of every race as a load of the pulled day has them.
void ExpectStoreOfThePull(const app::Session& session, const fs::path& reference_home,
                          const fs::path& feed) {
  const fs::path home = session.Store().ProgramFolder();
  for (const char* suffix : {".jvO1a", ".jvO2a", ".jvO3a", ".jvO4a", ".jvO5a", ".jvO6a", ".jvRA"}) {
    const std::string mine = FileOf(home, kDay + suffix);
    EXPECT_FALSE(mine.empty()) << suffix;
    EXPECT_TRUE(mine == FileOf(reference_home, kDay + suffix)) << suffix;
  }
  const auto my_hr = store::SplitLines(FileOf(home, kDay + ".jvHR"));
  const auto ref_hr = store::SplitLines(FileOf(reference_home, kDay + ".jvHR"));
  ASSERT_EQ(my_hr.size(), ref_hr.size());
  ASSERT_EQ(my_hr.size(), session.DatList.Items.size());
  for (size_t i = 0; i < my_hr.size(); ++i) {
    EXPECT_EQ(my_hr[i].substr(0, 2) + my_hr[i].substr(11),
              ref_hr[i].substr(0, 2) + ref_hr[i].substr(11));
  }
  LiveRig reference(feed, reference_home, At(18, 30));
  ASSERT_EQ(reference.LoadToday(), app::LoadResult::kLoaded);
  for (int s = 0; s < store::kSlotCount; ++s) {
    EXPECT_TRUE(session.Day().DayPayouts[s] == reference.session.Day().DayPayouts[s]) << s;
  }
}

TEST_F(LiveDayEndToEnd, AWholeRaceDayEndsWithTheStoreOfAPullAfterTheRaces) {
  auto rig = MorningRig();
  const int races = static_cast<int>(rig->session.DatList.Items.size());
  ASSERT_GE(races, 24);
  const std::string first_post(rig->session.Day().RaRec[0].Field(874, 4));
  const std::vector<Notice> notices = FeedNotices(Feed());
  ASSERT_FALSE(notices.empty());

  ExpectNoticesApplied(*rig, notices);
  rig->RunUntil(At(18, 30));
  ExpectMorningOddsAt(*rig, "09:15:00");
  ExpectFetchWindows(*rig, first_post);
  // The shown race is drawn again after every result fetch that brought data, whether
  // or not its own payouts were among it.
  const auto results = rig->Events("結果情報");
  const auto done = std::count_if(results.begin(), results.end(), [](const auto& e) {
    return e.outcome == jvlink::FetchOutcome::kDone;
  });
  EXPECT_GT(done, 1);
  EXPECT_EQ(ShownAfterResults(*rig), done);
  EXPECT_GT(rig->session.Day().DayPayouts[0].Tan[0].horse, 0);

  // The closing odds of every race, taken with the menu after the races.
  rig->fetches.OneDayOddsMenu();
  EXPECT_EQ(static_cast<int>(rig->Events("速報ｵｯｽﾞ").size()), races);
  EXPECT_EQ(rig->session.DatList.ItemIndex, races - 1);
  ExpectStoreOfThePull(rig->session, Reference(), Feed());
  const std::string log =
      codes::SjisToUtf8(testsupport::ReadFileBytes(home_.path() / "ErrorLog.txt"));
  EXPECT_EQ(log.find("【エラー】"), std::string::npos) << log;
}

TEST_F(LiveDayEndToEnd, AMissedFirstSecondFetchesTheMorningOddsAMinuteLater) {
  auto rig = MorningRig();
  rig->RunUntil(At(9, 14, 59));
  rig->Jump(At(9, 15, 1));  // the machine stalled over 09:15:00
  rig->RunUntil(At(9, 20));
  ExpectMorningOddsAt(*rig, "09:16:00");
}

TEST_F(LiveDayEndToEnd, AResultTickDuringAPullWaitsAndRunsWhenTheStreamIsFree) {
  auto rig = MorningRig();
  rig->RunUntil(At(10, 9, 59));
  const size_t results_before = rig->Events("結果情報").size();
  // The pull of everything since 09:00 downloads first, then reads; the result timer
  // fires while it reads.
  jvlink::StoredPull pull(rig->link, rig->prompts, rig->session.Settings(), rig->clock,
                          rig->session.Store());
  pull.SetStartMoment(At(9, 0));
  rig->clock.Set(At(10, 10));
  pull.Start();
  ASSERT_TRUE(pull.PollTimerRunning());
  rig->fetches.ResultsButton();  // the user's button says that the stream is busy
  EXPECT_EQ(rig->prompts.statuses.back().second, app::LiveFetches::BusyText());
  bool ticked = false;
  rig->prompts.on_events = [&] {
    if (ticked) return;
    ticked = true;
    rig->schedules.Tick(app::TimerId::kResult);
    rig->schedules.Tick(app::TimerId::kClock);
  };
  while (pull.PollTimerRunning()) pull.Poll();
  rig->prompts.on_events = nullptr;
  pull.Close();
  EXPECT_TRUE(ticked);
  EXPECT_EQ(pull.outcome(), jvlink::StoredPull::Outcome::kCompleted);
  EXPECT_EQ(rig->Events("結果情報").size(), results_before);
  EXPECT_TRUE(rig->schedules.HasWaitingFetches());

  rig->schedules.Tick(app::TimerId::kClock);  // the next tick finds the stream free
  EXPECT_FALSE(rig->schedules.HasWaitingFetches());
  const auto results = rig->Events("結果情報");
  ASSERT_EQ(results.size(), results_before + 1);
  EXPECT_EQ(results.back().outcome, jvlink::FetchOutcome::kDone);
}

TEST_F(LiveDayEndToEnd, AResultTickDuringTheMorningFetchRunsRightAfterIt) {
  auto rig = std::make_unique<LiveRig>(Feed(), home_.path(), kMorning);
  rig->Pull(kPullFrom, false);
  rig->session.Settings().SetFirst(9, 33);  // between two result ticks
  rig->clock.Set(kLoad);
  ASSERT_EQ(rig->LoadToday(), app::LoadResult::kLoaded);
  rig->RunUntil(At(9, 32, 59));
  const size_t results_before = rig->Events("結果情報").size();
  bool ticked = false;
  rig->prompts.on_events = [&] {
    if (ticked || rig->Events("朝ｵｯｽﾞ").empty()) return;
    ticked = true;
    rig->schedules.Tick(app::TimerId::kResult);
  };
  rig->RunUntil(At(9, 33, 0));
  rig->prompts.on_events = nullptr;
  ASSERT_TRUE(ticked);
  EXPECT_FALSE(rig->schedules.HasWaitingFetches());
  // Every morning fetch first, then the result fetch that waited, at the same moment.
  std::vector<std::string> kinds;
  for (const auto& e : rig->events) {
    if (TimeText(e.at) != "09:33:00") continue;
    if (e.what != "shown") kinds.push_back(e.what.substr(0, e.what.find(' ')));
  }
  EXPECT_EQ(kinds.back(), "結果情報");
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "朝ｵｯｽﾞ"),
            static_cast<long>(rig->session.DatList.Items.size()));
  EXPECT_EQ(rig->Events("結果情報").size(), results_before + 1);
  EXPECT_EQ(TimeText(rig->Events("結果情報").back().at), "09:33:00");
}

TEST_F(LiveDayEndToEnd, ACancelledPullDoesNotSilenceTheFetchesAfterIt) {
  auto rig = MorningRig();
  rig->clock.Set(At(10, 30));
  jvlink::StoredPull pull(rig->link, rig->prompts, rig->session.Settings(), rig->clock,
                          rig->session.Store());
  pull.SetStartMoment(At(9, 0));
  pull.Start();
  rig->prompts.ScriptAnswers({true});
  pull.Cancel();
  pull.Close();
  ASSERT_EQ(pull.outcome(), jvlink::StoredPull::Outcome::kCancelled);
  rig->fetches.ResultsButton();
  const auto results = rig->Events("結果情報");
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].outcome, jvlink::FetchOutcome::kDone);
  EXPECT_GT(results[0].filed, 0);
}

}  // namespace
