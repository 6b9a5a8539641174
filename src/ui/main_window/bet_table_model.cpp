#include "bet_table_model.h"

#include "screens/cell_colours.h"
#include "qt_text.h"

namespace ui {

BetTableModel::BetTableModel(const bets::BetTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

void BetTableModel::Reload() {
  beginResetModel();
  endResetModel();
}

int BetTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.RowCount() - 1;
}

int BetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.ColCount();
}

QVariant BetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const int row = TableRow(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return FromSjis(table_.Cell(row, index.column()));
    case Qt::BackgroundRole: {
      static const store::RacePayouts kNoPayouts{};
      return ToQColor(
          screens::CellColour(table_, row, index.column(), payouts_ ? *payouts_ : kNoPayouts));
    }
    case Qt::ForegroundRole:
      return QColor(Qt::black);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignTop));
    case Qt::FontRole:
      return FixedFont();
    default:
      return {};
  }
}

QVariant BetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return FromSjis(table_.Cell(0, section));
  if (role == Qt::BackgroundRole) return ToQColor(screens::kBetHeader);
  return {};
}

}  // namespace ui
