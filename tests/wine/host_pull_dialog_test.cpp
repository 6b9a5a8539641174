// The data-pull dialog, offscreen, pulling through the host under Wine: the same store as
// the same dialog over the feed folder, and the dialog answers while the host works.
#include <QApplication>
#include <QDateEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/session.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/hosted_jv_link.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "samplefeed/feed_writer.h"
#include "scripted_prompts.h"
#include "ui/dialogs/get_data_form.h"
#include "wine_rig.h"

namespace {

namespace fs = std::filesystem;
using Phase = jvlink::StoredPull::Phase;

constexpr const char* kSid = "QV000001/QV000002/Quorvane/Version.1.13";

// A program folder, its session and the dialog over `link`, pulled from 2024-05-01.
struct PulledHome {
  QTemporaryDir dir;
  platform::FixedClock clock{{2024, 5, 13, 10, 0, 0}};
  uitest::ScriptedPrompts prompts;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  std::unique_ptr<app::Session> session;
  std::unique_ptr<ui::TGetDataForm> form;
  int events_while_waiting = 0;

  void Pull(jvlink::JVLink& link) {
    session = std::make_unique<app::Session>(prompts, clock, &link, launcher, companions,
                                             dir.path().toStdString());
    session->Start();
    QCOMPARE(link.JVInit(kSid), 0);
    form = std::make_unique<ui::TGetDataForm>(link, prompts, session->Settings(), clock,
                                              session->Store());
    form->show();
    form->findChild<QDateEdit*>("StartDate")->setDate(QDate(2024, 5, 1));
    QTest::mouseClick(form->findChild<QPushButton*>("StartButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(
        form->pull().phase() == Phase::kIdle && !form->pull().PollTimerRunning(), 300000);
    QCOMPARE(form->pull().outcome(), jvlink::StoredPull::Outcome::kCompleted);
    form->reject();
  }
  fs::path Data() const { return fs::path(dir.path().toStdString()) / "Data"; }
};

}  // namespace

class HostPullDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void pullsThroughTheHostTheStoreOfTheFeedFolder() {
    QTemporaryDir feed_dir;
    samplefeed::FeedOptions feed;
    feed.out = feed_dir.path().toStdString() + "/feed";
    feed.from = 20240504;
    feed.days = 8;
    feed.seed = 11;
    QVERIFY(samplefeed::WriteFeed(feed).race_days >= 2);

    PulledHome direct;
    jvlink::FeedJVLink feed_link(feed.out, direct.clock);
    direct.Pull(feed_link);
    if (QTest::currentTestFailed()) return;

    setenv("QUORVANE_NOW", "2024/05/13 10:00:00", 1);
    testsupport::UseStandinPrefix(feed.out);
    PulledHome hosted;
    jvlink::HostedOptions options = testsupport::WineHostOptions();
    options.while_waiting = [&hosted] {
      ++hosted.events_while_waiting;
      QApplication::processEvents();
    };
    jvlink::HostedJVLink host_link(std::move(options));
    hosted.Pull(host_link);
    if (QTest::currentTestFailed()) return;

    QVERIFY(hosted.events_while_waiting > 0);
    const auto mine = testsupport::FilesUnder(hosted.Data());
    const auto reference = testsupport::FilesUnder(direct.Data());
    QVERIFY(reference.size() > 10);
    QCOMPARE(mine.size(), reference.size());
    for (const auto& [name, bytes] : reference) {
      QVERIFY2(mine.contains(name) && mine.at(name) == bytes, name.c_str());
    }
  }
};

QTEST_MAIN(HostPullDialogTest)
#include "host_pull_dialog_test.moc"
