#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/live_fetches.h"
#include "app/race_day_schedules.h"
#include "app/session.h"
#include "app/timer_runner.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/shared_stream.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "support/recording_prompts.h"

namespace testsupport {

/// Recording prompts that also let a test run code where window messages would run.
class EventPrompts : public RecordingPrompts {
 public:
  void ProcessEvents() override {
    RecordingPrompts::ProcessEvents();
    if (on_events) on_events();
  }
  std::function<void()> on_events;
};

/// One fetch as the race day saw it: when, what (UTF-8) and how it ended; "shown" for a
/// redraw of the shown race.
struct LiveEvent {
  platform::LocalTime at;
  std::string what;
  jvlink::FetchOutcome outcome = jvlink::FetchOutcome::kDone;
  long long filed = 0;
};

/// The main window of a race day over a feed folder, on a fake clock: the session, the
/// real-time fetches, the schedules and a timer runner that fires the timers at their
/// moments while RunUntil moves the clock on.
class LiveRig {
 public:
  LiveRig(const std::filesystem::path& feed, const std::filesystem::path& home,
          const platform::LocalTime& start);

  /// The stored pull from `from` (the "JVデータ取得" dialog run to its end).
  void Pull(const platform::LocalTime& from, bool final_odds);
  /// Loads the day of the clock's date, as choosing it in the date list does; the timers
  /// start running from the moment of the load.
  app::LoadResult LoadToday();
  /// Fires every timer due up to `t`, each at its moment, then leaves the clock at `t`.
  void RunUntil(const platform::LocalTime& t);
  /// The machine stalls: the clock jumps to `t` and every timer due fires once, late.
  void Jump(const platform::LocalTime& t);

  /// The events of one kind ("結果情報", "朝ｵｯｽﾞ", "開催速報", "shown" …): prefix match.
  std::vector<LiveEvent> Events(const std::string& prefix) const;

  platform::FixedClock clock;
  EventPrompts prompts;
  jvlink::FeedJVLink control;
  jvlink::SharedStream link;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  app::Session session;
  app::LiveFetches fetches;
  app::RaceDaySchedules schedules;
  std::unique_ptr<app::TimerRunner> runner;
  std::vector<LiveEvent> events;
};

/// Milliseconds of a moment's time of day.
long long TimeOfDayMs(const platform::LocalTime& t);
/// "hh:nn:ss".
std::string TimeText(const platform::LocalTime& t);

}  // namespace testsupport
