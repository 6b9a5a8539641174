#pragma once

#include <QAction>
#include <QLabel>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "app/live_fetches.h"
#include "app/race_day_schedules.h"

namespace ui {

class TMainForm;

/// The race day on the main window: the five window timers that tick the schedules, the
/// clock and countdown labels of the tool bar, the buttons "速報ｵｯｽﾞ" and "結果情報", and the
/// File menu's "1日分の全オッズを一括取得(&O)" and "時系列ｵｯｽﾞよりｵｯｽﾞを取得". The schedules
/// decide everything; this only starts the timers as they say, forwards the clicks and
/// draws the window again when a fetch redrew the race shown.
class LiveDayControls : public QObject {
 public:
  LiveDayControls(TMainForm& window, app::LiveFetches& fetches, app::RaceDaySchedules& schedules);

 private:
  void AddCommands();
  // A command that runs under the busy cursor, then refreshes the window and the timers.
  QAction* BusyCommand(const QString& text, const QString& name, std::function<void()> work);
  void Tick(app::TimerId id);
  /// Restarts the window timers whose state the schedules changed (a day load).
  void SyncTimers();
  void ShowLabels();
  void AfterCommand();

  TMainForm& window_;
  app::LiveFetches& fetches_;
  app::RaceDaySchedules& schedules_;
  std::array<QTimer*, app::kTimerCount> timers_{};
  std::array<int, app::kTimerCount> restarts_{};
  QLabel* clock_label_ = nullptr;
  QLabel* countdown_label_ = nullptr;
  QAction* clock_item_ = nullptr;      ///< the clock label's place in the tool bar
  QAction* countdown_item_ = nullptr;  ///< the countdown label's place in the tool bar
};

}  // namespace ui
