#include "verify/stats_conditions.h"

#include <functional>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/record_field.h"
#include "codes/strip_wide_spaces.h"
#include "verify/stats_numbers.h"

namespace verify {
namespace {

// How a row matches item i of a list.
using ItemMatch = std::function<bool(const ExportFields& row, size_t item)>;

struct ListTable {
  std::vector<std::string> items;
  ItemMatch match;
};

std::vector<std::string> SjisAll(std::initializer_list<const char*> utf8) {
  std::vector<std::string> out;
  for (const char* text : utf8) out.push_back(codes::Sj(text));
  return out;
}

std::string Trimmed(std::string_view text) { return std::string(codes::TrimBlanks(text)); }

ListTable TrackTable() {
  ListTable t{SjisAll({"芝", "ダート", "障害"}), nullptr};
  static const std::vector<std::string> kFirst = SjisAll({"芝", "ダ", "障"});
  t.match = [](const ExportFields& row, size_t item) {
    return row[kTrackCol].starts_with(kFirst[item]);
  };
  return t;
}

ListTable CourseTable() {
  ListTable t{
      SjisAll({"札幌", "函館", "福島", "新潟", "東京", "中山", "中京", "京都", "阪神", "小倉"}),
      nullptr};
  static const std::vector<std::string> kItems = t.items;
  t.match = [](const ExportFields& row, size_t item) { return row[kCourseCol] == kItems[item]; };
  return t;
}

ListTable AgeTable() {
  // Race types of each item: 2-year-olds, 3-year-olds, 3 and older, 4 and older (flat and
  // obstacle codes); Arab-bred races match none of them.
  static const std::vector<std::vector<long long>> kTypes = {{11}, {12}, {13, 18}, {14, 19}};
  ListTable t{SjisAll({"２歳", "３歳", "３歳上", "４歳上"}), nullptr};
  t.match = [](const ExportFields& row, size_t item) {
    const long long type = CellInteger(row[kRaceTypeCol]);
    for (long long code : kTypes[item]) {
      if (code == type) return true;
    }
    return false;
  };
  return t;
}

ListTable WeightTable() {
  ListTable t{SjisAll({"ハンデ", "別定", "馬齢", "定量"}), nullptr};
  static const std::vector<std::string> kItems = t.items;
  t.match = [](const ExportFields& row, size_t item) {
    return Trimmed(codes::StripWideSpaces(row[kWeightCol])) == kItems[item];
  };
  return t;
}

ListTable ClassTable() {
  // The first six items match the condition code, the three grades the 重賞 text.
  static const std::vector<long long> kCodes = {701, 703, 5, 10, 16, 999};
  static const std::vector<std::string> kGrades = {"G3", "G2", "G1"};
  ListTable t{
      SjisAll({"新馬", "未勝利", "500万", "1000万", "1600万", "オープン", "G３", "G２", "G１"}),
      nullptr};
  t.match = [](const ExportFields& row, size_t item) {
    if (item < kCodes.size()) return CellInteger(row[kConditionCol]) == kCodes[item];
    return Trimmed(row[kGradeCol]) == kGrades[item - kCodes.size()];
  };
  return t;
}

const ListTable& Table(ConditionList list) {
  static const std::array<ListTable, kConditionListCount> kTables = {
      TrackTable(), CourseTable(), AgeTable(), WeightTable(), ClassTable()};
  return kTables[static_cast<size_t>(list)];
}

// clang-format off
const RangeLimits kLimits[kConditionRangeCount] = {
  // first min..max, second min..max, defaults, step, decimals
  {5, 18,       5, 18,       5, 18,      1,   0},  // 頭数
  {1000, 3000,  1000, 5000,  1000, 5000, 100, 0},  // 距離 (m)
  {1, 12,       1, 12,       1, 12,      1,   0},  // レース
  {0, 99999,    0, 99999,    0, 100,     1,   1},  // 平均ｵｯｽﾞ123, tenths
  {0, 99999,    0, 99999,    0, 500,     1,   1},  // 馬連1人ｵｯｽﾞ, tenths
};
const char* const kRangeNames[kConditionRangeCount] = {"runners", "distance", "race", "ave123",
                                                       "ur1"};
const Column kRangeColumns[kConditionRangeCount] = {kRunnersCol, kDistanceCol, kRaceCol,
                                                    kAve123Col, kUr1Col};
// clang-format on

bool ListPasses(const ExportFields& row, const StatsConditions& c, ConditionList list) {
  const std::vector<bool>& selected = c.Selected(list);
  bool any = false;
  for (size_t i = 0; i < selected.size(); ++i) {
    if (!selected[i]) continue;
    any = true;
    if (Table(list).match(row, i)) return true;
  }
  return !any;
}

bool RangePasses(const ExportFields& row, const StatsConditions& c, ConditionRange range) {
  const size_t r = static_cast<size_t>(range);
  const ValueRange& v = c.ranges[r];
  const std::string& cell = row[static_cast<size_t>(kRangeColumns[r])];
  if (kLimits[r].decimals == 0) {
    const long long value = CellInteger(cell);
    return v.first <= value && value <= v.second;
  }
  const long long value = CellMillionths(cell);  // the edits hold tenths
  return v.first * 100000LL <= value && value <= v.second * 100000LL;
}

}  // namespace

const std::vector<std::string>& ListItems(ConditionList list) { return Table(list).items; }

const RangeLimits& Limits(ConditionRange range) { return kLimits[static_cast<size_t>(range)]; }

StatsConditions::StatsConditions() {
  for (int l = 0; l < kConditionListCount; ++l) {
    selected[static_cast<size_t>(l)].assign(ListItems(static_cast<ConditionList>(l)).size(), false);
  }
  for (int r = 0; r < kConditionRangeCount; ++r) {
    ranges[static_cast<size_t>(r)] = {kLimits[r].first_default, kLimits[r].second_default};
  }
}

void StatsConditions::ClearList(ConditionList list) {
  std::vector<bool>& flags = Selected(list);
  flags.assign(flags.size(), false);
}

StatsConditions TabDefaults(const platform::LocalTime& today) {
  const platform::LocalTime first = platform::AddSeconds(today, -1095LL * 24 * 60 * 60);
  StatsConditions c;
  c.from = std::to_string(first.Ymd());
  c.to = std::to_string(today.Ymd());
  return c;
}

void CheckRange(ConditionRange range, const ValueRange& values) {
  const RangeLimits& l = Limits(range);
  const auto check = [&](int value, int min, int max, const char* which) {
    if (value >= min && value <= max) return;
    throw codes::InputError(std::string(kRangeNames[static_cast<size_t>(range)]) + ": the " +
                            which + " value " + RangeValueText(range, value) + " lies outside " +
                            RangeValueText(range, min) + ".." + RangeValueText(range, max));
  };
  check(values.first, l.first_min, l.first_max, "first");
  check(values.second, l.second_min, l.second_max, "second");
}

std::string RangeValueText(ConditionRange range, int value) {
  if (Limits(range).decimals == 0) return std::to_string(value);
  const int magnitude = value < 0 ? -value : value;
  return (value < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
         std::to_string(magnitude % 10);
}

bool RowPasses(const ExportFields& row, const StatsConditions& conditions) {
  const std::string key = DateKey(row[kDateCol]);
  if (!(conditions.from <= key && key <= conditions.to)) return false;
  for (int l = 0; l < kConditionListCount; ++l) {
    if (!ListPasses(row, conditions, static_cast<ConditionList>(l))) return false;
  }
  for (int r = 0; r < kConditionRangeCount; ++r) {
    if (!RangePasses(row, conditions, static_cast<ConditionRange>(r))) return false;
  }
  return true;
}

}  // namespace verify
