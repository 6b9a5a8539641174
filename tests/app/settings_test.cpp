#include "app/settings.h"

#include <gtest/gtest.h>

#include <map>

#include "app/settings_companion_lookup.h"
#include "codes/cp932.h"
#include "support/temp_dir.h"

namespace app {
namespace {

using codes::Sj;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

const platform::LocalTime kNow{2024, 5, 18, 9, 5, 7};

class SettingsTest : public ::testing::Test {
 protected:
  TempDir dir;
  Settings settings{dir.path() / "Quorvane.ini"};
};

TEST_F(SettingsTest, NoFileGivesEveryReadersOwnDefault) {
  EXPECT_EQ(settings.LastTimeText(kNow), "2024/05/11 09:05:07");
  EXPECT_EQ(settings.FirstForDayLoad(), "0915");
  EXPECT_EQ(settings.FirstForSettingsDialog(), "0945");
  EXPECT_EQ(settings.FirstForTimeSeries(), "0700");
  EXPECT_EQ(settings.AutoRdataGet(), 10);
  EXPECT_EQ(settings.AutoOzGet(), 10);
  EXPECT_EQ(settings.HenkoGetInterval(), 5);
  EXPECT_EQ(settings.DefaultAmount(), 3000);
  EXPECT_EQ(settings.HaibunSet(), 0);
  EXPECT_EQ(settings.KaimeOption(), 1);
  EXPECT_EQ(settings.VelkTohyo2(), "");
  EXPECT_EQ(settings.VelkTohyo2Or("/prog"), "/prog");
  EXPECT_EQ(settings.VelkTohyo(), "");
  EXPECT_EQ(settings.Jikeiretu(), "");
  EXPECT_EQ(settings.JikeiretuOr("/prog"), "/prog");
  EXPECT_EQ(settings.MainWindowPlacement(), (WindowPlacement{10, 10, 800, 600}));
  EXPECT_EQ(settings.SettingsDialogPosition(), (WindowPlacement{10, 100, 0, 0}));
  EXPECT_EQ(settings.SimWindowPlacement(), (WindowPlacement{10, 50, 1000, 700}));
  EXPECT_FALSE(std::filesystem::exists(settings.File()));
}

TEST_F(SettingsTest, EveryReadSeesTheFileAsItIsNow) {
  settings.SetDefaultAmount(5000);
  EXPECT_EQ(settings.DefaultAmount(), 5000);
  WriteFileBytes(settings.File(), "[KaimeSet]\r\nDefaultAmount=1200\r\n");
  EXPECT_EQ(settings.DefaultAmount(), 1200);
  Settings other(settings.File());
  other.SetKaimeOption(2);
  EXPECT_EQ(settings.KaimeOption(), 2);
}

TEST_F(SettingsTest, AStakeBelow100IsStoredAs100) {
  settings.SetDefaultAmount(50);
  EXPECT_EQ(settings.DefaultAmount(), 100);
}

TEST_F(SettingsTest, FirstIsWrittenAsFourDigitsAndReadQuotedOrBracketed) {
  settings.SetFirst(9, 5);
  EXPECT_EQ(ReadFileBytes(settings.File()), "[Time]\r\nFirst=0905\r\n");
  WriteFileBytes(settings.File(), Sj("[Time]\r\nFirst=｢0930｣\r\n"));
  EXPECT_EQ(settings.FirstForDayLoad(), "0930");
  WriteFileBytes(settings.File(), "[Time]\r\nFirst=\"0930\"\r\n");
  EXPECT_EQ(settings.FirstForSettingsDialog(), "0930");
}

TEST_F(SettingsTest, LastTimeRoundTripsAndAnUnreadableOneCountsAsTheDefault) {
  settings.SetLastTime({2024, 5, 1, 18, 30, 0});
  EXPECT_EQ(settings.LastTime(kNow), (platform::LocalTime{2024, 5, 1, 18, 30, 0}));
  WriteFileBytes(settings.File(), "[JvDataGet]\r\nLastTime=yesterday\r\n");
  EXPECT_EQ(settings.LastTimeText(kNow), "yesterday");
  EXPECT_EQ(settings.LastTime(kNow), (platform::LocalTime{2024, 5, 11, 9, 5, 7}));
}

TEST_F(SettingsTest, PlacementsAreWrittenAndReadBack) {
  settings.SetMainWindowPlacement({20, 30, 1024, 768});
  settings.SetSettingsDialogPosition(40, 50);
  settings.SetSimWindowPlacement({1, 2, 3, 4});
  EXPECT_EQ(settings.MainWindowPlacement(), (WindowPlacement{20, 30, 1024, 768}));
  EXPECT_EQ(settings.SettingsDialogPosition(), (WindowPlacement{40, 50, 0, 0}));
  EXPECT_EQ(settings.SimWindowPlacement(), (WindowPlacement{1, 2, 3, 4}));
}

TEST_F(SettingsTest, AnUnparseableNumberGivesTheDefault) {
  WriteFileBytes(settings.File(), "[Time]\r\nAutoRdataGet=ten\r\n[Henko]\r\nGetInterval=0\r\n");
  EXPECT_EQ(settings.AutoRdataGet(), 10);
  EXPECT_EQ(settings.HenkoGetInterval(), 0);
}

// A locator that knows some install folders and counts its look-ups.
class FakeLocator : public platform::CompanionLocator {
 public:
  std::string InstallFolder(const std::string& key) const override {
    ++lookups;
    auto it = folders.find(key);
    return it == folders.end() ? std::string() : it->second;
  }
  std::map<std::string, std::string> folders;
  mutable int lookups = 0;
};

const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

TEST_F(SettingsTest, FoundCompanionFoldersAreWrittenOnceAndNotLookedUpAgain) {
  FakeLocator locator;
  locator.folders[Sj(kUninstall + "Velk投票プラグイン２_is1")] = " /opt/velk2 ";
  locator.folders[Sj(kUninstall + "Tessaly_is1")] = "/opt/ts";
  LookUpCompanionFolders(settings, locator);
  EXPECT_EQ(locator.lookups, 3);
  EXPECT_EQ(settings.VelkTohyo2(), "/opt/velk2");
  EXPECT_EQ(settings.VelkTohyo(), "");
  EXPECT_EQ(settings.Jikeiretu(), "/opt/ts/Data");

  locator.lookups = 0;
  LookUpCompanionFolders(settings, locator);
  EXPECT_EQ(locator.lookups, 1);  // only the one still empty
}

TEST_F(SettingsTest, ThisPlatformFindsNoCompanionAndWritesNothing) {
  LookUpCompanionFolders(settings, platform::NoCompanionLocator());
  EXPECT_FALSE(std::filesystem::exists(settings.File()));
}

TEST_F(SettingsTest, ABlankFolderCountsAsNotSet) {
  WriteFileBytes(settings.File(), "[Dir]\r\nVelkTohyo=\"  \"\r\n");
  FakeLocator locator;
  locator.folders[Sj(kUninstall + "Velk投票プラグイン_is1")] = "/opt/velk";
  LookUpCompanionFolders(settings, locator);
  EXPECT_EQ(settings.VelkTohyo(), "/opt/velk");
}

}  // namespace
}  // namespace app
