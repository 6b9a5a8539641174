// The host's side: nothing reaches the control before an accepted Hello, and a JVRead
// answer carries the control's results in order, ending exactly where the control
// leaves off (all read, still downloading, an error) or at its caps.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "jvlink/host_server.h"

namespace jvlink {
namespace {

// A control that gives scripted JVRead results and counts every call.
class ScriptedJVLink : public JVLink {
 public:
  explicit ScriptedJVLink(std::deque<int> reads = {}) : reads_(std::move(reads)) {}
  int JVInit(const std::string&) override { return ++calls, 0; }
  int JVSetUIProperties() override { return ++calls, 0; }
  int JVOpen(const std::string&, const std::string&, int, int& readcount, int& downloadcount,
             std::string& stamp) override {
    ++calls;
    readcount = 3;
    downloadcount = 2;
    stamp = "20240517120000";
    return 0;
  }
  int JVStatus() override { return ++calls, 1; }
  int JVRead(std::string& buff, int, std::string& filename) override {
    ++calls;
    const int result = reads_.empty() ? 0 : reads_.front();
    if (!reads_.empty()) reads_.pop_front();
    buff = result > 0 ? std::string(static_cast<std::size_t>(result), 'r') : "stale";
    filename = "F.jvd";
    return result;
  }
  int JVRTOpen(const std::string&, const std::string&) override { return ++calls, 0; }
  int JVCancel() override { return ++calls, 0; }
  int JVClose() override { return ++calls, 0; }
  int calls = 0;

 private:
  std::deque<int> reads_;
};

std::string Hello(const std::string& token, int version = kHostProtocolVersion) {
  return FrameWriter(FrameCode::kHello).Int(version).Bytes(token).Body();
}

std::string ReadRequest(int most) { return FrameWriter(FrameCode::kRead).Int(100000).Int(most).Body(); }

std::vector<int> Results(const std::string& answer, int most) {
  std::vector<int> results;
  for (const ReadEntry& entry : DecodeReadAnswer(answer, most)) results.push_back(entry.result);
  return results;
}

TEST(HostServer, RefusesAWrongTokenAndCallsNothing) {
  ScriptedJVLink jv;
  HostServer server(jv, {"secret", true});
  bool refuse = false;
  const std::string body = server.Answer(Hello("guess"), refuse);
  FrameReader answer(body);
  EXPECT_TRUE(refuse);
  EXPECT_EQ(answer.Int(), -1);
  EXPECT_EQ(jv.calls, 0);
  EXPECT_EQ(server.LastProblem(), "wrong token");
}

TEST(HostServer, RefusesAnOperationBeforeHello) {
  ScriptedJVLink jv;
  HostServer server(jv);
  bool refuse = false;
  const std::string body = server.Answer(FrameWriter(FrameCode::kStatus).Body(), refuse);
  FrameReader answer(body);
  EXPECT_TRUE(refuse);
  EXPECT_EQ(answer.Code(), 0x84);
  EXPECT_EQ(answer.Int(), -1);
  EXPECT_EQ(jv.calls, 0);
}

TEST(HostServer, RefusesAnotherProtocolVersion) {
  ScriptedJVLink jv;
  HostServer server(jv);
  bool refuse = false;
  server.Answer(Hello("", 2), refuse);
  EXPECT_TRUE(refuse);
}

TEST(HostServer, AnswersJVOpenWithItsOutValues) {
  ScriptedJVLink jv;
  HostServer server(jv, {"secret", true});
  bool refuse = false;
  server.Answer(Hello("secret"), refuse);
  ASSERT_FALSE(refuse);
  const std::string body = server.Answer(
      FrameWriter(FrameCode::kOpen).Bytes("RACE").Bytes("20240501000000").Int(1).Body(), refuse);
  FrameReader answer(body);
  EXPECT_EQ(answer.Code(), 0x83);
  EXPECT_EQ(answer.Int(), 0);
  EXPECT_EQ(answer.Int(), 3);
  EXPECT_EQ(answer.Int(), 2);
  EXPECT_EQ(answer.Bytes(), "20240517120000");
  EXPECT_NO_THROW(answer.End());
}

TEST(HostServer, MalformedRequestsAreProtocolErrors) {
  ScriptedJVLink jv;
  HostServer server(jv);
  bool refuse = false;
  server.Answer(Hello(""), refuse);
  EXPECT_THROW(server.Answer(std::string(1, '\x09'), refuse), ProtocolError);
  EXPECT_THROW(server.Answer(FrameWriter(FrameCode::kInit).Body(), refuse), ProtocolError);
  EXPECT_THROW(server.Answer(FrameWriter(FrameCode::kClose).Int(1).Body(), refuse), ProtocolError);
  EXPECT_THROW(server.Answer(ReadRequest(0), refuse), ProtocolError);
  EXPECT_EQ(jv.calls, 0);
}

// clang-format off
struct BatchCase {
  const char* name;
  std::deque<int> control;     // what JVRead gives, in order
  int most;                    // the request's limit
  int cap_records;             // the host's own cap
  std::vector<int> expected;   // the answer's entries
};

const BatchCase kBatches[] = {
  {"EndsAfterAllRead",           {10, -1, 12, 0, 9},   50, 4096, {10, -1, 12, 0}},
  {"EndsAtStillDownloading",     {10, -3, 12},         50, 4096, {10, -3}},
  {"EndsAtAnError",              {10, -1, -503, 9},    50, 4096, {10, -1, -503}},
  {"KeepsGoingOverFileSwitches", {-1, -1, -1, 5, 0},   50, 4096, {-1, -1, -1, 5, 0}},
  {"StopsAtTheRequestsLimit",    {10, 11, 12, 13},      2, 4096, {10, 11}},
  {"StopsAtTheHostsCap",         {10, 11, 12, 13},     50,    3, {10, 11, 12}},
  {"SetupCancelledEndsNothing",  {-2, 7, 0},           50, 4096, {-2, 7, 0}},
  {"OneAtATimeWhenAskedForOne",  {10, 11},              1, 4096, {10}},
};
// clang-format on

class HostServerBatch : public ::testing::TestWithParam<BatchCase> {};

TEST_P(HostServerBatch, CarriesTheControlsResultsUpToTheEndOfABatch) {
  const BatchCase& c = GetParam();
  ScriptedJVLink jv(c.control);
  HostServerOptions options;
  options.max_batch_records = c.cap_records;
  HostServer server(jv, options);
  bool refuse = false;
  server.Answer(Hello(""), refuse);
  EXPECT_EQ(Results(server.Answer(ReadRequest(c.most), refuse), c.most), c.expected);
}

INSTANTIATE_TEST_SUITE_P(ReadAhead, HostServerBatch, ::testing::ValuesIn(kBatches),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostServer, StopsABatchAtAMebibyteOfRecords) {
  ScriptedJVLink jv(std::deque<int>(40, 100000));
  HostServer server(jv);
  bool refuse = false;
  server.Answer(Hello(""), refuse);
  EXPECT_EQ(Results(server.Answer(ReadRequest(100), refuse), 100).size(), 11u);
}

TEST(HostServer, SendsNoRecordBytesWithAResultThatIsNoRecord) {
  ScriptedJVLink jv({-1, 0});
  HostServer server(jv);
  bool refuse = false;
  server.Answer(Hello(""), refuse);
  for (const ReadEntry& entry : DecodeReadAnswer(server.Answer(ReadRequest(5), refuse), 5)) {
    EXPECT_EQ(entry.record, "");
  }
}

}  // namespace
}  // namespace jvlink
