#include "app/live_labels.h"

#include <chrono>
#include <cstdio>

#include "codes/cp932.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"

namespace app {
namespace {

constexpr long long kDaySeconds = 24 * 60 * 60;

long long SecondsOf(const platform::LocalTime& t) {
  using namespace std::chrono;
  const sys_days days = year_month_day{year{t.year}, month{static_cast<unsigned>(t.month)},
                                       day{static_cast<unsigned>(t.day)}};
  return static_cast<long long>(days.time_since_epoch().count()) * kDaySeconds + t.hour * 3600 +
         t.minute * 60 + t.second;
}

bool ValidMoment(const platform::LocalTime& t) {
  using namespace std::chrono;
  const year_month_day ymd{year{t.year}, month{static_cast<unsigned>(t.month)},
                           day{static_cast<unsigned>(t.day)}};
  return ymd.ok() && t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60;
}

std::string Digits(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

}  // namespace

std::string DayText(const platform::LocalTime& t) {
  static const std::string kYear = codes::Sj("年");
  static const std::string kMonth = codes::Sj("月");
  static const std::string kDay = codes::Sj("日");
  return Digits(t.year, 4) + kYear + Digits(t.month, 2) + kMonth + Digits(t.day, 2) + kDay;
}

bool IsCurrentDay(const std::string& date_text, const platform::LocalTime& now) {
  if (date_text == DayText(now)) return true;
  const std::string clock = Digits(now.hour, 2) + Digits(now.minute, 2);
  return date_text == DayText(platform::AddSeconds(now, kDaySeconds)) && clock >= "1800";
}

std::string ClockLabelText(const platform::LocalTime& now) {
  static const std::string kHour = codes::Sj("時");
  static const std::string kMinute = codes::Sj("分");
  static const std::string kSecond = codes::Sj("秒");
  return Digits(now.hour, 2) + kHour + Digits(now.minute, 2) + kMinute + Digits(now.second, 2) +
         kSecond;
}

std::string CountdownText(const store::RaRecord& race, const platform::LocalTime& now) {
  static const std::string kLeft = codes::Sj("発走までの残り時間：");
  static const std::string kStarted = codes::Sj("発走済み");
  const std::string_view date = race.Field(codes::ra_layout::kDate);
  const std::string_view post = race.Field(codes::ra_layout::kPostTime);
  if (!codes::IsAllDigits(date) || !codes::IsAllDigits(post)) return {};
  const platform::LocalTime moment{codes::FieldInt(date, 1, 4), codes::FieldInt(date, 5, 2),
                                   codes::FieldInt(date, 7, 2), codes::FieldInt(post, 1, 2),
                                   codes::FieldInt(post, 3, 2), 0};
  if (!ValidMoment(moment)) return {};
  const long long left = SecondsOf(moment) - SecondsOf(now);
  if (left <= 0) return kStarted;
  const long long in_day = left % kDaySeconds;
  return kLeft + Digits(static_cast<int>(in_day / 3600), 2) + ":" +
         Digits(static_cast<int>(in_day / 60 % 60), 2) + ":" +
         Digits(static_cast<int>(in_day % 60), 2);
}

}  // namespace app
