#include "codes/civil_date.h"

#include <chrono>

namespace codes {

namespace ch = std::chrono;

int DaysFromCivil(int year, int month, int day) {
  // Months beyond 1..12 move the year first; chrono then counts the day on from the 1st.
  const int months = year * 12 + (month - 1);
  const int y = months >= 0 ? months / 12 : -((11 - months) / 12);
  const int m = months - y * 12 + 1;
  const ch::sys_days first{ch::year{y} / ch::month{static_cast<unsigned>(m)} / 1};
  return (first + ch::days{day - 1}).time_since_epoch().count();
}

CivilDate CivilFromDays(int days) {
  const ch::year_month_day date{ch::sys_days{ch::days{days}}};
  return CivilDate{static_cast<int>(date.year()), static_cast<int>(unsigned{date.month()}),
                   static_cast<int>(unsigned{date.day()})};
}

int DaysFromYmd(int ymd) { return DaysFromCivil(ymd / 10000, ymd / 100 % 100, ymd % 100); }

int YmdFromDays(int days) {
  const CivilDate d = CivilFromDays(days);
  return d.year * 10000 + d.month * 100 + d.day;
}

int AddDays(int ymd, int n) { return YmdFromDays(DaysFromYmd(ymd) + n); }

int WeekdayOfDays(int days) {
  return static_cast<int>(ch::weekday{ch::sys_days{ch::days{days}}}.c_encoding());
}

int WeekdayOf(int ymd) { return WeekdayOfDays(DaysFromYmd(ymd)); }

bool IsValidYmd(int ymd) {
  const int y = ymd / 10000;
  if (y < 1900 || y > 2999) return false;
  const ch::year_month_day date{ch::year{y}, ch::month{static_cast<unsigned>(ymd / 100 % 100)},
                                ch::day{static_cast<unsigned>(ymd % 100)}};
  return date.ok();
}

}  // namespace codes
