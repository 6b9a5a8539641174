#include <unistd.h>

#include <clocale>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli_args.h"
#include "commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const cli::CliArgs&);
  const char* usage;
};

// clang-format off
const Command kCommands[] = {
  {"feed",  cli::RunFeed,  "feed --out FEED --from YYYYMMDD --days N [--seed S] [--today]"},
  {"pull",  cli::RunPull,  "pull [--from \"yyyy/mm/dd hh:nn:ss\"] [--final-odds] [--feed FEED]"},
  {"days",  cli::RunDays,  "days"},
  {"day",   cli::RunDay,   "day --day D --json"},
  {"race",  cli::RunRace,  "race --day D --slot N [--logic A|B|none] [--mode 0|1] [--amount YEN] [--exclude TYPE:ROW]... --json"},
  {"vote",  cli::RunVote,  "vote --day D --slot N --type UR|UT|SRF|SRT [--yes]"},
  {"timeseries", cli::RunTimeSeries, "timeseries --day D"},
  {"live",  cli::RunLive,  "live [--at HH:MM:SS] [--speed N] [--until HH:MM] [--feed FEED]"},
};
// clang-format on

void PrintUsage() {
  std::cerr << "usage: quorvane-cli [--home DIR] COMMAND [OPTIONS]\n";
  for (const Command& c : kCommands) std::cerr << "  " << c.usage << "\n";
}

std::string ExecutableFolder(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0);
  return self.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  std::vector<std::string> words(argv + 1, argv + argc);
  std::string home = ExecutableFolder(argv[0]);
  if (words.size() >= 2 && words[0] == "--home") {
    home = std::filesystem::absolute(words[1]).lexically_normal().string();
    if (home.size() > 1 && home.back() == '/') home.pop_back();
    words.erase(words.begin(), words.begin() + 2);
  }
  if (words.empty() || words[0] == "--help" || words[0] == "-h") {
    PrintUsage();
    return words.empty() ? 2 : 0;
  }
  std::string name = words[0];
  words.erase(words.begin());
  for (const Command& c : kCommands) {
    if (name != c.name) continue;
    try {
      return c.run(cli::CliArgs(home, words));
    } catch (const cli::UsageError& e) {
      std::cerr << "quorvane-cli " << name << ": " << e.what() << "\nusage: quorvane-cli "
                << c.usage << "\n";
      return 2;
    } catch (const std::exception& e) {
      std::cerr << "quorvane-cli " << name << ": " << e.what() << "\n";
      return 1;
    }
  }
  std::cerr << "quorvane-cli: unknown command \"" << name << "\"\n";
  PrintUsage();
  return 2;
}
