#include "result_page_model.h"

#include "qt_text.h"

namespace ui {

ResultPageModel::ResultPageModel(const screens::ResultPage& page, QObject* parent)
    : QAbstractTableModel(parent), page_(page) {}

void ResultPageModel::Reload() {
  beginResetModel();
  endResetModel();
}

int ResultPageModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(screens::kResultBetTypes.size()) * 3;
}

int ResultPageModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kFirstEntryCol + kEntryCols;
}

QString ResultPageModel::CellText(int row, int col) const {
  static const QString kCaptions[3] = {QStringLiteral("結果："), QStringLiteral("人気："),
                                       QStringLiteral("配当：")};
  const codes::BetType type = screens::kResultBetTypes.at(static_cast<size_t>(row / 3));
  const int line = row % 3;
  if (col == 0) return line == 0 ? FromSjis(screens::ResultBetName(type)) : QString();
  if (col == 1) return kCaptions[line];
  const auto& columns = page_.Columns(type);
  const auto entry = static_cast<size_t>(col - kFirstEntryCol);
  if (entry >= columns.size()) return {};
  const screens::ResultColumn& c = columns[entry];
  return FromSjis(line == 0 ? c.Result : line == 1 ? c.Popularity : c.Payout);
}

QVariant ResultPageModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return CellText(index.row(), index.column());
    case Qt::FontRole:
      return FixedFont(13, index.column() == 0);
    case Qt::BackgroundRole:
      // the rows of one bet type share a shade, so the eight types stand apart
      if (index.column() < kFirstEntryCol) return QColor(201, 146, 146);
      return (index.row() / 3) % 2 == 0 ? QColor(Qt::white) : QColor(255, 251, 240);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignVCenter));
    default:
      return {};
  }
}

}  // namespace ui
