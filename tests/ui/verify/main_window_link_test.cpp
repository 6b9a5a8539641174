// The verification window from the main window: "開発用" → "出力" opens it once, and after
// an export the main window shows the last day and race replayed.

#include <QAction>
#include <QDateEdit>
#include <QListWidget>
#include <QtTest>

#include "desktop_program.h"
#include "dialog_commands.h"
#include "qt_prompts.h"
#include "sample_home.h"
#include "ui/verify/export_tab.h"
#include "ui/verify/sim_form.h"

class MainWindowLinkTest : public QObject {
  Q_OBJECT

 private slots:
  void theMenuOpensTheWindowAndTheExportShowsTheLastRace() {
    uitest::ResetSettings();
    ui::QtPrompts prompts;
    ui::QtPrompts::Script script;
    script.answers = {true};
    prompts.UseScript(&script);
    auto program =
        ui::DesktopProgram::Start(uitest::SampleHome(), prompts, ui::MakeDialogCommands());
    QVERIFY(program);
    ui::TMainForm& window = program->Window();
    window.show();

    auto* item = window.findChild<QAction*>(QStringLiteral("VerificationItem"));
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("出力"));
    QVERIFY(item->isEnabled());
    item->trigger();
    auto* form = window.findChild<ui::verify::TSimForm*>();
    QVERIFY(form);
    QVERIFY(form->isVisible());
    item->trigger();  // the same window again
    QCOMPARE(window.findChildren<ui::verify::TSimForm*>().size(), 1);

    form->Export()->FromEdit()->setDate(QDate(2024, 5, 1));
    form->Export()->ToEdit()->setDate(QDate(2024, 5, 31));
    const verify::ExportSummary summary = form->Export()->RunExport(2);
    QVERIFY(summary.outcome == verify::ExportOutcome::kDone);
    QVERIFY(summary.last_item >= 0);
    const app::Session& session = program->Session();
    QVERIFY(session.DateCombo.Text == summary.last_day);
    QCOMPARE(session.DatList.ItemIndex, summary.last_item);
    auto* list = window.findChild<QListWidget*>(QStringLiteral("DatList"));
    QVERIFY(list);
    QCOMPARE(list->currentRow(), summary.last_item);
  }
};

QTEST_MAIN(MainWindowLinkTest)
#include "main_window_link_test.moc"
