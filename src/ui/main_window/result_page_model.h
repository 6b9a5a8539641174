#pragma once

#include <QAbstractTableModel>

#include "screens/result_page.h"

namespace ui {

/// The result page "結果" as a Qt model: three rows per bet type ("結果：", "人気：",
/// "配当："), column 0 the type's name on its first row, column 1 the row's caption and
/// one column per paid entry after them (as many as the type has, up to seven).
class ResultPageModel : public QAbstractTableModel {
 public:
  static constexpr int kEntryCols = 7;
  static constexpr int kFirstEntryCol = 2;

  ResultPageModel(const screens::ResultPage& page, QObject* parent = nullptr);
  void Reload();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  QString CellText(int row, int col) const;
  const screens::ResultPage& page_;
};

}  // namespace ui
