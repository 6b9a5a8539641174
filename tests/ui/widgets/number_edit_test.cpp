#include "ui/widgets/number_edit.h"

#include <QSignalSpy>
#include <QTest>

#include "codes/errors.h"
#include "widgets_tests.h"

using ui::NumberEdit;

void NumberEditTest::typing_data() {
  QTest::addColumn<int>("digits");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("value");
  // clang-format off
  QTest::newRow("stake")            << 6 << "3000"     << "3000"   << 3000;
  QTest::newRow("text refused")     << 6 << "abc"      << ""       << 0;
  QTest::newRow("minus refused")    << 6 << "-500"     << "500"    << 500;
  QTest::newRow("seventh digit")    << 6 << "1234567"  << "123456" << 123456;
  QTest::newRow("letters between")  << 6 << "1a2b3"    << "123"    << 123;
  QTest::newRow("decimal point")    << 6 << "12.5"     << "125"    << 125;
  QTest::newRow("blank")            << 6 << " 7"       << "7"      << 7;
  QTest::newRow("two-digit box")    << 2 << "123"      << "12"     << 12;
  // clang-format on
}

void NumberEditTest::typing() {
  QFETCH(int, digits);
  QFETCH(QString, keys);
  NumberEdit edit(digits);
  QTest::keyClicks(&edit, keys);
  QTEST(edit.text(), "shown");
  QTEST(edit.value(), "value");
}

void NumberEditTest::pastingTextIsRefused() {
  NumberEdit edit(6);
  edit.setValue(100);
  edit.selectAll();
  edit.insert("-12ab");  // what a paste does
  QCOMPARE(edit.text(), QString("100"));
  edit.selectAll();
  edit.insert(QString::fromUtf8("１２"));  // full-width digits of an input method
  QCOMPARE(edit.text(), QString("100"));
  edit.selectAll();
  edit.insert("2500");
  QCOMPARE(edit.value(), 2500);
}

void NumberEditTest::setValueKeepsToWhatFits() {
  NumberEdit edit(6);
  edit.setValue(-5);
  QCOMPARE(edit.text(), QString("0"));
  edit.setValue(1234567);
  QCOMPARE(edit.text(), QString("999999"));
  edit.setMaxDigits(3);
  QCOMPARE(edit.text(), QString("999"));
  QCOMPARE(edit.maxLength(), 3);
}

void NumberEditTest::reportsEveryChange() {
  NumberEdit edit(6);
  QSignalSpy spy(&edit, &NumberEdit::valueChanged);
  QTest::keyClicks(&edit, "50");
  QCOMPARE(spy.count(), 2);
  QCOMPARE(spy.at(1).at(0).toInt(), 50);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QCOMPARE(spy.last().at(0).toInt(), 0);
}

void NumberEditTest::refusesImpossibleWidths() {
  QVERIFY_THROWS_EXCEPTION(codes::LogicError, NumberEdit(0));
  QVERIFY_THROWS_EXCEPTION(codes::LogicError, NumberEdit(10));
}
