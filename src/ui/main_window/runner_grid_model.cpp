#include "runner_grid_model.h"

#include "screens/cell_colours.h"
#include "qt_text.h"

namespace ui {

RunnerGridModel::RunnerGridModel(const screens::RunnerGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {}

void RunnerGridModel::Reload() {
  beginResetModel();
  endResetModel();
}

int RunnerGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.RowCount() - 1;
}

int RunnerGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : screens::kRunnerColumnCount;
}

QVariant RunnerGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const int row = index.row() + 1;
  const auto col = static_cast<screens::RunnerColumn>(index.column());
  if (role == Qt::DisplayRole) return FromSjis(grid_.Cell(row, col));
  if (!work_) return {};
  const screens::CellStyle style = screens::RunnerGridCellStyle(grid_, row, col, *work_);
  switch (role) {
    case Qt::BackgroundRole:
      return ToQColor(style.background);
    case Qt::ForegroundRole:
      return ToQColor(style.text);
    case Qt::FontRole:
      return FixedFont(13, style.bold);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(
          (style.alignment == screens::Alignment::Left ? Qt::AlignLeft : Qt::AlignHCenter) |
          Qt::AlignTop));
    default:
      return {};
  }
}

QVariant RunnerGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const screens::RunnerHeading& heading =
      screens::RunnerHeadingOf(static_cast<screens::RunnerColumn>(section));
  if (role == Qt::DisplayRole) {
    QString text = FromSjis(heading.line1);
    if (!heading.line2.empty()) text += QLatin1Char('\n') + FromSjis(heading.line2);
    return text;
  }
  if (role == Qt::BackgroundRole) return ToQColor(screens::kRunnerHeading);
  return {};
}

}  // namespace ui
