#include "codes/race_class_text.h"

#include "codes/code_table.h"
#include "codes/code_tables.h"
#include "codes/record_field.h"

namespace codes {
namespace {

using NumericTable = CodeTable<long long>;

std::string HeaderAgeLabel(std::string_view race_type) {
  // clang-format off
  static const NumericTable table{
      {11, "2歳"}, {12, "3歳"}, {13, "3歳上"}, {14, "4歳上"}, {18, "3歳上"}, {19, "4歳上"}};
  // clang-format on
  return table.TextOr(NumericValue(race_type), "");
}

// A winner-class condition (1勝 .. 1億下) splits an open-age race into per-age classes.
bool IsWinnerClass(std::string_view condition) {
  const long long value = NumericValue(condition);
  return value >= 1 && value <= 100;
}

std::string JoinAges(std::initializer_list<std::string> texts) {
  std::string joined;
  for (const std::string& text : texts) {
    if (&text != texts.begin()) joined += "  ";
    joined += text;
  }
  return joined;
}

}  // namespace

std::string RaceClassHeader(std::string_view race_type, std::string_view two_year_old,
                            std::string_view three_year_old, std::string_view four_year_old,
                            std::string_view five_year_old_up) {
  const std::string age = HeaderAgeLabel(race_type);
  const std::string two = age + ClassText(two_year_old);
  const std::string three = age + ClassText(three_year_old);
  const std::string four = age + ClassText(four_year_old);
  const std::string five = age + ClassText(five_year_old_up);
  switch (NumericValue(race_type)) {
    case 11:
    case 21:
      return two;
    case 12:
    case 22:
      return three;
    case 13:
    case 18:
    case 23:
      return IsWinnerClass(three_year_old) ? JoinAges({three, four, five}) : three;
    case 14:
    case 19:
    case 24:
      return IsWinnerClass(four_year_old) ? JoinAges({four, five}) : four;
    default:
      return {};
  }
}

std::string RaceClassPair(std::string_view race_type, std::string_view condition) {
  // clang-format off
  static const NumericTable ages{
      {11, "2歳"}, {12, "3歳"}, {13, "3歳上"}, {14, "4歳上"}, {18, "障3歳上"}, {19, "障4歳上"}};
  static const NumericTable classes{
      {5, "1勝ｸﾗｽ"}, {10, "2勝ｸﾗｽ"}, {16, "3勝ｸﾗｽ"}, {100, "10000"}, {701, "新馬"},
      {702, "未出走"}, {703, "未勝利"}, {999, "ｵｰﾌﾟﾝ"}};
  // clang-format on
  return ages.TextOr(NumericValue(race_type), "") + classes.TextOr(NumericValue(condition), "");
}

}  // namespace codes
