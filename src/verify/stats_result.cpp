#include "verify/stats_result.h"

#include <algorithm>
#include <map>

#include "codes/cell_format.h"
#include "codes/rate_text.h"
#include "verify/stats_numbers.h"

namespace verify {
namespace {

std::string MonthKey(const ExportFields& row) {
  const std::string date = DateKey(row[kDateCol]);
  return date.size() >= 6 ? date.substr(0, 4) + "-" + date.substr(4, 2) : date;
}

// The position of a racecourse in the tab's list; unknown names after all of them.
size_t CourseRank(const std::string& course) {
  const std::vector<std::string>& items = ListItems(ConditionList::kCourse);
  return static_cast<size_t>(std::find(items.begin(), items.end(), course) - items.begin());
}

std::vector<BreakdownRow> Rows(const std::map<std::string, StatsTotals>& groups) {
  std::vector<BreakdownRow> rows;
  for (const auto& [key, totals] : groups) rows.push_back({key, totals, LabelsOf(totals)});
  return rows;
}

void Break(const StatsFile& file, StatsResult& result) {
  std::map<std::string, StatsTotals> months, courses;
  std::map<std::string, StatsTotals> dates;
  for (size_t i : result.selected) {
    const ExportFields& row = file.rows[i];
    months[MonthKey(row)].Add(row);
    courses[row[kCourseCol]].Add(row);
    dates[DateKey(row[kDateCol])].Add(row);
  }
  result.by_month = Rows(months);
  result.by_course = Rows(courses);
  std::stable_sort(result.by_course.begin(), result.by_course.end(),
                   [](const BreakdownRow& a, const BreakdownRow& b) {
                     return CourseRank(a.key) < CourseRank(b.key);
                   });
  SeriesPoint sum;
  for (const auto& [date, totals] : dates) {
    sum.date = date;
    sum.stake += totals.stake;
    sum.returned += totals.returned;
    result.series.push_back(sum);
  }
}

}  // namespace

void StatsTotals::Add(const ExportFields& row) {
  ++count;
  stake += CellInteger(row[kStakeCol]);
  const long long back = CellInteger(row[kReturnCol]);
  returned += back;
  if (back > 0) ++hits;
}

StatsLabels LabelsOf(const StatsTotals& totals) {
  StatsLabels labels;
  if (totals.count > 0) {
    labels.count = codes::FormatInt(totals.count, 5);
    labels.hit_rate = codes::RateText(totals.hits * 100, totals.count, 5, 1);
  }
  if (totals.stake > 0)
    labels.return_rate = codes::RateText(totals.returned * 100, totals.stake, 5, 1);
  return labels;
}

StatsResult Examine(const StatsFile& file, const StatsConditions& conditions) {
  StatsResult result;
  for (size_t i = 0; i < file.rows.size(); ++i) {
    if (!RowPasses(file.rows[i], conditions)) continue;
    result.selected.push_back(i);
    result.totals.Add(file.rows[i]);
  }
  result.labels = LabelsOf(result.totals);
  Break(file, result);
  return result;
}

}  // namespace verify
