#include "store/record_names.h"

#include "codes/course_text.h"
#include "codes/cp932.h"
#include "codes/record_field.h"
#include "store/day_prefix.h"

namespace store {
namespace {

constexpr int kFirstYear = 1900;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Two digits between lo and hi.
bool IsNumberBetween(std::string_view two_digits, int lo, int hi) {
  if (two_digits.size() != 2 || !codes::IsAllDigits(two_digits)) return false;
  const int n = (two_digits[0] - '0') * 10 + (two_digits[1] - '0');
  return n >= lo && n <= hi;
}

}  // namespace

bool IsRaceDate(std::string_view yyyymmdd) {
  if (yyyymmdd.size() != 8 || !codes::IsAllDigits(yyyymmdd)) return false;
  const int year = codes::FieldInt(yyyymmdd, 1, 4);
  const int month = codes::FieldInt(yyyymmdd, 5, 2);
  const int day = codes::FieldInt(yyyymmdd, 7, 2);
  return year >= kFirstYear && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

std::optional<std::string> VenueName(std::string_view code) {
  if (code.size() != 2) return std::nullopt;
  std::string name = codes::CourseText(code);
  if (codes::IsBlank(name)) return std::nullopt;
  return name;
}

bool IsRaceNumber(std::string_view two_digits) { return IsNumberBetween(two_digits, 1, 12); }

bool IsHorseNumber(std::string_view two_digits) { return IsNumberBetween(two_digits, 1, 18); }

std::optional<std::string> VoteFileDay(std::string_view day_prefix) {
  if (!IsDayPrefix(day_prefix)) return std::nullopt;
  return DateOfDayPrefix(day_prefix).substr(2);
}

std::optional<std::string> RaceKeyFault(std::string_view record, KeyCheck check) {
  if (!IsRaceDate(codes::Field(record, 12, 8))) return codes::Sj("日付が暦にない");
  if (!VenueName(codes::Field(record, 20, 2))) return codes::Sj("競馬場コードが表にない");
  if (check == KeyCheck::kDayAndVenue) return std::nullopt;
  if (!IsRaceNumber(codes::Field(record, 26, 2))) return codes::Sj("レース番号が01～12でない");
  if (check == KeyCheck::kRunner && !IsHorseNumber(codes::Field(record, 29, 2))) {
    return codes::Sj("馬番が01～18でない");
  }
  return std::nullopt;
}

}  // namespace store
