// The program's start and end as a user meets them: no JV-Link, a first start in an
// empty folder, the placement kept across runs, JVInit's failure, the command line; and
// the dialogs opened from the window: the settings OKed, a pull run over a small feed.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "desktop_program.h"
#include "dialog_commands.h"
#include "samplefeed/feed_writer.h"
#include "sample_home.h"
#include "ui/dialogs/get_data_form.h"

namespace fs = std::filesystem;

class StartUpTest : public QObject {
  Q_OBJECT

 private:
  ui::QtPrompts prompts_;
  ui::QtPrompts::Script script_;

  std::unique_ptr<ui::DesktopProgram> Start(const fs::path& home) {
    return ui::DesktopProgram::Start(home, prompts_, ui::MakeDialogCommands());
  }
  static QAction* Action(ui::TMainForm& window, const char* name) {
    QAction* action = window.findChild<QAction*>(QString::fromLatin1(name));
    if (!action) qFatal("no action %s", name);
    return action;
  }
  // Runs `user` as soon as the modal dialog that `open` shows is up.
  static void WithModalDialog(QAction* open, const std::function<void(QDialog&)>& user) {
    QTimer::singleShot(0, [user] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) qFatal("no modal dialog");
      user(*dialog);
    });
    open->trigger();
  }

 private slots:
  void init() {
    script_ = {};
    prompts_.UseScript(&script_);
  }

  void withoutAFeedFolderTheMessageShowsAndTheProgramEnds();
  void aFirstStartPreparesTheFoldersTheLogAndThePlacement();
  void theWindowReopensWhereItWasClosed();
  void aFailedJVInitIsShownOnceWhenTheWindowFirstShows();
  void aSettingsFileThatCannotBeWrittenStillLetsTheWindowClose();
  void commandLineOptions_data();
  void commandLineOptions();
  void theSettingsDialogOKedStoresAStakeOf50As100();
  void aPullThroughTheDialogFillsTheDateList();
  void withAHostChosenThePullGoesThroughItWithoutAFeedFolder();
  void aHostThatDoesNotAnswerEndsThePullInTimeWhileTheWindowRuns();
  void aBrokenTcpChoiceIsNamedAndTheProgramEnds();
};

void StartUpTest::withoutAFeedFolderTheMessageShowsAndTheProgramEnds() {
  uitest::TempFolder home;
  QVERIFY(!Start(home.path()));
  QCOMPARE(script_.beeps, 1);
  QCOMPARE(script_.informs,
           std::vector<QString>{QStringLiteral(
               "JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。")});
  QVERIFY(QApplication::topLevelWidgets().isEmpty());
  QVERIFY(!fs::exists(home.path() / "Data"));  // it ended before anything was made
}

void StartUpTest::aFirstStartPreparesTheFoldersTheLogAndThePlacement() {
  uitest::TempFolder home;
  fs::create_directories(home.path() / "feed");
  auto program = Start(home.path());
  QVERIFY(program);
  for (const char* folder : {"Data", "CHG", "Kaime"})
    QVERIFY(fs::is_directory(home.path() / folder));
  std::ifstream log(home.path() / "ErrorLog.txt", std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  QCOMPARE(lines.size(), size_t{2});
  QVERIFY(uitest::Text(lines[0]).startsWith(QStringLiteral("ソフト起動：")));
  QCOMPARE(program->Window().geometry(), QRect(10, 10, 800, 600));
  QCOMPARE(program->Window().findChild<QComboBox*>(QStringLiteral("DateCombo"))->count(), 0);
  QVERIFY(script_.informs.empty());
}

void StartUpTest::theWindowReopensWhereItWasClosed() {
  uitest::TempFolder home;
  fs::create_directories(home.path() / "feed");
  const QRect placed(120, 80, 1000, 700);
  {
    auto program = Start(home.path());
    program->Window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&program->Window()));
    program->Window().setGeometry(placed);
    QVERIFY(program->Window().close());
  }
  auto program = Start(home.path());
  QCOMPARE(program->Window().geometry(), placed);
  const app::WindowPlacement kept = program->Session().Settings().MainWindowPlacement();
  QCOMPARE(kept, (app::WindowPlacement{80, 120, 1000, 700}));
}

void StartUpTest::aFailedJVInitIsShownOnceWhenTheWindowFirstShows() {
  uitest::TempFolder home;
  fs::create_directories(home.path() / "feed");
  auto program = Start(home.path());
  program->FeedLink()->FailAlways("JVInit", -101);
  QVERIFY(script_.informs.empty());  // not before it shows
  program->Window().show();
  QCOMPARE(script_.informs.size(), size_t{1});
  QVERIFY2(script_.informs[0].startsWith(QStringLiteral("JVInitエラー：")),
           qPrintable(script_.informs[0]));
  QVERIFY(script_.informs[0].size() > QStringLiteral("JVInitエラー：").size());
  QCOMPARE(script_.beeps, 0);  // a plain message box
  program->Window().hide();
  program->Window().show();
  QCOMPARE(script_.informs.size(), size_t{1});
  QVERIFY(program->Window().isVisible());  // the program runs on
}

void StartUpTest::aSettingsFileThatCannotBeWrittenStillLetsTheWindowClose() {
  uitest::TempFolder home;
  fs::create_directories(home.path() / "feed");
  fs::create_directories(home.path() / "Quorvane.ini");  // no file can be written there
  auto program = Start(home.path());
  QVERIFY(program);
  program->Window().show();
  QVERIFY(program->Window().close());
  QVERIFY(!program->Window().isVisible());
  QCOMPARE(script_.beeps, 1);
  QCOMPARE(script_.informs.size(), size_t{1});
}

void StartUpTest::commandLineOptions_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<QString>("home");
  QTest::addColumn<QString>("day");
  // clang-format off
  QTest::newRow("none")        << QStringList{} << true << "/opt/q" << "";
  QTest::newRow("home")        << QStringList{"--home", "/tmp/h/"} << true << "/tmp/h" << "";
  QTest::newRow("day")         << QStringList{"--day", "2024年05月04日"} << true << "/opt/q" << "2024年05月04日";
  QTest::newRow("digits day")  << QStringList{"--day", "20240504"} << false << "" << "";
  QTest::newRow("no value")    << QStringList{"--home"} << false << "" << "";
  QTest::newRow("unknown")     << QStringList{"--help-me"} << false << "" << "";
  // clang-format on
}

void StartUpTest::commandLineOptions() {
  QFETCH(QStringList, arguments);
  QFETCH(bool, accepted);
  QString error;
  const auto options = ui::ParseStartOptions(arguments, "/opt/q", error);
  QCOMPARE(options.has_value(), accepted);
  QCOMPARE(error.isEmpty(), accepted);
  if (!options) return;
  QFETCH(QString, home);
  QFETCH(QString, day);
  QCOMPARE(QString::fromStdString(options->home.string()), home);
  QCOMPARE(uitest::Text(options->day), day);
}

void StartUpTest::theSettingsDialogOKedStoresAStakeOf50As100() {
  uitest::ResetSettings();
  auto program = Start(uitest::SampleHome());
  program->Window().show();
  QVERIFY(program->Window().ChooseDate(program->Session().DateCombo.Items[0]));
  WithModalDialog(Action(program->Window(), "SettingsItem"), [](QDialog& dialog) {
    QCOMPARE(dialog.windowTitle(), QStringLiteral("各種設定"));
    auto* amount = dialog.findChild<QLineEdit*>(QStringLiteral("AmountEdit"));
    QVERIFY(amount);
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, QStringLiteral("50"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
  });
  QCOMPARE(program->Session().Settings().DefaultAmount(), 100);
  // the race shown was shown again: still there, with its bets
  QCOMPARE(program->Session().DatList.ItemIndex, 0);
  QVERIFY(program->Window().isVisible());
  uitest::ResetSettings();
}

// In the pull dialog: pull from 2024/05/01, wait for the end, which must be a complete
// pull, and close the dialog.
static void PullFromMay1stToTheEnd(QDialog& dialog) {
  auto& form = dynamic_cast<ui::TGetDataForm&>(dialog);
  form.findChild<QDateEdit*>(QStringLiteral("StartDate"))->setDate(QDate(2024, 5, 1));
  QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("StartButton")), Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(form.pull().phase() == jvlink::StoredPull::Phase::kIdle &&
                               form.pull().outcome() != jvlink::StoredPull::Outcome::kNone,
                           60000);
  QCOMPARE(form.pull().outcome(), jvlink::StoredPull::Outcome::kCompleted);
  form.reject();
}

void StartUpTest::aPullThroughTheDialogFillsTheDateList() {
  uitest::TempFolder home;
  samplefeed::WriteFeed({home.path() / "feed", 20240504, 2, 1, false});
  auto program = Start(home.path());
  program->Window().show();
  auto* dates = program->Window().findChild<QComboBox*>(QStringLiteral("DateCombo"));
  QCOMPARE(dates->count(), 0);
  WithModalDialog(Action(program->Window(), "JVDataButton"), PullFromMay1stToTheEnd);
  // closing the dialog built the date list again: the two pulled days
  QCOMPARE(dates->count(), 2);
  QCOMPARE(dates->itemText(0), QStringLiteral("2024年05月05日"));
  QVERIFY(program->Window().ChooseDate(program->Session().DateCombo.Items[0]));
  QVERIFY(program->Session().DatList.Items.size() > 0);
}

// [JVLink] Source=host in the program folder: no feed/ is needed, and the pull dialog
// pulls through the host (the feed-folder test host over a feed kept elsewhere).
void StartUpTest::withAHostChosenThePullGoesThroughItWithoutAFeedFolder() {
  uitest::TempFolder home;
  uitest::TempFolder elsewhere;
  samplefeed::WriteFeed({elsewhere.path() / "feed", 20240504, 2, 1, false});
  std::ofstream(home.path() / "Quorvane.ini", std::ios::binary)
      << "[JVLink]\r\nSource=host\r\nHostCommand=" << QUORVANE_TESTHOST << " --feed \""
      << (elsewhere.path() / "feed").string() << "\"\r\n";
  auto program = Start(home.path());
  QVERIFY(program);
  QVERIFY(program->FeedLink() == nullptr);
  program->Window().show();
  QVERIFY(script_.informs.empty());  // JVInit went through the host
  auto* dates = program->Window().findChild<QComboBox*>(QStringLiteral("DateCombo"));
  WithModalDialog(Action(program->Window(), "JVDataButton"), PullFromMay1stToTheEnd);
  QCOMPARE(dates->count(), 2);
  QCOMPARE(dates->itemText(0), QStringLiteral("2024年05月05日"));
}

// A host that takes JVOpen and never answers: the time limit (Timeout=1) ends the open
// with JV-Link's internal error, the error log names the host, and the window's timers
// ran all the while.
void StartUpTest::aHostThatDoesNotAnswerEndsThePullInTimeWhileTheWindowRuns() {
  uitest::TempFolder home;
  uitest::TempFolder elsewhere;
  samplefeed::WriteFeed({elsewhere.path() / "feed", 20240504, 2, 1, false});
  std::ofstream(home.path() / "Quorvane.ini", std::ios::binary)
      << "[JVLink]\r\nSource=host\r\nTimeout=1\r\nHostCommand=" << QUORVANE_TESTHOST
      << " --hang-on JVOpen --feed \"" << (elsewhere.path() / "feed").string() << "\"\r\n";
  auto program = Start(home.path());
  QVERIFY(program);
  program->Window().show();
  int ticks = 0;
  QTimer ticker;
  connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start(50);
  QElapsedTimer clock;
  WithModalDialog(Action(program->Window(), "JVDataButton"), [&clock](QDialog& dialog) {
    auto& form = dynamic_cast<ui::TGetDataForm&>(dialog);
    clock.start();
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("StartButton")), Qt::LeftButton);
    QCOMPARE(form.pull().outcome(), jvlink::StoredPull::Outcome::kFailed);
    form.reject();
  });
  QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
  QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
  const auto failed = std::find_if(script_.informs.begin(), script_.informs.end(), [](const QString& text) {
    return text.startsWith(QStringLiteral("JVOpenエラー:JV- Link 内部エラーが発生しました。(-401)"));
  });
  QVERIFY(failed != script_.informs.end());
  std::ifstream log(home.path() / "ErrorLog.txt", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  QVERIFY2(uitest::Text(text).contains(QStringLiteral("JV-Linkホストの障害：JV-Link host ")) &&
               uitest::Text(text).contains(QStringLiteral("no answer in time")),
           qPrintable(uitest::Text(text)));
}

void StartUpTest::aBrokenTcpChoiceIsNamedAndTheProgramEnds() {
  uitest::TempFolder home;
  fs::create_directories(home.path() / "feed");
  std::ofstream(home.path() / "Quorvane.ini", std::ios::binary) << "[JVLink]\r\nSource=tcp\r\n";
  QVERIFY(!Start(home.path()));
  QCOMPARE(script_.beeps, 1);
  QCOMPARE(script_.informs,
           std::vector<QString>{QStringLiteral(
               "JV-Linkの設定（Quorvane.iniの[JVLink]）が正しくありません：[JVLink] Source=tcp needs "
               "Address=host:port")});
}

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
