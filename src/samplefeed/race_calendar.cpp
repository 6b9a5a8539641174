#include "samplefeed/race_calendar.h"

#include <algorithm>
#include <array>
#include <map>

#include "samplefeed/civil_date.h"
#include "samplefeed/feed_random.h"

namespace samplefeed {

namespace {

// The racecourses of each month, the "third" (summer or local) course last: it is
// the one left out on two-course days.
// clang-format off
const std::array<std::array<const char*, 3>, 12> kSeasonCourses = {{
    {"06", "08", "07"}, {"05", "08", "10"}, {"06", "09", "07"}, {"06", "09", "03"},
    {"05", "08", "04"}, {"05", "09", "02"}, {"03", "07", "02"}, {"04", "10", "01"},
    {"06", "09", "01"}, {"05", "08", "04"}, {"05", "08", "03"}, {"06", "09", "07"},
}};
// clang-format on

constexpr int kMeetingDays = 8;
constexpr int kGapForNewMeeting = 10;  // days without racing that end a meeting

// Monday holidays the calendar races on: month and which Monday of it.
struct MondayHoliday {
  int month;
  int nth;
};
constexpr std::array<MondayHoliday, 3> kMondayHolidays = {{{1, 2}, {9, 3}, {10, 2}}};

bool IsNewYearBreak(int ymd) {
  const int md = ymd % 10000;
  return md >= 1229 || md <= 104;
}

bool IsMondayHoliday(int ymd) {
  if (WeekdayOf(ymd) != 1) return false;
  const int month = ymd / 100 % 100;
  const int nth = (ymd % 100 - 1) / 7 + 1;
  return std::any_of(kMondayHolidays.begin(), kMondayHolidays.end(),
                     [&](const MondayHoliday& h) { return h.month == month && h.nth == nth; });
}

char WeekdayCode(int ymd, bool holiday) {
  if (holiday) return '3';
  // Sunday .. Saturday
  static constexpr char kCodes[] = {'2', '4', '5', '6', '7', '8', '1'};
  return kCodes[WeekdayOf(ymd)];
}

struct CourseState {
  int meeting = 0;
  int day = 0;
  int last_days = -1000;
};

}  // namespace

RaceCalendar::RaceCalendar(std::uint64_t seed, int first_ymd, int last_ymd, int forced_ymd) {
  for (int year = first_ymd / 10000; year <= last_ymd / 10000 + 1; ++year) {
    AddYear(seed, year, forced_ymd);
  }
}

void RaceCalendar::AddYear(std::uint64_t seed, int year, int forced_ymd) {
  std::map<std::string, CourseState> states;
  const int first = DaysFromYmd(year * 10000 + 101);
  const int last = DaysFromYmd(year * 10000 + 1231);
  for (int days = first; days <= last; ++days) {
    const int ymd = YmdFromDays(days);
    const int weekday = WeekdayOf(ymd);
    const bool holiday = IsMondayHoliday(ymd);
    const bool weekend = weekday == 0 || weekday == 6;
    const bool racing = ((weekend || holiday) && !IsNewYearBreak(ymd)) || ymd == forced_ymd;
    if (!racing) continue;

    // Two-course weekends are chosen per week, so Saturday and Sunday agree.
    const int week = (days + 3) / 7;
    FeedRandom week_random(StreamSeed(seed, {0x57454B, static_cast<std::uint64_t>(week)}));
    const bool two_courses = holiday || week_random.Chance(0.2);

    const auto& season = kSeasonCourses[static_cast<size_t>(ymd / 100 % 100 - 1)];
    std::vector<std::string> courses(season.begin(), season.begin() + (two_courses ? 2 : 3));
    std::sort(courses.begin(), courses.end());

    RaceDayPlan plan;
    plan.ymd = ymd;
    plan.weekday_code = WeekdayCode(ymd, holiday);
    for (const std::string& course : courses) {
      CourseState& s = states[course];
      if (s.day >= kMeetingDays || days - s.last_days > kGapForNewMeeting) {
        ++s.meeting;
        s.day = 0;
      }
      ++s.day;
      s.last_days = days;
      plan.venues.push_back(VenueDay{course, s.meeting, s.day});
    }
    days_.push_back(std::move(plan));
  }
}

std::vector<RaceDayPlan> RaceCalendar::Between(int first_ymd, int last_ymd) const {
  std::vector<RaceDayPlan> out;
  for (const RaceDayPlan& d : days_) {
    if (d.ymd >= first_ymd && d.ymd <= last_ymd) out.push_back(d);
  }
  return out;
}

bool RaceCalendar::IsRaceDay(int ymd) const {
  return std::any_of(days_.begin(), days_.end(),
                     [ymd](const RaceDayPlan& d) { return d.ymd == ymd; });
}

int RaceCalendar::NextRestDay(int ymd) const {
  int next = AddDays(ymd, 1);
  while (IsRaceDay(next)) next = AddDays(next, 1);
  return next;
}

}  // namespace samplefeed
