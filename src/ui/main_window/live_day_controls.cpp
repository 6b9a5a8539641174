#include "live_day_controls.h"

#include <QApplication>
#include <QMenuBar>
#include <QToolBar>

#include "app/time_series_menu.h"
#include "main_form.h"
#include "qt_text.h"

namespace ui {
namespace {

// The busy cursor over the whole program while a command the user started fetches or
// imports; the normal one again however the command ends.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// A label of the tool bar on a sunken panel of its own, so that two labels side by side
// read as two texts.
QLabel* PanelLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setContentsMargins(4, 0, 4, 0);
  return label;
}

}  // namespace

LiveDayControls::LiveDayControls(TMainForm& window, app::LiveFetches& fetches,
                                 app::RaceDaySchedules& schedules)
    : QObject(&window), window_(window), fetches_(fetches), schedules_(schedules) {
  for (int i = 0; i < app::kTimerCount; ++i) {
    timers_[static_cast<size_t>(i)] = new QTimer(this);
    connect(timers_[static_cast<size_t>(i)], &QTimer::timeout, this,
            [this, i] { Tick(static_cast<app::TimerId>(i)); });
    restarts_[static_cast<size_t>(i)] = -1;
  }
  fetches_.OnRaceShown = [this] { window_.Render(); };
  AddCommands();
  SyncTimers();
  ShowLabels();
}

QAction* LiveDayControls::BusyCommand(const QString& text, const QString& name,
                                      std::function<void()> work) {
  QAction* action = new QAction(text, this);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, [this, work = std::move(work)] {
    {
      BusyCursor busy;
      work();
    }
    AfterCommand();
  });
  return action;
}

void LiveDayControls::AddCommands() {
  auto* bar = window_.findChild<QToolBar*>(QStringLiteral("ToolBar1"));
  clock_label_ = PanelLabel("ClockLabel", bar);
  countdown_label_ = PanelLabel("CountdownLabel", bar);
  QAction* odds = BusyCommand(QStringLiteral("速報ｵｯｽﾞ"), QStringLiteral("OddsButton"),
                              [this] { fetches_.RaceOddsButton(); });
  QAction* results = BusyCommand(QStringLiteral("結果情報"), QStringLiteral("ResultButton"),
                                 [this] { fetches_.ResultsButton(); });
  if (bar) {
    bar->addSeparator();
    for (QAction* action : {odds, results}) bar->addAction(action);
    bar->addSeparator();
    clock_item_ = bar->addWidget(clock_label_);
    countdown_item_ = bar->addWidget(countdown_label_);
    FitToolButtons(*bar);
  }
  QMenu* file = window_.menuBar()->actions().isEmpty()
                    ? nullptr
                    : window_.menuBar()->actions().first()->menu();
  if (!file) return;
  QAction* batch =
      BusyCommand(QStringLiteral("1日分の全オッズを一括取得(&O)"), QStringLiteral("OneDayOddsItem"),
                  [this] { fetches_.OneDayOddsMenu(); });
  QAction* series =
      BusyCommand(QStringLiteral("時系列ｵｯｽﾞよりｵｯｽﾞを取得"), QStringLiteral("TimeSeriesItem"),
                  [this] { app::ImportTimeSeriesOdds(window_.Session()); });
  QAction* first = file->actions().isEmpty() ? nullptr : file->actions().last();
  file->insertAction(first, batch);
  file->insertAction(first, series);
}

void LiveDayControls::AfterCommand() {
  window_.Render();
  SyncTimers();
  ShowLabels();
}

void LiveDayControls::Tick(app::TimerId id) {
  schedules_.Tick(id);
  SyncTimers();
  ShowLabels();
}

void LiveDayControls::SyncTimers() {
  for (int i = 0; i < app::kTimerCount; ++i) {
    const app::TimerState& state = schedules_.Timer(static_cast<app::TimerId>(i));
    QTimer* timer = timers_[static_cast<size_t>(i)];
    const bool on = state.enabled && state.interval_ms > 0;
    if (!on) {
      timer->stop();
    } else if (!timer->isActive() || restarts_[static_cast<size_t>(i)] != state.restarts) {
      timer->start(state.interval_ms);
    }
    restarts_[static_cast<size_t>(i)] = state.restarts;
  }
}

void LiveDayControls::ShowLabels() {
  clock_label_->setText(FromSjis(schedules_.ClockLabel));
  countdown_label_->setText(FromSjis(schedules_.CountdownLabel));
  // an empty label shows no panel
  if (clock_item_) clock_item_->setVisible(!schedules_.ClockLabel.empty());
  if (countdown_item_) {
    countdown_item_->setVisible(schedules_.CountdownVisible && !schedules_.CountdownLabel.empty());
  }
}

}  // namespace ui
