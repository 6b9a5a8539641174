#include "app/race_day_schedules.h"

#include <climits>
#include <cstdio>

#include "app/live_labels.h"
#include "app/show_race.h"
#include "codes/cp932.h"
#include "codes/layouts/ra_layout.h"
#include "codes/layouts/se_layout.h"
#include "codes/record_field.h"
#include "store/add_minutes.h"

namespace app {
namespace {

constexpr int kClockIntervalMs = 500;
constexpr int kCountdownIntervalMs = 1000;
constexpr int kMorningIntervalMs = 1000;
constexpr int kMsPerMinute = 60000;

// Minutes of a setting as a timer interval; intervals beyond a 32-bit count of
// milliseconds are clamped there rather than stopping the day load.
int MinutesInterval(int minutes) {
  if (minutes <= 0) return 0;
  if (minutes > INT_MAX / kMsPerMinute) return INT_MAX;
  return minutes * kMsPerMinute;
}

std::string TwoDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

std::string Hhnn(const platform::LocalTime& t) { return TwoDigits(t.hour) + TwoDigits(t.minute); }
std::string Hhnnss(const platform::LocalTime& t) { return Hhnn(t) + TwoDigits(t.second); }

// A card still holding entries (data kind "1", before the draw) is not current.
bool CardIsCurrent(const store::RaceDay& day) {
  for (int slot = 0; slot < store::kSlotCount; ++slot) {
    if (day.RaRec[slot].Field(codes::ra_layout::kDataKind) == "1") return false;
    for (int k = 0; k < store::kRunnerCount; ++k) {
      if (day.SeRec[slot][k].Field(codes::se_layout::kDataKind) == "1") return false;
    }
  }
  return true;
}

}  // namespace

RaceDaySchedules::RaceDaySchedules(Session& session, LiveFetches& fetches)
    : session_(session), fetches_(fetches) {
  SetTimer(TimerId::kClock, true, kClockIntervalMs);
  SetTimer(TimerId::kCountdown, true, kCountdownIntervalMs);
  SetTimer(TimerId::kMorning, false, kMorningIntervalMs);
  session_.Hooks.DayLoadStart = [this] { DayLoadStart(); };
  session_.Hooks.ScheduleSetup = [this] { ScheduleSetup(); };
  fetches_.OnStreamFree = [this] { RunWaiting(); };
}

const TimerState& RaceDaySchedules::Timer(TimerId id) const {
  return timers_[static_cast<int>(id)];
}

void RaceDaySchedules::SetTimer(TimerId id, bool enabled, int interval_ms) {
  TimerState& timer = timers_[static_cast<int>(id)];
  const bool restart = enabled && (!timer.enabled || (timer.interval_ms != interval_ms));
  timer.enabled = enabled;
  timer.interval_ms = interval_ms;
  if (restart) ++timer.restarts;
}

void RaceDaySchedules::Tick(TimerId id) {
  if (!Timer(id).enabled) return;
  switch (id) {
    case TimerId::kClock:
      ClockTick();
      break;
    case TimerId::kCountdown:
      CountdownTick();
      break;
    case TimerId::kMorning:
      MorningTick();
      break;
    case TimerId::kResult:
      ResultTick();
      break;
    case TimerId::kChange:
      ChangeTick();
      break;
  }
  RunWaiting();
}

void RaceDaySchedules::DayLoadStart() {
  SetTimer(TimerId::kResult, false, Timer(TimerId::kResult).interval_ms);
  CountdownLabel.clear();
  MorningBusy = false;
  session_.Day().AsaFetched1.Fill(0);
  // What waited belongs to the day before; the change notices go on with the new day.
  waiting_morning_.clear();
  waiting_results_ = false;
  fetches_.ForgetLoggedNotices();
}

void RaceDaySchedules::ScheduleSetup() {
  store::RaceDay& day = session_.Day();
  Settings& settings = session_.Settings();
  const std::string first = settings.FirstForDayLoad();
  for (int slot = 0; slot < store::kSlotCount; ++slot) {
    const std::string_view year = day.RaRec[slot].Field(codes::ra_layout::kYear);
    if (codes::IsBlank(year) || year == "0000") continue;
    day.Work[slot].AsaFetchTime1 = first + "00";
    day.Work[slot].AsaFetchTime2 = store::AddMinutes(first, 1) + "00";
  }
  day.RdataIntervalMin = settings.AutoRdataGet();
  SetTimer(TimerId::kResult, false, MinutesInterval(day.RdataIntervalMin));

  const bool current = IsCurrentDay(session_.DateCombo.Text, session_.TheClock().Now());
  if (current) {
    SetTimer(TimerId::kResult, true, MinutesInterval(day.RdataIntervalMin));
    if (!auto_odds_checked_) ClickAutoOdds(true);
    day.RdataIntervalMin = settings.HenkoGetInterval();
    const TimerState& change = Timer(TimerId::kChange);
    SetTimer(TimerId::kChange, change.enabled, MinutesInterval(day.RdataIntervalMin));
    if (day.RdataIntervalMin > 0) {
      SetTimer(TimerId::kChange, true, MinutesInterval(day.RdataIntervalMin));
      fetches_.ChangeTimerFlag = true;
      fetches_.ApplyChangeNotices();
    }
  }
  CountdownVisible = current;
}

void RaceDaySchedules::ClickAutoOdds(bool checked) {
  auto_odds_checked_ = checked;
  AutoOddsCheck();
}

void RaceDaySchedules::AutoOddsCheck() {
  store::RaceDay& day = session_.Day();
  if (!CardIsCurrent(day)) {
    session_.Prompts().Beep();
    session_.Prompts().Inform(
        codes::Sj("出走表データが最新でありません。JVデータ取得ボタンよりデータを取得してから"
                  "オッズを取得してください。"));
    auto_odds_checked_ = false;
    SetTimer(TimerId::kMorning, false, kMorningIntervalMs);
    return;
  }
  if (auto_odds_checked_) {
    day.AsaFetched1.Fill(0);
    SetTimer(TimerId::kMorning, true, kMorningIntervalMs);
  } else {
    SetTimer(TimerId::kMorning, false, kMorningIntervalMs);
  }
}

bool RaceDaySchedules::NextRace() { return app::NextRace(session_); }

void RaceDaySchedules::ClockTick() { ClockLabel = ClockLabelText(session_.TheClock().Now()); }

void RaceDaySchedules::CountdownTick() {
  const platform::LocalTime now = session_.TheClock().Now();
  if (session_.DateCombo.Text == DayText(platform::AddSeconds(now, 24 * 60 * 60)) ||
      session_.DatList.ItemIndex < 0) {
    CountdownLabel.clear();
    return;
  }
  const store::RaceDay& day = session_.Day();
  CountdownLabel = CountdownText(day.RaRec[day.CurrentSlot], now);
}

void RaceDaySchedules::MorningTick() {
  if (codes::IsBlank(session_.DateCombo.Text)) return;
  const std::string clock = Hhnnss(session_.TheClock().Now());
  if (!(clock >= "0700" && clock <= "1800") || MorningBusy) return;
  store::RaceDay& day = session_.Day();
  std::vector<std::string> entries;
  for (int slot = 0; slot < store::kSlotCount; ++slot) {
    if (day.AsaFetched1[slot] != 0) continue;
    const store::RaceWork& work = day.Work[slot];
    if (clock != codes::TrimBlanks(work.AsaFetchTime1) &&
        clock != codes::TrimBlanks(work.AsaFetchTime2)) {
      continue;
    }
    day.AsaFetched1[slot] = 1;
    char number[8];
    std::snprintf(number, sizeof number, "%2d", slot);
    entries.push_back(std::string(day.RaRec[slot].Field(codes::ra_layout::kRaceKey)) + number);
  }
  if (entries.empty()) return;
  if (fetches_.StreamBusy()) {
    waiting_morning_.insert(waiting_morning_.end(), entries.begin(), entries.end());
    return;
  }
  RunMorning(std::move(entries));
}

std::string RaceDaySchedules::FirstPostTime() const {
  return std::string(session_.Day().RaRec[0].Field(codes::ra_layout::kPostTime));
}

void RaceDaySchedules::ResultTick() {
  const std::string clock = Hhnn(session_.TheClock().Now());
  const int offset = session_.Day().RdataIntervalMin + 30;
  if (!(clock <= "1800" && clock > store::AddMinutes(FirstPostTime(), -offset))) return;
  if (fetches_.StreamBusy()) {
    waiting_results_ = true;
    return;
  }
  RunResults();
}

void RaceDaySchedules::ChangeTick() {
  const std::string clock = Hhnn(session_.TheClock().Now());
  const int offset = session_.Day().RdataIntervalMin + 60;
  if (!(clock > store::AddMinutes(FirstPostTime(), -offset))) return;
  if (fetches_.StreamBusy()) {
    waiting_changes_ = true;
    return;
  }
  RunChangeNotices();
}

void RaceDaySchedules::RunMorning(std::vector<std::string> entries) {
  MorningBusy = true;
  fetches_.MorningOdds(entries);
  MorningBusy = false;
}

void RaceDaySchedules::RunResults() {
  fetches_.ResultTimerFlag = true;
  fetches_.Results();
  fetches_.ResultTimerFlag = false;
}

void RaceDaySchedules::RunChangeNotices() {
  fetches_.ChangeTimerFlag = true;
  fetches_.ChangeNotices();
  fetches_.ChangeTimerFlag = false;
}

bool RaceDaySchedules::HasWaitingFetches() const {
  return !waiting_morning_.empty() || waiting_results_ || waiting_changes_;
}

void RaceDaySchedules::RunWaiting() {
  while (HasWaitingFetches() && !fetches_.StreamBusy()) {
    if (!waiting_morning_.empty()) {
      std::vector<std::string> entries;
      entries.swap(waiting_morning_);
      RunMorning(std::move(entries));
    } else if (waiting_results_) {
      waiting_results_ = false;
      RunResults();
    } else {
      waiting_changes_ = false;
      RunChangeNotices();
    }
  }
}

}  // namespace app
