#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace samplefeed {

/// One racecourse's part of a race day: its code "01".."10" and the meeting and day
/// numbers of the RaceKey (2nd meeting, 5th day ...).
struct VenueDay {
  std::string course;
  int meeting = 0;
  int day = 0;
};

/// A day with races: the date, the weekday code of the race records (1 Saturday,
/// 2 Sunday, 3 holiday, 4..8 Monday..Friday) and its racecourses in ascending code order.
struct RaceDayPlan {
  int ymd = 0;
  char weekday_code = '0';
  std::vector<VenueDay> venues;
};

/// The JRA-like calendar of a feed: every Saturday and Sunday outside the New Year
/// break, a few Monday holidays, three racecourses of the season (two on some weekends
/// and holidays), meetings of up to eight days. It depends only on the seed and the
/// year, so a day looks the same in every range that holds it.
class RaceCalendar {
 public:
  /// Covers the years of first..last and the year after. When `forced_ymd` is not 0
  /// that date is a race day even if the calendar would rest (the "today" of a feed).
  RaceCalendar(std::uint64_t seed, int first_ymd, int last_ymd, int forced_ymd = 0);

  /// The race days from first to last, in date order.
  std::vector<RaceDayPlan> Between(int first_ymd, int last_ymd) const;
  /// True when ymd has races.
  bool IsRaceDay(int ymd) const;
  /// The first date after ymd that has no races.
  int NextRestDay(int ymd) const;

 private:
  void AddYear(std::uint64_t seed, int year, int forced_ymd);
  std::vector<RaceDayPlan> days_;
};

}  // namespace samplefeed
