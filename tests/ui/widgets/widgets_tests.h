#pragma once

#include <QObject>

// One Qt Test class per widget; widgets_test_main.cpp runs them all.
class NumberEditTest : public QObject {
  Q_OBJECT
 private slots:
  void typing_data();
  void typing();
  void pastingTextIsRefused();
  void setValueKeepsToWhatFits();
  void reportsEveryChange();
  void refusesImpossibleWidths();
};

class Label3DTest : public QObject {
  Q_OBJECT
 private slots:
  void raisedIsLightAboveAndDarkBelow();
  void loweredIsDarkAboveAndLightBelow();
  void flatHasNoEdge();
};

class FlatButtonTest : public QObject {
  Q_OBJECT
 private slots:
  void clickIsReported();
  void hintReachesTheStatusLine();
};

class FolderPickerTest : public QObject {
  Q_OBJECT
 private slots:
  void preselectsAnExistingFolder();
  void missingFolderLeavesOkDisabled();
  void aFileCannotBeChosen();
  void chooseGivesTheFolderOnOkAndNothingOnCancel();
};

class ScreenPromptsTest : public QObject {
  Q_OBJECT
 private slots:
  void boundLabelsAndBarsShowTheCoreTexts();
  void unboundNamesAndMessagesGoOn();
};
