#include "platform/clock.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace platform {
namespace {

// Days since 1970-01-01 of a civil date (proleptic Gregorian), and back.
long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = static_cast<unsigned>((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1);
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (m <= 2));
}

long long ToSeconds(const LocalTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

LocalTime FromSeconds(long long s) {
  LocalTime t;
  long long days = s >= 0 ? s / 86400 : (s - 86399) / 86400;
  long long rest = s - days * 86400;
  CivilFromDays(days, t.year, t.month, t.day);
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest % 3600 / 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

LocalTime MachineNow() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace

int LocalTime::Weekday() const {
  long long days = DaysFromCivil(year, month, day);
  return static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
}

bool ParseLocalTime(const char* text, LocalTime& out) {
  LocalTime t;
  char tail = 0;
  if (!text || std::sscanf(text, "%4d/%2d/%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour,
                           &t.minute, &t.second, &tail) != 6) {
    return false;
  }
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
      t.second > 59 || t.hour < 0 || t.minute < 0 || t.second < 0) {
    return false;
  }
  if (FromSeconds(ToSeconds(t)) != t) return false;  // 2024/02/30 and the like
  out = t;
  return true;
}

std::string FormatLocalTime(const LocalTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

LocalTime AddSeconds(const LocalTime& t, long long seconds) {
  return FromSeconds(ToSeconds(t) + seconds);
}

SystemClock::SystemClock() {
  LocalTime start;
  if (ParseLocalTime(std::getenv("QUORVANE_NOW"), start)) {
    offset_ = std::chrono::seconds(ToSeconds(start) - ToSeconds(MachineNow()));
  }
}

LocalTime SystemClock::Now() const { return AddSeconds(MachineNow(), offset_.count()); }

void FixedClock::Advance(long long seconds) { now_ = AddSeconds(now_, seconds); }

}  // namespace platform
