#pragma once

#include <optional>

#include "app/race_day_schedules.h"
#include "codes/checked_array.h"

namespace app {

/// Runs the schedules' timers on a timeline of milliseconds, as window timers would:
/// a timer switched on (or restarted) at t first fires at t + interval, then every
/// interval after its last firing; timers due at the same moment fire in TimerId order.
/// A front end without a window (the CLI, tests on a fake clock) sets its clock to the
/// moment NextDue gives and calls FireDue with it.
class TimerRunner {
 public:
  /// `start_ms`: the moment of the timeline at which the runner takes over the timers.
  TimerRunner(RaceDaySchedules& schedules, long long start_ms);

  /// Takes note of timers switched on, off or restarted since the last call (after a
  /// user's action such as a day load), as of `now_ms`.
  void Sync(long long now_ms);
  /// The next moment a timer is due; nullopt when none is on.
  std::optional<long long> NextDue() const;
  /// Fires every timer due at or before `now_ms` once, in order of due time.
  void FireDue(long long now_ms);

 private:
  struct Follow {
    bool on = false;
    int restarts = 0;
    long long due = 0;
  };
  RaceDaySchedules& schedules_;
  codes::CheckedArray<Follow, 0, kTimerCount - 1, "timer"> follow_;
};

}  // namespace app
