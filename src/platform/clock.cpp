#include "platform/clock.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "codes/civil_date.h"

namespace platform {
namespace {

long long ToSeconds(const LocalTime& t) {
  return static_cast<long long>(codes::DaysFromCivil(t.year, t.month, t.day)) * 86400 +
         t.hour * 3600 + t.minute * 60 + t.second;
}

LocalTime FromSeconds(long long s) {
  LocalTime t;
  long long days = s >= 0 ? s / 86400 : (s - 86399) / 86400;
  long long rest = s - days * 86400;
  const codes::CivilDate date = codes::CivilFromDays(static_cast<int>(days));
  t.year = date.year;
  t.month = date.month;
  t.day = date.day;
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
  return codes::WeekdayOfDays(codes::DaysFromCivil(year, month, day));
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

std::string StampOf(const LocalTime& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return stamp;
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
