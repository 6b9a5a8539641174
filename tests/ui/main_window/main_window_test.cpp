// The main window driven as a user drives it: a day picked in the date list, races
// clicked or walked through with the arrow keys, and everything it shows checked
// against what the engine alone computes for the same race.

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <fstream>

#include "app/show_race.h"
#include "bets/bet_table.h"
#include "desktop_program.h"
#include "qt_prompts.h"
#include "qt_text.h"
#include "sample_home.h"

using uitest::Text;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  ui::QtPrompts prompts_;
  ui::QtPrompts::Script script_;
  std::unique_ptr<ui::DesktopProgram> program_;

  ui::TMainForm& Window() { return program_->Window(); }
  template <class T>
  T* Find(const char* name) {
    return uitest::Child<T>(Window(), name);
  }
  QString LabelText(const char* name) { return Find<QLabel>(name)->text(); }

  // Picks the date list's item `index` with the keyboard, as a user does.
  void PickDate(int index) {
    QComboBox* combo = Find<QComboBox>("DateCombo");
    combo->setFocus();
    // one key press per item: a refused day puts the list back where it was
    const int steps = index - combo->currentIndex();
    for (int i = 0; i < std::abs(steps); ++i) {
      QTest::keyClick(combo, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }
  }
  void ClickRace(int row) {
    QListWidget* list = Find<QListWidget>("DatList");
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
  }
  int DayWith36Races() {
    const auto& items = program_->Session().DateCombo.Items;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      PickDate(i);
      if (program_->Session().DatList.Items.size() == 36) return i;
    }
    qFatal("no day with 36 races");
  }

  void CheckAgainstEngine(int date_index, int item);

 private slots:
  void init() {
    uitest::ResetSettings();
    script_ = {};
    prompts_.UseScript(&script_);
    program_ = ui::DesktopProgram::Start(uitest::SampleHome(), prompts_);
    QVERIFY(program_);
    Window().resize(1400, 900);
    Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Window()));
  }
  void cleanup() { program_.reset(); }

  void captionTitleAndDateListAtStart();
  void pickingADateShowsItsFirstRace();
  void clickedRacesShowWhatTheEngineComputes_data();
  void clickedRacesShowWhatTheEngineComputes();
  void arrowKeysWalkThroughTheRaces();
  void theFButtonHidesAndShowsTheRaceList();
  void aDamagedDayIsRefusedAndTheWindowKeepsItsDay();
  void logicMenuIsOneRadioGroupStoredInTheSettings();
  void hintsOfTheCommandsGoToTheStatusLine();
  void nextRaceSelectsTheNearestPostTimeOfToday();
};

void MainWindowTest::captionTitleAndDateListAtStart() {
  QCOMPARE(Window().windowTitle(), QStringLiteral("Quorvane"));
  QComboBox* combo = Find<QComboBox>("DateCombo");
  const auto& items = program_->Session().DateCombo.Items;
  QCOMPARE(combo->count(), static_cast<int>(items.size()));
  QVERIFY(combo->count() >= 2);
  QCOMPARE(combo->itemText(0), Text(items[0]));
  QCOMPARE(combo->currentIndex(), -1);
  // nothing is shown before a day is picked
  QVERIFY(!Find<QTabWidget>("PageControl1")->isVisible());
  QCOMPARE(Find<QListWidget>("DatList")->count(), 0);
}

void MainWindowTest::pickingADateShowsItsFirstRace() {
  PickDate(1);
  const app::Session& session = program_->Session();
  QCOMPARE(session.DateCombo.Text, session.DateCombo.Items[1]);
  QListWidget* list = Find<QListWidget>("DatList");
  QCOMPARE(list->count(), static_cast<int>(session.DatList.Items.size()));
  QCOMPARE(list->item(0)->text(), Text(session.DatList.Items[0]));
  QCOMPARE(list->currentRow(), 0);
  QVERIFY(Find<QTabWidget>("PageControl1")->isVisible());
  QCOMPARE(LabelText("Label1"), Text(session.Screen.Header.Label1));
  QVERIFY(LabelText("Label1").contains(QStringLiteral("1R")));
}

void MainWindowTest::clickedRacesShowWhatTheEngineComputes_data() {
  QTest::addColumn<int>("item");
  for (int item : {0, 5, 11, 23, 35}) QTest::addRow("race item %d", item) << item;
}

void MainWindowTest::clickedRacesShowWhatTheEngineComputes() {
  QFETCH(int, item);
  const int date_index = DayWith36Races();
  ClickRace(item);
  QCOMPARE(Find<QListWidget>("DatList")->currentRow(), item);
  CheckAgainstEngine(date_index, item);
}

void MainWindowTest::CheckAgainstEngine(int date_index, int item) {
  uitest::Reference ref(uitest::SampleHome());
  ref.Show(program_->Session().DateCombo.Items[static_cast<size_t>(date_index)], item);
  const screens::RaceScreen& want = ref.session.Screen;

  const screens::RaceHeader& h = want.Header;
  const std::pair<const char*, const std::string*> header[] = {
      {"Label1", &h.Label1},
      {"Label2", &h.Label2},
      {"Label3", &h.Label3},
      {"Label4", &h.Label4},
      {"Label6", &h.Label6},
      {"Label7", &h.Label7},
      {"BashoLabel", &h.BashoLabel},
      {"RaceLabel", &h.RaceLabel},
      {"TFWtimeAsaLabel", &h.TFWtimeAsaLabel}};
  for (const auto& [name, text] : header) QCOMPARE(LabelText(name), Text(*text));
  const QColor panel = Find<QFrame>("Panel3")->palette().color(QPalette::Window);
  QCOMPARE(panel, h.Panel3 == screens::PanelColour::Green ? QColor(0, 128, 0) : QColor(128, 0, 0));

  const screens::RaceMarkLabels& m = want.Marks;
  QCOMPARE(LabelText("URTaishoLabel"), Text(m.URTaishoLabel.text));
  QCOMPARE(LabelText("UTTaishoLabel"), Text(m.UTTaishoLabel.text));
  QCOMPARE(LabelText("SRTaishoLabel"), Text(m.SRTaishoLabel.text));
  QCOMPARE(LabelText("TaishoRaceLogic2Label"), Text(m.TaishoRaceLogic2Label.text));
  QCOMPARE(LabelText("OzAve123Label"), Text(m.OzAve123Label));
  QCOMPARE(LabelText("UR1NinOZLabel"), Text(m.UR1NinOZLabel));
  const QColor ur = Find<QLabel>("URTaishoLabel")->palette().color(QPalette::Window);
  QCOMPARE(ur, QColor(m.URTaishoLabel.background.r, m.URTaishoLabel.background.g,
                      m.URTaishoLabel.background.b));

  QAbstractItemModel* runners = Find<QTableView>("StringGrid26")->model();
  QCOMPARE(runners->rowCount(), want.Runners.RowCount() - 1);
  for (int row = 1; row < want.Runners.RowCount(); ++row) {
    for (int col = 0; col < screens::kRunnerColumnCount; ++col) {
      QCOMPARE(runners->index(row - 1, col).data().toString(),
               Text(want.Runners.Cell(row, static_cast<screens::RunnerColumn>(col))));
    }
  }
  const char* grids[4] = {"URGrid", "UTGrid", "SRFGrid", "SRTGrid"};
  for (int t = 0; t < 4; ++t) {
    const bets::BetTable& table = want.Tables.Table(bets::BetTables::kOrder[t]);
    QAbstractItemModel* model = Find<QTableView>(grids[t])->model();
    QCOMPARE(model->rowCount(), table.RowCount() - 1);
    for (int row = 1; row < table.RowCount(); ++row) {
      for (int col = 0; col < table.ColCount(); ++col) {
        QCOMPARE(model->index(row - 1, col).data().toString(), Text(table.Cell(row, col)));
      }
    }
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("買い目"));
  }
  QCOMPARE(LabelText("URCountLabel"),
           Text(want.Tables.Table(codes::BetType::UR).Summary().count.text));
  QCOMPARE(LabelText("SRTTotalLabel"),
           Text(want.Tables.Table(codes::BetType::SRT).Summary().total.text));
}

void MainWindowTest::arrowKeysWalkThroughTheRaces() {
  DayWith36Races();
  QListWidget* list = Find<QListWidget>("DatList");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down);
  QCOMPARE(list->currentRow(), 2);
  QCOMPARE(program_->Session().Day().CurrentSlot, 2);
  QCOMPARE(LabelText("Label1"), Text(program_->Session().Screen.Header.Label1));
  QVERIFY(LabelText("Label1").contains(QStringLiteral(" 3R")) ||
          LabelText("Label1").contains(QStringLiteral("03R")));
  QTest::keyClick(list, Qt::Key_Up);
  QCOMPARE(program_->Session().Day().CurrentSlot, 1);
}

void MainWindowTest::theFButtonHidesAndShowsTheRaceList() {
  QWidget* panel = Find<QWidget>("RaceListPanel");
  QToolButton* f = Find<QToolButton>("SpeedButton1");
  QCOMPARE(f->text(), QStringLiteral("F"));
  QVERIFY(panel->isVisible());
  QTest::mouseClick(f, Qt::LeftButton);
  QVERIFY(!panel->isVisible());
  QTest::mouseClick(f, Qt::LeftButton);
  QVERIFY(panel->isVisible());
}

void MainWindowTest::aDamagedDayIsRefusedAndTheWindowKeepsItsDay() {
  const app::Session& session = program_->Session();
  PickDate(0);
  ClickRace(3);
  const QString label1 = LabelText("Label1");
  const int races = Find<QListWidget>("DatList")->count();
  // a runner file of the other day that holds no whole record
  const std::string other = Text(session.DateCombo.Items[1]).toStdString();
  std::filesystem::path damaged;
  for (const auto& entry : std::filesystem::directory_iterator(session.Store().DataFolder())) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(other) && name.ends_with(".jvSEr")) damaged = entry.path();
  }
  QVERIFY(!damaged.empty());
  const std::filesystem::path kept = damaged.string() + ".kept";
  std::filesystem::copy_file(damaged, kept);
  { std::ofstream(damaged, std::ios::binary | std::ios::trunc) << std::string(600, ' '); }

  PickDate(1);
  std::filesystem::rename(kept, damaged);
  QCOMPARE(script_.beeps, 1);
  QCOMPARE(script_.informs.size(), size_t{1});
  QVERIFY2(script_.informs[0].contains(QString::fromStdString(damaged.filename().string())),
           qPrintable(script_.informs[0]));
  QCOMPARE(Find<QComboBox>("DateCombo")->currentIndex(), 0);
  QCOMPARE(LabelText("Label1"), label1);
  QCOMPARE(Find<QListWidget>("DatList")->count(), races);
  // still usable: another race of the kept day shows
  ClickRace(4);
  QCOMPARE(program_->Session().Day().CurrentSlot, 4);
}

void MainWindowTest::logicMenuIsOneRadioGroupStoredInTheSettings() {
  QAction* a = Window().findChild<QAction*>(QStringLiteral("LogicAItem"));
  QAction* b = Window().findChild<QAction*>(QStringLiteral("LogicBItem"));
  QVERIFY(a && b);
  QCOMPARE(a->text(), QStringLiteral("ロジックＡ"));
  QVERIFY(a->isChecked() && !b->isChecked());
  b->trigger();
  QVERIFY(!a->isChecked() && b->isChecked());
  QCOMPARE(program_->Session().Settings().KaimeOption(), 2);
  a->trigger();
  QCOMPARE(program_->Session().Settings().KaimeOption(), 1);

  struct Case {
    int stored;
    bool a_ticked;
  };
  for (const Case& c : {Case{2, false}, Case{3, true}, Case{1, true}}) {
    program_.reset();
    uitest::Reference(uitest::SampleHome()).session.Settings().SetKaimeOption(c.stored);
    program_ = ui::DesktopProgram::Start(uitest::SampleHome(), prompts_);
    QCOMPARE(Window().findChild<QAction*>(QStringLiteral("LogicAItem"))->isChecked(), c.a_ticked);
    QCOMPARE(Window().findChild<QAction*>(QStringLiteral("LogicBItem"))->isChecked(), !c.a_ticked);
  }
}

void MainWindowTest::hintsOfTheCommandsGoToTheStatusLine() {
  QCOMPARE(Find<QToolButton>("SpeedButton1")->statusTip(),
           QStringLiteral("レースリストの表示/非表示を行います"));
  QCOMPARE(Find<QWidget>("Velk2Button")->statusTip(),
           QStringLiteral("Velk投票プラグイン２経由で投票します"));
  QStatusTipEvent tip(QStringLiteral("本ソフトを終了します"));
  QCoreApplication::sendEvent(&Window(), &tip);
  QCOMPARE(Window().statusBar()->currentMessage(), QStringLiteral("本ソフトを終了します"));
  prompts_.SetStatus("", ui::Sj("ﾚｰｽ情報データ取得中"));
  QCOMPARE(LabelText("StatusLabel"), QStringLiteral("ﾚｰｽ情報データ取得中"));
}

void MainWindowTest::nextRaceSelectsTheNearestPostTimeOfToday() {
  // the program's clock starts at 10:40 on the first day of the sample feed
  program_.reset();
  qputenv("QUORVANE_NOW", "2024/05/04 10:40:00");
  program_ = ui::DesktopProgram::Start(uitest::SampleHome(), prompts_);
  qunsetenv("QUORVANE_NOW");
  QVERIFY(program_);
  Window().show();
  const auto& items = program_->Session().DateCombo.Items;
  const std::string today = ui::Sj("2024年05月04日");
  const int index = static_cast<int>(std::find(items.begin(), items.end(), today) - items.begin());
  QVERIFY(index < static_cast<int>(items.size()));
  PickDate(index);

  uitest::Reference ref(uitest::SampleHome());
  ref.clock.Set({2024, 5, 4, 10, 40, 0});
  ref.Show(today, 0);
  QVERIFY(app::NextRace(ref.session));
  QVERIFY(ref.session.DatList.ItemIndex > 0);

  QAction* next = Window().findChild<QAction*>(QStringLiteral("NextRaceBtn"));
  QCOMPARE(next->text(), QStringLiteral("直前ﾚｰｽ"));
  next->trigger();
  QCOMPARE(Find<QListWidget>("DatList")->currentRow(), ref.session.DatList.ItemIndex);
  QCOMPARE(LabelText("Label1"), Text(ref.session.Screen.Header.Label1));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
