#pragma once

#include <QObject>

// One Qt Test class per dialog; dialogs_test_main.cpp runs them all.
class OzGetTimeFormTest : public QObject {
  Q_OBJECT
 private slots:
  void opensWithTheDefaults();
  void okWritesTheSettings();
  void cancelWritesNothing();
  void outOfRangeIsRefused_data();
  void outOfRangeIsRefused();
  void keepsItsPosition();
  void anUnwritableFileKeepsTheDialogOpen();
};

class GetDataFormTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void cleanupTestCase();
  void pullsTheFeedAndRebuildsTheDateList();
  void failureMidwayKeepsWhatWasRead();
  void cancelDuringTheReadLoop();
  void closingDuringTheReadLoopClosesAfterIt();
  void closingDuringTheDownloadCancelsIt();
  void jvLinkSettingsFailureIsShown();
  void nothingNewer();
  void screenshot();
};

class SmallDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void versionBoxShowsTheVersion();
  void manualMissingIsReported();
  void manualOpensWithTheViewer();
  void viewerThatDoesNotStartIsReported();
  void manualIsFoundInTheFirstFolderThatHoldsIt_data();
  void manualIsFoundInTheFirstFolderThatHoldsIt();
  void manualOfAnInstalledProgram_data();
  void manualOfAnInstalledProgram();
  void folderChoiceWritesOnOkOnly_data();
  void folderChoiceWritesOnOkOnly();
  void settingsScreenshot();
};
