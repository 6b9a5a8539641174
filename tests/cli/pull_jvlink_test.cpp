// `pull --jvlink host` as a user runs it, with the feed-folder test host as the host:
// the same Data/ as a pull over the feed folder, and a host that dies or is missing
// stops the pull with a clear message, keeping what was read for the next pull.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "cli_run.h"
#include "codes/cp932.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CliRun;
using testsupport::RunCli;
using testsupport::TempDir;

const std::string kFrom = " --final-odds --from '2024/03/01 00:00:00'";

std::map<std::string, std::string> DataFiles(const TempDir& dir) {
  std::map<std::string, std::string> files;
  const fs::path data = dir.path() / "home" / "Data";
  if (!fs::exists(data)) return files;
  for (const auto& e : fs::directory_iterator(data)) {
    files[e.path().filename().string()] = testsupport::ReadFileBytes(e.path());
  }
  return files;
}

// The Data/ of a pull over the sample feed's folder, made once.
class PullJVLinkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    reference_ = new TempDir;
    fs::create_directories(reference_->path() / "home");
    CliRun feed = RunCli(*reference_, "feed --out '" + Feed() + "' --from 20240401 --days 14");
    ASSERT_EQ(feed.status, 0) << feed.err;
    CliRun pull = RunCli(*reference_, "pull --feed '" + Feed() + "'" + kFrom);
    ASSERT_EQ(pull.status, 0) << pull.err;
    whole_ = new std::map<std::string, std::string>(DataFiles(*reference_));
  }
  static void TearDownTestSuite() {
    delete reference_;
    delete whole_;
  }
  static std::string Feed() { return (reference_->path() / "feed").string(); }

  PullJVLinkTest() { fs::create_directories(home_.path() / "home"); }

  void UseHost(const std::string& command) {
    testsupport::WriteFileBytes(home_.path() / "home" / "Quorvane.ini",
                                "[JVLink]\r\nSource=host\r\nHostCommand=" + command + "\r\n");
  }
  static std::string TestHost(const std::string& switches = "") {
    return std::string(QUORVANE_TESTHOST) + " --feed \"" + Feed() + "\"" + switches;
  }
  std::string ErrorLog() const {
    return codes::SjisToUtf8Lenient(testsupport::ReadFileBytes(home_.path() / "home" / "ErrorLog.txt"));
  }

  static TempDir* reference_;
  static std::map<std::string, std::string>* whole_;
  TempDir home_;
};

TempDir* PullJVLinkTest::reference_ = nullptr;
std::map<std::string, std::string>* PullJVLinkTest::whole_ = nullptr;

TEST_F(PullJVLinkTest, ThroughTheHostLeavesTheSameDataAsTheFeedFolder) {
  ASSERT_GT(whole_->size(), 20u);
  UseHost(TestHost());
  CliRun pull = RunCli(home_, "pull" + kFrom);
  ASSERT_EQ(pull.status, 0) << pull.err;
  EXPECT_EQ(DataFiles(home_), *whole_);
}

TEST_F(PullJVLinkTest, TheOptionChoosesTheHostOverTheSettingForOneRun) {
  testsupport::WriteFileBytes(home_.path() / "home" / "Quorvane.ini",
                              "[JVLink]\r\nSource=feed\r\nHostCommand=" + TestHost() + "\r\n");
  // No feed/ folder in DIR: only the host can serve this pull.
  CliRun pull = RunCli(home_, "pull --jvlink host" + kFrom);
  ASSERT_EQ(pull.status, 0) << pull.err;
  EXPECT_EQ(DataFiles(home_), *whole_);
}

TEST_F(PullJVLinkTest, AHostKilledMidReadStopsThePullAndTheNextPullCompletesIt) {
  UseHost(TestHost(" --exit-after-records 4000"));
  CliRun broken = RunCli(home_, "pull" + kFrom);
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("JVReadエラー:ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)"),
            std::string::npos)
      << broken.err;
  EXPECT_NE(broken.err.find("the host closed the connection"), std::string::npos) << broken.err;
  EXPECT_NE(ErrorLog().find("JV-Linkホストの障害：JV-Link host " + std::string(QUORVANE_TESTHOST)),
            std::string::npos)
      << ErrorLog();
  // What was read before is on disk, and it is less than the whole.
  const std::map<std::string, std::string> part = DataFiles(home_);
  EXPECT_FALSE(part.empty());
  EXPECT_NE(part, *whole_);

  UseHost(TestHost());
  CliRun again = RunCli(home_, "pull" + kFrom);
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(DataFiles(home_), *whole_);
}

// clang-format off
struct Unreachable {
  const char* name;
  std::string settings;  // the [JVLink] lines
  std::string words;
  const char* message;   // on standard error
};

const Unreachable kUnreachable[] = {
  {"HostProgramMissing", "Source=host\r\nHostCommand=/nonexistent/quorvane-jvlink-host.exe\r\n", "pull",
   "cannot start /nonexistent/quorvane-jvlink-host.exe"},
  {"NothingListening", "Source=tcp\r\nAddress=127.0.0.1:1\r\n", "pull", "cannot connect to 127.0.0.1:1"},
  {"TcpWithoutAddress", "Source=tcp\r\n", "pull", "Source=tcp needs Address=host:port"},
  {"TokenFileMissing", "Source=tcp\r\nAddress=127.0.0.1:1\r\nTokenFile=/nonexistent/token\r\n", "pull",
   "the token file /nonexistent/token cannot be read"},
  {"UnknownSource", "", "pull --jvlink com", "--jvlink takes feed, host or tcp, not \"com\""},
  {"FeedMissing", "", "pull --jvlink feed", "No feed folder at"},
};
// clang-format on

class PullJVLinkUnreachable : public PullJVLinkTest, public ::testing::WithParamInterface<Unreachable> {};

TEST_P(PullJVLinkUnreachable, EndsWithAMessageAndPullsNothing) {
  testsupport::WriteFileBytes(home_.path() / "home" / "Quorvane.ini", "[JVLink]\r\n" + GetParam().settings);
  CliRun pull = RunCli(home_, GetParam().words + kFrom);
  EXPECT_NE(pull.status, 0);
  EXPECT_NE(pull.err.find(GetParam().message), std::string::npos) << pull.err;
  EXPECT_TRUE(DataFiles(home_).empty() || DataFiles(home_).size() == 0);
}

INSTANTIATE_TEST_SUITE_P(Sources, PullJVLinkUnreachable, ::testing::ValuesIn(kUnreachable),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
