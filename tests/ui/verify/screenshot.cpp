// Draws the "検証" tab of the verification window over an export file and saves it as a
// PNG (for the documentation): screenshot HOME FILE OUT.png [FROM TO]
//   HOME: a program folder with csv/FILE; FROM, TO: the date range yyyymmdd (default all).
//   FILE "-" draws the export tab instead.

#include <QApplication>
#include <QDateEdit>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>

#include "app/session.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "platform/silent_prompts.h"
#include "ui/verify/condition_panel.h"
#include "ui/verify/sim_form.h"
#include "ui/verify/stats_tab.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: screenshot HOME FILE OUT.png [FROM TO]\n");
    return 2;
  }
  platform::SystemClock clock;
  platform::SilentPrompts prompts;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  app::Session session(prompts, clock, nullptr, launcher, companions, argv[1]);
  ui::verify::TSimForm form(session);
  form.resize(1000, 700);
  form.ShowForm();
  if (QString::fromUtf8(argv[2]) == QStringLiteral("-")) {  // the export tab instead
    QApplication::processEvents();
    return form.grab().save(QString::fromUtf8(argv[3])) ? 0 : 1;
  }
  form.Tabs()->setCurrentWidget(form.Stats());
  if (!form.Stats()->ChooseFile(QString::fromUtf8(argv[2]))) {
    std::fprintf(stderr, "no file %s in the csv folder\n", argv[2]);
    return 1;
  }
  const QString from = argc > 5 ? QString::fromUtf8(argv[4]) : QStringLiteral("20000101");
  const QString to = argc > 5 ? QString::fromUtf8(argv[5]) : QStringLiteral("20991231");
  form.Stats()->Conditions()->FromEdit()->setDate(
      QDate::fromString(from, QStringLiteral("yyyyMMdd")));
  form.Stats()->Conditions()->ToEdit()->setDate(QDate::fromString(to, QStringLiteral("yyyyMMdd")));
  form.Stats()->Examine();
  QApplication::processEvents();
  if (!form.grab().save(QString::fromUtf8(argv[3]))) return 1;
  return 0;
}
