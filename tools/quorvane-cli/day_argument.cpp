#include "day_argument.h"

#include <algorithm>
#include <cstdio>

#include "cli_args.h"

namespace cli {
namespace {

constexpr const char* kForms = "2024年05月18日, 2024-05-18, 20240518, today or latest";

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// The number of `count` digits at `at`; -1 when they are not all digits.
int Digits(const std::string& text, size_t at, size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// Year, month and day of the three written forms; false when the text is none of them.
bool SplitDate(const std::string& t, int& y, int& m, int& d) {
  static const std::string kYear = "年", kMonth = "月", kDay = "日";
  if (t.size() == 8) {
    y = Digits(t, 0, 4), m = Digits(t, 4, 2), d = Digits(t, 6, 2);
  } else if (t.size() == 10 && t[4] == '-' && t[7] == '-') {
    y = Digits(t, 0, 4), m = Digits(t, 5, 2), d = Digits(t, 8, 2);
  } else if (t.size() == 8 + 3 * kYear.size() && t.compare(4, 3, kYear) == 0 &&
             t.compare(9, 3, kMonth) == 0 && t.compare(14, 3, kDay) == 0) {
    y = Digits(t, 0, 4), m = Digits(t, 7, 2), d = Digits(t, 12, 2);
  } else {
    return false;
  }
  return y >= 0 && m >= 0 && d >= 0;
}

}  // namespace

DayArgument ParseDayArgument(const std::string& utf8) {
  if (utf8 == "today") return {DayArgument::Kind::kToday, 0};
  if (utf8 == "latest") return {DayArgument::Kind::kLatest, 0};
  int y = 0, m = 0, d = 0;
  if (!SplitDate(utf8, y, m, d)) {
    throw UsageError("--day takes " + std::string(kForms) + ", not \"" + utf8 + "\"");
  }
  if (y < 1900 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) {
    throw UsageError("--day " + utf8 + " is not a date of the calendar");
  }
  return {DayArgument::Kind::kDate, y * 10000 + m * 100 + d};
}

std::string DayPrefixUtf8(int ymd) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d年%02d月%02d日", ymd / 10000, ymd / 100 % 100, ymd % 100);
  return text;
}

int WantedDay(const DayArgument& day, int today) {
  switch (day.kind) {
    case DayArgument::Kind::kDate:
      return day.ymd;
    case DayArgument::Kind::kToday:
      return today;
    case DayArgument::Kind::kLatest:
      break;
  }
  return 0;
}

std::optional<int> ResolveDay(const DayArgument& day, const std::vector<int>& stored, int today) {
  if (day.kind == DayArgument::Kind::kLatest) {
    // Today's races may still be running; the newest day before today is the newest
    // whose races are all run.
    std::optional<int> latest;
    for (int ymd : stored) {
      if (ymd < today && (!latest || ymd > *latest)) latest = ymd;
    }
    return latest;
  }
  const int wanted = WantedDay(day, today);
  if (std::find(stored.begin(), stored.end(), wanted) == stored.end()) return std::nullopt;
  return wanted;
}

NearestDays NearestStoredDays(const std::vector<int>& stored, int ymd) {
  NearestDays nearest;
  for (int s : stored) {
    if (s < ymd && s > nearest.before) nearest.before = s;
    if (s > ymd && (nearest.after == 0 || s < nearest.after)) nearest.after = s;
  }
  return nearest;
}

}  // namespace cli
