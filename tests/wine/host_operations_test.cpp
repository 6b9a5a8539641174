#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/hosted_jv_link.h"
#include "platform/clock.h"
#include "support/temp_dir.h"
#include "wine_rig.h"

namespace {

namespace fs = std::filesystem;
using testsupport::RunCli;

const std::string kSid = "QV000001/QV000002/Quorvane/Version.1.13";
const std::string kFrom = "20240401000000";

// A week of sample feed for the stand-in; the stored files must be downloaded first.
class HostOperationsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared_ = new testsupport::TempDir;
    setenv("QUORVANE_NOW", "2024/05/20 09:00:00", 1);
    ASSERT_EQ(RunCli(*shared_, "feed --out '" + Feed().string() + "' --from 20240511 --days 7")
                  .status, 0);
  }
  static void TearDownTestSuite() {
    delete shared_;
    shared_ = nullptr;
  }
  void SetUp() override {
    setenv("QUORVANE_NOW", "2024/05/20 09:00:00", 1);
    testsupport::UseStandinPrefix(Feed());
  }
  void TearDown() override { unsetenv("QUORVANE_STANDIN_TICKS"); }
  static fs::path Feed() { return shared_->path() / "feed"; }

  static testsupport::TempDir* shared_;
  testsupport::TempDir dir_;
};

testsupport::TempDir* HostOperationsTest::shared_ = nullptr;

// The download is slow (three steps a file); JVCancel in the middle of it ends the
// stream, and the next open offers again what was not downloaded.
TEST_F(HostOperationsTest, CancelStopsADownloadAndTheNextOpenGoesOn) {
  setenv("QUORVANE_STANDIN_TICKS", "3", 1);
  jvlink::HostedJVLink link(testsupport::WineHostOptions());
  ASSERT_EQ(link.JVInit(kSid), 0);
  int readcount = 0, downloadcount = 0;
  std::string stamp;
  ASSERT_EQ(link.JVOpen("RACE", kFrom, 1, readcount, downloadcount, stamp), 0);
  ASSERT_GT(downloadcount, 3);
  EXPECT_EQ(readcount, downloadcount);
  int status = 0;
  for (int tick = 0; tick < 6; ++tick) status = link.JVStatus();
  EXPECT_EQ(status, 2);
  EXPECT_EQ(link.JVCancel(), 0);
  std::string record, filename;
  EXPECT_EQ(link.JVRead(record, 100000, filename), -203);  // no stream after the cancel
  EXPECT_EQ(link.JVClose(), 0);

  int again = 0;
  ASSERT_EQ(link.JVOpen("RACE", kFrom, 1, readcount, again, stamp), 0);
  EXPECT_EQ(again, downloadcount - 2);  // the two finished files stay downloaded
  EXPECT_EQ(link.JVClose(), 0);
}

// The host reads the next records ahead while the program files a batch; a close in
// the middle of the stream drops them, and the next stream starts at its own beginning.
TEST_F(HostOperationsTest, ACloseMidStreamDropsWhatTheHostReadAhead) {
  jvlink::HostedJVLink link(testsupport::WineHostOptions());
  ASSERT_EQ(link.JVInit(kSid), 0);
  std::string first_record;
  for (int pass = 0; pass < 2; ++pass) {
    int readcount = 0, downloadcount = 0;
    std::string stamp;
    ASSERT_EQ(link.JVOpen("RACE", kFrom, 1, readcount, downloadcount, stamp), 0);
    for (int status = 0; status < downloadcount;) status = link.JVStatus();
    std::string record, filename;
    int records = 0;
    while (records < 1500) {
      const int result = link.JVRead(record, 100000, filename);
      ASSERT_GE(result, -1) << "pass " << pass << " after " << records << " records";
      ASSERT_NE(result, 0) << "the week has more than 1500 records";
      if (result > 0 && records++ == 0) {
        if (pass == 0) first_record = record;
        EXPECT_EQ(record, first_record) << "pass " << pass;
      }
    }
    EXPECT_EQ(link.JVClose(), 0);
  }
}

// Real-time data through the host: a day's results open and read to their end.
TEST_F(HostOperationsTest, RealtimeOpenReadsADayToItsEnd) {
  jvlink::HostedJVLink link(testsupport::WineHostOptions());
  ASSERT_EQ(link.JVInit(kSid), 0);
  EXPECT_EQ(link.JVRTOpen("0B12", "2024051"), -114);  // a key of seven digits
  ASSERT_EQ(link.JVRTOpen("0B12", "20240512"), 0);
  std::string record, filename;
  int records = 0, result = 0;
  while ((result = link.JVRead(record, 60000, filename)) != 0) {
    ASSERT_GE(result, -1) << "after " << records << " records";
    if (result > 0) {
      ++records;
      EXPECT_EQ(static_cast<int>(record.size()), result);
      EXPECT_EQ(record.substr(record.size() - 2), "\r\n");
    }
  }
  EXPECT_GT(records, 0);
  EXPECT_EQ(link.JVClose(), 0);
}

// Over TCP the host serves only a client with the token of its token file; the one with
// a wrong token gets nothing, and the host goes on serving the next.
TEST_F(HostOperationsTest, TcpRefusesAWrongTokenAndServesTheRightOne) {
  testsupport::WriteFileBytes(dir_.path() / "token", "s3cret-token\r\n");
  testsupport::ListeningHost host(dir_.path() / "token", dir_.path() / "host.log");
  ASSERT_TRUE(host.Started()) << testsupport::ReadFileBytes(dir_.path() / "host.log");

  struct Case {
    const char* token;
    bool served;
  };
  for (const Case& c : {Case{"wrong-token", false}, Case{"", false}, Case{"s3cret-token", true}}) {
    jvlink::HostedOptions options;
    options.endpoint.kind = jvlink::HostEndpoint::Kind::kTcp;
    options.endpoint.address = host.Address();
    options.endpoint.token = c.token;
    options.answer_limit = std::chrono::seconds(30);
    jvlink::HostedJVLink link(std::move(options));
    int readcount = 0, downloadcount = 0;
    std::string stamp;
    EXPECT_EQ(link.JVInit(kSid) == 0, c.served) << c.token;
    EXPECT_EQ(link.JVOpen("RACE", kFrom, 1, readcount, downloadcount, stamp) == 0, c.served)
        << c.token;
    EXPECT_EQ(readcount > 0, c.served) << c.token;
  }
  EXPECT_NE(testsupport::ReadFileBytes(dir_.path() / "host.log").find("client refused"),
            std::string::npos);
}

// The host's command line: mistakes end it with status 2 and a reason, --check names
// the control's operations.
TEST_F(HostOperationsTest, CommandLineMistakesAreRefusedAndCheckFindsTheControl) {
  struct Case {
    std::string words;
    int status;
    const char* said;
  };
  const std::string token = (dir_.path() / "token").string();
  testsupport::WriteFileBytes(token, "t\n");
  testsupport::WriteFileBytes(dir_.path() / "empty", "");
  const std::vector<Case> cases = {
      {"--check", 0, "the control JVDTLab.JVLink is ready"},
      {"--listen 127.0.0.1:0", 2, "--listen needs --token-file"},
      {"--listen 127.0.0.1:99999 --token-file '" + token + "'", 2, "port from 0 to 65535"},
      {"--token-file '" + token + "'", 2, "--token-file is for --listen only"},
      {"--listen 0 --token-file '" + (dir_.path() / "empty").string() + "'", 2, "holds no token"},
      {"--listen 0 --token-file '" + (dir_.path() / "none").string() + "'", 2,
       "cannot read the token file"},
      {"--frobnicate", 2, "unknown or incomplete argument"},
      {"--read-all RACE", 2, "unknown or incomplete argument"},
  };
  for (const Case& c : cases) {
    const fs::path log = dir_.path() / "log";
    const std::string command = std::string("wine ") + QUORVANE_HOST_EXE + " " + c.words +
                                " </dev/null >'" + log.string() + "' 2>&1";
    const int raw = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, c.status) << c.words;
    EXPECT_NE(testsupport::ReadFileBytes(log).find(c.said), std::string::npos)
        << c.words << ": " << testsupport::ReadFileBytes(log);
  }
}

// --read-all reads the stream through the control alone: the records and bytes the
// feed folder gives for the same open, and says so.
TEST_F(HostOperationsTest, ReadAllReadsThroughTheControlWhatTheFeedFolderGives) {
  platform::LocalTime now;
  ASSERT_TRUE(platform::ParseLocalTime("2024/05/20 09:00:00", now));
  platform::FixedClock clock(now);
  jvlink::FeedJVLink direct(Feed(), clock);
  ASSERT_EQ(direct.JVInit(kSid), 0);
  int readcount = 0, downloadcount = 0;
  std::string stamp, buff, filename;
  ASSERT_EQ(direct.JVOpen("RACE", kFrom, 1, readcount, downloadcount, stamp), 0);
  for (int status = 0; status >= 0 && status < downloadcount;) status = direct.JVStatus();
  long long records = 0, bytes = 0;
  for (int result; (result = direct.JVRead(buff, 100000, filename)) != 0;) {
    ASSERT_GE(result, -1);
    if (result > 0) ++records, bytes += result;
  }
  ASSERT_GT(records, 0);

  const fs::path log = dir_.path() / "log";
  const std::string command = std::string("wine ") + QUORVANE_HOST_EXE + " --read-all RACE " +
                              kFrom + " </dev/null >'" + log.string() + "' 2>&1";
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 0);
  const std::string said = "read " + std::to_string(records) + " records (" +
                           std::to_string(bytes) + " bytes) of " + std::to_string(readcount) +
                           " files in ";
  EXPECT_NE(testsupport::ReadFileBytes(log).find(said), std::string::npos)
      << said << "\n" << testsupport::ReadFileBytes(log);
}

}  // namespace
