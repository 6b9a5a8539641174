#pragma once

#include <string>
#include <vector>

#include "app/live_fetches.h"
#include "app/session.h"
#include "codes/checked_array.h"

namespace app {

/// The five timers of the main window.
enum class TimerId { kClock = 0, kCountdown, kMorning, kResult, kChange };
inline constexpr int kTimerCount = 5;

/// What a window timer is set to. `restarts` counts the moments the timer was started
/// afresh (switched on, or its interval changed while on): a front end restarts its own
/// timer whenever the count moves.
struct TimerState {
  bool enabled = false;
  int interval_ms = 0;  ///< 0 or less: the timer never fires
  int restarts = 0;
};

/// The race day's schedules without a screen: the clock and countdown labels, the
/// morning odds at their set times, the results every `AutoRdataGet` minutes until 18:00,
/// the change notices every `GetInterval` minutes, and the day-load start and schedule
/// setup that the day load runs (it installs both into the session's hooks).
///
/// Every time comes from the session's Clock. The front end owns the real timers: it
/// starts each as Timer(id) says and calls Tick(id) when one fires; it shows ClockLabel,
/// CountdownLabel (when CountdownVisible) and the status label.
///
/// A timer's fetch that comes due while another fetch or the stored pull holds the
/// JV-Link stream waits and runs at the next tick of any timer that finds the stream
/// free (the clock timer ticks every 500 ms), never on top of the other.
class RaceDaySchedules {
 public:
  RaceDaySchedules(Session& session, LiveFetches& fetches);

  const TimerState& Timer(TimerId id) const;
  /// A timer fired.
  void Tick(TimerId id);

  /// The auto-odds check box "ｵｯｽﾞ自動取得" (not shown to the user): ticked or not, and
  /// its click, which runs the auto-odds check.
  bool AutoOddsChecked() const { return auto_odds_checked_; }
  void ClickAutoOdds(bool checked);

  /// "直前ﾚｰｽ": selects the next race to start on a day that is today.
  bool NextRace();

  std::string ClockLabel;      ///< Shift-JIS
  std::string CountdownLabel;  ///< Shift-JIS
  bool CountdownVisible = false;
  bool MorningBusy = false;  ///< set while the morning timer runs its fetch

  /// Fetches due but waiting for the stream.
  bool HasWaitingFetches() const;
  /// Runs the waiting fetches when the stream is free.
  void RunWaiting();

 private:
  void DayLoadStart();
  void ScheduleSetup();
  void AutoOddsCheck();
  void SetTimer(TimerId id, bool enabled, int interval_ms);
  void ClockTick();
  void CountdownTick();
  void MorningTick();
  void ResultTick();
  void ChangeTick();
  void RunMorning(std::vector<std::string> entries);
  void RunResults();
  void RunChangeNotices();
  std::string FirstPostTime() const;

  Session& session_;
  LiveFetches& fetches_;
  codes::CheckedArray<TimerState, 0, kTimerCount - 1, "timer"> timers_;
  bool auto_odds_checked_ = false;
  std::vector<std::string> waiting_morning_;
  bool waiting_results_ = false;
  bool waiting_changes_ = false;
};

}  // namespace app
