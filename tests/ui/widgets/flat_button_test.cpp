#include "ui/widgets/flat_button.h"

#include <QMainWindow>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "widgets_tests.h"

using ui::FlatButton;

void FlatButtonTest::clickIsReported() {
  FlatButton button("9:15");
  QVERIFY(button.autoRaise());
  QSignalSpy spy(&button, &FlatButton::clicked);
  QTest::mouseClick(&button, Qt::LeftButton);
  QCOMPARE(spy.count(), 1);
}

void FlatButtonTest::hintReachesTheStatusLine() {
  QMainWindow window;
  auto* button = new FlatButton(QString::fromUtf8("終了"));
  button->setHint(QString::fromUtf8("本ソフトを終了します"));
  window.setCentralWidget(button);
  window.statusBar();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTest::mouseMove(button);
  QTRY_COMPARE(window.statusBar()->currentMessage(), QString::fromUtf8("本ソフトを終了します"));
  QCOMPARE(button->toolTip(), button->hint());
}
