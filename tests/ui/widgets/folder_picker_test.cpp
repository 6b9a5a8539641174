#include "ui/widgets/folder_picker.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "widgets_tests.h"

using ui::FolderPicker;

namespace {

QPushButton* OkOf(FolderPicker& picker) {
  return picker.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

}  // namespace

void FolderPickerTest::preselectsAnExistingFolder() {
  QTemporaryDir dir;
  QVERIFY(QDir(dir.path()).mkdir("Data"));
  const QString data = dir.path() + "/Data";
  FolderPicker picker("caption", data);
  QCOMPARE(picker.folder(), data);
  QVERIFY(OkOf(picker)->isEnabled());
  QCOMPARE(picker.windowTitle(), QString("caption"));
}

void FolderPickerTest::missingFolderLeavesOkDisabled() {
  QTemporaryDir dir;
  FolderPicker picker("caption", dir.path() + "/gone/deeper");
  QVERIFY(picker.folder().isEmpty());
  QVERIFY(!OkOf(picker)->isEnabled());
  QVERIFY(picker.selectFolder(dir.path()));
  QVERIFY(OkOf(picker)->isEnabled());
}

void FolderPickerTest::aFileCannotBeChosen() {
  QTemporaryDir dir;
  QFile file(dir.path() + "/note.txt");
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  FolderPicker picker("caption", dir.path());
  QVERIFY(!picker.selectFolder(file.fileName()));
  QVERIFY(picker.folder().isEmpty());
  QVERIFY(!OkOf(picker)->isEnabled());
  QVERIFY(!FolderPicker::IsSelectable(""));
}

void FolderPickerTest::chooseGivesTheFolderOnOkAndNothingOnCancel() {
  QTemporaryDir dir;
  // Answer the modal picker as a user would, once it is up.
  auto answer = [](bool ok) {
    QTimer::singleShot(0, [ok] {
      auto* picker = qobject_cast<FolderPicker*>(QApplication::activeModalWidget());
      QVERIFY(picker);
      if (ok) {
        QTest::mouseClick(OkOf(*picker), Qt::LeftButton);
      } else {
        picker->reject();
      }
    });
  };
  answer(true);
  QCOMPARE(FolderPicker::Choose(nullptr, "caption", dir.path()), std::optional(dir.path()));
  answer(false);
  QCOMPARE(FolderPicker::Choose(nullptr, "caption", dir.path()), std::nullopt);
}
