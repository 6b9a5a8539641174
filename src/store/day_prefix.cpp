#include "store/day_prefix.h"

#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/layouts/header_layout.h"
#include "codes/record_field.h"
#include "store/record_names.h"

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
  if (!IsRaceDate(yyyymmdd)) return std::nullopt;
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
  if (text.substr(4, 2) != m.year || text.substr(8, 2) != m.month ||
      text.substr(12, 2) != m.day) {
    return false;
  }
  std::string date;
  date.append(text.substr(0, 4)).append(text.substr(6, 2)).append(text.substr(10, 2));
  return IsRaceDate(date);
}

std::optional<std::string> DayPrefixOfFileName(const std::filesystem::path& file) {
  std::string name;
  try {
    name = codes::Utf8ToSjis(file.filename().string());
  } catch (const codes::InputError&) {
    return std::nullopt;
  }
  if (name.size() < kDayPrefixLength || !IsDayPrefix(name.substr(0, kDayPrefixLength))) {
    return std::nullopt;
  }
  return name.substr(0, kDayPrefixLength);
}

bool IsDayListFile(const std::filesystem::path& file) {
  return file.extension() == ".jvRA" && DayPrefixOfFileName(file).has_value();
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
