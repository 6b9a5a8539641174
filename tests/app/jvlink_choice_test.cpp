// The [JVLink] section: which JV-Link the window and the CLI make, and the host command
// and Wine prefix it is started with.
#include "app/jvlink_choice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// clang-format off
struct ChoiceCase {
  const char* name;
  std::string section;  // lines of [JVLink]
  JVLinkSource source;
  std::string host_command;
  int timeout;
};

const ChoiceCase kChoices[] = {
  {"NoSectionIsTheFeed",        "",                                         JVLinkSource::kFeed, "", 120},
  {"HostInAnyCase",             "Source=HOST\r\n",                          JVLinkSource::kHost, "", 120},
  {"Tcp",                       "Source=tcp\r\nAddress=10.0.0.2:7000\r\n",  JVLinkSource::kTcp,  "", 120},
  {"UnknownSourceIsTheFeed",    "Source=com\r\n",                           JVLinkSource::kFeed, "", 120},
  {"QuotedCommandKeepsBlanks",  "Source=host\r\nHostCommand=\"wine /a b/h.exe\"\r\n", JVLinkSource::kHost, "wine /a b/h.exe", 120},
  {"Timeout",                   "Timeout=15\r\n",                           JVLinkSource::kFeed, "", 15},
  {"TimeoutZeroIsTheDefault",   "Timeout=0\r\n",                            JVLinkSource::kFeed, "", 120},
  {"TimeoutNotANumber",         "Timeout=soon\r\n",                         JVLinkSource::kFeed, "", 120},
};
// clang-format on

class JVLinkChoiceRead : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(JVLinkChoiceRead, ReadsTheSection) {
  TempDir dir;
  WriteFileBytes(dir.path() / "Quorvane.ini", "[JVLink]\r\n" + GetParam().section);
  const JVLinkChoice choice = ReadJVLinkChoice(IniFile(dir.path() / "Quorvane.ini"));
  EXPECT_EQ(choice.source, GetParam().source);
  EXPECT_EQ(choice.host_command, GetParam().host_command);
  EXPECT_EQ(choice.timeout_seconds, GetParam().timeout);
}

INSTANTIATE_TEST_SUITE_P(Sections, JVLinkChoiceRead, ::testing::ValuesIn(kChoices),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JVLinkChoice, TheDefaultHostCommandIsWineWithTheHostFoundBesideTheProgram) {
  TempDir dir;
  const fs::path build = dir.path() / "build";
  const fs::path cli = build / "tools" / "quorvane-cli";
  fs::create_directories(cli);
  fs::create_directories(build / "windows");
  WriteFileBytes(build / "windows" / "quorvane-jvlink-host.exe", "MZ");
  JVLinkChoice choice;
  choice.source = JVLinkSource::kHost;
  JVLinkContext context;
  context.executable_folder = cli;
  EXPECT_EQ(HostEndpointOf(choice, context).argv,
            (std::vector<std::string>{"wine", (build / "windows" / "quorvane-jvlink-host.exe").string()}));

  // Installed beside the program, the host there comes first.
  WriteFileBytes(cli / "quorvane-jvlink-host.exe", "MZ");
  EXPECT_EQ(HostEndpointOf(choice, context).argv.at(1), (cli / "quorvane-jvlink-host.exe").string());
}

TEST(JVLinkChoice, TheSectionsWinePrefixComesBeforeTheEnvironments) {
  JVLinkChoice choice;
  choice.source = JVLinkSource::kHost;
  choice.host_command = "wine h.exe";
  JVLinkContext context;
  context.wineprefix_environment = "/home/u/.wine32";
  using Env = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(HostEndpointOf(choice, context).environment, (Env{{"WINEPREFIX", "/home/u/.wine32"}}));
  choice.wine_prefix = "/srv/jv";
  EXPECT_EQ(HostEndpointOf(choice, context).environment, (Env{{"WINEPREFIX", "/srv/jv"}}));
  context.wineprefix_environment.clear();
  choice.wine_prefix.clear();
  EXPECT_TRUE(HostEndpointOf(choice, context).environment.empty());
}

TEST(JVLinkChoice, TcpSendsTheTokenFilesFirstLine) {
  TempDir dir;
  WriteFileBytes(dir.path() / "token", "abc123\r\nsecond line\r\n");
  JVLinkChoice choice;
  choice.source = JVLinkSource::kTcp;
  choice.address = "192.168.1.5:7000";
  choice.token_file = (dir.path() / "token").string();
  const jvlink::HostEndpoint endpoint = HostEndpointOf(choice, {});
  EXPECT_EQ(endpoint.kind, jvlink::HostEndpoint::Kind::kTcp);
  EXPECT_EQ(endpoint.address, "192.168.1.5:7000");
  EXPECT_EQ(endpoint.token, "abc123");
}

TEST(JVLinkChoice, AMissingFeedFolderIsReportedOnlyWhenTheFeedIsChosen) {
  TempDir dir;
  platform::FixedClock clock({2024, 5, 18, 9, 0, 0});
  JVLinkContext context;
  context.feed_folder = dir.path() / "feed";
  context.clock = &clock;
  JVLinkChoice choice;
  ChosenJVLink feed = MakeJVLink(choice, context);
  EXPECT_EQ(feed.link, nullptr);
  EXPECT_TRUE(feed.feed_missing);

  choice.source = JVLinkSource::kHost;
  choice.host_command = "/nonexistent/host";
  ChosenJVLink host = MakeJVLink(choice, context);
  ASSERT_NE(host.link, nullptr);
  EXPECT_EQ(host.hosted, host.link.get());
  EXPECT_FALSE(host.hosted->Connected());  // started on first use only
}

// clang-format off
struct SplitCase {
  const char* name;
  const char* line;
  std::vector<std::string> words;
};
const SplitCase kSplits[] = {
  {"Blanks",        "wine  /x/h.exe\t--listen a",  {"wine", "/x/h.exe", "--listen", "a"}},
  {"Quotes",        "wine \"/x y/h.exe\"",         {"wine", "/x y/h.exe"}},
  {"EmptyQuoted",   "h \"\"",                      {"h", ""}},
  {"Nothing",       "   ",                         {}},
};
// clang-format on

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsIntoWords) {
  EXPECT_EQ(jvlink::SplitCommandLine(GetParam().line), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitCommandLineTest, ::testing::ValuesIn(kSplits),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace app
