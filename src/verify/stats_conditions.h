#pragma once

// The race conditions of the "検証" tab ("ﾚｰｽ条件指定"): five multi-select lists, five
// ranges and the date range, with the limits and defaults of their controls, and the test
// of one grid row against them.

#include <array>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "verify/export_line.h"

namespace verify {

/// The five lists; a list passes a row when none of its items is selected or the row
/// matches one of the selected items.
enum class ConditionList { kTrack, kCourse, kAge, kWeight, kClass };
inline constexpr int kConditionListCount = 5;

/// The items of a list as the tab shows them (Shift-JIS): "芝", "ダート", "障害"; the ten
/// racecourses; "２歳" … "４歳上"; "ハンデ" … "定量"; "新馬" … "G１".
const std::vector<std::string>& ListItems(ConditionList list);

/// The five ranges; both ends are included.
enum class ConditionRange { kRunners, kDistance, kRace, kAve123, kUr1 };
inline constexpr int kConditionRangeCount = 5;

/// Limits and defaults of a range's two controls. 平均ｵｯｽﾞ123 and 馬連1人ｵｯｽﾞ take one
/// decimal and are held in tenths.
struct RangeLimits {
  int first_min, first_max, second_min, second_max;
  int first_default, second_default;
  int step;      ///< the spin step (100 for the distance)
  int decimals;  ///< 1 for the odds edits (values in tenths), else 0
};
const RangeLimits& Limits(ConditionRange range);

struct ValueRange {
  int first = 0;
  int second = 0;
};

/// Everything "調べる" filters by.
struct StatsConditions {
  /// Every date, nothing selected, every range at its defaults.
  StatsConditions();

  std::string from = "00000000";  ///< "■採用ﾃﾞｰﾀ範囲", yyyymmdd, both ends included
  std::string to = "99999999";
  std::array<std::vector<bool>, kConditionListCount> selected;  ///< one flag an item
  std::array<ValueRange, kConditionRangeCount> ranges;

  std::vector<bool>& Selected(ConditionList list) { return selected[static_cast<size_t>(list)]; }
  const std::vector<bool>& Selected(ConditionList list) const {
    return selected[static_cast<size_t>(list)];
  }
  ValueRange& Range(ConditionRange r) { return ranges[static_cast<size_t>(r)]; }
  const ValueRange& Range(ConditionRange r) const { return ranges[static_cast<size_t>(r)]; }
  /// The right click on a list: every item of it unselected.
  void ClearList(ConditionList list);
};

/// The tab's defaults: the date range from `today` − 1095 days to `today`.
StatsConditions TabDefaults(const platform::LocalTime& today);

/// InputError naming the control when a value lies outside its control's limits.
void CheckRange(ConditionRange range, const ValueRange& values);

/// The text of a range value: "1200", or "10.5" for the odds edits.
std::string RangeValueText(ConditionRange range, int value);

/// True when the row lies in the date range and passes every condition.
bool RowPasses(const ExportFields& row, const StatsConditions& conditions);

}  // namespace verify
