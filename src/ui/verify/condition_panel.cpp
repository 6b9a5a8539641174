#include "ui/verify/condition_panel.h"

#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>

#include "ui/widgets/sjis_text.h"

namespace ui::verify {
namespace {

using ::verify::ConditionList;
using ::verify::ConditionRange;

// Every list shows all its items at once: `columns` items of this size a row.
constexpr int kItemWidth = 52;
constexpr int kItemHeight = 20;

QDateEdit* DateEdit(QDate date, QWidget* parent) {
  auto* edit = new QDateEdit(date, parent);
  edit->setCalendarPopup(true);
  edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  return edit;
}

// A spin edit of a range's control: whole numbers, or tenths shown with one decimal.
QWidget* RangeControl(const ::verify::RangeLimits& l, bool second, QWidget* parent) {
  const int min = second ? l.second_min : l.first_min;
  const int max = second ? l.second_max : l.first_max;
  const int value = second ? l.second_default : l.first_default;
  if (l.decimals == 1) {
    auto* edit = new QDoubleSpinBox(parent);
    edit->setDecimals(1);
    edit->setRange(min / 10.0, max / 10.0);
    edit->setSingleStep(0.1);
    edit->setValue(value / 10.0);
    return edit;
  }
  auto* edit = new QSpinBox(parent);
  edit->setRange(min, max);
  edit->setSingleStep(l.step);
  edit->setValue(value);
  return edit;
}

int RangeValue(const QWidget* control) {
  if (auto* spin = qobject_cast<const QSpinBox*>(control)) return spin->value();
  // One decimal: the value in tenths, exactly as shown.
  return qRound(qobject_cast<const QDoubleSpinBox*>(control)->value() * 10);
}

std::string DateText(const QDate& date) {
  return date.toString(QStringLiteral("yyyyMMdd")).toStdString();
}

}  // namespace

ConditionPanel::ConditionPanel(QDate today, QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(3);
  AddDates(grid, 0, today);
  AddList(grid, 1, ConditionList::kTrack, QStringLiteral("トラック"), 3);
  AddList(grid, 2, ConditionList::kCourse, QStringLiteral("競馬場"), 5);
  AddList(grid, 3, ConditionList::kAge, QStringLiteral("世代"), 4);
  AddList(grid, 4, ConditionList::kWeight, QStringLiteral("重量"), 4);
  AddList(grid, 5, ConditionList::kClass, QStringLiteral("クラス"), 5);
  AddRange(grid, 6, ConditionRange::kRunners, QStringLiteral("頭数"), QString());
  AddRange(grid, 7, ConditionRange::kDistance, QStringLiteral("距離"), QStringLiteral("m"));
  AddRange(grid, 8, ConditionRange::kRace, QStringLiteral("レース"), QStringLiteral("R"));
  AddRange(grid, 9, ConditionRange::kAve123, QStringLiteral("平均ｵｯｽﾞ123"), QString());
  AddRange(grid, 10, ConditionRange::kUr1, QStringLiteral("馬連1人ｵｯｽﾞ"), QString());
  grid->setRowStretch(11, 1);
}

void ConditionPanel::AddDates(QGridLayout* grid, int row, QDate today) {
  from_ = DateEdit(today.addDays(-1095), this);
  to_ = DateEdit(today, this);
  from_->setObjectName(QStringLiteral("StatsFromDate"));
  to_->setObjectName(QStringLiteral("StatsToDate"));
  grid->addWidget(new QLabel(QStringLiteral("■採用ﾃﾞｰﾀ範囲"), this), row, 0);
  auto* dates = new QHBoxLayout;
  dates->addWidget(from_);
  dates->addWidget(new QLabel(QStringLiteral("～"), this));
  dates->addWidget(to_);
  grid->addLayout(dates, row, 1, 1, 3);
}

void ConditionPanel::AddList(QGridLayout* grid, int row, ConditionList list, const QString& title,
                             int columns) {
  auto* widget = new QListWidget(this);
  widget->setObjectName(QStringLiteral("List") + QString::number(static_cast<int>(list)));
  widget->setSelectionMode(QAbstractItemView::MultiSelection);
  widget->setFlow(QListView::LeftToRight);
  widget->setWrapping(true);
  widget->setGridSize(QSize(kItemWidth, kItemHeight));
  widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  widget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  widget->setMinimumWidth(columns * kItemWidth + 8);
  widget->setContextMenuPolicy(Qt::CustomContextMenu);
  for (const std::string& item : ::verify::ListItems(list)) widget->addItem(FromSjis(item));
  const int items = widget->count();
  const int rows = (items + columns - 1) / columns;
  widget->setFixedHeight(rows * kItemHeight + 6);
  connect(widget, &QListWidget::customContextMenuRequested, widget,
          [widget] { widget->clearSelection(); });
  lists_[static_cast<size_t>(list)] = widget;
  grid->addWidget(new QLabel(title, this), row, 0, Qt::AlignTop);
  grid->addWidget(widget, row, 1, 1, 3);
}

void ConditionPanel::AddRange(QGridLayout* grid, int row, ConditionRange range,
                              const QString& title, const QString& unit) {
  const ::verify::RangeLimits& limits = ::verify::Limits(range);
  auto& controls = ranges_[static_cast<size_t>(range)];
  controls[0] = RangeControl(limits, false, this);
  controls[1] = RangeControl(limits, true, this);
  grid->addWidget(new QLabel(title, this), row, 0);
  grid->addWidget(controls[0], row, 1);
  grid->addWidget(new QLabel(QStringLiteral("～"), this), row, 2, Qt::AlignCenter);
  auto* second = new QHBoxLayout;
  second->addWidget(controls[1]);
  if (!unit.isEmpty()) second->addWidget(new QLabel(unit, this));
  grid->addLayout(second, row, 3);
}

::verify::StatsConditions ConditionPanel::Conditions() const {
  ::verify::StatsConditions c;
  c.from = DateText(from_->date());
  c.to = DateText(to_->date());
  for (int l = 0; l < ::verify::kConditionListCount; ++l) {
    const QListWidget* widget = lists_[static_cast<size_t>(l)];
    std::vector<bool>& flags = c.selected[static_cast<size_t>(l)];
    for (int i = 0; i < widget->count(); ++i)
      flags[static_cast<size_t>(i)] = widget->item(i)->isSelected();
  }
  for (int r = 0; r < ::verify::kConditionRangeCount; ++r) {
    const auto& controls = ranges_[static_cast<size_t>(r)];
    c.ranges[static_cast<size_t>(r)] = {RangeValue(controls[0]), RangeValue(controls[1])};
  }
  return c;
}

QListWidget* ConditionPanel::List(ConditionList list) const {
  return lists_[static_cast<size_t>(list)];
}

QWidget* ConditionPanel::RangeEdit(ConditionRange range, int which) const {
  return ranges_[static_cast<size_t>(range)][which == 0 ? 0 : 1];
}

}  // namespace ui::verify
