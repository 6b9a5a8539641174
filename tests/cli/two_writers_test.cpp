// Two programs writing one program folder at once: two pulls over two feeds of other
// racecourses, the second started while the first reads, end with the data folder of
// the same two pulls run one after the other.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>

#include "cli_run.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using testsupport::CliRun;
using testsupport::RunCli;

const std::string kNow = "QUORVANE_NOW='2024/06/30 18:00:00'";
const std::string kFrom = " --final-odds --from '2024/05/01 00:00:00'";

bool Filed(const std::string& record) {
  const std::string id = record.substr(0, 2);
  return id == "RA" || id == "SE" || id == "HR" || (id[0] == 'O' && id[1] >= '1' && id[1] <= '6');
}

// Splits the stored files of `full` by racecourse: the records of racecourse `course` on
// day `ymd` go to `one`, every other record to `rest`.
void SplitFeed(const fs::path& full, const fs::path& rest, const fs::path& one,
               const std::string& ymd, const std::string& course) {
  for (const fs::path& feed : {rest, one}) fs::create_directories(feed / "stored");
  for (const auto& entry : fs::directory_iterator(full / "stored")) {
    const std::string bytes = testsupport::ReadFileBytes(entry.path());
    std::string mine, others;
    for (size_t at = 0; at < bytes.size();) {
      size_t end = bytes.find("\r\n", at);
      end = end == std::string::npos ? bytes.size() : end + 2;
      const std::string record = bytes.substr(at, end - at);
      const bool its = record.size() > 21 && Filed(record) && record.substr(11, 8) == ymd &&
                       record.substr(19, 2) == course;
      (its ? mine : others) += record;
      at = end;
    }
    if (!others.empty()) testsupport::WriteFileBytes(rest / "stored" / entry.path().filename(), others);
    if (!mine.empty()) testsupport::WriteFileBytes(one / "stored" / entry.path().filename(), mine);
  }
}

// The first racecourse of the first race day of a feed: "05" of a record of 2024-05-04.
std::string FirstCourse(const fs::path& full, const std::string& ymd) {
  std::string first = "99";
  for (const auto& entry : fs::directory_iterator(full / "stored")) {
    const std::string bytes = testsupport::ReadFileBytes(entry.path());
    for (size_t at = bytes.find("RA"); at != std::string::npos; at = bytes.find("\r\nRA", at + 1)) {
      const size_t start = bytes.compare(at, 2, "RA") == 0 ? at : at + 2;
      if (bytes.substr(start + 11, 8) == ymd) first = std::min(first, bytes.substr(start + 19, 2));
    }
  }
  return first;
}

// The command line of a CLI run whose process is the CLI itself (the shell execs it).
std::string Cli(const testsupport::TempDir& home, const std::string& words,
                const std::string& err) {
  return "exec env " + kNow + " " + std::string(QUORVANE_CLI) + " --home '" + home.str() +
         "/home' " + words + " </dev/null >/dev/null 2>'" + err + "'";
}

pid_t Start(const std::string& command) {
  pid_t pid = 0;
  const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
  if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
    return -1;
  }
  return pid;
}

int Wait(pid_t pid) {
  int raw = 0;
  waitpid(pid, &raw, 0);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// The data folder's files by name.
std::map<std::string, std::string> DataFiles(const testsupport::TempDir& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir.path() / "home" / "Data")) {
    files[entry.path().filename().string()] = testsupport::ReadFileBytes(entry.path());
  }
  return files;
}

TEST(TwoWritersTest, TwoPullsAtOnceFileEveryRecordEitherRead) {
  testsupport::TempDir feeds;
  const fs::path full = feeds.path() / "full";
  ASSERT_EQ(RunCli(feeds, "feed --out '" + full.string() + "' --from 20240504 --days 28",
                   kNow).status,
            0);
  const std::string day = "20240504";
  const std::string course = FirstCourse(full, day);
  ASSERT_NE(course, "99");
  const fs::path rest = feeds.path() / "rest", one = feeds.path() / "one";
  SplitFeed(full, rest, one, day, course);
  const std::string rest_feed = " --feed '" + rest.string() + "'";
  const std::string one_feed = " --feed '" + one.string() + "'";

  testsupport::TempDir in_turn;
  ASSERT_EQ(RunCli(in_turn, "pull" + kFrom + rest_feed, kNow).status, 0);
  ASSERT_EQ(RunCli(in_turn, "pull" + kFrom + one_feed, kNow).status, 0);

  // The pull of the other racecourses has read the first files of the day into memory
  // (its first progress line) when it is held still, as a busy machine would hold it; the
  // pull of the one racecourse runs from start to end meanwhile, and the first goes on
  // and writes after it.
  testsupport::TempDir at_once;
  const std::string rest_err = at_once.str() + "/rest.txt";
  const pid_t first = Start(Cli(at_once, "pull" + kFrom + rest_feed, rest_err));
  ASSERT_GT(first, 0);
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (testsupport::ReadFileBytes(rest_err).find("read [") == std::string::npos &&
         std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  kill(first, SIGSTOP);
  const bool first_still_reading =
      testsupport::ReadFileBytes(rest_err).find("データ読込み完了") == std::string::npos;
  CliRun second = RunCli(at_once, "pull" + kFrom + one_feed, kNow + " timeout 120");
  kill(first, SIGCONT);
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(Wait(first), 0) << testsupport::ReadFileBytes(rest_err);
  EXPECT_TRUE(first_still_reading) << "the first pull had read everything before the second";

  const auto expected = DataFiles(in_turn);
  const auto written = DataFiles(at_once);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(written.size(), expected.size());
  for (const auto& [name, bytes] : expected) {
    auto it = written.find(name);
    if (it == written.end()) {
      ADD_FAILURE() << name << " is missing";
      continue;
    }
    EXPECT_TRUE(it->second == bytes) << name << " differs";
  }
}

}  // namespace
