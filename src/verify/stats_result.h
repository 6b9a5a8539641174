#pragma once

// "調べる": the rows of the "全データ" grid that pass the conditions, the three labels, and
// what a bettor reads beside them: the same selection by month and by racecourse, and the
// cumulative stake and return by date for the chart.

#include <string>
#include <vector>

#include "verify/stats_conditions.h"
#include "verify/stats_file.h"

namespace verify {

/// Sums over selected rows.
struct StatsTotals {
  long long count = 0;
  long long hits = 0;      ///< rows whose 回収 is above 0
  long long stake = 0;     ///< 投資
  long long returned = 0;  ///< 回収, 0 when empty
  void Add(const ExportFields& row);
};

/// The labels "データ数" ("%5d"), "的中率" and "回収率" ("%5.1f", percent): each empty
/// until it has something to show (no row, no stake).
struct StatsLabels {
  std::string count;
  std::string hit_rate;
  std::string return_rate;
};
StatsLabels LabelsOf(const StatsTotals& totals);

/// One line of the month or racecourse table.
struct BreakdownRow {
  std::string key;  ///< "2023-05", or the racecourse name (Shift-JIS)
  StatsTotals totals;
  StatsLabels labels;
};

/// A point of the chart: the sums of every selected row up to and including the date.
struct SeriesPoint {
  std::string date;  ///< yyyymmdd
  long long stake = 0;
  long long returned = 0;
};

struct StatsResult {
  std::vector<size_t> selected;  ///< indices into the file's rows, in file order
  StatsTotals totals;
  StatsLabels labels;
  std::vector<BreakdownRow> by_month;   ///< ascending
  std::vector<BreakdownRow> by_course;  ///< in the order of the racecourse list, others after
  std::vector<SeriesPoint> series;      ///< ascending dates
};

/// "調べる" over the rows of a file.
StatsResult Examine(const StatsFile& file, const StatsConditions& conditions);

}  // namespace verify
