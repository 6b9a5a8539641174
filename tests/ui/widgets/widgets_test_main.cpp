#include <QApplication>
#include <QTest>

#include "widgets_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int failed = 0;
  NumberEditTest number_edit;
  failed += QTest::qExec(&number_edit, argc, argv);
  Label3DTest label;
  failed += QTest::qExec(&label, argc, argv);
  FlatButtonTest button;
  failed += QTest::qExec(&button, argc, argv);
  FolderPickerTest picker;
  failed += QTest::qExec(&picker, argc, argv);
  ScreenPromptsTest prompts;
  failed += QTest::qExec(&prompts, argc, argv);
  return failed == 0 ? 0 : 1;
}
