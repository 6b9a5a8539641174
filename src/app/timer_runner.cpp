#include "app/timer_runner.h"

namespace app {

TimerRunner::TimerRunner(RaceDaySchedules& schedules, long long start_ms) : schedules_(schedules) {
  Sync(start_ms);
}

void TimerRunner::Sync(long long now_ms) {
  for (int i = 0; i < kTimerCount; ++i) {
    const TimerState& timer = schedules_.Timer(static_cast<TimerId>(i));
    Follow& follow = follow_[i];
    const bool on = timer.enabled && timer.interval_ms > 0;
    if (on && (!follow.on || follow.restarts != timer.restarts))
      follow.due = now_ms + timer.interval_ms;
    follow.on = on;
    follow.restarts = timer.restarts;
  }
}

std::optional<long long> TimerRunner::NextDue() const {
  std::optional<long long> next;
  for (int i = 0; i < kTimerCount; ++i) {
    if (follow_[i].on && (!next || follow_[i].due < *next)) next = follow_[i].due;
  }
  return next;
}

void TimerRunner::FireDue(long long now_ms) {
  for (;;) {
    int chosen = -1;
    for (int i = 0; i < kTimerCount; ++i) {
      const Follow& f = follow_[i];
      if (f.on && f.due <= now_ms && (chosen < 0 || f.due < follow_[chosen].due)) chosen = i;
    }
    if (chosen < 0) return;
    const TimerState& timer = schedules_.Timer(static_cast<TimerId>(chosen));
    // The next firing counts from this one; a late timer does not fire twice to catch up.
    follow_[chosen].due = now_ms + timer.interval_ms;
    schedules_.Tick(static_cast<TimerId>(chosen));
    Sync(now_ms);
  }
}

}  // namespace app
