// JV-Link through a host program, against the feed-folder test host: the same results
// as the feed folder gives directly, and every way a host can fail ends the operation
// in time with a result the program explains and a log line naming the host.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/settings.h"
#include "feed_test_support.h"
#include "jvlink/hosted_jv_link.h"
#include "jvlink/stored_pull.h"
#include "store/record_store.h"
#include "support/recording_prompts.h"
#include "support/temp_dir.h"

namespace jvlink {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char* kNow = "2024/05/18 10:30:00";

// A feed of three stored files of a few records each.
void WriteFeed(FeedFixture& feed) {
  for (int file = 1; file <= 3; ++file) {
    std::vector<std::string> records;
    for (int race = 1; race <= 4; ++race) {
      records.push_back(SmallRecord("RA", "2024051" + std::to_string(file) + "0501010" + std::to_string(race)));
    }
    feed.Stored("2024051" + std::to_string(file) + "120000_RA.jvd", records);
  }
}

HostEndpoint TestHost(const FeedFixture& feed, std::vector<std::string> switches = {}) {
  HostEndpoint endpoint;
  endpoint.argv = {QUORVANE_TESTHOST, "--feed", feed.feed().string()};
  endpoint.argv.insert(endpoint.argv.end(), switches.begin(), switches.end());
  endpoint.environment = {{"QUORVANE_NOW", kNow}};
  return endpoint;
}

struct Watch {
  std::vector<std::string> log;
  int hook_calls = 0;
};

HostedOptions Options(HostEndpoint endpoint, Watch& run, std::chrono::milliseconds limit = 5s) {
  HostedOptions options;
  options.endpoint = std::move(endpoint);
  options.answer_limit = limit;
  options.start_limit = limit;
  options.read_ahead = 5;
  options.log = [&run](const std::string& line) { run.log.push_back(line); };
  options.while_waiting = [&run] { ++run.hook_calls; };
  return options;
}

// Everything a stored read gives, with -3 met by calling again: records with their
// file names, and other results as "#code".
std::vector<std::string> OpenAndReadAll(JVLink& jv) {
  int reads = 0, downloads = 0;
  std::string stamp;
  std::vector<std::string> events{
      "#open" + std::to_string(jv.JVOpen("RACE", "20240501000000", 1, reads, downloads, stamp)),
      std::to_string(reads) + "/" + std::to_string(downloads) + "/" + stamp};
  std::string buff, name;
  for (int i = 0; i < 200; ++i) {
    const int r = jv.JVRead(buff, 100000, name);
    events.push_back(r > 0 ? buff + "@" + name : "#" + std::to_string(r));
    if (r == 0 || r <= -4) break;
  }
  events.push_back("#close" + std::to_string(jv.JVClose()));
  return events;
}

TEST(HostedJVLink, GivesWhatTheFeedFolderGivesIncludingSwitchesAndDownloads) {
  FeedFixture feed;
  WriteFeed(feed);
  const std::vector<std::string> direct = OpenAndReadAll(feed.Link(FeedOptions{2}));
  Watch run;
  HostedJVLink hosted(Options(TestHost(feed, {"--ticks-per-file", "2"}), run));
  ASSERT_EQ(hosted.JVInit(FeedFixture::kSid), 0);
  EXPECT_EQ(OpenAndReadAll(hosted), direct);
  EXPECT_NE(std::find(direct.begin(), direct.end(), "#-3"), direct.end());
  EXPECT_NE(std::find(direct.begin(), direct.end(), "#-1"), direct.end());
  EXPECT_TRUE(run.log.empty());
}

// clang-format off
struct Fault {
  const char* name;
  std::vector<std::string> switches;  // of the test host; "missing" runs no host at all
  const char* operation;              // what fails: "open", "status", "read"
  int result;
  const char* logged;                 // part of the log line
};

const Fault kFaults[] = {
  {"HostProgramMissing", {"missing"},                        "open",   -401, "cannot start"},
  {"HelloNeverAnswered", {"--hang-on", "Hello"},             "open",   -401, "no answer in time"},
  {"OpenNeverAnswered",  {"--hang-on", "JVOpen"},            "open",   -401, "no answer in time"},
  {"GarbageForOpen",     {"--garbage-on", "JVOpen"},         "open",   -401, "protocol error"},
  {"GarbageForStatus",   {"--garbage-on", "JVStatus"},       "status", -502, "protocol error"},
  {"ReadNeverAnswered",  {"--hang-on", "JVRead"},            "read",   -502, "no answer in time"},
  {"GarbageForRead",     {"--garbage-on", "JVRead"},         "read",   -502, "protocol error"},
  {"HostDiesWhileReading", {"--exit-after-records", "2"},    "read",   -502, "closed the connection"},
};
// clang-format on

class HostedJVLinkFault : public ::testing::TestWithParam<Fault> {};

TEST_P(HostedJVLinkFault, EndsTheOperationInTimeWithAnExplainedResult) {
  const Fault& fault = GetParam();
  FeedFixture feed;
  WriteFeed(feed);
  HostEndpoint endpoint = TestHost(feed, fault.switches);
  if (fault.switches == std::vector<std::string>{"missing"}) endpoint.argv = {"/nonexistent/jvlink-host"};
  Watch run;
  HostedJVLink hosted(Options(endpoint, run, 400ms));
  const auto start = Clock::now();
  hosted.JVInit(FeedFixture::kSid);
  int result = 0;
  int reads = 0, downloads = 0;
  std::string stamp, buff, name;
  const std::string op = fault.operation;
  if (op == "open") {
    result = hosted.JVOpen("RACE", "20240501000000", 1, reads, downloads, stamp);
  } else {
    ASSERT_EQ(hosted.JVOpen("RACE", "20240501000000", 1, reads, downloads, stamp), 0);
    if (op == "status") {
      result = hosted.JVStatus();
    } else {
      for (int i = 0; i < 50 && (result = hosted.JVRead(buff, 100000, name)) > -4; ++i) {
      }
    }
  }
  EXPECT_EQ(result, fault.result);
  EXPECT_LT(Clock::now() - start, 3s);
  ASSERT_FALSE(run.log.empty());
  EXPECT_NE(run.log.back().find(fault.logged), std::string::npos) << run.log.back();
  EXPECT_NE(run.log.back().find(endpoint.argv[0]), std::string::npos) << run.log.back();
  EXPECT_FALSE(hosted.Connected());
  // Nothing is left open: closing a host that is gone succeeds.
  EXPECT_EQ(hosted.JVClose(), 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, HostedJVLinkFault, ::testing::ValuesIn(kFaults),
                         [](const auto& info) { return std::string(info.param.name); });

// The host leaves between two requests: the next request meets a closed pipe. That
// must end the operation, not the program (no SIGPIPE).
TEST(HostedJVLink, AHostGoneBetweenRequestsFailsTheNextOneAndNothingElse) {
  FeedFixture feed;
  WriteFeed(feed);
  Watch run;
  HostedJVLink hosted(Options(TestHost(feed, {"--exit-after-answering", "JVOpen"}), run));
  hosted.JVInit(FeedFixture::kSid);
  int reads = 0, downloads = 0;
  std::string stamp, buff, name;
  ASSERT_EQ(hosted.JVOpen("RACE", "20240501000000", 1, reads, downloads, stamp), 0);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(hosted.JVStatus(), -502);
  ASSERT_EQ(run.log.size(), 1u);
  EXPECT_NE(run.log[0].find("the host is gone"), std::string::npos) << run.log[0];
}

// Real-time data through the host: the announcements of a race, as the feed gives them.
TEST(HostedJVLink, RealTimeOddsComeThroughAsTheFeedFolderGivesThem) {
  FeedFixture feed;
  const std::string key = "2024051805020111";
  for (const char* at : {"05180900", "05180930", "05181000"}) {
    feed.Realtime("0B30/" + key + "/" + at + ".jvd", {SmallRecord("O1", key), SmallRecord("O2", key)});
  }
  auto read_all = [](JVLink& jv, const std::string& k) {
    std::vector<std::string> events{"#open" + std::to_string(jv.JVRTOpen("0B30", k))};
    std::string buff, name;
    for (int i = 0; i < 50; ++i) {
      const int r = jv.JVRead(buff, 100000, name);
      events.push_back(r > 0 ? buff + "@" + name : "#" + std::to_string(r));
      if (r == 0 || r <= -4) break;
    }
    events.push_back("#close" + std::to_string(jv.JVClose()));
    return events;
  };
  const std::vector<std::string> direct = read_all(feed.Link(), key);
  ASSERT_GT(direct.size(), 4u);
  Watch run;
  HostedJVLink hosted(Options(TestHost(feed), run));
  ASSERT_EQ(hosted.JVInit(FeedFixture::kSid), 0);
  EXPECT_EQ(read_all(hosted, key), direct);
  EXPECT_EQ(hosted.JVRTOpen("0B30", "2024051805020199"), feed.Link().JVRTOpen("0B30", "2024051805020199"));
  EXPECT_TRUE(run.log.empty());
}

TEST(HostedJVLink, WindowMessagesRunWhileAnAnswerIsAwaited) {
  FeedFixture feed;
  WriteFeed(feed);
  Watch run;
  HostedJVLink hosted(Options(TestHost(feed, {"--hang-on", "JVStatus"}), run, 500ms));
  hosted.JVInit(FeedFixture::kSid);
  int reads = 0, downloads = 0;
  std::string stamp;
  ASSERT_EQ(hosted.JVOpen("RACE", "20240501000000", 1, reads, downloads, stamp), 0);
  EXPECT_EQ(hosted.JVStatus(), -502);
  EXPECT_GE(run.hook_calls, 10);  // about every 20 ms of the 500
}

TEST(HostedJVLink, StartsTheHostAnewAfterAFailureAndRepeatsJVInit) {
  FeedFixture feed;
  WriteFeed(feed);
  Watch run;
  HostedJVLink hosted(Options(TestHost(feed, {"--exit-after-records", "6"}), run));
  ASSERT_EQ(hosted.JVInit(FeedFixture::kSid), 0);
  std::vector<std::string> first = OpenAndReadAll(hosted);
  EXPECT_EQ(first.at(first.size() - 2), "#-502");
  EXPECT_EQ(first.back(), "#close0");
  // The new host has seen JVInit: its open succeeds rather than giving -201.
  int reads = 0, downloads = 0;
  std::string stamp;
  EXPECT_EQ(hosted.JVOpen("RACE", "20240501000000", 1, reads, downloads, stamp), 0);
  EXPECT_EQ(reads, 3);
}

// The cancel button pressed while a JVRead waits for its answer.
TEST(HostedJVLink, CallsFromInsideAWaitAreHeldBackUntilTheAnswerIsIn) {
  FeedFixture feed;
  WriteFeed(feed);
  Watch run;
  HostedOptions options = Options(TestHost(feed, {"--slow-ms", "100"}), run);
  HostedJVLink* link = nullptr;
  std::vector<int> inside;
  options.while_waiting = [&] {
    if (link == nullptr || !inside.empty()) return;
    std::string buff, name;
    inside = {link->JVCancel(), link->JVRead(buff, 100000, name), link->JVStatus(), link->JVClose()};
  };
  HostedJVLink hosted(std::move(options));
  ASSERT_EQ(hosted.JVInit(FeedFixture::kSid), 0);
  int reads = 0, downloads = 0;
  std::string stamp, buff, name;
  ASSERT_EQ(hosted.JVOpen("RACE", "20240501000000", 1, reads, downloads, stamp), 0);
  link = &hosted;
  inside.clear();
  // The read in flight gives its own first result (its file is still downloading).
  EXPECT_EQ(hosted.JVRead(buff, 100000, name), -3);
  EXPECT_EQ(inside, (std::vector<int>{0, -202, 0, 0}));
  link = nullptr;
  // The close held back reached the host: the stream is closed, a new one opens.
  EXPECT_EQ(hosted.JVRead(buff, 100000, name), -203);
  EXPECT_EQ(hosted.JVOpen("RACE", "20240501000000", 1, reads, downloads, stamp), 0);
  EXPECT_TRUE(run.log.empty());
}

TEST(HostedJVLink, CancellingAStoredPullDuringItsDownloadLeavesTheHostReady) {
  FeedFixture feed;
  WriteFeed(feed);
  testsupport::TempDir home;
  store::RecordStore store(home.path(), feed.clock());
  store.PrepareFolders();
  app::Settings settings(home.path() / "Quorvane.ini");
  testsupport::RecordingPrompts prompts;
  Watch run;
  HostedJVLink hosted(Options(TestHost(feed, {"--ticks-per-file", "20"}), run));
  ASSERT_EQ(hosted.JVInit(FeedFixture::kSid), 0);
  StoredPull pull(hosted, prompts, settings, feed.clock(), store);
  pull.SetStartMoment({2024, 5, 1, 0, 0, 0});
  pull.Start();
  ASSERT_EQ(pull.phase(), StoredPull::Phase::kDownloading);
  pull.Poll();
  prompts.ScriptAnswers({true});
  pull.Cancel();
  EXPECT_EQ(pull.outcome(), StoredPull::Outcome::kCancelled);
  EXPECT_EQ(pull.phase(), StoredPull::Phase::kIdle);

  pull.Start();
  for (int i = 0; i < 1000 && pull.PollTimerRunning(); ++i) pull.Poll();
  EXPECT_EQ(pull.outcome(), StoredPull::Outcome::kCompleted);
  EXPECT_TRUE(run.log.empty());
}

// A host over TCP, started with a token; `client_token` is what the program sends.
class TcpHost {
 public:
  TcpHost(const FeedFixture& feed, const testsupport::TempDir& dir) {
    port_ = 20000 + static_cast<int>(::getpid() % 20000);
    const std::string token_file = (dir.path() / "token").string();
    testsupport::WriteFileBytes(token_file, "s3cret\r\n");
    const std::string command = "QUORVANE_NOW='" + std::string(kNow) + "' exec " + QUORVANE_TESTHOST +
                                " --feed '" + feed.feed().string() + "' --listen 127.0.0.1:" +
                                std::to_string(port_) + " --token-file '" + token_file + "'";
    pipe_ = ::popen(("echo $$; " + command).c_str(), "r");
    char line[64] = {};
    if (std::fgets(line, sizeof line, pipe_)) pid_ = std::atoi(line);
    ready_ = std::fgets(line, sizeof line, pipe_) != nullptr;
  }
  ~TcpHost() {
    if (pid_ > 0) ::kill(pid_, SIGTERM);
    ::pclose(pipe_);
  }
  bool ready() const { return ready_; }
  HostEndpoint Endpoint(const std::string& token) const {
    HostEndpoint endpoint;
    endpoint.kind = HostEndpoint::Kind::kTcp;
    endpoint.address = "127.0.0.1:" + std::to_string(port_);
    endpoint.token = token;
    return endpoint;
  }

 private:
  FILE* pipe_ = nullptr;
  int pid_ = 0;
  int port_ = 0;
  bool ready_ = false;
};

TEST(HostedJVLink, OverTcpAWrongTokenIsRefusedAndTheRightOneReads) {
  FeedFixture feed;
  WriteFeed(feed);
  testsupport::TempDir dir;
  TcpHost host(feed, dir);
  ASSERT_TRUE(host.ready());
  const std::vector<std::string> direct = OpenAndReadAll(feed.Link());

  Watch refused;
  HostedJVLink wrong(Options(host.Endpoint("guess"), refused));
  int reads = 0, downloads = 0;
  std::string stamp;
  EXPECT_EQ(wrong.JVOpen("RACE", "20240501000000", 1, reads, downloads, stamp), -401);
  EXPECT_EQ(reads, 0);
  ASSERT_EQ(refused.log.size(), 1u);
  EXPECT_NE(refused.log[0].find("refused"), std::string::npos) << refused.log[0];
  EXPECT_NE(refused.log[0].find("tcp 127.0.0.1:"), std::string::npos) << refused.log[0];

  Watch run;
  HostedJVLink right(Options(host.Endpoint("s3cret"), run));
  ASSERT_EQ(right.JVInit(FeedFixture::kSid), 0);
  EXPECT_EQ(OpenAndReadAll(right), direct);
  EXPECT_TRUE(run.log.empty());
}

}  // namespace
}  // namespace jvlink
