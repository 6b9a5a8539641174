#include "live_day_controls.h"

#include <QMenuBar>
#include <QToolBar>

#include "app/time_series_menu.h"
#include "main_form.h"
#include "qt_text.h"

namespace ui {

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
}

void LiveDayControls::AddCommands() {
  auto* bar = window_.findChild<QToolBar*>(QStringLiteral("ToolBar1"));
  clock_label_ = new QLabel(bar);
  clock_label_->setObjectName(QStringLiteral("ClockLabel"));
  countdown_label_ = new QLabel(bar);
  countdown_label_->setObjectName(QStringLiteral("CountdownLabel"));
  QAction* odds = new QAction(QStringLiteral("速報ｵｯｽﾞ"), this);
  odds->setObjectName(QStringLiteral("OddsButton"));
  connect(odds, &QAction::triggered, this, [this] {
    fetches_.RaceOddsButton();
    AfterCommand();
  });
  QAction* results = new QAction(QStringLiteral("結果情報"), this);
  results->setObjectName(QStringLiteral("ResultButton"));
  connect(results, &QAction::triggered, this, [this] {
    fetches_.ResultsButton();
    AfterCommand();
  });
  if (bar) {
    bar->addSeparator();
    for (QAction* action : {odds, results}) bar->addAction(action);
    bar->addWidget(clock_label_);
    countdown_item_ = bar->addWidget(countdown_label_);
  }
  QMenu* file = window_.menuBar()->actions().isEmpty()
                    ? nullptr
                    : window_.menuBar()->actions().first()->menu();
  if (!file) return;
  QAction* batch = new QAction(QStringLiteral("1日分の全オッズを一括取得(&O)"), this);
  batch->setObjectName(QStringLiteral("OneDayOddsItem"));
  connect(batch, &QAction::triggered, this, [this] {
    fetches_.OneDayOddsMenu();
    AfterCommand();
  });
  QAction* series = new QAction(QStringLiteral("時系列ｵｯｽﾞよりｵｯｽﾞを取得"), this);
  series->setObjectName(QStringLiteral("TimeSeriesItem"));
  connect(series, &QAction::triggered, this, [this] {
    app::ImportTimeSeriesOdds(window_.Session());
    AfterCommand();
  });
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
  if (countdown_item_) countdown_item_->setVisible(schedules_.CountdownVisible);
}

}  // namespace ui
