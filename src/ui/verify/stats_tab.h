#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>

#include "verify/stats_file.h"
#include "verify/stats_result.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableView;

namespace ui::verify {

class BreakdownModel;
class ConditionPanel;
class FieldGridModel;
class StatsChart;

/// The "検証" tab: the list of verification files, the "全データ" grid of the chosen one,
/// the conditions, "調べる" with its three labels, and the selection as the "集計" grid,
/// the chart of cumulative stake and return, and the month and racecourse tables.
class StatsTab : public QWidget {
  Q_OBJECT
 public:
  StatsTab(std::filesystem::path csv_folder, QDate today, QWidget* parent = nullptr);

  /// Lists the "*.csv" files of the csv folder again (after an export).
  void RefreshFiles();
  /// Chooses a file of the list by its name (as a click does); false when not listed.
  bool ChooseFile(const QString& name);
  /// "調べる".
  void Examine();

  ConditionPanel* Conditions() const { return conditions_; }
  QTabWidget* GridTabs() const { return grid_tabs_; }
  QTabWidget* ResultTabs() const { return result_tabs_; }
  QLabel* CountLabel() const { return count_label_; }
  QLabel* HitLabel() const { return hit_label_; }
  QLabel* ReturnLabel() const { return return_label_; }
  FieldGridModel* AllRows() const { return all_rows_; }
  FieldGridModel* SelectedRows() const { return selected_rows_; }
  BreakdownModel* ByMonth() const { return by_month_; }
  BreakdownModel* ByCourse() const { return by_course_; }
  StatsChart* Chart() const { return chart_; }
  QListWidget* Files() const { return files_; }
  const std::optional<::verify::StatsResult>& Result() const { return result_; }
  const ::verify::StatsFile& File() const { return file_; }

 private:
  QWidget* BuildLeftColumn(QDate today);
  QWidget* BuildRightColumn();
  void LoadChosenFile();

  std::filesystem::path csv_folder_;
  ::verify::StatsFile file_;
  std::optional<::verify::StatsResult> result_;
  QListWidget* files_ = nullptr;
  ConditionPanel* conditions_ = nullptr;
  QLabel* count_label_ = nullptr;
  QLabel* hit_label_ = nullptr;
  QLabel* return_label_ = nullptr;
  QLabel* file_note_ = nullptr;
  QPushButton* examine_ = nullptr;
  QTabWidget* grid_tabs_ = nullptr;
  QTabWidget* result_tabs_ = nullptr;
  FieldGridModel* all_rows_ = nullptr;
  FieldGridModel* selected_rows_ = nullptr;
  BreakdownModel* by_month_ = nullptr;
  BreakdownModel* by_course_ = nullptr;
  StatsChart* chart_ = nullptr;
};

}  // namespace ui::verify
