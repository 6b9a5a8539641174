#include "ui/verify/breakdown_model.h"

#include <QBrush>
#include <QColor>

#include "ui/widgets/sjis_text.h"

namespace ui::verify {
namespace {

constexpr int kColumns = 7;

}  // namespace

BreakdownModel::BreakdownModel(QString key_heading, QObject* parent)
    : QAbstractTableModel(parent), key_heading_(std::move(key_heading)) {}

void BreakdownModel::SetRows(std::vector<::verify::BreakdownRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

int BreakdownModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BreakdownModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant BreakdownModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumns) return {};
  const ::verify::BreakdownRow& row = rows_[static_cast<size_t>(index.row())];
  if (role == Qt::TextAlignmentRole) {
    return index.column() == 0 ? int(Qt::AlignCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case 0:
      return FromSjis(row.key);
    case 1:
      return QString::number(row.totals.count);
    case 2:
      return QString::number(row.totals.hits);
    case 3:
      return FromSjis(row.labels.hit_rate);
    case 4:
      return QString::number(row.totals.stake);
    case 5:
      return QString::number(row.totals.returned);
    default:
      return FromSjis(row.labels.return_rate);
  }
}

QVariant BreakdownModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::BackgroundRole) return QBrush(QColor(0xC0, 0xC0, 0xC0));
  if (role != Qt::DisplayRole || section < 0 || section >= kColumns) return {};
  static const char* const kHeadings[kColumns] = {"",     "データ数", "的中",  "的中率",
                                                  "投資", "回収",     "回収率"};
  return section == 0 ? key_heading_ : QString::fromUtf8(kHeadings[section]);
}

}  // namespace ui::verify
