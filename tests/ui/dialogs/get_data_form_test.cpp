#include "ui/dialogs/get_data_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/session.h"
#include "dialogs_tests.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/result_message.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "samplefeed/feed_writer.h"
#include "scripted_prompts.h"
#include "ui/widgets/sjis_text.h"

using Outcome = jvlink::StoredPull::Outcome;
using Phase = jvlink::StoredPull::Phase;
using ui::TGetDataForm;

namespace {

namespace fs = std::filesystem;

constexpr const char* kSid = "QV000001/QV000002/Quorvane/Version.1.13";
constexpr int kPullTimeout = 60000;

// The sample feed of eight days, written once for every test of the suite.
QTemporaryDir* g_feed_dir = nullptr;
fs::path FeedFolder() { return g_feed_dir->path().toStdString() + "/feed"; }

// The feed's JV-Link with a hook on every JVRead: a test makes the n-th read fail,
// or acts from inside the read loop as a user would.
class HookedLink : public jvlink::FeedJVLink {
 public:
  using FeedJVLink::FeedJVLink;
  int JVRead(std::string& buff, int size, std::string& filename) override {
    ++reads;
    if (on_read) {
      if (std::optional<int> code = on_read(reads)) return *code;
    }
    return FeedJVLink::JVRead(buff, size, filename);
  }
  int reads = 0;
  std::function<std::optional<int>(int)> on_read;
};

// A program folder with its session, as the main window holds them, and the dialog.
struct Home {
  QTemporaryDir dir;
  platform::FixedClock clock{{2024, 5, 13, 10, 0, 0}};
  uitest::ScriptedPrompts prompts;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  HookedLink link{FeedFolder(), clock};
  app::Session session{prompts, clock, &link, launcher, companions, dir.path().toStdString()};
  int closed = 0;
  std::unique_ptr<TGetDataForm> form;

  Home() {
    session.Start();
    link.JVInit(kSid);
    form =
        std::make_unique<TGetDataForm>(link, prompts, session.Settings(), clock, session.Store());
    form->setOnClosed([this] {
      ++closed;
      session.BuildDateList();
    });
    form->show();
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = form->findChild<T*>(name);
    if (child == nullptr) qFatal("no child %s", name);
    return child;
  }
  QString Text(const char* label) { return Child<QLabel>(label)->text(); }
  void StartFrom(QDate date) {
    Child<QDateEdit>("StartDate")->setDate(date);
    QTest::mouseClick(Child<QPushButton>("StartButton"), Qt::LeftButton);
  }
  bool Idle() { return form->pull().phase() == Phase::kIdle && !form->pull().PollTimerRunning(); }
  int DataFiles(const char* suffix) {
    return QDir(dir.path() + "/Data").entryList({QString("*") + suffix}, QDir::Files).size();
  }
  QString Utf8(const std::string& sjis) { return ui::FromSjis(sjis); }
};

}  // namespace

void GetDataFormTest::initTestCase() {
  g_feed_dir = new QTemporaryDir;
  samplefeed::FeedOptions feed;
  feed.out = FeedFolder();
  feed.from = 20240504;
  feed.days = 8;
  feed.seed = 11;
  QVERIFY(samplefeed::WriteFeed(feed).race_days >= 2);
}

void GetDataFormTest::cleanupTestCase() {
  delete g_feed_dir;
  g_feed_dir = nullptr;
}

void GetDataFormTest::pullsTheFeedAndRebuildsTheDateList() {
  Home home;
  QCOMPARE(home.form->windowTitle(), QString::fromUtf8("ＪＶデータ取込"));
  // The start date opens at the stored moment's default: now minus seven days.
  QCOMPARE(home.Child<QDateEdit>("StartDate")->date(), QDate(2024, 5, 6));
  QVERIFY(!home.Child<QPushButton>("CancelButton")->isEnabled());
  home.Child<QCheckBox>("FinalOdds")->setChecked(true);
  home.StartFrom(QDate(2024, 5, 1));
  // The download runs on the poll timer, so the window answers while it waits.
  QCOMPARE(home.form->pull().phase(), Phase::kDownloading);
  QVERIFY(QApplication::overrideCursor() != nullptr);
  QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
  QTRY_VERIFY_WITH_TIMEOUT(home.Idle(), kPullTimeout);
  QVERIFY(QApplication::overrideCursor() == nullptr);

  QCOMPARE(home.form->pull().outcome(), Outcome::kCompleted);
  QVERIFY(home.form->pull().DownloadCount() > 0);
  QCOMPARE(home.prompts.informs.value(0),
           QString::fromUtf8("2024年05月01日10時00分00秒以降のデータ取込を開始します。"
                             "データ作成が終了するまで本ソフトを操作したり他のアプリケーションを"
                             "操作することは極力避けてください。"));
  QCOMPARE(home.prompts.informs.size(), 1);
  QVERIFY(home.DataFiles(".jvRA") >= 2);
  QVERIFY(home.DataFiles(".jvSEr") >= 2);
  QVERIFY(home.DataFiles(".jvO1a") >= 2);
  const long long filed = home.form->pull().Counts().filed;
  QVERIFY(filed > 0);
  // The last word of the pull stays in sight; the counts have a place of their own.
  QCOMPARE(home.Text("StatusLabel"), QString::fromUtf8("データ作成が完了しました。"));
  QCOMPARE(home.Text("CountsLabel"),
           home.Utf8(jvlink::PullSummaryText(home.form->pull().Counts())));
  QVERIFY(home.Text("CountsLabel").startsWith(QString::fromUtf8("取込件数:%1件").arg(filed)));
  const QString folder = qEnvironmentVariable("QUORVANE_SCREENSHOT_DIR");
  if (!folder.isEmpty()) QVERIFY(home.form->grab().save(folder + "/get_data_form_done.png"));
  QCOMPARE(home.Child<QProgressBar>("ReadBar")->value(), 0);
  QCOMPARE(home.Child<QProgressBar>("DownloadBar")->value(), 0);
  QVERIFY(home.Child<QPushButton>("StartButton")->isEnabled());
  QVERIFY(!home.Child<QPushButton>("CancelButton")->isEnabled());
  // The starting point of the next pull moved to the feed's last file.
  const std::string last_time = home.session.Settings().LastTimeText(home.clock.Now());
  QVERIFY(last_time.starts_with("2024/05/1"));
  QCOMPARE(home.Child<QDateEdit>("StartDate")->date().toString("yyyy/MM/dd").toStdString(),
           last_time.substr(0, 10));

  QCOMPARE(home.closed, 0);
  QVERIFY(home.session.DateCombo.Items.empty());
  home.form->reject();
  QCOMPARE(home.closed, 1);
  QVERIFY(!home.form->isVisible());
  QCOMPARE(int(home.session.DateCombo.Items.size()), home.DataFiles(".jvRA"));
}

void GetDataFormTest::failureMidwayKeepsWhatWasRead() {
  Home home;
  home.link.on_read = [](int n) -> std::optional<int> {
    if (n == 400) return -503;
    return std::nullopt;
  };
  home.StartFrom(QDate(2024, 5, 1));
  QTRY_VERIFY_WITH_TIMEOUT(home.Idle(), kPullTimeout);

  QCOMPARE(home.form->pull().outcome(), Outcome::kFailed);
  const QString failure =
      QString::fromUtf8("JVReadエラー:") + home.Utf8(jvlink::ResultMessage("JVRead", -503));
  QVERIFY(home.prompts.informs.contains(failure));
  // The status label says what stopped the pull, the counts label what had been filed.
  QCOMPARE(home.Text("StatusLabel"), failure);
  const QString counts = home.Text("CountsLabel");
  QVERIFY2(counts.startsWith(QString::fromUtf8("取込件数:")), qPrintable(counts));
  QVERIFY(home.form->pull().Counts().filed > 0);
  QVERIFY(home.DataFiles(".jvRA") >= 1);
  // The next pull starts from the same moment again.
  QVERIFY(!home.session.Settings().Ini().ReadRaw("JvDataGet", "LastTime").has_value());
  QVERIFY(home.Child<QPushButton>("StartButton")->isEnabled());
}

void GetDataFormTest::cancelDuringTheReadLoop() {
  Home home;
  home.prompts.Answer(false);  // the first "no" leaves the pull running
  home.prompts.Answer(true);
  QPushButton* cancel = home.Child<QPushButton>("CancelButton");
  // Clicks that reach the dialog only through the read loop's event turns.
  home.link.on_read = [cancel](int n) -> std::optional<int> {
    if (n == 100 || n == 200) {
      QTimer::singleShot(0, cancel, [cancel] { QTest::mouseClick(cancel, Qt::LeftButton); });
    }
    return std::nullopt;
  };
  home.StartFrom(QDate(2024, 5, 1));
  QTRY_VERIFY_WITH_TIMEOUT(home.Idle(), kPullTimeout);

  QCOMPARE(home.prompts.confirms,
           QStringList(2, QString::fromUtf8("データ取込を中止します。実行しますか？")));
  QCOMPARE(home.form->pull().outcome(), Outcome::kCancelled);
  QVERIFY(home.link.reads < 210);
  QVERIFY(home.prompts.informs.contains(QString::fromUtf8("JVCancel:キャンセルされました")));
  QCOMPARE(home.Text("StatusLabel"), QString::fromUtf8("JVCancel:キャンセルされました"));
  const QString counts = home.Text("CountsLabel");
  QVERIFY2(counts.startsWith(QString::fromUtf8("取込件数:")), qPrintable(counts));
  QVERIFY(home.DataFiles(".jvRA") >= 1);
  QCOMPARE(home.closed, 0);
}

void GetDataFormTest::closingDuringTheReadLoopClosesAfterIt() {
  Home home;
  TGetDataForm* form = home.form.get();
  home.link.on_read = [form](int n) -> std::optional<int> {
    if (n == 150) QTimer::singleShot(0, form, [form] { form->close(); });
    return std::nullopt;
  };
  home.StartFrom(QDate(2024, 5, 1));
  QTRY_VERIFY_WITH_TIMEOUT(!home.form->isVisible(), kPullTimeout);
  QVERIFY(home.Idle());
  QVERIFY(home.link.reads < 160);
  QCOMPARE(home.closed, 1);
  // What was read before the close is in the store and in the rebuilt date list.
  QVERIFY(home.DataFiles(".jvRA") >= 1);
  QCOMPARE(int(home.session.DateCombo.Items.size()), home.DataFiles(".jvRA"));
  // The stream is closed: a new pull can open it.
  int read_count = 0, download_count = 0;
  std::string stamp;
  QCOMPARE(home.link.JVOpen("RACE", "20240501000000", 1, read_count, download_count, stamp), 0);
  home.link.JVClose();
}

void GetDataFormTest::closingDuringTheDownloadCancelsIt() {
  Home home;
  home.StartFrom(QDate(2024, 5, 1));
  QTRY_VERIFY(home.Child<QProgressBar>("DownloadBar")->value() > 0);
  QCOMPARE(home.form->pull().phase(), Phase::kDownloading);
  home.form->reject();
  QVERIFY(!home.form->isVisible());
  QCOMPARE(home.closed, 1);
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QTest::qWait(50);  // the poll timer stays stopped
  QCOMPARE(home.link.reads, 0);
  QCOMPARE(home.DataFiles(".jvRA"), 0);
  int read_count = 0, download_count = 0;
  std::string stamp;
  QCOMPARE(home.link.JVOpen("RACE", "20240501000000", 1, read_count, download_count, stamp), 0);
  home.link.JVClose();
}

void GetDataFormTest::jvLinkSettingsFailureIsShown() {
  Home home;
  QTest::mouseClick(home.Child<QPushButton>("JVLinkSettingsButton"), Qt::LeftButton);
  QCOMPARE(home.prompts.beeps, 0);
  home.link.FailNext("JVSetUIProperties", -100);
  QTest::mouseClick(home.Child<QPushButton>("JVLinkSettingsButton"), Qt::LeftButton);
  QCOMPARE(home.prompts.beeps, 1);
  QCOMPARE(home.prompts.informs,
           QStringList(QString::fromUtf8("JVSetUIPropertiesエラー：") +
                       home.Utf8(jvlink::ResultMessage("JVSetUIProperties", -100))));
}

void GetDataFormTest::nothingNewer() {
  Home home;
  home.StartFrom(QDate(2024, 6, 30));
  QTRY_VERIFY_WITH_TIMEOUT(home.Idle(), kPullTimeout);
  QCOMPARE(home.form->pull().outcome(), Outcome::kNothingNewer);
  QCOMPARE(home.prompts.informs.value(1), QString::fromUtf8("最新のデータがありません。"));
  QCOMPARE(home.DataFiles(".jvRA"), 0);
}

void GetDataFormTest::screenshot() {
  Home home;
  home.Child<QCheckBox>("FinalOdds")->setChecked(true);
  home.link.on_read = [&home](int) -> std::optional<int> {
    // Mid-way through the reading, as the user sees it.
    const jvlink::StoredPull& pull = home.form->pull();
    if (pull.ReadCount() > 0 && pull.FilesRead() >= pull.ReadCount() / 2 &&
        !home.Text("RecordLabel").isEmpty()) {
      const QString folder = qEnvironmentVariable("QUORVANE_SCREENSHOT_DIR");
      const QImage image = home.form->grab().toImage();
      if (!image.isNull() && !folder.isEmpty()) image.save(folder + "/get_data_form.png");
      return -503;
    }
    return std::nullopt;
  };
  home.StartFrom(QDate(2024, 5, 1));
  QTRY_VERIFY_WITH_TIMEOUT(home.Idle(), kPullTimeout);
  QVERIFY(home.form->pull().FilesRead() >= home.form->pull().ReadCount() / 2);
  QCOMPARE(home.form->pull().outcome(), Outcome::kFailed);
}
