#include "jvlink/feed_jv_link.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "codes/errors.h"
#include "feed_test_support.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

namespace jvlink {
namespace {

using Events = std::vector<std::string>;

const std::string kKey1 = "2024051805010101";
const std::string kKey2 = "2024051805010102";

// ---- JVInit ------------------------------------------------------------------------------

struct SidCase {
  std::string sid;
  int expected;
};

class JVInitSid : public ::testing::TestWithParam<SidCase> {};

TEST_P(JVInitSid, ChecksTheSid) {
  FeedFixture f;
  FeedJVLink link(f.feed(), f.clock());
  EXPECT_EQ(link.JVInit(GetParam().sid), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sids, JVInitSid, ::testing::Values(
  SidCase{"", -101},
  SidCase{std::string(64, 'A'), -102},
  SidCase{std::string(63, 'A'), 0},
  SidCase{" ABCD/EFGH/Quorvane/Version.1.13", -103},
  SidCase{std::string(" ") + std::string(70, 'A'), -102},
  SidCase{FeedFixture::kSid, 0}
),
    [](const auto& info) {
      return testsupport::CaseName(info.index, info.param.sid.substr(0, 12), info.param.sid.size());
    });
// clang-format on

TEST(FeedJVLinkWithoutInit, RefusesEveryStreamOperation) {
  FeedFixture f;
  f.Stored("20240518090000_RA20240518.jvd", {SmallRecord("RA", kKey1)});
  FeedJVLink link(f.feed(), f.clock());
  int reads = -9, downloads = -9;
  std::string last = "x", buff, name;
  EXPECT_EQ(link.JVOpen("RACE", "20240101000000", 1, reads, downloads, last), -201);
  EXPECT_EQ(link.JVRTOpen("0B12", "20240518"), -201);
  EXPECT_EQ(link.JVStatus(), -201);
  EXPECT_EQ(link.JVRead(buff, 100000, name), -201);
  EXPECT_EQ(link.JVInit(""), -101);
  EXPECT_EQ(link.JVOpen("RACE", "20240101000000", 1, reads, downloads, last), -201)
      << "a failed JVInit leaves JV-Link uninitialised";
  EXPECT_EQ(link.JVClose(), 0);
}

// ---- JVOpen ------------------------------------------------------------------------------

struct OpenCase {
  const char* dataspec;
  const char* fromtime;
  int option;
  int expected;
};

class JVOpenArguments : public ::testing::TestWithParam<OpenCase> {};

TEST_P(JVOpenArguments, AreChecked) {
  FeedFixture f;
  f.Stored("20240518090000_RA20240518.jvd", {SmallRecord("RA", kKey1)});
  FeedJVLink& link = f.Link();
  int reads = -9, downloads = -9;
  std::string last = "x";
  const OpenCase& c = GetParam();
  EXPECT_EQ(link.JVOpen(c.dataspec, c.fromtime, c.option, reads, downloads, last), c.expected);
  if (c.expected != 0) {
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(downloads, 0);
    EXPECT_EQ(last, "");
    // Nothing was opened, so the next open is not refused as a second one.
    EXPECT_EQ(link.JVOpen("RACE", "20240101000000", 1, reads, downloads, last), 0);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Codes, JVOpenArguments, ::testing::Values(
  OpenCase{"RACE", "20240101000000", 1, 0},
  OpenCase{"RACE", "20240518090000", 1, -1},     // nothing newer (the stamp must be greater)
  OpenCase{"RACE", "20240518085959", 1, 0},
  OpenCase{"race", "20240101000000", 1, -111},
  OpenCase{"0B30", "20240101000000", 1, -111},
  OpenCase{"", "20240101000000", 1, -111},
  OpenCase{"RACE", "2024010100000", 1, -112},    // 13 digits
  OpenCase{"RACE", "202401010000000", 1, -112},  // 15 digits
  OpenCase{"RACE", "2024010100000a", 1, -112},
  OpenCase{"RACE", "20240230000000", 1, -112},   // 30 February
  OpenCase{"RACE", "20240101240000", 1, -112},   // hour 24
  OpenCase{"RACE", "", 1, -112},
  OpenCase{"RACE", "20240101000000", 0, -115},
  OpenCase{"RACE", "20240101000000", 5, -115},
  OpenCase{"RACE", "20240101000000", 2, -116},
  OpenCase{"RACE", "20240101000000", 4, -116}
),
    testsupport::CaseNameOf(&OpenCase::dataspec, &OpenCase::fromtime, &OpenCase::option));
// clang-format on

TEST(FeedJVLinkOpen, OffersTheFilesNewerThanFromtimeAndNotAfterNow) {
  FeedFixture f;  // now: 2024/05/18 10:30:00
  f.Stored("20240511180000_RA20240511.jvd", {SmallRecord("RA", "2024051105010101")});
  f.Stored("20240512180000_HR20240512.jvd", {SmallRecord("HR", "2024051205010101")});
  f.Stored("20240518103000_RA20240518.jvd", {SmallRecord("RA", kKey1)});
  f.Stored("20240518103001_SE20240518.jvd", {SmallRecord("SE", kKey1)});  // after now
  f.Stored("readme.txt", {"not JV-Link's\r\n"});
  f.Stored("2024051218000_X.jvd", {"13 digits\r\n"});
  f.Stored("20240512180000_O1.txt", {"not .jvd\r\n"});
  FeedJVLink& link = f.Link();
  int reads = 0, downloads = 0;
  std::string last;
  ASSERT_EQ(link.JVOpen("RACE", "20240511180000", 1, reads, downloads, last), 0);
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(downloads, 2);
  EXPECT_EQ(last, "20240518103000");
  ASSERT_TRUE(f.DownloadAll(2));
  EXPECT_EQ(f.ReadAll(), (Events{SmallRecord("HR", "2024051205010101"), "#-1",
                                 SmallRecord("RA", kKey1), "#-1", "#0"}));
  EXPECT_EQ(link.JVClose(), 0);

  f.clock().Advance(1);  // the SE file is out now
  ASSERT_EQ(link.JVOpen("RACE", "20240518103000", 1, reads, downloads, last), 0);
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(last, "20240518103001");
}

TEST(FeedJVLinkOpen, GivesMinusOneWhenNothingIsNewerOrNothingIsStored) {
  FeedFixture f;
  FeedJVLink& link = f.Link();
  int reads = 7, downloads = 7;
  std::string last = "x";
  EXPECT_EQ(link.JVOpen("RACE", "20240101000000", 1, reads, downloads, last), -1);
  EXPECT_EQ(reads, 0);
  std::filesystem::remove_all(f.feed() / "stored");
  EXPECT_EQ(link.JVOpen("RACE", "20240101000000", 1, reads, downloads, last), -1);
}

// ---- JVRead and JVStatus -----------------------------------------------------------------

TEST(FeedJVLinkRead, DeliversWholeRecordsWithFileSwitchesAndTheEnd) {
  FeedFixture f;
  const std::string ra = SmallRecord("RA", kKey1), se1 = SmallRecord("SE", kKey1),
                    se2 = SmallRecord("SE", kKey2), hr = SmallRecord("HR", kKey1);
  f.Stored("20240517180000_RA20240518.jvd", {ra});
  f.Stored("20240517180100_SE20240518.jvd", {se1, se2});
  f.Stored("20240517180200_EMPTY.jvd", {});
  f.Stored("20240518100000_HR20240518.jvd", {hr});
  FeedJVLink& link = f.Link();
  int reads = 0, downloads = 0;
  std::string last;
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  ASSERT_EQ(reads, 4);
  ASSERT_TRUE(f.DownloadAll(4));

  std::string buff, name;
  EXPECT_EQ(link.JVRead(buff, 100000, name), 40);
  EXPECT_EQ(buff, ra);
  EXPECT_EQ(name, "20240517180000_RA20240518.jvd");
  EXPECT_EQ(f.ReadAll(), (Events{"#-1", se1, se2, "#-1", "#-1", hr, "#-1", "#0"}));
  EXPECT_EQ(link.JVRead(buff, 100000, name), 0) << "the end stays the end";
}

TEST(FeedJVLinkRead, DeliversMalformedRecordsAsTheyAre) {
  FeedFixture f;
  const std::string good = SmallRecord("RA", kKey1);
  const std::string short_record = "RA1short\r\n";
  const std::string cut_off = "SE1" + kKey1 + " no line end";
  f.Stored("20240517180000_RA20240518.jvd", {good, short_record, "\r\n", cut_off});
  int reads = 0, downloads = 0;
  std::string last;
  FeedJVLink& link = f.Link();
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  ASSERT_TRUE(f.DownloadAll(1));
  EXPECT_EQ(f.ReadAll(), (Events{good, short_record, "\r\n", cut_off, "#-1", "#0"}));
}

TEST(FeedJVLinkRead, CutsARecordToTheBufferSize) {
  FeedFixture f;
  f.Stored("20240517180000_RA20240518.jvd", {SmallRecord("RA", kKey1)});
  FeedJVLink& link = f.Link();
  int reads = 0, downloads = 0;
  std::string last, buff, name;
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  ASSERT_TRUE(f.DownloadAll(1));
  EXPECT_EQ(link.JVRead(buff, 30, name), 30);
  EXPECT_EQ(buff, SmallRecord("RA", kKey1).substr(0, 30));
}

TEST(FeedJVLinkStatus, AdvancesOneFileEveryTicksPerFileCallsUpToTheDownloadCount) {
  FeedFixture f;
  for (const char* name : {"20240517180000_A.jvd", "20240517180100_B.jvd", "20240517180200_C.jvd"}) {
    f.Stored(name, {SmallRecord("RA", kKey1)});
  }
  FeedJVLink& link = f.Link(FeedOptions{2});
  EXPECT_EQ(link.JVStatus(), -203) << "no stream open";
  int reads = 0, downloads = 0;
  std::string last;
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  ASSERT_EQ(downloads, 3);
  std::vector<int> progress;
  for (int i = 0; i < 8; ++i) progress.push_back(link.JVStatus());
  EXPECT_EQ(progress, (std::vector<int>{0, 1, 1, 2, 2, 3, 3, 3}));
}

TEST(FeedJVLinkRead, GivesMinusThreeWhileTheNextFileIsStillDownloading) {
  FeedFixture f;
  const std::string ra = SmallRecord("RA", kKey1), se = SmallRecord("SE", kKey1);
  f.Stored("20240517180000_RA.jvd", {ra});
  f.Stored("20240517180100_SE.jvd", {se});
  FeedJVLink& link = f.Link(FeedOptions{2});
  int reads = 0, downloads = 0;
  std::string last;
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  // Waiting in JVRead lets the download go on, so the loop ends without JVStatus.
  EXPECT_EQ(f.ReadAll(), (Events{"#-3", "#-3", ra, "#-1", "#-3", "#-3", se, "#-1", "#0"}));
  EXPECT_EQ(link.JVStatus(), 2);
}

TEST(FeedJVLinkStatus, CountsOnlyFilesNotYetInTheLocalCache) {
  FeedFixture f;
  f.Stored("20240517180000_RA.jvd", {SmallRecord("RA", kKey1)});
  f.Stored("20240517180100_SE.jvd", {SmallRecord("SE", kKey1)});
  FeedJVLink& link = f.Link();
  int reads = 0, downloads = 0;
  std::string last;
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  ASSERT_TRUE(f.DownloadAll(2));
  ASSERT_EQ(link.JVClose(), 0);

  f.Stored("20240518100000_HR.jvd", {SmallRecord("HR", kKey1)});
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  EXPECT_EQ(reads, 3);
  EXPECT_EQ(downloads, 1);
  // The cached files are read at once; only the new one waits for its download.
  EXPECT_EQ(f.ReadAll(), (Events{SmallRecord("RA", kKey1), "#-1", SmallRecord("SE", kKey1),
                                 "#-1", "#-3", SmallRecord("HR", kKey1), "#-1", "#0"}));
  ASSERT_EQ(link.JVClose(), 0);

  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  EXPECT_EQ(downloads, 0);
  EXPECT_EQ(link.JVStatus(), 0);
}

// ---- One stream at a time, cancel and close ------------------------------------------------

TEST(FeedJVLinkStream, RefusesASecondOpenUntilClosed) {
  FeedFixture f;
  f.Stored("20240517180000_RA.jvd", {SmallRecord("RA", kKey1)});
  f.Realtime("0B12/20240518/1005_" + kKey1 + ".jvd", {SmallRecord("HR", kKey1)});
  FeedJVLink& link = f.Link();
  int reads = 0, downloads = 0;
  std::string last, buff, name;
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  EXPECT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), -202);
  EXPECT_EQ(link.JVRTOpen("0B12", "20240518"), -202);
  ASSERT_EQ(link.JVClose(), 0);
  EXPECT_EQ(link.JVRead(buff, 100000, name), -203) << "closed by someone else";

  ASSERT_EQ(link.JVRTOpen("0B12", "20240518"), 0);
  EXPECT_EQ(link.JVRTOpen("0B30", kKey1), -202);
  EXPECT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), -202);
  EXPECT_EQ(link.JVStatus(), -203) << "a real-time stream has no download";
  EXPECT_EQ(link.JVClose(), 0);
  EXPECT_EQ(link.JVClose(), 0) << "closing twice is harmless";
  EXPECT_EQ(link.JVRTOpen("0B12", "20240518"), 0);
}

TEST(FeedJVLinkStream, CancelStopsTheDownloadAndEndsTheStream) {
  FeedFixture f;
  f.Stored("20240517180000_RA.jvd", {SmallRecord("RA", kKey1)});
  f.Stored("20240517180100_SE.jvd", {SmallRecord("SE", kKey1)});
  FeedJVLink& link = f.Link();
  int reads = 0, downloads = 0;
  std::string last, buff, name;
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  ASSERT_EQ(link.JVStatus(), 1);
  EXPECT_EQ(link.JVCancel(), 0);
  EXPECT_EQ(link.JVRead(buff, 100000, name), -203);
  EXPECT_EQ(link.JVStatus(), -203);
  EXPECT_EQ(link.JVClose(), 0);
  // The file downloaded before the cancel stays in the cache.
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  EXPECT_EQ(downloads, 1);
}

// ---- A missing or broken feed -------------------------------------------------------------

TEST(FeedJVLinkInstall, CountsAsInstalledOnlyWhereTheFeedFolderExists) {
  testsupport::TempDir dir;
  EXPECT_TRUE(FeedJVLink::IsInstalled(dir.path()));
  EXPECT_FALSE(FeedJVLink::IsInstalled(dir.path() / "feed"));
  testsupport::WriteFileBytes(dir.path() / "file", "x");
  EXPECT_FALSE(FeedJVLink::IsInstalled(dir.path() / "file"));
}

TEST(FeedJVLinkInstall, ReportsAnInternalErrorWhenTheFeedFolderIsGone) {
  testsupport::TempDir dir;
  platform::FixedClock clock(platform::LocalTime{2024, 5, 18, 10, 30, 0});
  FeedJVLink link(dir.path() / "feed", clock);
  ASSERT_EQ(link.JVInit(FeedFixture::kSid), 0);
  int reads = 0, downloads = 0;
  std::string last;
  EXPECT_EQ(link.JVOpen("RACE", "20240101000000", 1, reads, downloads, last), -401);
  EXPECT_EQ(link.JVRTOpen("0B12", "20240518"), -401);
  EXPECT_EQ(link.JVClose(), 0);
}

TEST(FeedJVLinkRead, GivesMinusFiveOhThreeWhenAnOfferedFileVanished) {
  FeedFixture f;
  f.Stored("20240517180000_RA.jvd", {SmallRecord("RA", kKey1)});
  f.Stored("20240517180100_SE.jvd", {SmallRecord("SE", kKey1)});
  FeedJVLink& link = f.Link();
  int reads = 0, downloads = 0;
  std::string last;
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  ASSERT_TRUE(f.DownloadAll(2));
  std::filesystem::remove(f.feed() / "stored" / "20240517180100_SE.jvd");
  EXPECT_EQ(f.ReadAll(), (Events{SmallRecord("RA", kKey1), "#-1", "#-503"}));
}

// ---- Failure injection --------------------------------------------------------------------

TEST(FeedJVLinkFailures, FailNextFailsOneCallAndLeavesTheStreamWhereItWas) {
  FeedFixture f;
  const std::string ra = SmallRecord("RA", kKey1);
  f.Stored("20240517180000_RA.jvd", {ra});
  FeedJVLink& link = f.Link();
  int reads = 0, downloads = 0;
  std::string last;
  link.FailNext("JVOpen", -504);
  EXPECT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), -504);
  ASSERT_EQ(link.JVOpen("RACE", "20240517000000", 1, reads, downloads, last), 0);
  link.FailNext("JVStatus", -502);
  EXPECT_EQ(link.JVStatus(), -502);
  EXPECT_EQ(link.JVStatus(), 1);
  link.FailNext("JVRead", -402);
  EXPECT_EQ(f.ReadAll(), (Events{"#-402"}));
  EXPECT_EQ(f.ReadAll(), (Events{ra, "#-1", "#0"}));
  link.FailNext("JVClose", -1);
  EXPECT_EQ(link.JVClose(), -1);
  EXPECT_EQ(link.JVClose(), 0);
}

TEST(FeedJVLinkFailures, FailAlwaysHoldsUntilCleared) {
  FeedFixture f;
  FeedJVLink& link = f.Link();
  link.FailAlways("JVRTOpen", -421);
  link.FailAlways("JVSetUIProperties", -100);
  link.FailNext("JVInit", -103);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(link.JVRTOpen("0B12", "20240518"), -421);
  EXPECT_EQ(link.JVSetUIProperties(), -100);
  EXPECT_EQ(link.JVInit(FeedFixture::kSid), -103);
  link.ClearFailures();
  EXPECT_EQ(link.JVSetUIProperties(), 0);
  EXPECT_EQ(link.JVRTOpen("0B12", "20240518"), -1);
}

TEST(FeedJVLinkFailures, RejectsAnOperationNameThatDoesNotExist) {
  FeedFixture f;
  FeedJVLink& link = f.Link();
  EXPECT_THROW(link.FailNext("JVReed", -502), codes::LogicError);
  EXPECT_THROW(link.FailAlways("JVGets", -502), codes::LogicError);
}

}  // namespace
}  // namespace jvlink
