#include "ui/verify/stats_tab.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>

#include "ui/verify/breakdown_model.h"
#include "ui/verify/condition_panel.h"
#include "ui/verify/field_grid_model.h"
#include "ui/verify/stats_chart.h"
#include "ui/widgets/sjis_text.h"

namespace ui::verify {
namespace {

// Column widths of the grids of lines, in the order of the fields.
constexpr int kFieldWidths[::verify::kFieldCount] = {104, 40,  30, 60, 30, 44, 44, 36,
                                                     38,  110, 52, 44, 52, 56, 58, 58};

QTableView* GridView(QAbstractItemModel* model, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setModel(model);
  view->verticalHeader()->setDefaultSectionSize(20);
  view->horizontalHeader()->setStretchLastSection(false);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: #C0C0C0; }"));
  return view;
}

// A label of the result with its heading: a sunken box as the screen's figures have.
QLabel* ResultLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setMinimumWidth(64);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont font = label->font();
  font.setFamily(QStringLiteral("monospace"));
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

StatsTab::StatsTab(std::filesystem::path csv_folder, QDate today, QWidget* parent)
    : QWidget(parent), csv_folder_(std::move(csv_folder)) {
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(BuildLeftColumn(today));
  split->addWidget(BuildRightColumn());
  split->setStretchFactor(1, 1);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(split);
  RefreshFiles();
}

QWidget* StatsTab::BuildLeftColumn(QDate today) {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  files_ = new QListWidget(column);
  files_->setObjectName(QStringLiteral("FileList"));
  files_->setMaximumHeight(96);
  // The file shown as chosen is the file of the grid, however it became chosen (a click,
  // the arrow keys, or the list taking the focus).
  connect(files_, &QListWidget::currentItemChanged, this, [this] { LoadChosenFile(); });
  file_note_ = new QLabel(column);
  file_note_->setObjectName(QStringLiteral("FileNote"));
  file_note_->setWordWrap(true);
  conditions_ = new ConditionPanel(today, column);
  examine_ = new QPushButton(QStringLiteral("調べる"), column);
  examine_->setObjectName(QStringLiteral("ExamineButton"));
  connect(examine_, &QPushButton::clicked, this, &StatsTab::Examine);
  count_label_ = ResultLabel(QStringLiteral("CountLabel"), column);
  hit_label_ = ResultLabel(QStringLiteral("HitRateLabel"), column);
  return_label_ = ResultLabel(QStringLiteral("ReturnRateLabel"), column);
  auto* labels = new QHBoxLayout;
  labels->addWidget(new QLabel(QStringLiteral("データ数"), column));
  labels->addWidget(count_label_);
  labels->addWidget(new QLabel(QStringLiteral("的中率"), column));
  labels->addWidget(hit_label_);
  labels->addWidget(new QLabel(QStringLiteral("回収率"), column));
  labels->addWidget(return_label_);
  layout->addWidget(new QLabel(QStringLiteral("検証ファイル"), column));
  layout->addWidget(files_);
  layout->addWidget(file_note_);
  layout->addWidget(new QLabel(QStringLiteral("ﾚｰｽ条件指定"), column));
  layout->addWidget(conditions_);
  layout->addWidget(examine_);
  layout->addLayout(labels);
  column->setMinimumWidth(360);
  column->setMaximumWidth(420);
  return column;
}

QWidget* StatsTab::BuildRightColumn() {
  auto* split = new QSplitter(Qt::Vertical, this);
  all_rows_ = new FieldGridModel(this);
  selected_rows_ = new FieldGridModel(this);
  grid_tabs_ = new QTabWidget(split);
  grid_tabs_->addTab(GridView(all_rows_, grid_tabs_), QStringLiteral("全データ"));
  grid_tabs_->addTab(GridView(selected_rows_, grid_tabs_), QStringLiteral("集計"));
  by_month_ = new BreakdownModel(QStringLiteral("月"), this);
  by_course_ = new BreakdownModel(QStringLiteral("競馬場"), this);
  chart_ = new StatsChart(split);
  result_tabs_ = new QTabWidget(split);
  result_tabs_->addTab(chart_, QStringLiteral("累計投資・回収"));
  result_tabs_->addTab(GridView(by_month_, result_tabs_), QStringLiteral("月別"));
  result_tabs_->addTab(GridView(by_course_, result_tabs_), QStringLiteral("競馬場別"));
  for (int tab = 0; tab < grid_tabs_->count(); ++tab) {
    auto* view = qobject_cast<QTableView*>(grid_tabs_->widget(tab));
    for (int col = 0; col < ::verify::kFieldCount; ++col)
      view->setColumnWidth(col, kFieldWidths[col]);
  }
  split->addWidget(grid_tabs_);
  split->addWidget(result_tabs_);
  split->setSizes({260, 340});
  return split;
}

// The file chosen stays chosen and is read again (an export may have replaced it); one
// that is gone leaves nothing chosen and the grid empty.
void StatsTab::RefreshFiles() {
  const QString chosen = files_->currentItem() ? files_->currentItem()->text() : QString();
  {
    const QSignalBlocker quiet(files_);
    files_->clear();
    for (const std::string& name : ::verify::VerificationFiles(csv_folder_)) {
      files_->addItem(FromSjis(name));
    }
  }
  if (chosen.isEmpty() || !ChooseFile(chosen)) LoadChosenFile();
}

bool StatsTab::ChooseFile(const QString& name) {
  const QList<QListWidgetItem*> found = files_->findItems(name, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  if (files_->currentItem() == found.front()) {
    LoadChosenFile();  // read again: an export may have replaced it
  } else {
    files_->setCurrentItem(found.front());
  }
  return true;
}

// Choosing a file: the grid emptied, the file read, its lines shown; lines that cannot be
// read are left out and said so under the list.
void StatsTab::LoadChosenFile() {
  QListWidgetItem* item = files_->currentItem();
  all_rows_->SetRows({});
  file_ = {};
  file_note_->clear();
  if (!item) return;
  try {
    file_ = ::verify::LoadStatsFile(csv_folder_, ToSjis(item->text()));
    file_note_->setText(QString::fromStdString(::verify::SkippedText(file_)));
  } catch (const std::exception& e) {
    file_note_->setText(QString::fromUtf8(e.what()));
  }
  all_rows_->SetRows(file_.rows);
  grid_tabs_->setCurrentIndex(0);
}

void StatsTab::Examine() {
  result_ = ::verify::Examine(file_, conditions_->Conditions());
  std::vector<::verify::ExportFields> rows;
  rows.reserve(result_->selected.size());
  for (size_t i : result_->selected) rows.push_back(file_.rows[i]);
  selected_rows_->SetRows(std::move(rows));
  count_label_->setText(FromSjis(result_->labels.count));
  hit_label_->setText(FromSjis(result_->labels.hit_rate));
  return_label_->setText(FromSjis(result_->labels.return_rate));
  by_month_->SetRows(result_->by_month);
  by_course_->SetRows(result_->by_course);
  chart_->SetSeries(result_->series);
  grid_tabs_->setCurrentIndex(1);
}

}  // namespace ui::verify
