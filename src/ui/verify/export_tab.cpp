#include "ui/verify/export_tab.h"

#include <QApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <exception>

#include "app/session.h"
#include "ui/widgets/sjis_text.h"

namespace ui::verify {
namespace {

QDateEdit* LongDateEdit(QDate date, QWidget* parent) {
  auto* edit = new QDateEdit(date, parent);
  edit->setCalendarPopup(true);
  edit->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
  edit->setMinimumWidth(150);
  return edit;
}

}  // namespace

ExportTab::ExportTab(app::Session& session, QDate today, QWidget* parent)
    : QWidget(parent), session_(session) {
  from_ = LongDateEdit(today.addDays(-3650), this);
  to_ = LongDateEdit(today, this);
  from_->setObjectName(QStringLiteral("ExportFromDate"));
  to_->setObjectName(QStringLiteral("ExportToDate"));
  start_ = new QPushButton(QStringLiteral("CSV出力"), this);
  start_->setObjectName(QStringLiteral("ExportButton"));
  cancel_ = new QPushButton(QStringLiteral("中止"), this);
  cancel_->setObjectName(QStringLiteral("CancelButton"));
  cancel_->setEnabled(false);
  progress_ = new QProgressBar(this);
  day_label_ = new QLabel(this);
  day_label_->setObjectName(QStringLiteral("DayLabel"));
  report_ = new QPlainTextEdit(this);
  report_->setReadOnly(true);
  report_->setObjectName(QStringLiteral("ExportReport"));
  connect(start_, &QPushButton::clicked, this, [this] { RunExport(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { cancel_requested_ = true; });

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("■取込ﾃﾞｰﾀ範囲"), this), 0, 0, 1, 4);
  grid->addWidget(from_, 1, 0);
  grid->addWidget(new QLabel(QStringLiteral("～"), this), 1, 1);
  grid->addWidget(to_, 1, 2);
  grid->addWidget(start_, 1, 3);
  grid->addWidget(progress_, 2, 0, 1, 3);
  grid->addWidget(cancel_, 2, 3);
  grid->addWidget(day_label_, 3, 0, 1, 5);
  grid->addWidget(report_, 4, 0, 1, 5);
  grid->setColumnStretch(4, 1);
  grid->setRowStretch(4, 1);
}

::verify::ExportSummary ExportTab::RunExport(int jobs) {
  const ::verify::ExportRequest request{
      from_->date().toString(QStringLiteral("yyyyMMdd")).toStdString(),
      to_->date().toString(QStringLiteral("yyyyMMdd")).toStdString(), jobs};
  ::verify::ReplayCallbacks callbacks;
  callbacks.progress = [this](const ::verify::ReplayProgress& p) { ShowProgress(p); };
  callbacks.cancelled = [this] { return cancel_requested_; };
  cancel_requested_ = false;
  start_->setEnabled(false);
  cancel_->setEnabled(true);
  ::verify::ExportSummary summary;
  try {
    summary = ::verify::RunExport(session_, request, callbacks);
  } catch (const std::exception& e) {
    session_.ReportFailure(e);
  }
  start_->setEnabled(true);
  cancel_->setEnabled(false);
  ShowSummary(summary);
  if (summary.outcome == ::verify::ExportOutcome::kDone) {
    emit FilesChanged();
    if (!summary.last_day.empty())
      emit ExportFinished(FromSjis(summary.last_day), summary.last_item);
  }
  return summary;
}

// The workers run; the window's messages run here, so the cancel button answers.
void ExportTab::ShowProgress(const ::verify::ReplayProgress& p) {
  progress_->setRange(0, std::max(p.total, 1));
  progress_->setValue(p.done);
  day_label_->setText(
      QStringLiteral("処理中: %1  (%2/%3日)").arg(FromSjis(p.day)).arg(p.done).arg(p.total));
  QApplication::processEvents();
}

void ExportTab::ShowSummary(const ::verify::ExportSummary& summary) {
  QStringList lines;
  switch (summary.outcome) {
    case ::verify::ExportOutcome::kDeclined:
      return;
    case ::verify::ExportOutcome::kCancelled:
      day_label_->setText(QStringLiteral("中止しました。ファイルは書き込んでいません。"));
      return;
    case ::verify::ExportOutcome::kDone:
      break;
  }
  day_label_->setText(
      QStringLiteral("完了: %1日 %2レース").arg(summary.days_done).arg(summary.races));
  for (const ::verify::ExportFile& file : summary.files) {
    lines << QStringLiteral("csv/%1  %2行").arg(FromSjis(file.name)).arg(file.lines);
  }
  if (summary.files.empty())
    lines << QStringLiteral("買い目のあるレースがないため、ファイルは作成していません。");
  for (const ::verify::DayFailure& failure : summary.failures) {
    lines << QStringLiteral("読込できなかった日: %1  %2")
                 .arg(FromSjis(failure.day), FromSjis(failure.message));
  }
  report_->setPlainText(lines.join(QLatin1Char('\n')));
}

}  // namespace ui::verify
