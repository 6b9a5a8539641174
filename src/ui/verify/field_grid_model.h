#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "verify/export_line.h"

namespace ui::verify {

/// The "全データ" and "集計" grids: lines of a verification file, sixteen columns under the
/// headings of the export's fields. The header row is grey, column 0 has the button-face
/// colour, and 投資, 回収, 第1指標 and 馬連1-5 are right-aligned, the rest centred.
class FieldGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  /// Shows these lines (copied), replacing what the grid held.
  void SetRows(std::vector<::verify::ExportFields> rows);
  const std::vector<::verify::ExportFields>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<::verify::ExportFields> rows_;
};

}  // namespace ui::verify
