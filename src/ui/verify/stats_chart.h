#pragma once

#include <QChartView>
#include <vector>

#include "verify/stats_result.h"

class QLineSeries;
class QDateTimeAxis;
class QValueAxis;

namespace ui::verify {

/// The chart of the selection: cumulative stake and cumulative return, in yen, by date.
class StatsChart : public QChartView {
  Q_OBJECT
 public:
  explicit StatsChart(QWidget* parent = nullptr);

  /// The lines of the points; without points the chart is empty and its axes unlabelled.
  void SetSeries(const std::vector<::verify::SeriesPoint>& points);

  QLineSeries* StakeSeries() const { return stake_; }
  QLineSeries* ReturnSeries() const { return returned_; }
  QDateTimeAxis* DateAxis() const { return dates_; }

 private:
  QLineSeries* stake_;
  QLineSeries* returned_;
  QDateTimeAxis* dates_;
  QValueAxis* yen_;
};

}  // namespace ui::verify
