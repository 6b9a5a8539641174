#include "main_form.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/show_race.h"
#include "guarded.h"
#include "qt_text.h"

namespace ui {
namespace {

constexpr int kResultRowHeight = 18;  ///< a row of the result page, in pixels

}  // namespace

TMainForm::TMainForm(app::Session& session, QtPrompts& prompts, DialogCommands commands,
                     QWidget* parent)
    : QMainWindow(parent), session_(session), prompts_(prompts), commands_(std::move(commands)) {
  setObjectName(QStringLiteral("TMainForm"));
  setWindowTitle(QStringLiteral("Quorvane"));
  prompts_.SetParent(this);
  BuildMenus();
  BuildToolBar();
  setCentralWidget(BuildCentre());
  prompts_.SetStatusSink({}, [this](const QString& text) {
    status_label_->setText(text);
    status_label_->setToolTip(text);  // whole, should the window be too narrow for it
  });
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  Render();
}

QWidget* TMainForm::BuildCentre() {
  auto* centre = new QWidget(this);
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  header_ = new RaceHeaderPanel(centre);
  layout->addWidget(BuildDateRow());
  layout->addWidget(header_);

  race_list_panel_ = new QWidget(centre);
  race_list_panel_->setObjectName(QStringLiteral("RaceListPanel"));
  auto* list_layout = new QVBoxLayout(race_list_panel_);
  list_layout->setContentsMargins(0, 0, 0, 0);
  dat_list_ = new QListWidget(race_list_panel_);
  dat_list_->setObjectName(QStringLiteral("DatList"));
  dat_list_->setFont(FixedFont(14));
  dat_list_->setFixedWidth(96);
  list_layout->addWidget(dat_list_);
  connect(dat_list_, &QListWidget::currentRowChanged, this, &TMainForm::RaceChosen);
  // a click on the race already shown shows it again (its bets made anew)
  dat_list_->viewport()->installEventFilter(this);
  connect(dat_list_, &QListWidget::clicked, this, &TMainForm::RaceClicked);

  pages_ = new QTabWidget(centre);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  bet_page_ = new BetPage(session_, pages_);
  pages_->addTab(bet_page_, QStringLiteral("買い目"));
  pages_->addTab(BuildResultPage(), QStringLiteral("結果"));

  auto* work = new QHBoxLayout;
  work->addWidget(race_list_panel_);
  work->addWidget(pages_, 1);
  layout->addLayout(work, 1);
  return centre;
}

QWidget* TMainForm::BuildDateRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  list_toggle_ = new QToolButton(row);
  list_toggle_->setObjectName(QStringLiteral("SpeedButton1"));
  list_toggle_->setText(QStringLiteral("F"));
  list_toggle_->setStatusTip(QStringLiteral("レースリストの表示/非表示を行います"));
  list_toggle_->setToolTip(list_toggle_->statusTip());
  connect(list_toggle_, &QToolButton::clicked, this,
          [this] { race_list_panel_->setVisible(!race_list_panel_->isVisible()); });
  date_combo_ = new QComboBox(row);
  date_combo_->setObjectName(QStringLiteral("DateCombo"));
  date_combo_->setFont(FixedFont(14));
  date_combo_->setMinimumWidth(150);
  date_combo_->setPlaceholderText(QStringLiteral("開催日"));
  connect(date_combo_, &QComboBox::activated, this, &TMainForm::DatePicked);
  // the status label has the rest of the row, so a long text is read whole
  status_label_ = new QLabel(row);
  status_label_->setObjectName(QStringLiteral("StatusLabel"));
  status_label_->setTextFormat(Qt::PlainText);
  status_label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->addWidget(list_toggle_);
  layout->addWidget(date_combo_);
  layout->addSpacing(8);
  layout->addWidget(status_label_, 1);
  return row;
}

QWidget* TMainForm::BuildResultPage() {
  result_model_ = new ResultPageModel(session_.Screen.Results, this);
  auto* view = new QTableView(this);
  view->setObjectName(QStringLiteral("ResultGrid"));
  view->setModel(result_model_);
  view->horizontalHeader()->hide();
  view->verticalHeader()->hide();
  // 24 rows of 18 pixels, whatever the style's least row: the eight types fit 1024 × 768
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setMinimumSectionSize(kResultRowHeight);
  view->verticalHeader()->setDefaultSectionSize(kResultRowHeight);
  view->setSelectionMode(QAbstractItemView::NoSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setColumnWidth(0, 70);
  view->setColumnWidth(1, 60);
  for (int col = ResultPageModel::kFirstEntryCol; col < result_model_->columnCount(); ++col) {
    view->setColumnWidth(col, 90);
  }
  return view;
}

void TMainForm::Render() {
  RenderDateList();
  RenderRaceList();
  RenderRace();
}

void TMainForm::RenderDateList() {
  rendering_ = true;
  date_combo_->clear();
  int current = -1;
  for (size_t i = 0; i < session_.DateCombo.Items.size(); ++i) {
    date_combo_->addItem(FromSjis(session_.DateCombo.Items[i]));
    if (session_.DateCombo.Items[i] == session_.DateCombo.Text) current = static_cast<int>(i);
  }
  date_combo_->setCurrentIndex(current);
  rendering_ = false;
}

void TMainForm::RenderRaceList() {
  rendering_ = true;
  dat_list_->clear();
  for (const std::string& item : session_.DatList.Items) dat_list_->addItem(FromSjis(item));
  dat_list_->setCurrentRow(session_.DatList.ItemIndex);
  rendering_ = false;
}

void TMainForm::RenderRace() {
  const bool shown = session_.PageControl1Visible && session_.DatList.ItemIndex >= 0;
  pages_->setVisible(shown);
  if (shown) {
    header_->Show(session_.Screen.Header);
  } else {
    header_->Clear();
  }
  bet_page_->Refresh();
  result_model_->Reload();
}

void TMainForm::DatePicked(int index) {
  if (rendering_ || index < 0) return;
  const auto at = static_cast<size_t>(index);
  if (at >= session_.DateCombo.Items.size()) return;
  ChooseDate(session_.DateCombo.Items[at]);
}

bool TMainForm::ChooseDate(const std::string& day_prefix) {
  app::LoadResult result = app::LoadResult::kRejected;
  Guarded(session_, [&] { result = session_.ChooseDate(day_prefix); });
  Render();
  return result == app::LoadResult::kLoaded;
}

void TMainForm::ShowDayAndRace(const std::string& day_prefix, int item) {
  if (!ChooseDate(day_prefix)) return;
  if (item < 0 || item >= static_cast<int>(session_.DatList.Items.size())) return;
  Guarded(session_, [&] { session_.SelectRace(item); });
  Render();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == dat_list_->viewport() && event->type() == QEvent::MouseButtonPress) {
    row_changed_by_press_ = false;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::RaceClicked(const QModelIndex& index) {
  // the press that changed the row has shown the race already
  if (row_changed_by_press_ || !index.isValid()) return;
  RaceChosen(index.row());
}

void TMainForm::RaceChosen(int row) {
  row_changed_by_press_ = true;
  if (rendering_ || row < 0) return;
  Guarded(session_, [&] { session_.SelectRace(row); });
  RenderRace();
}

void TMainForm::ShowRaceAgain() {
  if (session_.DatList.Items.empty() || session_.DatList.ItemIndex < 0) return;
  Guarded(session_, [&] { session_.SelectRace(session_.DatList.ItemIndex); });
  RenderRace();
}

void TMainForm::RebuildDateList() {
  session_.DatList = {};
  session_.PageControl1Visible = false;
  session_.BuildDateList();
  Render();
}

void TMainForm::NextRaceClicked() {
  bool moved = false;
  Guarded(session_, [&] { moved = app::NextRace(session_); });
  if (moved) {
    RenderRaceList();
    RenderRace();
  }
}

}  // namespace ui
