#include "live_rig.h"

#include <cstdio>

#include "app/live_labels.h"
#include "codes/cp932.h"
#include "jvlink/stored_pull.h"

namespace testsupport {

long long TimeOfDayMs(const platform::LocalTime& t) {
  return (t.hour * 3600LL + t.minute * 60 + t.second) * 1000;
}

std::string TimeText(const platform::LocalTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

namespace {
platform::LocalTime AtMs(platform::LocalTime day, long long ms) {
  day.hour = static_cast<int>(ms / 3600000);
  day.minute = static_cast<int>(ms / 60000 % 60);
  day.second = static_cast<int>(ms / 1000 % 60);
  return day;
}
}  // namespace

LiveRig::LiveRig(const std::filesystem::path& feed, const std::filesystem::path& home,
                 const platform::LocalTime& start)
    : clock(start),
      control(feed, clock),
      link(control),
      session(prompts, clock, &link, launcher, companions, home),
      fetches(session, link),
      schedules(session, fetches) {
  session.Start();
  link.JVInit("QV000001/QV000002/Quorvane/Version.1.13");
  fetches.OnFetched = [this](const std::string& what, const jvlink::FetchReport& report) {
    events.push_back({clock.Now(), codes::SjisToUtf8(what), report.outcome, report.counts.filed});
  };
  fetches.OnRaceShown = [this] { events.push_back({clock.Now(), "shown"}); };
}

void LiveRig::Pull(const platform::LocalTime& from, bool final_odds) {
  jvlink::StoredPull pull(link, prompts, session.Settings(), clock, session.Store());
  pull.SetOnClosed([this] { session.BuildDateList(); });
  pull.SetStartMoment(from);
  pull.SetFinalOdds(final_odds);
  pull.Start();
  while (pull.PollTimerRunning()) pull.Poll();
  pull.Close();
}

app::LoadResult LiveRig::LoadToday() {
  const app::LoadResult result = session.ChooseDate(app::DayText(clock.Now()));
  runner = std::make_unique<app::TimerRunner>(schedules, TimeOfDayMs(clock.Now()));
  return result;
}

void LiveRig::RunUntil(const platform::LocalTime& t) {
  for (auto due = runner->NextDue(); due && *due <= TimeOfDayMs(t); due = runner->NextDue()) {
    clock.Set(AtMs(t, *due));
    runner->FireDue(*due);
  }
  clock.Set(t);
}

void LiveRig::Jump(const platform::LocalTime& t) {
  clock.Set(t);
  runner->FireDue(TimeOfDayMs(t));
}

std::vector<LiveEvent> LiveRig::Events(const std::string& prefix) const {
  std::vector<LiveEvent> found;
  for (const LiveEvent& e : events) {
    if (e.what.starts_with(prefix)) found.push_back(e);
  }
  return found;
}

}  // namespace testsupport
