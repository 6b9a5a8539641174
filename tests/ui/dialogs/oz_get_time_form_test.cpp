#include "ui/dialogs/oz_get_time_form.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/settings.h"
#include "codes/cp932.h"
#include "dialogs_tests.h"
#include "scripted_prompts.h"
#include "ui/widgets/number_edit.h"

using ui::NumberEdit;
using ui::TOzGetTimeForm;

namespace {

// A settings file in a fresh folder.
struct SettingsFile {
  QTemporaryDir dir;
  std::filesystem::path path{dir.path().toStdString() + "/Quorvane.ini"};
  app::Settings settings{path};

  std::string Raw(const char* section, const char* key) const {
    return settings.Ini().ReadRaw(section, key).value_or("<missing>");
  }
  std::string Bytes() const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

template <typename T>
T* Child(QWidget& form, const char* name) {
  T* child = form.findChild<T*>(name);
  if (child == nullptr) qFatal("no child %s", name);
  return child;
}

// Replaces what a field shows by typing, as a user does after selecting it all.
void Retype(QWidget* field, const QString& keys) {
  if (auto* spin = qobject_cast<QSpinBox*>(field)) {
    spin->selectAll();
    QTest::keyClicks(spin, keys);
  } else if (auto* edit = qobject_cast<NumberEdit*>(field)) {
    edit->selectAll();
    QTest::keyClicks(edit, keys);
  }
}

}  // namespace

void OzGetTimeFormTest::opensWithTheDefaults() {
  SettingsFile file;
  uitest::ScriptedPrompts prompts;
  TOzGetTimeForm form(file.settings, prompts);
  QCOMPARE(form.windowTitle(), QString::fromUtf8("各種設定"));
  QCOMPARE(Child<QSpinBox>(form, "HourEdit")->value(), 9);
  QCOMPARE(Child<QSpinBox>(form, "MinuteEdit")->value(), 45);
  QCOMPARE(Child<QSpinBox>(form, "ResultIntervalEdit")->value(), 10);
  QCOMPARE(Child<NumberEdit>(form, "AmountEdit")->value(), 3000);
  QCOMPARE(form.pos(), QPoint(100, 10));

  // A time written in brackets reads as the time.
  {
    std::ofstream out(file.path, std::ios::binary);
    out << codes::Sj("[Time]\r\nFirst=｢0930｣\r\n");
  }
  TOzGetTimeForm quoted(file.settings, prompts);
  QCOMPARE(Child<QSpinBox>(quoted, "MinuteEdit")->value(), 30);
}

void OzGetTimeFormTest::okWritesTheSettings() {
  SettingsFile file;
  file.settings.SetAutoOzGet(25);
  uitest::ScriptedPrompts prompts;
  auto form = std::make_unique<TOzGetTimeForm>(file.settings, prompts);
  form->show();
  QTest::mouseClick(Child<QPushButton>(*form, "OneClick15"), Qt::LeftButton);
  QCOMPARE(Child<QSpinBox>(*form, "MinuteEdit")->value(), 15);
  Retype(Child<QSpinBox>(*form, "ResultIntervalEdit"), "20");
  Retype(Child<NumberEdit>(*form, "AmountEdit"), "50");
  QTest::mouseClick(Child<QPushButton>(*form, "OkButton"), Qt::LeftButton);
  QCOMPARE(form->result(), int(QDialog::Accepted));

  QCOMPARE(file.Raw("Time", "First"), std::string("0915"));
  QCOMPARE(file.Raw("Time", "AutoRdataGet"), std::string("20"));
  QCOMPARE(file.Raw("Time", "AutoOzGet"), std::string("25"));
  QCOMPARE(file.Raw("KaimeSet", "DefaultAmount"), std::string("100"));
  QCOMPARE(prompts.informs, QStringList());

  // The other two one-click buttons.
  for (int minute : {30, 40}) {
    TOzGetTimeForm again(file.settings, prompts);
    QTest::mouseClick(Child<QPushButton>(again, QString("OneClick%1").arg(minute).toLatin1()),
                      Qt::LeftButton);
    again.accept();
    QCOMPARE(file.Raw("Time", "First"), QString("09%1").arg(minute).toStdString());
  }
}

void OzGetTimeFormTest::cancelWritesNothing() {
  SettingsFile file;
  file.settings.SetFirst(9, 30);
  file.settings.SetAutoRdataGet(7);
  file.settings.SetDefaultAmount(5000);
  const std::string before = file.Bytes();
  uitest::ScriptedPrompts prompts;
  TOzGetTimeForm form(file.settings, prompts);
  form.show();
  QTest::mouseClick(Child<QPushButton>(form, "OneClick40"), Qt::LeftButton);
  Retype(Child<NumberEdit>(form, "AmountEdit"), "9000");
  QTest::mouseClick(Child<QPushButton>(form, "CancelButton"), Qt::LeftButton);
  QCOMPARE(form.result(), int(QDialog::Rejected));
  QCOMPARE(file.Bytes(), before);
}

void OzGetTimeFormTest::outOfRangeIsRefused_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("section");
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("stored");
  // clang-format off
  QTest::newRow("minute 75")        << "MinuteEdit"         << "75"      << "Time"     << "First"         << "0907";
  QTest::newRow("minute minus")     << "MinuteEdit"         << "-5"      << "Time"     << "First"         << "0905";
  QTest::newRow("hour 10")          << "HourEdit"           << "10"      << "Time"     << "First"         << "0945";
  QTest::newRow("interval 3")       << "ResultIntervalEdit" << "3"       << "Time"     << "AutoRdataGet"  << "10";
  QTest::newRow("interval 60")      << "ResultIntervalEdit" << "60"      << "Time"     << "AutoRdataGet"  << "6";
  QTest::newRow("interval text")    << "ResultIntervalEdit" << "ab"      << "Time"     << "AutoRdataGet"  << "10";
  QTest::newRow("stake 7 digits")   << "AmountEdit"         << "1234567" << "KaimeSet" << "DefaultAmount" << "123456";
  QTest::newRow("stake negative")   << "AmountEdit"         << "-800"    << "KaimeSet" << "DefaultAmount" << "800";
  QTest::newRow("stake text")       << "AmountEdit"         << "abc"     << "KaimeSet" << "DefaultAmount" << "3000";
  QTest::newRow("stake 99")         << "AmountEdit"         << "99"      << "KaimeSet" << "DefaultAmount" << "100";
  QTest::newRow("stake 150")        << "AmountEdit"         << "150"     << "KaimeSet" << "DefaultAmount" << "150";
  // clang-format on
}

void OzGetTimeFormTest::outOfRangeIsRefused() {
  QFETCH(QString, field);
  QFETCH(QString, keys);
  QFETCH(QString, section);
  QFETCH(QString, key);
  QFETCH(QString, stored);
  SettingsFile file;
  uitest::ScriptedPrompts prompts;
  TOzGetTimeForm form(file.settings, prompts);
  form.show();
  Retype(Child<QWidget>(form, field.toLatin1()), keys);
  QTest::mouseClick(Child<QPushButton>(form, "OkButton"), Qt::LeftButton);
  QCOMPARE(file.Raw(section.toLatin1(), key.toLatin1()), stored.toStdString());
}

void OzGetTimeFormTest::keepsItsPosition() {
  SettingsFile file;
  file.settings.SetSettingsDialogPosition(120, 200);
  uitest::ScriptedPrompts prompts;
  {
    TOzGetTimeForm form(file.settings, prompts);
    QCOMPARE(form.pos(), QPoint(200, 120));
    form.move(300, 150);
    form.reject();  // the position is kept however the dialog closes
  }
  QCOMPARE(file.settings.SettingsDialogPosition().top, 150);
  QCOMPARE(file.settings.SettingsDialogPosition().left, 300);

  // A position on no screen leaves the dialog where the system puts it.
  file.settings.SetSettingsDialogPosition(-30000, -30000);
  TOzGetTimeForm lost(file.settings, prompts);
  QVERIFY(lost.pos() != QPoint(-30000, -30000));
}

void OzGetTimeFormTest::anUnwritableFileKeepsTheDialogOpen() {
  QTemporaryDir dir;
  // A folder where the file should be: every write fails.
  const std::filesystem::path path = dir.path().toStdString() + "/Quorvane.ini";
  std::filesystem::create_directory(path);
  app::Settings settings(path);
  uitest::ScriptedPrompts prompts;
  TOzGetTimeForm form(settings, prompts);
  form.show();
  QTest::mouseClick(Child<QPushButton>(form, "OkButton"), Qt::LeftButton);
  QVERIFY(form.isVisible());
  QCOMPARE(prompts.beeps, 1);
  QCOMPARE(prompts.informs.size(), 1);
  QVERIFY2(prompts.informs[0].contains("Quorvane.ini"), qPrintable(prompts.informs[0]));
}
