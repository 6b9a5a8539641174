#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "support/temp_dir.h"

namespace {

using ::testing::HasSubstr;
using testsupport::CliRun;
using testsupport::RunCli;

using Rows = std::vector<std::vector<std::string>>;

// The "rows" of table `type` in the race JSON: arrays of cell strings (cells hold no
// quotes or backslashes).
Rows TableRows(const std::string& json, const std::string& type) {
  const std::string key = "\"" + type + "\":{\"rows\":[";
  size_t at = json.find(key);
  if (at == std::string::npos) return {};
  at += key.size();
  Rows rows;
  while (json[at] == '[') {
    std::vector<std::string> row;
    ++at;
    while (json[at] == '"') {
      const size_t end = json.find('"', at + 1);
      row.push_back(json.substr(at + 1, end - at - 1));
      at = end + 1;
      if (json[at] == ',') ++at;
    }
    rows.push_back(row);
    at += json[at + 1] == ',' ? 2 : 1;  // "]," or "]"
  }
  return rows;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? ""
                                    : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "02-04" of " 2- 4", "12-01-02" of "12- 1- 2".
std::string PluginCombination(const std::string& cell) {
  std::string out;
  for (size_t at = 0; at < cell.size(); at += 3) {
    const int number = std::stoi(cell.substr(at, 2));
    if (!out.empty()) out += "-";
    out += (number < 10 ? "0" : "") + std::to_string(number);
  }
  return out;
}

const char* TypeCode(const std::string& type) {
  if (type == "UR") return "UMAFUKU";
  if (type == "UT") return "UMATAN";
  return type == "SRF" ? "SANFUKU" : "SANTAN";
}

// What the plug-in file must hold for the rows the race shows: every bet with a stake and
// no 消 mark, in row order, from the stake and 買い目 cells (date, venue and race of 新潟).
std::string ExpectedFile(const Rows& rows, const std::string& type, const std::string& race) {
  std::string file;
  for (const auto& row : rows) {
    if (Trim(row[2]).empty() || Trim(row[3]).empty() || Trim(row[6]).empty()) continue;
    if (row[0] == "消") continue;
    file += "20240518,04," + race + "," + TypeCode(type) + ",NORMAL," + Trim(row[6]) + "," +
            PluginCombination(row[2]) + ",\r\n";
  }
  return file;
}

struct VoteCase {
  const char* label;
  int slot;
  const char* type;
  const char* choices;
  int bets;  // bets in the file; 0: none made, nothing written
};

// The case as test names and messages show it.
[[maybe_unused]] void PrintTo(const VoteCase& c, std::ostream* os) { *os << c.label; }

// Races of 2024年05月18日 in the sample feed: slot 10 (新潟11R) a 馬連 target, slot 7
// (新潟8R) a 馬単 target, slot 5 (新潟6R) a ３連複・３連単 target.
// clang-format off
const VoteCase kVotes[] = {
  {"UR_equal_one_excluded",   10, "UR",  "--logic A --mode 0 --amount 10000 --exclude UR:1", 7},
  {"UR_by_odds_toggled_back", 10, "UR",  "--logic A --mode 1 --amount 5000 --exclude UR:2 "
                                          "--exclude UR:3 --exclude UR:2", 7},
  {"UR_amount_below_100",     10, "UR",  "--logic A --mode 0 --amount 50", 8},
  {"UR_below_100_excluded",   10, "UR",  "--logic A --mode 0 --amount 50 --exclude UR:8", 7},
  {"UT_default_amount",        7, "UT",  "--logic A --mode 0", -1},
  {"SRF_by_odds",              5, "SRF", "--logic A --mode 1 --amount 2000 --exclude SRF:1", -1},
  {"SRT_two_excluded",         5, "SRT", "--logic A --mode 0 --amount 20000 --exclude SRT:3 "
                                          "--exclude SRT:1", -1},
  {"no_rule_book",            10, "UR",  "--logic none --mode 0", 0},
};
// clang-format on

// One sample feed of 2024年05月18日-19日, pulled once, with a voting plug-in that starts
// and ends at once.
class VoteRaceTest : public ::testing::TestWithParam<VoteCase> {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<testsupport::TempDir>();
    const std::string feed = dir_->str() + "/feed";
    ASSERT_EQ(RunCli(*dir_, "feed --out '" + feed + "' --from 20240518 --days 2").status, 0);
    CliRun pull =
        RunCli(*dir_, "pull --final-odds --from '2024/05/01 00:00:00' --feed '" + feed + "'");
    ASSERT_EQ(pull.status, 0) << pull.err;
    const std::filesystem::path plugin = dir_->path() / "plugin";
    testsupport::WriteFileBytes(plugin / "kaime/.keep", "");
    testsupport::WriteFileBytes(plugin / "VelkTohyoPlugIn2.exe", "#!/bin/sh\nexit 0\n");
    std::filesystem::permissions(plugin / "VelkTohyoPlugIn2.exe",
                                 std::filesystem::perms::owner_all);
    const std::filesystem::path ini = dir_->path() / "home/Quorvane.ini";
    testsupport::WriteFileBytes(
        ini, testsupport::ReadFileBytes(ini) + "[Dir]\r\nVelkTohyo2=" + plugin.string() + "\r\n");
  }
  static void TearDownTestSuite() { dir_.reset(); }

  static std::filesystem::path VoteFile() { return dir_->path() / "plugin/kaime/240518.csv"; }

  static std::unique_ptr<testsupport::TempDir> dir_;
};

std::unique_ptr<testsupport::TempDir> VoteRaceTest::dir_;

// vote hands over exactly the table that race shows with the same choices.
TEST_P(VoteRaceTest, ExportsTheTableTheRaceShows) {
  const VoteCase& c = GetParam();
  const std::string race_words =
      "--day 2024-05-18 --slot " + std::to_string(c.slot) + " " + c.choices;
  CliRun race = RunCli(*dir_, "race " + race_words + " --json");
  ASSERT_EQ(race.status, 0) << race.err;
  const Rows rows = TableRows(race.out, c.type);
  ASSERT_FALSE(rows.empty()) << race.out;
  const std::string race_number = c.slot == 10 ? "11" : c.slot == 7 ? "08" : "06";
  const std::string expected = ExpectedFile(rows, c.type, race_number);

  std::filesystem::remove(VoteFile());
  CliRun vote = RunCli(*dir_, "vote " + race_words + " --type " + c.type + " --yes");
  if (c.bets == 0) {
    EXPECT_EQ(vote.status, 1);
    EXPECT_THAT(vote.err, HasSubstr("買い目が作成されていません。"));
    EXPECT_FALSE(std::filesystem::exists(VoteFile()));
    EXPECT_EQ(expected, "");
    return;
  }
  ASSERT_EQ(vote.status, 0) << vote.err;
  EXPECT_EQ(testsupport::ReadFileBytes(VoteFile()), expected);
  const size_t lines = static_cast<size_t>(std::count(expected.begin(), expected.end(), '\n'));
  if (c.bets > 0) {
    EXPECT_EQ(lines, static_cast<size_t>(c.bets));
  }
  EXPECT_GT(lines, 0u);
}

INSTANTIATE_TEST_SUITE_P(Choices, VoteRaceTest, ::testing::ValuesIn(kVotes),
                         [](const auto& info) { return std::string(info.param.label); });

// Without --yes: the answer typed on a terminal counts; from a pipe or file it is No.
TEST_F(VoteRaceTest, AsksOnATerminalAndAnswersNoOtherwise) {
  const std::string words = "vote --day 20240518 --slot 10 --type UR --logic A --mode 0";
  std::filesystem::remove(VoteFile());
  CliRun piped = RunCli(*dir_, words, "", "y\n");
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_THAT(piped.err, HasSubstr("[新潟11R:馬連]に投票します。実行してよろしいですか？ [y/N] N "
                                   "(standard input is no terminal; --yes answers Yes)\n"));
  EXPECT_FALSE(std::filesystem::exists(VoteFile()));

  if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1)";
  struct Answer {
    const char* typed;
    bool written;
  };
  for (const Answer& answer : {Answer{"n", false}, Answer{"", false}, Answer{"yes", true}}) {
    std::filesystem::remove(VoteFile());
    const std::string command = "printf '" + std::string(answer.typed) + "\\n' | script -qec \"" +
                                QUORVANE_CLI + " --home '" + dir_->str() + "/home' " + words +
                                "\" /dev/null >/dev/null 2>&1";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << answer.typed;
    EXPECT_EQ(std::filesystem::exists(VoteFile()), answer.written) << answer.typed;
  }
}

}  // namespace
