#pragma once

#include <QWidget>

namespace app {
class Session;
}

class QTabWidget;

namespace ui::verify {

class ExportTab;
class StatsTab;

/// The verification window `TSimForm` (caption "検証", always on top): the tabs
/// "データ作成" (the export) and "検証" (the statistics). Created once with the main
/// window's Session and shown, not modally, by "開発用" → "出力":
///
///   auto* sim = new ui::verify::TSimForm(session, main_window);
///   QObject::connect(sim, &TSimForm::ExportFinished, main_window,
///                    [&](const QString& day, int item) { /* pick day, select item */ });
///   sim->ShowForm();
///
/// Its placement comes from the settings section `SimFormlocate` and is written back when
/// it closes.
class TSimForm : public QWidget {
  Q_OBJECT
 public:
  explicit TSimForm(app::Session& session, QWidget* parent = nullptr);

  /// "出力": shows the window (its file list refreshed) and brings it to the front.
  void ShowForm();

  ExportTab* Export() const { return export_; }
  StatsTab* Stats() const { return stats_; }
  QTabWidget* Tabs() const { return tabs_; }

 signals:
  /// After an export: the last day replayed (UTF-8 DayPrefix) and its last race-list
  /// item, which the main window shows.
  void ExportFinished(const QString& day_prefix, int item);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  app::Session& session_;
  QTabWidget* tabs_;
  ExportTab* export_;
  StatsTab* stats_;
};

}  // namespace ui::verify
