// The verification window on the offscreen platform: its tabs and placement, the export
// with its progress, cancel and the signal for the main window, and the statistics tab
// against the core's figures.

#include "ui/verify/sim_form.h"

#include <QDateEdit>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/session.h"
#include "codes/cp932.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/stored_pull.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "platform/silent_prompts.h"
#include "samplefeed/feed_writer.h"
#include "ui/verify/breakdown_model.h"
#include "ui/verify/condition_panel.h"
#include "ui/verify/export_tab.h"
#include "ui/verify/field_grid_model.h"
#include "ui/verify/stats_chart.h"
#include "ui/verify/stats_tab.h"
#include "ui/widgets/sjis_text.h"

namespace fs = std::filesystem;
using ui::verify::TSimForm;

namespace {

class YesPrompts : public platform::SilentPrompts {
 public:
  bool Confirm(const std::string&) override { return true; }
};

}  // namespace

class SimFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    const fs::path root = dir_.path().toStdString();
    samplefeed::FeedOptions feed{root / "feed", 20240504, 16, 5, false};
    QVERIFY(samplefeed::WriteFeed(feed).race_days >= 4);
    jvlink::FeedJVLink link(feed.out, clock_);
    session_ = std::make_unique<app::Session>(prompts_, clock_, &link, launcher_, companions_,
                                              root / "home");
    session_->Start();
    QCOMPARE(link.JVInit("QV000001/QV000002/Quorvane/Version.1.13"), 0);
    jvlink::StoredPull pull(link, prompts_, session_->Settings(), clock_, session_->Store());
    pull.SetStartMoment({2024, 5, 1, 0, 0, 0});
    pull.SetFinalOdds(true);
    pull.Start();
    while (pull.PollTimerRunning()) pull.Poll();
    pull.Close();
    QVERIFY(pull.outcome() == jvlink::StoredPull::Outcome::kCompleted);
    session_->BuildDateList();
  }

  void theWindowHasItsCaptionTabsAndDefaultPlacement() {
    TSimForm form(*session_);
    QCOMPARE(form.windowTitle(), QStringLiteral("検証"));
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(form.Tabs()->tabText(0), QStringLiteral("データ作成"));
    QCOMPARE(form.Tabs()->tabText(1), QStringLiteral("検証"));
    QCOMPARE(form.geometry(), QRect(50, 10, 1000, 700));
    QCOMPARE(form.Export()->FromEdit()->date(), QDate(2024, 5, 20).addDays(-3650));
    QCOMPARE(form.Stats()->Conditions()->FromEdit()->date(), QDate(2024, 5, 20).addDays(-1095));
  }

  void closingKeepsThePlacementForTheNextOpening() {
    {
      TSimForm form(*session_);
      form.ShowForm();
      form.setGeometry(120, 80, 900, 640);
      form.close();
    }
    const app::WindowPlacement p = session_->Settings().SimWindowPlacement();
    QCOMPARE(p.left, 120);
    QCOMPARE(p.top, 80);
    TSimForm again(*session_);
    QCOMPARE(again.geometry(), QRect(120, 80, 900, 640));
    session_->Settings().SetSimWindowPlacement({10, 50, 1000, 700});
  }

  void theExportWritesTheFilesListsThemAndNamesTheLastRace() {
    TSimForm form(*session_);
    ChooseMay(form);
    QSignalSpy finished(&form, &TSimForm::ExportFinished);
    const verify::ExportSummary summary = form.Export()->RunExport(2);
    QVERIFY(summary.outcome == verify::ExportOutcome::kDone);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished[0][0].toString().toStdString(), codes::SjisToUtf8(summary.last_day));
    QCOMPARE(finished[0][1].toInt(), summary.last_item);
    QCOMPARE(form.Export()->Progress()->value(), summary.days);
    QCOMPARE(form.Stats()->Files()->count(), static_cast<int>(summary.files.size()));
    QVERIFY(form.Stats()->Files()->count() >= 1);
  }

  void theCancelButtonStopsTheExportBeforeAnyFile() {
    fs::remove_all(fs::path(dir_.path().toStdString()) / "home" / "csv");
    TSimForm form(*session_);
    ChooseMay(form);
    QSignalSpy finished(&form, &TSimForm::ExportFinished);
    QTimer::singleShot(0, form.Export()->CancelButton(), &QPushButton::click);
    const verify::ExportSummary summary = form.Export()->RunExport(1);
    QVERIFY(summary.outcome == verify::ExportOutcome::kCancelled);
    QCOMPARE(finished.count(), 0);
    QVERIFY(!fs::exists(fs::path(dir_.path().toStdString()) / "home" / "csv"));
  }

  void examiningShowsTheFiguresOfTheCore() {
    TSimForm form(*session_);
    ExportMay(form);
    ui::verify::StatsTab* stats = form.Stats();
    QVERIFY(stats->ChooseFile(QStringLiteral("A_馬連20240501_20240531.csv")));
    QVERIFY(stats->AllRows()->rowCount() > 0);
    QCOMPARE(stats->AllRows()->headerData(12, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("投資"));
    QCOMPARE(stats->AllRows()->data(stats->AllRows()->index(0, 12), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(stats->AllRows()->data(stats->AllRows()->index(0, 5), Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignCenter));

    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("ExamineButton")),
                      Qt::LeftButton);
    QVERIFY(stats->Result().has_value());
    const verify::StatsResult expected =
        verify::Examine(stats->File(), stats->Conditions()->Conditions());
    QCOMPARE(stats->CountLabel()->text().toStdString(), expected.labels.count);
    QCOMPARE(stats->HitLabel()->text().toStdString(), expected.labels.hit_rate);
    QCOMPARE(stats->ReturnLabel()->text().toStdString(), expected.labels.return_rate);
    QCOMPARE(stats->SelectedRows()->rowCount(), static_cast<int>(expected.selected.size()));
    QCOMPARE(stats->ByMonth()->rowCount(), static_cast<int>(expected.by_month.size()));
    QCOMPARE(stats->ByCourse()->rowCount(), static_cast<int>(expected.by_course.size()));
    QCOMPARE(stats->Chart()->StakeSeries()->count(), static_cast<int>(expected.series.size()));
    QCOMPARE(static_cast<long long>(stats->Chart()->ReturnSeries()->points().back().y()),
             expected.totals.returned);
    const QDateTimeAxis* dates = stats->Chart()->DateAxis();
    QVERIFY(dates->labelsVisible());
    QVERIFY(dates->min().toMSecsSinceEpoch() <=
            stats->Chart()->StakeSeries()->points().front().x());
    QVERIFY(dates->max().toMSecsSinceEpoch() >= stats->Chart()->StakeSeries()->points().back().x());
    QVERIFY(dates->min() < dates->max());
  }

  // The file that looks chosen is the file in the grid, whether a click, the arrow keys or
  // the focus made it current.
  void theCurrentFileIsTheFileInTheGrid() {
    TSimForm form(*session_);
    ExportMay(form);
    ui::verify::StatsTab* stats = form.Stats();
    QListWidget* files = stats->Files();
    QVERIFY(files->count() >= 2);
    QCOMPARE(stats->AllRows()->rowCount(), 0);
    for (int row : {0, 1}) {
      files->setCurrentRow(row);
      QCOMPARE(stats->AllRows()->rowCount(), static_cast<int>(stats->File().rows.size()));
      QVERIFY(stats->AllRows()->rowCount() > 0);
      QCOMPARE(ui::FromSjis(stats->File().name), files->item(row)->text());
    }
  }

  // Showing the window again and a new export both refresh the list: the file chosen
  // stays chosen with its lines in the grid; a file that is gone leaves nothing chosen.
  void refreshingTheListKeepsTheChosenFileAndItsGrid() {
    TSimForm form(*session_);
    ExportMay(form);
    ui::verify::StatsTab* stats = form.Stats();
    QListWidget* files = stats->Files();
    QVERIFY(files->count() >= 2);
    files->setCurrentRow(1);
    const QString chosen = files->currentItem()->text();
    const int rows = stats->AllRows()->rowCount();
    QVERIFY(rows > 0);
    auto still_chosen = [&](const char* after) {
      QVERIFY2(files->currentItem(), after);
      QCOMPARE(files->currentItem()->text(), chosen);
      QCOMPARE(stats->AllRows()->rowCount(), rows);
      QCOMPARE(ui::FromSjis(stats->File().name), chosen);
    };
    form.ShowForm();
    still_chosen("ShowForm");
    form.Export()->RunExport(2);
    still_chosen("a second export");
    stats->RefreshFiles();
    still_chosen("a refresh");

    const fs::path csv = fs::path(dir_.path().toStdString()) / "home" / "csv";
    fs::remove(csv / chosen.toStdString());
    stats->RefreshFiles();
    QVERIFY(!files->currentItem());
    QCOMPARE(stats->AllRows()->rowCount(), 0);
    QVERIFY(stats->File().rows.empty());
    form.Export()->RunExport(2);  // the files of May again, for the tests after this one
  }

  // A file an editor saved with a lone CR after its last line and a blank line in it: the
  // grid shows every line and nothing is said to be left out; a ".tmp" is never listed.
  void aFileEditedElsewhereShowsEveryLine() {
    const fs::path csv = fs::path(dir_.path().toStdString()) / "home" / "csv";
    const std::string line =
        "\"2024年05月04日\",\"東京\",\" 1\",\"　　　\",\"16\",\"芝左\","
        "\"1600\",\"12\",\"701\",\"３歳新馬\",\"馬齢　\",\"　　 \","
        "\"3000\",\"\",\"4.37\",\"8.9\"";
    const std::string sjis = codes::Sj(line);
    std::ofstream(csv / "edited.csv", std::ios::binary) << sjis << "\r\n\r\n" << sjis << "\r";
    std::ofstream(csv / "edited.csv.tmp", std::ios::binary) << sjis << "\r\n";
    TSimForm form(*session_);
    ui::verify::StatsTab* stats = form.Stats();
    QVERIFY(
        stats->Files()->findItems(QStringLiteral("edited.csv.tmp"), Qt::MatchExactly).isEmpty());
    QVERIFY(stats->ChooseFile(QStringLiteral("edited.csv")));
    QCOMPARE(stats->AllRows()->rowCount(), 2);
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("FileNote"))->text(), QString());
    fs::remove(csv / "edited.csv");
    fs::remove(csv / "edited.csv.tmp");
  }

  void aRightClickClearsAListAndARangeOfNothingEmptiesTheLabels() {
    TSimForm form(*session_);
    ExportMay(form);
    ui::verify::StatsTab* stats = form.Stats();
    QVERIFY(stats->ChooseFile(QStringLiteral("A_馬連20240501_20240531.csv")));
    QListWidget* ages = stats->Conditions()->List(verify::ConditionList::kAge);
    ages->item(0)->setSelected(true);
    ages->item(2)->setSelected(true);
    emit ages->customContextMenuRequested(QPoint(2, 2));
    QCOMPARE(ages->selectedItems().size(), 0);

    stats->Conditions()->FromEdit()->setDate(QDate(2030, 1, 1));
    stats->Conditions()->ToEdit()->setDate(QDate(2030, 1, 2));
    stats->Examine();
    QCOMPARE(stats->CountLabel()->text(), QString());
    QCOMPARE(stats->HitLabel()->text(), QString());
    QCOMPARE(stats->ReturnLabel()->text(), QString());
    QCOMPARE(stats->SelectedRows()->rowCount(), 0);
    QCOMPARE(stats->Chart()->StakeSeries()->count(), 0);
    QVERIFY(!stats->Chart()->DateAxis()->labelsVisible());  // no dates of 1970
  }

  void theFirstDistanceCannotGoAbove3000() {
    TSimForm form(*session_);
    auto* first = qobject_cast<QSpinBox*>(
        form.Stats()->Conditions()->RangeEdit(verify::ConditionRange::kDistance, 0));
    QVERIFY(first);
    first->setValue(3500);
    QCOMPARE(first->value(), 3000);
    QCOMPARE(first->singleStep(), 100);
  }

  void cleanupTestCase() { session_.reset(); }

 private:
  // The export range of the tests: May 2024 of the pulled feed.
  static void ChooseMay(TSimForm& form) {
    form.Export()->FromEdit()->setDate(QDate(2024, 5, 1));
    form.Export()->ToEdit()->setDate(QDate(2024, 5, 31));
  }
  static void ExportMay(TSimForm& form) {
    ChooseMay(form);
    form.Export()->RunExport(2);
  }

  QTemporaryDir dir_;
  platform::FixedClock clock_{{2024, 5, 20, 10, 0, 0}};
  YesPrompts prompts_;
  platform::ProcessLauncher launcher_;
  platform::NoCompanionLocator companions_;
  std::unique_ptr<app::Session> session_;
};

QTEST_MAIN(SimFormTest)
#include "sim_form_test.moc"
