#pragma once

#include <QAbstractTableModel>

#include "bets/bet_table.h"
#include "store/race_day.h"

namespace ui {

/// One bet table of the bet page as a Qt model: model row r is bet row r + 1 of the
/// table, the table's row 0 is the horizontal header. Backgrounds come from the core's
/// colours (the paid combinations of the shown race in magenta); texts are centred at
/// the top of the cell in the fixed-pitch face.
class BetTableModel : public QAbstractTableModel {
 public:
  BetTableModel(const bets::BetTable& table, QObject* parent = nullptr);

  /// The payouts of the race shown (null: no race).
  void SetPayouts(const store::RacePayouts* payouts) { payouts_ = payouts; }
  /// The table changed (a new race, an allocation, a sort): every cell is read again.
  void Reload();

  const bets::BetTable& Table() const { return table_; }
  /// The table row of a model row.
  static int TableRow(int model_row) { return model_row + 1; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const bets::BetTable& table_;
  const store::RacePayouts* payouts_ = nullptr;
};

}  // namespace ui
