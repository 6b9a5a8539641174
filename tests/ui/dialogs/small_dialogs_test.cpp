#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <optional>

#include "app/settings.h"
#include "codes/cp932.h"
#include "dialogs_tests.h"
#include "platform/launcher.h"
#include "scripted_prompts.h"
#include "ui/dialogs/folder_choices.h"
#include "ui/dialogs/manual_opener.h"
#include "ui/dialogs/oz_get_time_form.h"
#include "ui/dialogs/version_box.h"
#include "ui/widgets/sjis_text.h"

namespace {

// Remembers what it was asked to start; starts nothing.
class RecordingLauncher : public platform::Launcher {
 public:
  bool Open(const std::string& program, const std::string& parameter) override {
    programs.push_back(program);
    parameters.push_back(parameter);
    return starts;
  }
  bool starts = true;
  std::vector<std::string> programs, parameters;
};

const char* const kMissingManual = "使用解説書[Quorvane.pdf]が見つかりません。";

}  // namespace

void SmallDialogsTest::versionBoxShowsTheVersion() {
  ui::VersionBox box;
  QCOMPARE(box.windowTitle(), QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
  QCOMPARE(box.findChild<QLabel*>("VersionLabel")->text(), QString("Version.1.13"));
}

void SmallDialogsTest::manualMissingIsReported() {
  QTemporaryDir dir;
  RecordingLauncher launcher;
  uitest::ScriptedPrompts prompts;
  QVERIFY(!ui::OpenManual(dir.path().toStdString(), "/usr/bin/xdg-open", launcher, prompts));
  QCOMPARE(prompts.beeps, 1);
  QCOMPARE(prompts.informs, QStringList(QString::fromUtf8(kMissingManual)));
  QVERIFY(launcher.programs.empty());

  // A folder of that name is not the manual either.
  QVERIFY(QDir(dir.path()).mkdir("Quorvane.pdf"));
  QVERIFY(!ui::OpenManual(dir.path().toStdString(), "/usr/bin/xdg-open", launcher, prompts));
  QCOMPARE(prompts.informs.size(), 2);
}

void SmallDialogsTest::manualOpensWithTheViewer() {
  QTemporaryDir dir;
  QFile pdf(dir.path() + "/Quorvane.pdf");
  QVERIFY(pdf.open(QIODevice::WriteOnly));
  pdf.close();
  RecordingLauncher launcher;
  uitest::ScriptedPrompts prompts;
  QVERIFY(ui::OpenManual(dir.path().toStdString(), "/usr/bin/xdg-open", launcher, prompts));
  QCOMPARE(launcher.programs, std::vector<std::string>{"/usr/bin/xdg-open"});
  QCOMPARE(launcher.parameters,
           std::vector<std::string>{dir.path().toStdString() + "/Quorvane.pdf"});
  QCOMPARE(prompts.beeps, 0);
}

void SmallDialogsTest::viewerThatDoesNotStartIsReported() {
  QTemporaryDir dir;
  QFile pdf(dir.path() + "/Quorvane.pdf");
  QVERIFY(pdf.open(QIODevice::WriteOnly));
  pdf.close();
  RecordingLauncher launcher;
  launcher.starts = false;
  uitest::ScriptedPrompts prompts;
  QVERIFY(!ui::OpenManual(dir.path().toStdString(), "/usr/bin/xdg-open", launcher, prompts));
  QVERIFY(!ui::OpenManual(dir.path().toStdString(), "", launcher, prompts));
  QCOMPARE(prompts.beeps, 2);
  QCOMPARE(prompts.informs.value(0), QString::fromUtf8("使用解説書[Quorvane.pdf]を開けません。"));
}

void SmallDialogsTest::manualIsFoundInTheFirstFolderThatHoldsIt_data() {
  // the program folder (--home) and the executable's folder; which of them hold the file,
  // and which one the viewer is given (-1: none, the message)
  QTest::addColumn<bool>("in_home");
  QTest::addColumn<bool>("beside_executable");
  QTest::addColumn<int>("opened");
  QTest::newRow("home only") << true << false << 0;
  QTest::newRow("beside the executable only") << false << true << 1;
  QTest::newRow("both: the home's") << true << true << 0;
  QTest::newRow("neither") << false << false << -1;
}

void SmallDialogsTest::manualIsFoundInTheFirstFolderThatHoldsIt() {
  QFETCH(bool, in_home);
  QFETCH(bool, beside_executable);
  QFETCH(int, opened);
  QTemporaryDir home, executable;
  const std::vector<std::filesystem::path> folders{home.path().toStdString(),
                                                   executable.path().toStdString()};
  for (size_t i = 0; i < folders.size(); ++i) {
    if (!(i == 0 ? in_home : beside_executable)) continue;
    QFile pdf(QString::fromStdString((folders[i] / "Quorvane.pdf").string()));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
  }
  RecordingLauncher launcher;
  uitest::ScriptedPrompts prompts;
  QCOMPARE(ui::OpenManual(folders, "/usr/bin/xdg-open", launcher, prompts), opened >= 0);
  if (opened < 0) {
    QCOMPARE(prompts.informs, QStringList(QString::fromUtf8(kMissingManual)));
    QVERIFY(launcher.parameters.empty());
    return;
  }
  QCOMPARE(
      launcher.parameters,
      std::vector<std::string>{(folders[static_cast<size_t>(opened)] / "Quorvane.pdf").string()});
  QCOMPARE(prompts.beeps, 0);
}

void SmallDialogsTest::manualOfAnInstalledProgram_data() {
  QTest::addColumn<bool>("beside");     // Quorvane.pdf in the program folder
  QTest::addColumn<bool>("installed");  // Quorvane.pdf in the installation's folder
  QTest::addColumn<QString>("opened");  // the folder whose manual opens; empty: missing
  QTest::newRow("beside the program wins") << true << true << "home";
  QTest::newRow("installed only") << false << true << "share";
  QTest::newRow("beside only") << true << false << "home";
  QTest::newRow("neither") << false << false << QString();
}

void SmallDialogsTest::manualOfAnInstalledProgram() {
  QFETCH(bool, beside);
  QFETCH(bool, installed);
  QFETCH(QString, opened);
  QTemporaryDir dir;
  for (const auto& [folder, has] : {std::pair{"home", beside}, std::pair{"share", installed}}) {
    QVERIFY(QDir(dir.path()).mkpath(folder));
    QFile pdf(dir.path() + "/" + folder + "/Quorvane.pdf");
    if (has) QVERIFY(pdf.open(QIODevice::WriteOnly));
  }
  const std::filesystem::path root = dir.path().toStdString();
  RecordingLauncher launcher;
  uitest::ScriptedPrompts prompts;
  const bool shown = ui::OpenManual(ui::ManualFolder(root / "home", root / "share"),
                                    "/usr/bin/xdg-open", launcher, prompts);
  QCOMPARE(shown, !opened.isEmpty());
  if (shown) {
    QCOMPARE(launcher.parameters,
             std::vector<std::string>{(root / opened.toStdString() / "Quorvane.pdf").string()});
  } else {
    QCOMPARE(prompts.informs, QStringList(QString::fromUtf8(kMissingManual)));
  }
}

void SmallDialogsTest::folderChoiceWritesOnOkOnly_data() {
  QTest::addColumn<int>("choice");
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("caption");
  QTest::newRow("time series") << int(ui::FolderChoice::kTimeSeries) << "jikeiretu"
                               << QString::fromUtf8("時系列ｵｯｽﾞﾃﾞｰﾀﾌｫﾙﾀﾞの指定");
  QTest::newRow("voting plug-in") << int(ui::FolderChoice::kVelkTohyo2) << "VelkTohyo2"
                                  << QString::fromUtf8("Velk投票プラグイン２フォルダの指定");
}

void SmallDialogsTest::folderChoiceWritesOnOkOnly() {
  QFETCH(int, choice);
  QFETCH(QString, key);
  QFETCH(QString, caption);
  const auto which = static_cast<ui::FolderChoice>(choice);
  QTemporaryDir dir;
  app::Settings settings(dir.path().toStdString() + "/Quorvane.ini");
  uitest::ScriptedPrompts prompts;
  const std::string program_folder = dir.path().toStdString();
  QStringList asked;
  std::optional<QString> answer;
  auto ask = [&](const QString& shown_caption, const QString& preselected) {
    asked << shown_caption << preselected;
    return answer;
  };
  const std::string raw_key = key.toStdString();
  auto stored = [&] { return settings.Ini().ReadRaw("Dir", raw_key); };

  // Cancel: nothing written; the picker opened at the program folder.
  QVERIFY(!ui::ChooseFolder(which, settings, program_folder, prompts, ask));
  QCOMPARE(asked, QStringList({caption, dir.path()}));
  QVERIFY(!stored().has_value());

  // OK on a folder with a Japanese name: written in Shift-JIS, offered next time.
  const QString chosen = dir.path() + QString::fromUtf8("/時系列");
  answer = chosen;
  QVERIFY(ui::ChooseFolder(which, settings, program_folder, prompts, ask));
  QCOMPARE(stored().value_or(""), ui::ToSjis(chosen));
  asked.clear();
  answer.reset();
  ui::ChooseFolder(which, settings, program_folder, prompts, ask);
  QCOMPARE(asked.value(1), chosen);

  // A name that has no Shift-JIS form is refused with a message, nothing written.
  answer = dir.path() + QString::fromUtf8("/😀");
  QVERIFY(!ui::ChooseFolder(which, settings, program_folder, prompts, ask));
  QCOMPARE(prompts.beeps, 1);
  QCOMPARE(stored().value_or(""), ui::ToSjis(chosen));
}

void SmallDialogsTest::settingsScreenshot() {
  QTemporaryDir dir;
  app::Settings settings(dir.path().toStdString() + "/Quorvane.ini");
  uitest::ScriptedPrompts prompts;
  ui::TOzGetTimeForm form(settings, prompts);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  // Both tabs, as the manual shows them (written when QUORVANE_SCREENSHOT_DIR is set).
  const QString folder = qEnvironmentVariable("QUORVANE_SCREENSHOT_DIR");
  auto* tabs = form.findChild<QTabWidget*>("SettingsTabs");
  const char* const kFiles[] = {"settings_dialog.png", "settings_dialog_amount.png"};
  for (int tab = 0; tab < 2; ++tab) {
    tabs->setCurrentIndex(tab);
    const QImage image = form.grab().toImage();
    QVERIFY(!image.isNull());
    if (!folder.isEmpty()) QVERIFY(image.save(folder + "/" + kFiles[tab]));
  }
}
