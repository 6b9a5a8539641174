#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "cli_run.h"
#include "codes/cp932.h"
#include "support/temp_dir.h"
#include "wine_rig.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CliRun;
using testsupport::RunCli;

const std::string kDay = "2024年05月18日";

// The sample feed's "today", 2024-05-18, pulled in its morning into two program folders:
// one runs the race day over the feed folder, the other through the host and the
// stand-in, whose clock runs as fast as the program's.
TEST(HostLiveTest, ARaceDayThroughTheHostLeavesTheFilesOfOneOverTheFeedFolder) {
  testsupport::TempDir shared, direct, hosted;
  const fs::path feed = shared.path() / "feed";
  setenv("QUORVANE_NOW", "2024/05/18 08:20:00", 1);
  ASSERT_EQ(RunCli(shared, "feed --out '" + feed.string() + "' --from 20240518 --days 1 --today")
                .status, 0);
  const std::string feed_option = " --feed '" + feed.string() + "'";
  for (const testsupport::TempDir* home : {&direct, &hosted}) {
    CliRun pull = RunCli(*home, "pull --from '2024/05/01 00:00:00'" + feed_option);
    ASSERT_EQ(pull.status, 0) << pull.err;
  }

  setenv("QUORVANE_NOW", "2024/05/18 08:25:00", 1);
  CliRun over_feed = RunCli(direct, "live --at 08:25:00 --speed 6000" + feed_option);
  ASSERT_EQ(over_feed.status, 0) << over_feed.err;

  testsupport::UseStandinPrefix(feed);
  setenv("QUORVANE_NOW_SINCE", std::to_string(std::time(nullptr)).c_str(), 1);
  setenv("QUORVANE_SPEED", "600", 1);
  CliRun through_host = RunCli(hosted, "live --at 08:25:00 --speed 600 --jvlink host");
  unsetenv("QUORVANE_NOW_SINCE");
  unsetenv("QUORVANE_SPEED");
  ASSERT_EQ(through_host.status, 0) << through_host.err;
  EXPECT_NE(through_host.err.find("18:00:00 終了しました\n"), std::string::npos)
      << through_host.err;

  const auto mine = testsupport::FilesUnder(hosted.path() / "home" / "Data");
  const auto reference = testsupport::FilesUnder(direct.path() / "home" / "Data");
  EXPECT_TRUE(mine.contains(kDay + ".jvO6a"));
  ASSERT_EQ(mine.size(), reference.size());
  for (const auto& [name, bytes] : reference) {
    auto it = mine.find(name);
    ASSERT_NE(it, mine.end()) << name;
    EXPECT_TRUE(it->second == bytes) << name;
  }
  const std::string log = testsupport::ReadFileBytes(hosted.path() / "home" / "ErrorLog.txt");
  EXPECT_EQ(log.find(codes::Sj("【エラー】")), std::string::npos) << codes::SjisToUtf8(log);
}

}  // namespace
