#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "cli_run.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using testsupport::CliRun;
using testsupport::RunCli;

// Every command the CLI has; a new command must be added here and gets its help checked.
const char* const kCommands[] = {"feed", "pull", "days", "day", "race", "vote",
                                 "timeseries", "live", "export", "stats"};

struct HelpCase {
  const char* words;  // %s is the command
  const char* label;
};

// The case as test names and messages show it.
[[maybe_unused]] void PrintTo(const HelpCase& c, std::ostream* os) { *os << c.label; }

// clang-format off
const HelpCase kCommandHelpForms[] = {
  {"help %s",            "help_command"},
  {"%s --help",          "command_help"},
  {"%s -h",              "command_h"},
  {"%s --day x --help",  "help_among_other_words"},
};
// clang-format on

std::string Words(const char* pattern, const std::string& command) {
  std::string words = pattern;
  words.replace(words.find("%s"), 2, command);
  return words;
}

class CommandHelpTest : public ::testing::TestWithParam<std::tuple<const char*, HelpCase>> {};

// Each form gives the command's whole help on standard output with status 0, even where
// the program folder does not exist.
TEST_P(CommandHelpTest, PrintsTheCommandsHelpOnStandardOutput) {
  const auto& [command, form] = GetParam();
  testsupport::TempDir dir;
  CliRun run = RunCli(dir, Words(form.words, command));
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(run.out, StartsWith(std::string("usage: quorvane-cli [--home DIR] ") + command));
  for (const char* section : {"OPTIONS\n", "OUTPUT\n", "EXAMPLE\n  quorvane-cli ", "EXIT STATUS\n",
                              "  2  bad arguments"}) {
    EXPECT_THAT(run.out, HasSubstr(section)) << command;
  }
  const std::string synopsis = run.out.substr(0, run.out.find("\n\n"));
  if (synopsis.find("--day") != std::string::npos) {
    EXPECT_THAT(run.out, HasSubstr("    2024-05-18       yyyy-mm-dd\n"));
    EXPECT_THAT(run.out, HasSubstr("    latest           the newest stored day before today"));
  }
  if (synopsis.find("--slot") != std::string::npos) {
    EXPECT_THAT(run.out, HasSubstr("counted from 0 in race-list order"));
  }
  if (synopsis.find("TYPE") != std::string::npos) {
    EXPECT_THAT(run.out, HasSubstr("    馬連    UR "));
    EXPECT_THAT(run.out, HasSubstr("    ３連単  SRT "));
  }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandHelpTest,
                         ::testing::Combine(::testing::ValuesIn(kCommands),
                                            ::testing::ValuesIn(kCommandHelpForms)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param)) + "_" +
                                  std::get<1>(info.param).label;
                         });

class OverviewHelpTest : public ::testing::TestWithParam<const char*> {};

TEST_P(OverviewHelpTest, ListsEveryCommandAndTheFormats) {
  testsupport::TempDir dir;
  CliRun run = RunCli(dir, GetParam());
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(run.out, HasSubstr("usage: quorvane-cli [--home DIR] COMMAND [OPTIONS]\n"));
  for (const char* command : kCommands) {
    EXPECT_THAT(run.out, HasSubstr("\n  " + std::string(command) + " ")) << command;
  }
  for (const char* text : {"    馬連    UR ", "    馬単    UT ", "    ３連複  SRF ",
                           "    ３連単  SRT ", "counted from 0", "    20240518         yyyymmdd\n",
                           "EXIT STATUS\n", "  1  the operation stopped"}) {
    EXPECT_THAT(run.out, HasSubstr(text));
  }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, OverviewHelpTest, ::testing::Values("help", "--help", "-h"),
                         testsupport::PrintedCaseName());

TEST(HelpTest, WithoutACommandOrWithAnUnknownOneTheStatusIsTwo) {
  testsupport::TempDir dir;
  // clang-format off
  const struct { const char* words; const char* err; } kCases[] = {
    {"",            "usage: quorvane-cli [--home DIR] COMMAND"},
    {"help bet",    "no command \"bet\"; `quorvane-cli help` lists the commands"},
    {"bet",         "unknown command \"bet\"; `quorvane-cli help` lists the commands"},
    {"--home",      "--home needs a folder: quorvane-cli --home DIR COMMAND"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    CliRun run = RunCli(dir, c.words);
    EXPECT_EQ(run.status, 2) << c.words;
    EXPECT_EQ(run.out, "") << c.words;
    EXPECT_THAT(run.err, HasSubstr(c.err)) << c.words;
  }
}

TEST(HelpTest, ABadArgumentPrintsTheUsageAndWhereToReadMore) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.path() / "home/Quorvane.ini", "");
  CliRun run = RunCli(dir, "race --day 20240518 --slot 0 --colour red");
  EXPECT_EQ(run.status, 2);
  EXPECT_THAT(run.err, HasSubstr("quorvane-cli race: unknown argument \"--colour\"\n"
                                 "usage: quorvane-cli [--home DIR] race --day D --slot N"));
  EXPECT_THAT(run.err, HasSubstr("`quorvane-cli help race` tells more.\n"));
}

// docs/cli.md is what `help --markdown` prints, so the reference cannot drift from the help.
TEST(HelpTest, TheReferenceInDocsIsTheHelpText) {
  testsupport::TempDir dir;
  CliRun run = RunCli(dir, "help --markdown");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(testsupport::ReadFileBytes(QUORVANE_CLI_REFERENCE), run.out)
      << "docs/cli.md is out of date: write it with `quorvane-cli help --markdown > docs/cli.md`";
  for (const char* command : kCommands) {
    EXPECT_THAT(run.out, HasSubstr("\n## " + std::string(command) + "\n")) << command;
  }
}

// The manual page is the help as roff: every command has its section, every text line
// is one roff reads as text (a line starting with "." or "'" would be a request), and
// the folder rule of an installed program is in it.
TEST(HelpTest, TheManualPageHoldsTheHelpAsText) {
  testsupport::TempDir dir;
  CliRun run = RunCli(dir, "help --man");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, StartsWith(".TH QUORVANE\\-CLI 1 "));
  for (const char* command : kCommands) {
    EXPECT_THAT(run.out, HasSubstr("\n.SS " + std::string(command) + "\n.nf\n")) << command;
  }
  EXPECT_THAT(run.out, HasSubstr("~/.local/share/Quorvane"));
  EXPECT_THAT(run.out, HasSubstr("quorvane\\-cli feed \\-\\-out"));  // minus signs, not hyphens
  const std::string requests[] = {".TH", ".\\\"", ".SH", ".SS", ".nf", ".fi", ".BR"};
  size_t start = 0;
  while (start < run.out.size()) {
    const std::string line = run.out.substr(start, run.out.find('\n', start) - start);
    start += line.size() + 1;
    if (line.empty() || (line[0] != '.' && line[0] != '\'')) continue;
    bool known = false;
    for (const std::string& request : requests) known = known || line.starts_with(request);
    EXPECT_TRUE(known) << "a text line read as a request: " << line;
  }
}

// A command added to the CLI without being added to kCommands fails here, so every
// command gets its help checked.
TEST(HelpTest, TheTestKnowsEveryCommandTheHelpLists) {
  testsupport::TempDir dir;
  const std::string out = RunCli(dir, "help").out;
  const size_t begin = out.find("COMMANDS\n") + 9;
  const std::string section = out.substr(begin, out.find("\n\n", begin) - begin);
  std::string expected;
  for (const char* command : kCommands) expected += std::string(command) + ",";
  std::string listed;
  for (size_t at = 0; at < section.size(); at = section.find('\n', at) + 1) {
    const size_t name_end = section.find(' ', at + 2);
    const std::string name = section.substr(at + 2, name_end - at - 2);
    if (name != "help") listed += name + ",";
    if (section.find('\n', at) == std::string::npos) break;
  }
  EXPECT_EQ(listed, expected);
}

}  // namespace
