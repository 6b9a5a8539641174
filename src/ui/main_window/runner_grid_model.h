#pragma once

#include <QAbstractTableModel>

#include "screens/runner_grid.h"
#include "store/race_day.h"

namespace ui {

/// The runner grid `StringGrid26` as a Qt model: model row r is grid row r + 1; the
/// heading row is the horizontal header with its two lines. Colours, bold order cells and
/// alignment come from the core's cell styles for the race shown.
class RunnerGridModel : public QAbstractTableModel {
 public:
  RunnerGridModel(const screens::RunnerGrid& grid, QObject* parent = nullptr);

  /// The working block of the race shown (its trio/trifecta mark and win order).
  void SetWork(const store::RaceWork* work) { work_ = work; }
  void Reload();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const screens::RunnerGrid& grid_;
  const store::RaceWork* work_ = nullptr;
};

}  // namespace ui
