#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli_run.h"
#include "support/temp_dir.h"
#include "wine_rig.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CliRun;
using testsupport::RunCli;

const char kNow[] = "2024/05/20 09:00:00";
const std::string kFrom = " --from '2024/04/01 00:00:00'";

// Four weeks of sample feed and its stored pull straight from the feed folder, made once.
class HostPullTest : public ::testing::TestWithParam<const char*> {
 protected:
  static void SetUpTestSuite() {
    shared_ = new testsupport::TempDir;
    setenv("QUORVANE_NOW", kNow, 1);
    CliRun feed = RunCli(*shared_, "feed --out '" + Feed().string() + "' --from 20240420 --days 28");
    ASSERT_EQ(feed.status, 0) << feed.err;
    CliRun pull = RunCli(*shared_, "pull" + kFrom + " --feed '" + Feed().string() + "'");
    ASSERT_EQ(pull.status, 0) << pull.err;
  }
  static void TearDownTestSuite() {
    delete shared_;
    shared_ = nullptr;
    unsetenv("QUORVANE_STANDIN_WITHOUT");
  }
  void SetUp() override {
    setenv("QUORVANE_NOW", kNow, 1);
    testsupport::UseStandinPrefix(Feed());
  }
  static fs::path Feed() { return shared_->path() / "feed"; }
  static fs::path ReferenceData() { return shared_->path() / "home" / "Data"; }

  static testsupport::TempDir* shared_;
  testsupport::TempDir home_;
};

testsupport::TempDir* HostPullTest::shared_ = nullptr;

// The records come through JVGets as bytes, or through JVRead as text when the control
// has no JVGets; either way the store gets the feed's bytes.
TEST_P(HostPullTest, LeavesTheStoreByteIdenticalToAPullFromTheFeedFolder) {
  setenv("QUORVANE_STANDIN_WITHOUT", GetParam(), 1);
  CliRun pull = RunCli(home_, "pull --jvlink host" + kFrom);
  ASSERT_EQ(pull.status, 0) << pull.err;
  EXPECT_NE(pull.err.find("データ作成が完了しました。"), std::string::npos) << pull.err;
  const auto mine = testsupport::FilesUnder(home_.path() / "home" / "Data");
  const auto reference = testsupport::FilesUnder(ReferenceData());
  ASSERT_FALSE(reference.empty());
  ASSERT_EQ(mine.size(), reference.size());
  for (const auto& [name, bytes] : reference) {
    auto it = mine.find(name);
    ASSERT_NE(it, mine.end()) << name;
    EXPECT_TRUE(it->second == bytes) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(ReadBy, HostPullTest, ::testing::Values("", "JVGets"),
                         [](const auto& info) {
                           return std::string(info.param).empty() ? "JVGets" : "JVRead";
                         });

// A stand-in whose feed folder is gone answers JVOpen with an error: the pull says so
// and stores nothing, and never reports a finished pull.
TEST_F(HostPullTest, AControlWithoutDataFailsThePullVisibly) {
  setenv("QUORVANE_STANDIN_FEED", (home_.path() / "no-feed").c_str(), 1);
  CliRun pull = RunCli(home_, "pull --jvlink host" + kFrom);
  EXPECT_NE(pull.status, 0) << pull.err;
  EXPECT_EQ(pull.err.find("データ作成が完了しました。"), std::string::npos) << pull.err;
  EXPECT_FALSE(fs::exists(home_.path() / "home" / "Data") &&
               !fs::is_empty(home_.path() / "home" / "Data"));
}

}  // namespace
