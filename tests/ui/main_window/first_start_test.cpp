// The first start of a program that has no data yet: which starts offer the sample data,
// the offer's box, the offer declined (the JV-Link message and the end, as without it) and
// taken (the sample pulled and the window on its newest race day).

#include <QApplication>
#include <QPushButton>
#include <QtTest>
#include <fstream>

#include "codes/cp932.h"
#include "dialog_commands.h"
#include "first_start.h"
#include "sample_home.h"

namespace fs = std::filesystem;

class FirstStartTest : public QObject {
  Q_OBJECT

 private:
  ui::QtPrompts prompts_;
  ui::QtPrompts::Script script_;

 private slots:
  void init() {
    script_ = {};
    prompts_.UseScript(&script_);
  }

  void whoIsOffered_data();
  void whoIsOffered();
  void theOfferNamesTheFolderAndItsTwoAnswers();
  void declinedTheJVLinkMessageShowsAndNothingIsWritten();
  void takenTheSampleIsPulledAndTheWindowShowsItsNewestDay();
};

void FirstStartTest::whoIsOffered_data() {
  QTest::addColumn<QString>("ini");       // Quorvane.ini, empty: none
  QTest::addColumn<bool>("feed");         // a feed folder
  QTest::addColumn<bool>("stored");       // a record file in Data/
  QTest::addColumn<bool>("offered");
  QTest::newRow("empty folder") << QString() << false << false << true;
  QTest::newRow("feed chosen in [JVLink]") << "[JVLink]\r\nSource=feed\r\n" << false << false
                                           << true;
  QTest::newRow("feed written in capitals") << "[JVLink]\r\nSource=FEED\r\n" << false << false
                                            << true;
  QTest::newRow("other settings only") << "[Kaime]\r\nOption=2\r\n" << false << false << true;
  QTest::newRow("a feed folder") << QString() << true << false << false;
  QTest::newRow("stored race days") << QString() << false << true << false;
  QTest::newRow("JV-Link host chosen") << "[JVLink]\r\nSource=host\r\n" << false << false << false;
  QTest::newRow("JV-Link over tcp chosen") << "[jvlink]\r\nsource=tcp\r\n" << false << false
                                           << false;
}

void FirstStartTest::whoIsOffered() {
  QFETCH(QString, ini);
  QFETCH(bool, feed);
  QFETCH(bool, stored);
  QFETCH(bool, offered);
  uitest::TempFolder home;
  if (!ini.isEmpty()) std::ofstream(home.path() / "Quorvane.ini") << ini.toStdString();
  if (feed) fs::create_directories(home.path() / "feed");
  fs::create_directories(home.path() / "Data");
  if (stored) std::ofstream(home.path() / "Data" / "2024年05月18日.jvRA") << "x";
  QCOMPARE(ui::IsFirstStartWithoutData(home.path()), offered);
}

void FirstStartTest::theOfferNamesTheFolderAndItsTwoAnswers() {
  uitest::TempFolder home;
  auto box = ui::MakeSampleOfferBox(home.path());
  QVERIFY(box->informativeText().contains(QString::fromStdString((home.path() / "feed").string())));
  QVERIFY(box->informativeText().contains(QStringLiteral("サンプルデータ")));
  QStringList answers;
  for (QAbstractButton* button : box->buttons()) answers << button->text();
  answers.sort();
  QCOMPARE(answers, QStringList({QStringLiteral("サンプルデータを使う"), QStringLiteral("使わない")}));
  QCOMPARE(box->defaultButton()->text(), QStringLiteral("サンプルデータを使う"));

  const QByteArray folder = qgetenv("QUORVANE_SCREENSHOT_DIR");
  if (!folder.isEmpty()) {
    box->setInformativeText(box->informativeText().replace(
        QString::fromStdString(home.path().string()), QStringLiteral("/home/user/.local/share/Quorvane")));
    box->show();
    QApplication::processEvents();
    QVERIFY(box->grab().save(QString::fromLocal8Bit(folder) + "/first_start_dialog.png"));
  }
}

void FirstStartTest::declinedTheJVLinkMessageShowsAndNothingIsWritten() {
  uitest::TempFolder home;
  QVERIFY(!ui::StartShown(home.path(), prompts_, ui::MakeDialogCommands(), ui::SampleOffer::kDecline));
  QCOMPARE(script_.informs,
           std::vector<QString>{QStringLiteral(
               "JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。")});
  QVERIFY(!fs::exists(home.path() / "feed"));
  QVERIFY(!fs::exists(home.path() / "Data"));
}

void FirstStartTest::takenTheSampleIsPulledAndTheWindowShowsItsNewestDay() {
  uitest::TempFolder home;
  auto program =
      ui::StartShown(home.path(), prompts_, ui::MakeDialogCommands(), ui::SampleOffer::kAccept);
  QVERIFY(program);
  QVERIFY(fs::is_directory(home.path() / "feed"));
  const auto& days = program->Session().DateCombo.Items;
  QCOMPARE(days.size(), size_t{8});  // four weeks: four Saturdays and four Sundays
  QCOMPARE(program->Session().DateCombo.Text, days.front());
  QVERIFY(program->Session().DatList.Items.size() > 0);
  // nothing went wrong on the way, and the next pull starts after the sample's last record
  QCOMPARE(script_.informs, std::vector<QString>{});
  QVERIFY(program->Session().Settings().Ini().ReadRaw("JvDataGet", "LastTime"));
  QVERIFY(!ui::IsFirstStartWithoutData(home.path()));
}

QTEST_MAIN(FirstStartTest)
#include "first_start_test.moc"
