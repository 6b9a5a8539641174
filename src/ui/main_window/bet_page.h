#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QWidget>
#include <array>

#include "app/session.h"
#include "bet_table_model.h"
#include "bet_table_view.h"
#include "bets/bet_table_actions.h"
#include "marks_panel.h"
#include "runner_grid_model.h"
#include "ui/widgets/label_3d.h"

namespace ui {

/// The bet page "買い目": the stake field "入力投票金額", the 資金配分 choice, the summary
/// labels, the four bet tables on the tabs of `PageControl4`, the "Velk2投票" button, the
/// marks panel and the runner grid `StringGrid26`. It renders the session's race screen
/// and hands the user's actions on the tables to the core.
class BetPage : public QWidget {
 public:
  BetPage(app::Session& session, QWidget* parent = nullptr);

  /// Everything drawn again from the session's race screen (after a race is shown).
  void Refresh();
  /// The stake split shown as the settings hold it.
  void ShowSplit();

 protected:
  /// The first time the page shows, the runner grid gets the width its columns need, up
  /// to half the page; the bet tables the rest.
  void showEvent(QShowEvent* event) override;

 private:
  static constexpr int kTypes = 4;
  QWidget* BuildStakeRow();
  QWidget* BuildSummary();
  QWidget* BuildTables();
  QWidget* BuildRunnerSide();
  void RefreshTables();
  void PaintSummaries();
  void StakeTyped(const QString& text);
  void SplitChosen(bets::StakeMode mode);
  void CellClicked(int type_index, const QModelIndex& index);
  void HeaderPressed(int type_index, int col);
  void Vote();
  bool RaceShown() const;
  const store::RacePayouts& Payouts() const;

  app::Session& session_;
  bets::SortState sort_;
  QLineEdit* stake_ = nullptr;  ///< `SaNumEditExC1`, a six-digit number box
  QRadioButton* equal_ = nullptr;
  QRadioButton* proportional_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  std::array<BetTableModel*, kTypes> models_{};
  std::array<BetTableView*, kTypes> views_{};
  std::array<std::array<Label3D*, 4>, kTypes> summary_{};
  MarksPanel* marks_ = nullptr;
  RunnerGridModel* runner_model_ = nullptr;
  QTableView* runner_grid_ = nullptr;
  QSplitter* splitter_ = nullptr;
  bool split_once_ = false;
};

}  // namespace ui
