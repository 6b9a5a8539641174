#pragma once

#include <QTableView>

#include "bet_table_model.h"

namespace ui {

/// A grid of the bet page: the model's columns at the table's widths (hidden columns
/// hidden), the heading row drawn by the grid, no selection, and the hand cursor over
/// the heading row and column 0, where a click does something.
class BetTableView : public QTableView {
 public:
  BetTableView(BetTableModel* model, QWidget* parent = nullptr);
  /// Column widths and row heights after the model was reloaded.
  void ApplyLayout();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  BetTableModel* model_;
};

/// Row height of the bet tables, in pixels.
inline constexpr int kBetRowHeight = 17;

}  // namespace ui
