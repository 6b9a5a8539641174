#include "ui/verify/field_grid_model.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QPalette>

#include "ui/widgets/sjis_text.h"

namespace ui::verify {

void FieldGridModel::SetRows(std::vector<::verify::ExportFields> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int FieldGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FieldGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ::verify::kFieldCount;
}

QVariant FieldGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return FromSjis(rows_[static_cast<size_t>(index.row())][static_cast<size_t>(col)]);
    case Qt::TextAlignmentRole:
      return col >= ::verify::kStakeCol ? int(Qt::AlignRight | Qt::AlignVCenter)
                                        : int(Qt::AlignCenter);
    case Qt::BackgroundRole:
      return col == 0 ? QApplication::palette().brush(QPalette::Button) : QBrush(Qt::white);
    default:
      return {};
  }
}

QVariant FieldGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
  }
  if (section < 0 || section >= ::verify::kFieldCount) return {};
  if (role == Qt::DisplayRole) {
    return FromSjis(::verify::FieldHeadings()[static_cast<size_t>(section)]);
  }
  if (role == Qt::BackgroundRole) return QBrush(QColor(0xC0, 0xC0, 0xC0));
  return {};
}

}  // namespace ui::verify
