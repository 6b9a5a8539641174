// The race day on the main window: the timers tick the clock label, the fetch buttons and
// the File menu's items are there and answer as the core does.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
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

  // While a real-time fetch holds the one stream, "JVデータ取得" says so and opens no
  // pull dialog; once the stream is free the dialog opens.
  void theDataPullWaitsForARealTimeFetchThatReads() {
    uitest::TempFolder home;
    fs::copy(uitest::SampleHome() / "feed", home.path() / "feed", fs::copy_options::recursive);
    auto program = ui::DesktopProgram::Start(home.path(), prompts_, ui::MakeDialogCommands());
    QVERIFY(program);
    ui::TMainForm& window = program->Window();
    std::string day;
    for (const auto& entry : fs::directory_iterator(home.path() / "feed/realtime/0B12")) {
      day = entry.path().filename().string();
    }
    QVERIFY(!day.empty());
    jvlink::JVLink& stream = *program->Session().JVLink();
    QCOMPARE(stream.JVInit("QV000001/QV000002/Quorvane/Version.1.13"), 0);  // as at the first show
    QCOMPARE(stream.JVRTOpen("0B12", day), 0);  // a result fetch in the middle of its reading

    int dialogs = 0;
    auto close_dialogs = [&dialogs] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        ++dialogs;
        modal->close();
      }
    };
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, close_dialogs);
    guard.start(50);
    Action(window, "JVDataButton")->trigger();
    QCOMPARE(dialogs, 0);
    auto* status = window.findChild<QLabel*>(QStringLiteral("StatusLabel"));
    QVERIFY(status);
    QCOMPARE(status->text(), QStringLiteral("ほかのデータを取得中です。終わってからもう一度お試しください。"));
    std::string record;
    std::string file;
    QVERIFY(stream.JVRead(record, 60000, file) > 0);  // the fetch reads on undisturbed

    QCOMPARE(stream.JVClose(), 0);
    Action(window, "JVDataButton")->trigger();
    QCOMPARE(dialogs, 1);
  }
};

QTEST_MAIN(LiveDayControlsTest)
#include "live_day_controls_test.moc"
