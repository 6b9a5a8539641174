#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "app/live_fetches.h"
#include "app/live_labels.h"
#include "app/race_day_schedules.h"
#include "app/session.h"
#include "app/timer_runner.h"
#include "codes/cp932.h"
#include "commands.h"
#include "jvlink_argument.h"
#include "jvlink/result_message.h"
#include "jvlink/shared_stream.h"
#include "live_prompts.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"

namespace cli {
namespace {

constexpr const char* kSid = "QV000001/QV000002/Quorvane/Version.1.13";
constexpr long long kMaxSpeed = 100000;

// Ctrl-C asks the day to stop at the next timer; a signal can only reach a flag.
std::atomic<bool> interrupted{false};
extern "C" void OnInterrupt(int) { interrupted = true; }

// "HH:MM:SS" or "HH:MM" as seconds of the day; UsageError otherwise.
int TimeOfDayArgument(const std::string& option, const std::string& text, bool seconds) {
  const size_t length = seconds ? 8 : 5;
  bool ok = text.size() == length;
  for (size_t i = 0; ok && i < length; ++i) {
    ok = (i % 3 == 2) ? text[i] == ':' : (text[i] >= '0' && text[i] <= '9');
  }
  const int h = ok ? std::stoi(text.substr(0, 2)) : 0;
  const int m = ok ? std::stoi(text.substr(3, 2)) : 0;
  const int s = ok && seconds ? std::stoi(text.substr(6, 2)) : 0;
  if (!ok || h > 23 || m > 59 || s > 59) {
    throw UsageError(option + " takes a time " + (seconds ? "HH:MM:SS" : "HH:MM") + ", not \"" +
                     text + "\"");
  }
  return h * 3600 + m * 60 + s;
}

constexpr long long kSecondsOfDay = 24 * 60 * 60;

int SecondOfDay(const platform::LocalTime& t) { return t.hour * 3600 + t.minute * 60 + t.second; }

platform::LocalTime AtSecondOfDay(platform::LocalTime day, int second) {
  day.hour = second / 3600;
  day.minute = second / 60 % 60;
  day.second = second % 60;
  return day;
}

std::string OutcomeText(const jvlink::FetchReport& report) {
  switch (report.outcome) {
    case jvlink::FetchOutcome::kDone:
      return jvlink::PullSummaryText(report.counts);
    case jvlink::FetchOutcome::kNothingReleased:
      return codes::Sj("未発表");
    case jvlink::FetchOutcome::kFailed:
      break;
  }
  return codes::Sj("失敗 ") + report.error;
}

// The day the window would load: tomorrow's once the clock reads 18:00 and it is in the
// date list, else today's.
std::optional<std::string> CurrentDay(const app::Session& session, const platform::LocalTime& now) {
  const auto& items = session.DateCombo.Items;
  auto listed = [&](const std::string& d) {
    return std::find(items.begin(), items.end(), d) != items.end();
  };
  const std::string tomorrow = app::DayText(platform::AddSeconds(now, 24 * 60 * 60));
  if (now.hour >= 18 && listed(tomorrow)) return tomorrow;
  if (listed(app::DayText(now))) return app::DayText(now);
  return std::nullopt;
}

struct LiveOptions {
  std::filesystem::path feed;
  platform::LocalTime start;
  platform::LocalTime until;
  long long speed = 1;
};

LiveOptions ReadOptions(const CliArgs& args) {
  args.Expect({"--at", "--speed", "--until", "--feed", "--jvlink"}, {});
  LiveOptions o;
  o.feed = args.Get("--feed").value_or(args.home() + "/feed");
  const platform::LocalTime now = platform::SystemClock().Now();
  o.start = now;
  if (auto at = args.Get("--at"))
    o.start = AtSecondOfDay(now, TimeOfDayArgument("--at", *at, true));
  o.until = AtSecondOfDay(
      o.start, TimeOfDayArgument("--until", args.Get("--until").value_or("18:00"), false));
  // An end earlier than the start is that time of the next day: the window left open
  // in the evening runs on through midnight.
  if (SecondOfDay(o.until) < SecondOfDay(o.start)) {
    o.until = platform::AddSeconds(o.until, kSecondsOfDay);
  }
  o.speed = args.GetInt("--speed").value_or(1);
  if (o.speed < 1 || o.speed > kMaxSpeed) {
    throw UsageError("--speed takes a whole number from 1 to " + std::to_string(kMaxSpeed));
  }
  return o;
}

// Seconds from `from` to `to`, `to` on the same day or the next.
long long SecondsBetween(const platform::LocalTime& from, const platform::LocalTime& to) {
  const long long days = to.Ymd() == from.Ymd() ? 0 : 1;
  return days * kSecondsOfDay + SecondOfDay(to) - SecondOfDay(from);
}

// The main window's parts, made in this order over the paced clock.
struct LiveWindow {
  LiveWindow(const LiveOptions& options, const CliArgs& args)
      : clock(options.start),
        prompts(clock, std::cerr),
        control(ChooseJVLink(args, options.feed, clock)),
        link(Control()),
        session(prompts, clock, &link, launcher, companions, args.home()),
        fetches(session, link),
        schedules(session, fetches) {
    session.Store().SetWriterName("quorvane-cli live");
  }

  platform::FixedClock clock;
  LivePrompts prompts;
  app::ChosenJVLink control;
  jvlink::SharedStream link;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  app::Session session;
  app::LiveFetches fetches;
  app::RaceDaySchedules schedules;

 private:
  // Made only once the choice is known to give a JV-Link.
  jvlink::JVLink& Control() {
    if (!control.link) throw std::logic_error("live without a JV-Link");
    return *control.link;
  }
};

// Fires the timers at their moments up to --until, paced to --speed times real time;
// false when Ctrl-C stopped it.
bool RunTimers(LiveWindow& w, const LiveOptions& options) {
  std::signal(SIGINT, OnInterrupt);
  app::TimerRunner runner(w.schedules, 0);
  const long long end_ms = SecondsBetween(options.start, options.until) * 1000;
  const auto real_start = std::chrono::steady_clock::now();
  for (;;) {
    const std::optional<long long> due = runner.NextDue();
    if (!due || *due > end_ms || interrupted) break;
    std::this_thread::sleep_until(real_start +
                                  std::chrono::microseconds(*due * 1000 / options.speed));
    w.clock.Set(platform::AddSeconds(options.start, *due / 1000));
    runner.FireDue(*due);
  }
  if (interrupted) return false;
  if (end_ms > 0) w.clock.Set(options.until);
  return true;
}

}  // namespace

// The main window left open through a race day without a screen: the current day
// loaded, the five timers run on a clock that starts at --at and goes --speed times
// faster than real time, every status text and fetch printed, until --until or Ctrl-C.
// The clock moves in the steps of the timers: when a fetch takes longer than its share
// of real time, the clock waits for it instead of skipping a timer's moment.
int RunLive(const CliArgs& args) {
  const LiveOptions options = ReadOptions(args);
  {
    platform::FixedClock probe_clock(options.start);
    app::ChosenJVLink probe = ChooseJVLink(args, options.feed, probe_clock);
    if (!probe.link) return ReportMissingJVLink(probe, options.feed);
  }
  LiveWindow w(options, args);
  LogHostFailures(w.control, w.session);
  w.session.Start();
  if (int r = w.link.JVInit(kSid); r != 0) {
    w.prompts.Inform(codes::Sj("JVInitエラー：") + jvlink::ResultMessage("JVInit", r));
  }
  w.fetches.OnFetched = [&w](const std::string& what, const jvlink::FetchReport& report) {
    w.prompts.Line(what + ": " + OutcomeText(report));
  };
  const std::optional<std::string> day = CurrentDay(w.session, options.start);
  if (!day) {
    w.prompts.Line(codes::Sj("今日の開催日ﾃﾞｰﾀがありません。JVデータ取得で取り込んでください。"));
    return 1;
  }
  w.prompts.Line(*day + codes::Sj(" を読み込みます"));
  if (w.session.ChooseDate(*day) != app::LoadResult::kLoaded) return 1;
  if (!RunTimers(w, options)) {
    w.prompts.Line(codes::Sj("中断しました"));
    return 130;
  }
  // Before leaving, the closing odds of every race, as the user takes them with the menu.
  w.prompts.Line(codes::Sj("1日分の全オッズを一括取得"));
  w.fetches.OneDayOddsMenu();
  w.prompts.Line(codes::Sj("終了しました"));
  return 0;
}

}  // namespace cli
