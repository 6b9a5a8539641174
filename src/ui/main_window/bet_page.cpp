#include "bet_page.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/show_race.h"
#include "bets/race_stakes.h"
#include "grid_header.h"
#include "guarded.h"
#include "app/session_vote.h"
#include "qt_text.h"
#include "ui/widgets/number_edit.h"

namespace ui {
namespace {

constexpr const char* kTypePrefix[4] = {"UR", "UT", "SRF", "SRT"};
constexpr const char* kSummaryNames[4] = {"CountLabel", "TotalLabel", "ExpectedLabel",
                                          "ReturnedLabel"};
// The runner grid: 15 pixels a runner, 28 for the two-line heading row.
constexpr int kRunnerRowHeight = 15;
constexpr int kRunnerHeadingHeight = 28;
// A summary value holds eight characters at most ("%8d" returned amounts).
constexpr int kSummaryMinWidth = 64;

QString Name(int type_index, const char* what) {
  return QString::fromLatin1(kTypePrefix[type_index]) + QString::fromLatin1(what);
}

const bets::SummaryLabel& SummaryOf(const bets::BetSummary& s, int which) {
  const bets::SummaryLabel* labels[4] = {&s.count, &s.total, &s.expected, &s.returned};
  return *labels[which];
}

}  // namespace

BetPage::BetPage(app::Session& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName(QStringLiteral("BetPage"));
  auto* left = new QWidget(this);
  auto* left_layout = new QVBoxLayout(left);
  left_layout->setContentsMargins(0, 0, 0, 0);
  left_layout->addWidget(BuildStakeRow());
  left_layout->addWidget(BuildSummary());
  left_layout->addWidget(BuildTables(), 1);

  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(QStringLiteral("BetPageSplitter"));
  splitter_->addWidget(left);
  splitter_->addWidget(BuildRunnerSide());
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 1);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(splitter_);
  ShowSplit();
  PaintSummaries();
}

QWidget* BetPage::BuildStakeRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("入力投票金額"), row));
  // whole yen of six digits at most: no sign, no decimals, no letters
  stake_ = new NumberEdit(6, row);
  stake_->setObjectName(QStringLiteral("SaNumEditExC1"));
  stake_->setAlignment(Qt::AlignRight);
  stake_->setFont(FixedFont(14, true));
  stake_->setFixedWidth(80);
  layout->addWidget(stake_);
  layout->addWidget(new QLabel(QStringLiteral("円"), row));
  layout->addSpacing(8);
  layout->addWidget(new QLabel(QStringLiteral("資金配分"), row));
  equal_ = new QRadioButton(QStringLiteral("均等"), row);
  equal_->setObjectName(QStringLiteral("HaibunEqual"));
  proportional_ = new QRadioButton(QStringLiteral("比例"), row);
  proportional_->setObjectName(QStringLiteral("HaibunProportional"));
  auto* group = new QButtonGroup(row);
  group->addButton(equal_);
  group->addButton(proportional_);
  layout->addWidget(equal_);
  layout->addWidget(proportional_);
  layout->addStretch(1);

  connect(stake_, &QLineEdit::textEdited, this, &BetPage::StakeTyped);
  connect(equal_, &QRadioButton::clicked, this, [this] { SplitChosen(bets::StakeMode::Equal); });
  connect(proportional_, &QRadioButton::clicked, this,
          [this] { SplitChosen(bets::StakeMode::Proportional); });
  return row;
}

QWidget* BetPage::BuildSummary() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(1);
  const QString captions[4] = {QStringLiteral("点数"), QStringLiteral("投票金額(円)"),
                               QStringLiteral("予想回収率(%)"), QStringLiteral("回収金額(円)")};
  for (int c = 0; c < 4; ++c) {
    auto* caption = new QLabel(captions[c], box);
    caption->setAlignment(Qt::AlignCenter);
    grid->addWidget(caption, 0, c + 1);
  }
  for (int t = 0; t < kTypes; ++t) {
    grid->addWidget(new QLabel(FromSjis(bets::BetTypeName(bets::BetTables::kOrder[t])), box), t + 1,
                    0);
    for (int c = 0; c < 4; ++c) {
      auto* label = new Label3D(QString(), box);
      label->setObjectName(Name(t, kSummaryNames[c]));
      label->setTextFormat(Qt::PlainText);
      label->setFont(FixedFont(13, true));
      label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      label->setBevel(Label3D::Bevel::kLowered);
      label->setMinimumWidth(kSummaryMinWidth);
      summary_[t][c] = label;
      grid->addWidget(label, t + 1, c + 1);
    }
  }
  grid->setColumnStretch(5, 1);
  return box;
}

QWidget* BetPage::BuildTables() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("PageControl4"));
  for (int t = 0; t < kTypes; ++t) {
    const codes::BetType type = bets::BetTables::kOrder[t];
    models_[t] = new BetTableModel(session_.Screen.Tables.Table(type), this);
    views_[t] = new BetTableView(models_[t], tabs_);
    views_[t]->setObjectName(Name(t, "Grid"));
    tabs_->addTab(views_[t], FromSjis(bets::BetTypeName(type)));
    connect(views_[t], &QTableView::clicked, this,
            [this, t](const QModelIndex& index) { CellClicked(t, index); });
    connect(views_[t]->horizontalHeader(), &QHeaderView::sectionPressed, this,
            [this, t](int col) { HeaderPressed(t, col); });
  }
  connect(tabs_, &QTabWidget::currentChanged, this, &BetPage::PaintSummaries);
  // the button votes the table of the tab shown, so it stands beside the tabs
  auto* vote = new QPushButton(QStringLiteral("Velk2投票"), tabs_);
  vote->setObjectName(QStringLiteral("Velk2Button"));
  vote->setStatusTip(QStringLiteral("Velk投票プラグイン２経由で投票します"));
  vote->setToolTip(vote->statusTip());
  tabs_->setCornerWidget(vote, Qt::TopRightCorner);
  connect(vote, &QPushButton::clicked, this, &BetPage::Vote);
  return tabs_;
}

QWidget* BetPage::BuildRunnerSide() {
  auto* side = new QWidget(this);
  auto* layout = new QVBoxLayout(side);
  layout->setContentsMargins(0, 0, 0, 0);
  marks_ = new MarksPanel(side);
  layout->addWidget(marks_);
  runner_model_ = new RunnerGridModel(session_.Screen.Runners, this);
  runner_grid_ = new QTableView(side);
  runner_grid_->setObjectName(QStringLiteral("StringGrid26"));
  runner_grid_->setHorizontalHeader(
      new GridHeader(GridHeader::TextPlace::TopLeft, kRunnerHeadingHeight, runner_grid_));
  runner_grid_->setModel(runner_model_);
  runner_grid_->verticalHeader()->hide();
  runner_grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  runner_grid_->verticalHeader()->setMinimumSectionSize(kRunnerRowHeight);
  runner_grid_->verticalHeader()->setDefaultSectionSize(kRunnerRowHeight);
  runner_grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  runner_grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  runner_grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  runner_grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  runner_grid_->setWordWrap(false);
  runner_grid_->setTextElideMode(Qt::ElideNone);
  for (int col = 0; col < screens::kRunnerColumnCount; ++col) {
    runner_grid_->setColumnWidth(col,
                                 screens::RunnerHeadingOf(static_cast<screens::RunnerColumn>(col)).width);
  }
  layout->addWidget(runner_grid_, 1);
  return side;
}

void BetPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (split_once_) return;
  split_once_ = true;
  // the runner grid whole where the page has room for it, else half the page each
  const int total = splitter_->width() - splitter_->handleWidth();
  const int grid = runner_grid_->horizontalHeader()->length() + runner_grid_->frameWidth() * 2 +
                   runner_grid_->verticalScrollBar()->sizeHint().width();
  const int right = std::min(grid, total / 2);
  splitter_->setSizes({total - right, right});
}

bool BetPage::RaceShown() const {
  return session_.DatList.ItemIndex >= 0 && !session_.DatList.Items.empty();
}

const store::RacePayouts& BetPage::Payouts() const {
  const store::RaceDay& day = session_.Day();
  return day.DayPayouts[day.CurrentSlot];
}

void BetPage::Refresh() {
  const screens::RaceScreen& screen = session_.Screen;
  stake_->setText(FromSjis(screen.StakeField));
  ShowSplit();
  marks_->Show(screen.Marks, screen.Header);
  marks_->setVisible(screen.LabelPanelVisible);
  const store::RaceDay& day = session_.Day();
  runner_model_->SetWork(RaceShown() ? &day.Work[day.CurrentSlot] : nullptr);
  runner_model_->Reload();
  runner_grid_->setVisible(screen.Runners.Visible);
  runner_grid_->clearSelection();
  RefreshTables();
}

void BetPage::ShowSplit() {
  const bool proportional =
      bets::StakeModeOf(session_.Settings().HaibunSet()) == bets::StakeMode::Proportional;
  (proportional ? proportional_ : equal_)->setChecked(true);
}

void BetPage::RefreshTables() {
  for (int t = 0; t < kTypes; ++t) {
    models_[t]->SetPayouts(RaceShown() ? &Payouts() : nullptr);
    models_[t]->Reload();
    views_[t]->ApplyLayout();
    const bets::BetSummary& s = session_.Screen.Tables.Table(bets::BetTables::kOrder[t]).Summary();
    for (int c = 0; c < 4; ++c) summary_[t][c]->setText(FromSjis(SummaryOf(s, c).text));
  }
  PaintSummaries();
}

void BetPage::PaintSummaries() {
  const codes::BetType active = bets::BetTables::kOrder[std::max(0, tabs_->currentIndex())];
  for (int t = 0; t < kTypes; ++t) {
    const codes::BetType type = bets::BetTables::kOrder[t];
    const bets::BetSummary& s = session_.Screen.Tables.Table(type).Summary();
    const QColor background = ToQColor(screens::SummaryLabelBackground(type, active));
    for (int c = 0; c < 4; ++c) {
      summary_[t][c]->setPanelColor(background);
      summary_[t][c]->setTextColor(ToQColor(screens::LabelTextColour(SummaryOf(s, c).colour)));
    }
  }
}

void BetPage::StakeTyped(const QString& text) {
  if (!RaceShown()) return;
  Guarded(session_, [&] { app::ChangeStakeField(session_, ToSjis(text)); });
  RefreshTables();
}

void BetPage::SplitChosen(bets::StakeMode mode) {
  Guarded(session_, [&] {
    bets::ChangeMode(session_.Day(), session_.Screen.Tables, mode, [this](bets::StakeMode m) {
      session_.Settings().SetHaibunSet(bets::SettingValueOf(m));
    });
  });
  RefreshTables();
}

void BetPage::CellClicked(int type_index, const QModelIndex& index) {
  if (!RaceShown() || !index.isValid() || index.column() != bets::kExclusionCol) return;
  bets::BetTable& table = session_.Screen.Tables.Table(bets::BetTables::kOrder[type_index]);
  Guarded(session_, [&] {
    bets::ToggleExclusion(table, BetTableModel::TableRow(index.row()),
                          bets::StakeModeOf(session_.Settings().HaibunSet()),
                          bets::AmountOf(session_.Screen.StakeField), Payouts());
  });
  RefreshTables();
}

void BetPage::HeaderPressed(int type_index, int col) {
  bets::BetTable& table = session_.Screen.Tables.Table(bets::BetTables::kOrder[type_index]);
  Guarded(session_, [&] { sort_.PressHeader(table, col); });
  models_[type_index]->Reload();
}

void BetPage::Vote() {
  const codes::BetType type = bets::BetTables::kOrder[std::max(0, tabs_->currentIndex())];
  Guarded(session_, [&] { app::VoteExport(session_, type); });
}

}  // namespace ui
