#include "ui/verify/sim_form.h"

#include <QCloseEvent>
#include <QDate>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/session.h"
#include "ui/verify/export_tab.h"
#include "ui/verify/stats_tab.h"
#include "verify/verification_export.h"

namespace ui::verify {
namespace {

QDate Today(app::Session& session) {
  const platform::LocalTime now = session.TheClock().Now();
  return QDate(now.year, now.month, now.day);
}

}  // namespace

TSimForm::TSimForm(app::Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      session_(session),
      tabs_(new QTabWidget(this)),
      export_(new ExportTab(session, Today(session), tabs_)),
      stats_(new StatsTab(::verify::CsvFolder(session), Today(session), tabs_)) {
  setObjectName(QStringLiteral("SimForm"));
  setWindowTitle(QStringLiteral("検証"));
  tabs_->addTab(export_, QStringLiteral("データ作成"));
  tabs_->addTab(stats_, QStringLiteral("検証"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(tabs_);
  connect(export_, &ExportTab::FilesChanged, stats_, &StatsTab::RefreshFiles);
  connect(export_, &ExportTab::ExportFinished, this, &TSimForm::ExportFinished);
  const app::WindowPlacement p = session_.Settings().SimWindowPlacement();
  setGeometry(p.left, p.top, p.width, p.height);
}

void TSimForm::ShowForm() {
  stats_->RefreshFiles();
  show();
  raise();
  activateWindow();
}

void TSimForm::closeEvent(QCloseEvent* event) {
  const QRect g = geometry();
  session_.Settings().SetSimWindowPlacement({g.top(), g.left(), g.width(), g.height()});
  QWidget::closeEvent(event);
}

}  // namespace ui::verify
