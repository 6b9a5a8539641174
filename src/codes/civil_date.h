#pragma once

namespace codes {

/// Calendar arithmetic of the proleptic Gregorian calendar, days counted from 1970-01-01.
/// The one place of the program that counts days; the clock and the sample feed use it.

/// A day as year, month 1..12 and day of month.
struct CivilDate {
  int year = 0, month = 0, day = 0;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

/// Days since 1970-01-01. Months outside 1..12 and days past a month's end run on into the
/// next months (2024/02/30 is 2024/03/01, month 13 is January of the next year).
int DaysFromCivil(int year, int month, int day);
CivilDate CivilFromDays(int days);

/// The same for dates written yyyymmdd as one integer (20240518).
int DaysFromYmd(int ymd);
int YmdFromDays(int days);
/// ymd moved by n days (n may be negative).
int AddDays(int ymd, int n);
/// 0 Sunday .. 6 Saturday.
int WeekdayOf(int ymd);
/// 0 Sunday .. 6 Saturday of a day count.
int WeekdayOfDays(int days);
/// True when ymd is a real date of the years 1900..2999.
bool IsValidYmd(int ymd);

}  // namespace codes
