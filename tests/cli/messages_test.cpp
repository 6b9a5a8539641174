#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "cli_run.h"
#include "support/temp_dir.h"

namespace {

using ::testing::HasSubstr;
using testsupport::CliRun;
using testsupport::RunCli;

enum class Home { kMissing, kEmpty };

struct MessageCase {
  const char* label;
  Home home;
  const char* words;
  int status;
  const char* err;  // a part of standard error, %h standing for the program folder
};

// The case as test names and messages show it.
[[maybe_unused]] void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.label; }

// clang-format off
const MessageCase kMessages[] = {
  {"days_on_missing_home",  Home::kMissing, "days", 2,
   "quorvane-cli days: the program folder %h does not exist.\n"
   "Give --home the folder that holds Data/ and Quorvane.ini, or fill a new one: "
   "quorvane-cli --home %h pull --feed FEED\n"},
  {"day_on_missing_home",   Home::kMissing, "day --day latest", 2, "%h does not exist"},
  {"race_on_missing_home",  Home::kMissing, "race --day latest --slot 0", 2, "%h does not exist"},
  {"vote_on_missing_home",  Home::kMissing, "vote --day latest --slot 0 --type UR", 2,
   "%h does not exist"},
  {"pull_without_feed",     Home::kMissing, "pull", 1,
   "JRA-VANのホームページより【JV-Link】を入手し、インストールしてください。 (%h/feed)\n"
   "No feed folder at %h/feed. Give the feed with --feed FEED, or write a sample one there: "
   "quorvane-cli feed --out %h/feed --from 20240401 --days 60\n"},
  {"days_of_empty_store",   Home::kEmpty, "days", 0,
   "No race day is stored in %h/Data yet.\n"
   "Fill it with the data pull: quorvane-cli --home %h pull --final-odds --feed FEED\n"
   "(a sample feed to try it on: quorvane-cli feed --out FEED --from 20240401 --days 60)\n"},
  {"day_of_empty_store",    Home::kEmpty, "day --day 20240518", 1,
   "No race day is stored in %h/Data yet.\nFill it with the data pull"},
  {"latest_of_empty_store", Home::kEmpty, "race --day latest --slot 0", 1,
   "No race day is stored in %h/Data yet."},
};
// clang-format on

std::string WithHome(std::string text, const std::string& home) {
  for (size_t at = text.find("%h"); at != std::string::npos; at = text.find("%h", at)) {
    text.replace(at, 2, home);
    at += home.size();
  }
  return text;
}

class MessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(MessageTest, SaysWhatToDo) {
  const MessageCase& c = GetParam();
  testsupport::TempDir dir;
  const std::filesystem::path home = dir.path() / "home";
  if (c.home == Home::kEmpty) std::filesystem::create_directories(home);
  CliRun run = RunCli(dir, c.words);
  EXPECT_EQ(run.status, c.status) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, HasSubstr(WithHome(c.err, home.string())));
  // A command refused for its folder leaves no folder behind.
  if (c.home == Home::kMissing) {
    EXPECT_FALSE(std::filesystem::exists(home)) << c.words;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryMessage, MessageTest, ::testing::ValuesIn(kMessages),
                         [](const auto& info) { return std::string(info.param.label); });

// feed writes elsewhere and pull fills a new folder: both may be given one that is not there.
TEST(MessageTest, FeedAndPullMayStartOnANewFolder) {
  testsupport::TempDir dir;
  CliRun feed = RunCli(dir, "feed --out '" + dir.str() + "/feed' --from 20240518 --days 1");
  ASSERT_EQ(feed.status, 0) << feed.err;
  CliRun pull =
      RunCli(dir, "pull --final-odds --from '2024/05/01 00:00:00' --feed '" + dir.str() + "/feed'");
  EXPECT_EQ(pull.status, 0) << pull.err;
  EXPECT_EQ(RunCli(dir, "days").out, "2024年05月18日\n");
}

}  // namespace
