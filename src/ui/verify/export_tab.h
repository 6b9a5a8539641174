#pragma once

#include <QDate>
#include <QWidget>

#include "verify/verification_export.h"

class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace app {
class Session;
}

namespace ui::verify {

/// The "データ作成" tab: the range "■取込ﾃﾞｰﾀ範囲", "CSV出力", the progress of the days
/// with the day being replayed, a cancel button, and what the export did.
class ExportTab : public QWidget {
  Q_OBJECT
 public:
  ExportTab(app::Session& session, QDate today, QWidget* parent = nullptr);

  /// "CSV出力": the export of the range on every core (`jobs` workers when above 0).
  ::verify::ExportSummary RunExport(int jobs = 0);

  QDateEdit* FromEdit() const { return from_; }
  QDateEdit* ToEdit() const { return to_; }
  QPushButton* CancelButton() const { return cancel_; }
  QProgressBar* Progress() const { return progress_; }
  QPlainTextEdit* Report() const { return report_; }

 signals:
  /// The export wrote its files (or found no bets); the main window shows `day_prefix`
  /// (UTF-8 DayPrefix) and selects race-list item `item` of it.
  void ExportFinished(const QString& day_prefix, int item);
  /// The csv folder may hold new files.
  void FilesChanged();

 private:
  void ShowProgress(const ::verify::ReplayProgress& progress);
  void ShowSummary(const ::verify::ExportSummary& summary);

  app::Session& session_;
  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* day_label_ = nullptr;
  QPlainTextEdit* report_ = nullptr;
  bool cancel_requested_ = false;
};

}  // namespace ui::verify
