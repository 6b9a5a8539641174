// The race day on the main window: the timers tick the clock label, the fetch buttons and
// the File menu's items are there and answer as the core does.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "desktop_program.h"
#include "dialog_commands.h"
#include "sample_home.h"

namespace fs = std::filesystem;

class LiveDayControlsTest : public QObject {
  Q_OBJECT

 private:
  ui::QtPrompts prompts_;
  ui::QtPrompts::Script script_;

  static QAction* Action(ui::TMainForm& window, const char* name) {
    QAction* action = window.findChild<QAction*>(QString::fromLatin1(name));
    if (!action) qFatal("no action %s", name);
    return action;
  }

 private slots:
  void init() {
    script_ = {};
    prompts_.UseScript(&script_);
  }

  void theClockLabelRunsAndTheCommandsAnswerWithoutADay() {
    uitest::TempFolder home;
    fs::create_directories(home.path() / "feed");
    auto program = ui::DesktopProgram::Start(home.path(), prompts_, ui::MakeDialogCommands());
    QVERIFY(program);
    ui::TMainForm& window = program->Window();
    auto* clock = window.findChild<QLabel*>(QStringLiteral("ClockLabel"));
    QVERIFY(clock);
    QTRY_VERIFY_WITH_TIMEOUT(clock->text().contains(QStringLiteral("秒")), 3000);

    Action(window, "OneDayOddsItem")->trigger();
    QCOMPARE(script_.informs.size(), size_t{1});
    QCOMPARE(script_.informs.back(), QStringLiteral("ﾃﾞｰﾀを読み込んでください。"));
    Action(window, "TimeSeriesItem")->trigger();
    QCOMPARE(script_.informs.back(), QStringLiteral("時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定をしてください。"));
    // Without a race shown the buttons fetch nothing and say nothing.
    Action(window, "OddsButton")->trigger();
    Action(window, "ResultButton")->trigger();
    QCOMPARE(script_.informs.size(), size_t{2});
    QVERIFY(Action(window, "OneDayOddsItem")->parent() != nullptr);
  }
};

QTEST_MAIN(LiveDayControlsTest)
#include "live_day_controls_test.moc"
