#include "bet_table_view.h"

#include <QMouseEvent>

#include "bets/bet_table_actions.h"
#include "grid_header.h"

namespace ui {

BetTableView::BetTableView(BetTableModel* model, QWidget* parent)
    : QTableView(parent), model_(model) {
  setHorizontalHeader(new GridHeader(GridHeader::TextPlace::CentredTop, 20, this));
  setModel(model);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kBetRowHeight);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->viewport()->setCursor(Qt::PointingHandCursor);
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);  // fixed-width texts are shown whole, as the cells hold them
  ApplyLayout();
}

void BetTableView::ApplyLayout() {
  const bets::BetTable& table = model_->Table();
  for (int col = 0; col < table.ColCount(); ++col) {
    const int width = table.ColWidth(col);
    setColumnHidden(col, width == bets::kHiddenWidth);
    if (width != bets::kHiddenWidth) setColumnWidth(col, width);
  }
}

void BetTableView::mouseMoveEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  const bool hand = index.isValid() &&
                    bets::ShowsHandCursor(BetTableModel::TableRow(index.row()), index.column());
  viewport()->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
  QTableView::mouseMoveEvent(event);
}

}  // namespace ui
