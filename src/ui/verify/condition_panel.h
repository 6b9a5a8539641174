#pragma once

#include <QDate>
#include <QWidget>
#include <array>

#include "verify/stats_conditions.h"

class QDateEdit;
class QGridLayout;
class QDoubleSpinBox;
class QListWidget;
class QSpinBox;

namespace ui::verify {

/// "ﾚｰｽ条件指定": the date range "■採用ﾃﾞｰﾀ範囲", the five multi-select lists (a right
/// click clears a list) and the five ranges, each control with its limits and default.
class ConditionPanel : public QWidget {
  Q_OBJECT
 public:
  /// The date range starts at `today` − 1095 days and ends at `today`.
  ConditionPanel(QDate today, QWidget* parent = nullptr);

  /// The conditions as the controls stand.
  ::verify::StatsConditions Conditions() const;

  QListWidget* List(::verify::ConditionList list) const;
  QDateEdit* FromEdit() const { return from_; }
  QDateEdit* ToEdit() const { return to_; }
  /// The first and second control of a range (QSpinBox, or QDoubleSpinBox for the odds).
  QWidget* RangeEdit(::verify::ConditionRange range, int which) const;

 private:
  void AddDates(QGridLayout* grid, int row, QDate today);
  void AddList(QGridLayout* grid, int row, ::verify::ConditionList list, const QString& title,
               int columns);
  void AddRange(QGridLayout* grid, int row, ::verify::ConditionRange range, const QString& title,
                const QString& unit);

  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  std::array<QListWidget*, ::verify::kConditionListCount> lists_{};
  std::array<std::array<QWidget*, 2>, ::verify::kConditionRangeCount> ranges_{};
};

}  // namespace ui::verify
