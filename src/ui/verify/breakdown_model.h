#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "verify/stats_result.h"

namespace ui::verify {

/// The month or racecourse table of the selection: key, データ数, 的中, 的中率, 投資,
/// 回収, 回収率, with the rates as the labels show them.
class BreakdownModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  BreakdownModel(QString key_heading, QObject* parent = nullptr);

  void SetRows(std::vector<::verify::BreakdownRow> rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QString key_heading_;
  std::vector<::verify::BreakdownRow> rows_;
};

}  // namespace ui::verify
