// The main window on small screens and in the user's language: at 800 × 600 and at
// 1024 × 768 it keeps its size with a race shown, every tool-bar command, the clock and
// the countdown stay in sight, and the result page fits the larger one; a click on the
// race shown shows it again; a position on no screen is not used; standard buttons and
// failures read in Japanese; the busy cursor shows while a command fetches.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <fstream>

#include "application_setup.h"
#include "desktop_program.h"
#include "dialog_commands.h"
#include "qt_text.h"
#include "sample_home.h"
#include "ui/dialogs/version_box.h"
#include "ui/verify/sim_form.h"

namespace fs = std::filesystem;
using uitest::Text;

namespace {

// True when `child` is shown and lies wholly inside `area` (both in window coordinates).
bool WhollyInside(const QWidget* child, const QWidget* window, const QRect& area) {
  if (!child->isVisible()) return false;
  const QRect at(child->mapTo(window, QPoint(0, 0)), child->size());
  return area.contains(at);
}

QRect AreaOf(const QWidget* widget, const QWidget* window) {
  return {widget->mapTo(window, QPoint(0, 0)), widget->size()};
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

 private:
  ui::QtPrompts prompts_;
  ui::QtPrompts::Script script_;
  std::unique_ptr<ui::DesktopProgram> program_;
  bool translated_ = false;  ///< Qt's Japanese texts were found

  ui::TMainForm& Window() { return program_->Window(); }
  app::Session& Session() { return program_->Session(); }
  template <class T>
  T* Find(const char* name) {
    return uitest::Child<T>(Window(), name);
  }
  // The program as a user starts it on the first day of the sample feed, 10:40 that
  // morning, with that day picked.
  void StartOnRaceDay() {
    program_.reset();
    qputenv("QUORVANE_NOW", "2024/05/04 10:40:00");
    program_ = ui::DesktopProgram::Start(uitest::SampleHome(), prompts_, ui::MakeDialogCommands());
    qunsetenv("QUORVANE_NOW");
    QVERIFY(program_);
  }
  void PickDay(const char* utf8) {
    const auto& items = Session().DateCombo.Items;
    const std::string day = ui::Sj(utf8);
    QVERIFY(std::find(items.begin(), items.end(), day) != items.end());
    QVERIFY(Window().ChooseDate(day));
  }
  void ClickRace(int row) {
    QListWidget* list = Find<QListWidget>("DatList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  void CheckFits(const QSize& size);
  void SaveShot(const QString& name);

 private slots:
  void initTestCase() {
    translated_ =
        ui::PrepareApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
  }
  void init() {
    uitest::ResetSettings();
    script_ = {};
    prompts_.UseScript(&script_);
  }
  void cleanup() {
    program_.reset();
    uitest::ResetSettings();
  }

  void theWindowKeepsItsSizeWithARaceShown_data();
  void theWindowKeepsItsSizeWithARaceShown();
  void theResultPageShowsEveryBetTypeAt1024x768();
  void clickingTheRaceShownShowsItAgain();
  void aPositionOnNoScreenIsNotUsed_data();
  void aPositionOnNoScreenIsNotUsed();
  void theVerificationWindowIsMadeAtStart();
  void standardButtonsReadInJapanese();
  void aDamagedDayIsExplainedInJapanese();
  void aFolderThatCannotBeMadeIsExplainedInJapanese();
  void clockCountdownAndStatusReadWhole();
  void theVersionBoxDrawsTheNameAtDoubleSize();
  void theBusyCursorShowsWhileACommandFetches();
};

void WindowFitTest::theWindowKeepsItsSizeWithARaceShown_data() {
  QTest::addColumn<QSize>("size");
  QTest::newRow("800 x 600") << QSize(800, 600);
  QTest::newRow("1024 x 768") << QSize(1024, 768);
}

void WindowFitTest::theWindowKeepsItsSizeWithARaceShown() {
  QFETCH(QSize, size);
  StartOnRaceDay();
  Window().setGeometry(QRect(QPoint(10, 10), size));
  Window().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Window()));
  PickDay("2024年05月04日");
  // a race still to run (a countdown to show) with bets in its quinella table
  for (int item = 3; item < Find<QListWidget>("DatList")->count(); ++item) {
    ClickRace(item);
    if (Session().Screen.Tables.Table(codes::BetType::UR).RowCount() > 2) break;
  }
  QTRY_VERIFY(!Find<QLabel>("ClockLabel")->text().isEmpty() &&
              !Find<QLabel>("CountdownLabel")->text().isEmpty());
  QTest::qWait(50);
  CheckFits(size);
  SaveShot(QStringLiteral("main_window_%1x%2.png").arg(size.width()).arg(size.height()));
  // and that is the size kept for the next start
  QVERIFY(Window().close());
  const app::WindowPlacement kept = Session().Settings().MainWindowPlacement();
  QCOMPARE(QSize(kept.width, kept.height), size);
}

void WindowFitTest::CheckFits(const QSize& size) {
  QCOMPARE(Window().size(), size);
  QVERIFY2(Window().minimumSizeHint().width() <= 800,
           qPrintable(QString::number(Window().minimumSizeHint().width())));
  // every command of the tool bar is on it, none behind its extension button
  auto* bar = Find<QToolBar>("ToolBar1");
  const QRect bar_area = AreaOf(bar, &Window());
  for (QAction* action : bar->actions()) {
    if (action->isSeparator() || !action->isVisible()) continue;
    QWidget* shown = bar->widgetForAction(action);
    QVERIFY2(shown && WhollyInside(shown, &Window(), bar_area),
             qPrintable(action->text() + action->objectName()));
  }
  for (const char* name : {"JVDataButton", "NextRaceBtn", "OddsButton", "ResultButton"}) {
    QWidget* shown = bar->widgetForAction(Window().findChild<QAction*>(QString::fromLatin1(name)));
    QVERIFY2(shown && shown->isVisible(), name);
  }
  for (const char* name : {"ClockLabel", "CountdownLabel"}) {
    QLabel* label = Find<QLabel>(name);
    QVERIFY2(WhollyInside(label, &Window(), bar_area), name);
    QVERIFY2(label->width() >= label->sizeHint().width(), name);  // not cut short
  }
  // the race's marks are all in sight, not cut at the right edge
  const QRect page = AreaOf(Find<QWidget>("MarksPanel"), &Window());
  for (const char* name :
       {"URTaishoLabel", "UTTaishoLabel", "SRTaishoLabel", "TaishoRaceLogic2Label", "OzAve123Label",
        "UR1NinOZLabel", "TFWtimeAsaLabel"}) {
    QVERIFY2(WhollyInside(Find<QLabel>(name), &Window(), page), name);
  }
  QVERIFY(WhollyInside(Find<QWidget>("Velk2Button"), &Window(), Window().rect()));
  QVERIFY(WhollyInside(Find<QWidget>("StringGrid26"), &Window(), Window().rect()));
}

void WindowFitTest::SaveShot(const QString& name) {
  const QByteArray folder = qgetenv("QUORVANE_SCREENSHOT_DIR");
  if (folder.isEmpty()) return;
  QVERIFY(Window().grab().save(QString::fromUtf8(folder) + QLatin1Char('/') + name));
}

void WindowFitTest::theResultPageShowsEveryBetTypeAt1024x768() {
  StartOnRaceDay();
  Window().setGeometry(10, 10, 1024, 768);
  Window().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Window()));
  PickDay("2024年05月04日");
  QTRY_VERIFY(!Find<QLabel>("CountdownLabel")->text().isEmpty());
  Find<QTabWidget>("PageControl1")->setCurrentIndex(1);
  QTest::qWait(50);
  auto* grid = Find<QTableView>("ResultGrid");
  const int rows = grid->model()->rowCount();
  QCOMPARE(rows, 24);
  // the last row of 三連単 is drawn whole and nothing needs scrolling
  const int last_bottom = grid->rowViewportPosition(rows - 1) + grid->rowHeight(rows - 1);
  QVERIFY2(last_bottom <= grid->viewport()->height(),
           qPrintable(QStringLiteral("%1 > %2").arg(last_bottom).arg(grid->viewport()->height())));
  QVERIFY(!grid->verticalScrollBar()->isVisible());
  QVERIFY(!grid->horizontalScrollBar()->isVisible());
  SaveShot(QStringLiteral("main_window_results_1024x768.png"));
}

void WindowFitTest::clickingTheRaceShownShowsItAgain() {
  StartOnRaceDay();
  Window().resize(1024, 768);
  Window().show();
  PickDay("2024年05月05日");
  // a race with at least two quinella bets, one of them excluded by a click in column 0
  int item = -1;
  for (int i = 0; i < Find<QListWidget>("DatList")->count() && item < 0; ++i) {
    ClickRace(i);
    if (Session().Screen.Tables.Table(codes::BetType::UR).RowCount() > 2) item = i;
  }
  QVERIFY(item >= 0);
  auto* grid = Find<QTableView>("URGrid");
  const QString count = Find<QLabel>("URCountLabel")->text();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                    grid->visualRect(grid->model()->index(0, 0)).center());
  QCOMPARE(grid->model()->index(0, 0).data().toString(), QStringLiteral("消"));

  ClickRace(item);  // the same race: its bets are made anew, none excluded
  QCOMPARE(grid->model()->index(0, 0).data().toString(), QString());
  QCOMPARE(Find<QLabel>("URCountLabel")->text(), count);
  QCOMPARE(Find<QListWidget>("DatList")->currentRow(), item);
}

void WindowFitTest::aPositionOnNoScreenIsNotUsed_data() {
  QTest::addColumn<QRect>("stored");
  QTest::addColumn<QRect>("placed");
  // the offscreen screen is 800 × 600 at 0,0
  QTest::newRow("on the screen") << QRect(120, 80, 700, 500) << QRect(120, 80, 700, 500);
  QTest::newRow("far right") << QRect(5000, 80, 700, 500) << QRect(10, 10, 700, 500);
  QTest::newRow("above and left") << QRect(-3000, -2000, 800, 600) << QRect(10, 10, 800, 600);
}

void WindowFitTest::aPositionOnNoScreenIsNotUsed() {
  QFETCH(QRect, stored);
  QFETCH(QRect, placed);
  {
    uitest::Reference ref(uitest::SampleHome());
    ref.session.Settings().SetMainWindowPlacement(
        {stored.top(), stored.left(), stored.width(), stored.height()});
  }
  program_ = ui::DesktopProgram::Start(uitest::SampleHome(), prompts_);
  QVERIFY(program_);
  QCOMPARE(Window().geometry(), placed);
}

void WindowFitTest::theVerificationWindowIsMadeAtStart() {
  program_ = ui::DesktopProgram::Start(uitest::SampleHome(), prompts_, ui::MakeDialogCommands());
  QVERIFY(program_);
  const auto forms = Window().findChildren<ui::verify::TSimForm*>();
  QCOMPARE(forms.size(), 1);
  QVERIFY(!forms[0]->isVisible());  // until "出力"
  QCOMPARE(forms[0]->windowTitle(), QStringLiteral("検証"));
  Window().findChild<QAction*>(QStringLiteral("VerificationItem"))->trigger();
  QVERIFY(forms[0]->isVisible());
  QCOMPARE(Window().findChildren<ui::verify::TSimForm*>().size(), 1);
}

void WindowFitTest::standardButtonsReadInJapanese() {
  QVERIFY2(translated_, "qtbase_ja.qm not found (Debian package qt6-translations-l10n)");
  struct Case {
    QMessageBox::StandardButton button;
    const char* text;
  };
  const Case cases[] = {
      {QMessageBox::Yes, "はい"}, {QMessageBox::No, "いいえ"}, {QMessageBox::Cancel, "キャンセル"}};
  QMessageBox box(QMessageBox::Question, QStringLiteral("Quorvane"), QStringLiteral("?"),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  for (const Case& c : cases) {
    const QString shown = box.button(c.button)->text();
    QVERIFY2(shown.startsWith(QString::fromUtf8(c.text)), qPrintable(shown));
  }
  // No display name is fixed (it follows the application's name): a fixed one is what
  // the system adds after every dialog's caption ("各種設定 — Quorvane").
  QCoreApplication::setApplicationName(QStringLiteral("Other"));
  const QString display = QGuiApplication::applicationDisplayName();
  QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
  QCOMPARE(display, QStringLiteral("Other"));
}

void WindowFitTest::aDamagedDayIsExplainedInJapanese() {
  program_ = ui::DesktopProgram::Start(uitest::SampleHome(), prompts_);
  QVERIFY(program_);
  const std::string day = Session().DateCombo.Items[1];
  fs::path damaged;
  for (const auto& entry : fs::directory_iterator(Session().Store().DataFolder())) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(Text(day).toStdString()) && name.ends_with(".jvSEr"))
      damaged = entry.path();
  }
  QVERIFY(!damaged.empty());
  const fs::path kept = damaged.string() + ".kept";
  fs::copy_file(damaged, kept);
  { std::ofstream(damaged, std::ios::binary | std::ios::trunc) << std::string(600, ' '); }
  const bool loaded = Window().ChooseDate(day);
  fs::rename(kept, damaged);

  QVERIFY(!loaded);
  QCOMPARE(script_.informs.size(), size_t{1});
  const QString shown = script_.informs[0];
  QVERIFY2(shown.startsWith(QStringLiteral("開催日データのファイル「") +
                            QString::fromStdString(damaged.filename().string()) +
                            QStringLiteral("」が壊れているため")),
           qPrintable(shown));
  QVERIFY2(shown.contains(QStringLiteral("ErrorLog.txt")), qPrintable(shown));
  QVERIFY2(!shown.contains(QStringLiteral("byte")) && !shown.contains(QStringLiteral("record")),
           qPrintable(shown));
  // the technical words are in the log
  const QString log = Text(ReadAll(uitest::SampleHome() / "ErrorLog.txt"));
  QVERIFY2(log.contains(QStringLiteral("record 1 at byte 0")), qPrintable(log.right(300)));
}

void WindowFitTest::aFolderThatCannotBeMadeIsExplainedInJapanese() {
  uitest::TempFolder home;
  fs::create_directories(home.path() / "feed");
  { std::ofstream(home.path() / "CHG") << "a file where the folder belongs"; }
  QVERIFY(!ui::DesktopProgram::Start(home.path(), prompts_));
  QCOMPARE(script_.beeps, 1);
  QCOMPARE(script_.informs.size(), size_t{1});
  const QString shown = script_.informs[0];
  QVERIFY2(shown.startsWith(QStringLiteral("フォルダ「") +
                            QString::fromStdString((home.path() / "CHG").string()) +
                            QStringLiteral("」を作成できないため、起動できません。")),
           qPrintable(shown));
  QVERIFY2(shown.contains(QStringLiteral("ErrorLog.txt")), qPrintable(shown));
  const std::string log = ReadAll(home.path() / "ErrorLog.txt");
  QVERIFY2(log.find("CHG") != std::string::npos, log.c_str());
}

void WindowFitTest::clockCountdownAndStatusReadWhole() {
  StartOnRaceDay();
  Window().setGeometry(10, 10, 800, 600);
  Window().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Window()));
  PickDay("2024年05月04日");
  QLabel* clock = Find<QLabel>("ClockLabel");
  QLabel* countdown = Find<QLabel>("CountdownLabel");
  QTRY_VERIFY(!clock->text().isEmpty() && !countdown->text().isEmpty());
  // two panels apart, each drawing its own frame
  QVERIFY(clock->frameShape() != QFrame::NoFrame && countdown->frameShape() != QFrame::NoFrame);
  QVERIFY(clock->geometry().right() < countdown->geometry().left());

  const QString long_status = QStringLiteral("速報ｵｯｽﾞ(単複枠)取得中．．．JVRTOpenエラー:(-1)");
  prompts_.SetStatus("", ui::Sj(long_status.toUtf8().constData()));
  QLabel* status = Find<QLabel>("StatusLabel");
  QCOMPARE(status->text(), long_status);
  QTest::qWait(20);
  QVERIFY2(status->width() >= status->fontMetrics().horizontalAdvance(long_status),
           qPrintable(QString::number(status->width())));
  QVERIFY(WhollyInside(status, &Window(), Window().rect()));
}

void WindowFitTest::theVersionBoxDrawsTheNameAtDoubleSize() {
  ui::VersionBox box;
  const QFont name = box.findChild<QLabel*>(QStringLiteral("ProductName"))->font();
  const QFont plain = box.findChild<QLabel*>(QStringLiteral("VersionLabel"))->font();
  QVERIFY(plain.pixelSize() > 0);  // the program's face is set in pixels
  QCOMPARE(name.pixelSize(), plain.pixelSize() * 2);
  QVERIFY(name.bold());
}

void WindowFitTest::theBusyCursorShowsWhileACommandFetches() {
  StartOnRaceDay();
  Window().show();
  PickDay("2024年05月04日");
  // the time-series import over a folder of the companion that holds nothing: its count
  // message comes while the busy cursor shows, and the normal cursor is back after it
  uitest::TempFolder companion;
  Session().Settings().SetJikeiretu(companion.path().string());
  QVERIFY(QApplication::overrideCursor() == nullptr);
  Window().findChild<QAction*>(QStringLiteral("TimeSeriesItem"))->trigger();
  QCOMPARE(script_.informs.size(), size_t{1});
  QVERIFY2(script_.informs[0].contains(QStringLiteral("を取りこみました。")),
           qPrintable(script_.informs[0]));
  QCOMPARE(script_.busy_informs, 1);
  QVERIFY(QApplication::overrideCursor() == nullptr);

  // the fetches of the two buttons: the busy cursor while they read the stream
  struct Case {
    const char* button;
  };
  for (const Case& c : {Case{"OddsButton"}, Case{"ResultButton"}}) {
    std::vector<bool> busy_at_status;
    prompts_.SetStatusSink({}, [&busy_at_status](const QString&) {
      busy_at_status.push_back(QApplication::overrideCursor() != nullptr);
    });
    Window().findChild<QAction*>(QString::fromLatin1(c.button))->trigger();
    QVERIFY2(!busy_at_status.empty(), c.button);
    QVERIFY2(busy_at_status.front(), c.button);
    QVERIFY2(QApplication::overrideCursor() == nullptr, c.button);
  }
}

QTEST_MAIN(WindowFitTest)
#include "window_fit_test.moc"
