#include "store/day_prefix.h"

#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/layouts/header_layout.h"
#include "codes/record_field.h"

namespace store {
namespace {

struct DateMarks {
  std::string year = codes::Sj("年");
  std::string month = codes::Sj("月");
  std::string day = codes::Sj("日");
};

const DateMarks& Marks() {
  static const DateMarks marks;
  return marks;
}

}  // namespace

std::optional<std::string> DayPrefixOfDate(std::string_view yyyymmdd) {
  if (yyyymmdd.size() != 8 || !codes::IsAllDigits(yyyymmdd)) return std::nullopt;
  const DateMarks& m = Marks();
  std::string prefix;
  prefix.reserve(kDayPrefixLength);
  prefix.append(yyyymmdd.substr(0, 4)).append(m.year);
  prefix.append(yyyymmdd.substr(4, 2)).append(m.month);
  prefix.append(yyyymmdd.substr(6, 2)).append(m.day);
  return prefix;
}

std::optional<std::string> DayPrefixOfRecord(std::string_view record) {
  return DayPrefixOfDate(codes::Field(record, codes::header_layout::kDate));
}

bool IsDayPrefix(std::string_view text) {
  if (text.size() != kDayPrefixLength) return false;
  const DateMarks& m = Marks();
  return codes::IsAllDigits(text.substr(0, 4)) && text.substr(4, 2) == m.year &&
         codes::IsAllDigits(text.substr(6, 2)) && text.substr(8, 2) == m.month &&
         codes::IsAllDigits(text.substr(10, 2)) && text.substr(12, 2) == m.day;
}

std::string DateOfDayPrefix(std::string_view day_prefix) {
  if (!IsDayPrefix(day_prefix)) {
    throw codes::InputError("\"" + codes::SjisToUtf8Lenient(day_prefix) +
                            "\" is not a race day of the form yyyy年mm月dd日");
  }
  std::string date;
  date.append(day_prefix.substr(0, 4)).append(day_prefix.substr(6, 2));
  date.append(day_prefix.substr(10, 2));
  return date;
}

}  // namespace store
