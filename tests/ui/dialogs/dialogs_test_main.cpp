#include <QApplication>
#include <QTest>

#include "dialogs_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName("Quorvane");
  int failed = 0;
  OzGetTimeFormTest settings;
  failed += QTest::qExec(&settings, argc, argv);
  GetDataFormTest pull;
  failed += QTest::qExec(&pull, argc, argv);
  SmallDialogsTest small;
  failed += QTest::qExec(&small, argc, argv);
  return failed == 0 ? 0 : 1;
}
