#include <unistd.h>

#include <clocale>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli_args.h"
#include "command_table.h"
#include "app/program_folder.h"
#include "help_text.h"
#include "platform/memory_reuse.h"

namespace {

std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0);
  return self.parent_path();
}

// Without --home: the executable's folder, or for an installed program the data folder
// in the user's home, made here at its first use.
bool DefaultHomeReady(const std::optional<std::filesystem::path>& home) {
  std::error_code ec;
  if (home && (std::filesystem::create_directories(*home, ec), !ec)) return true;
  std::cerr << "quorvane-cli: no program folder: "
            << (home ? home->string() + " cannot be made (" + ec.message() + ")"
                     : std::string("HOME is not set"))
            << ". Give one with --home DIR.\n";
  return false;
}

bool IsHelpWord(const std::string& word) {
  return word == "--help" || word == "-h" || word == "help";
}

// `help`, `help COMMAND`, `--help`: the text on standard output, status 0; a command
// that does not exist is a usage error.
int Help(const std::vector<std::string>& words) {
  if (words.size() >= 2 && words[1] == "--markdown") {
    std::cout << cli::ReferenceMarkdown();
    return 0;
  }
  if (words.size() >= 2 && words[1] == "--man") {
    std::cout << cli::ManualPage();
    return 0;
  }
  if (words.size() < 2) {
    std::cout << cli::OverviewHelp();
    return 0;
  }
  if (const cli::Command* command = cli::FindCommand(words[1])) {
    std::cout << cli::CommandHelp(*command);
    return 0;
  }
  std::cerr << "quorvane-cli: no command \"" << words[1]
            << "\"; `quorvane-cli help` lists the commands\n";
  return 2;
}

// A program folder that does not exist is most often a mistyped --home: only the
// commands that make data may start there.
bool HomeUsable(const cli::Command& command, const std::string& home, bool home_given) {
  if (command.makes_home || !home_given || std::filesystem::is_directory(home)) return true;
  std::cerr << "quorvane-cli " << command.name << ": the program folder " << home
            << " does not exist.\n"
            << "Give --home the folder that holds Data/ and Quorvane.ini, or fill a new one: "
               "quorvane-cli --home "
            << home << " pull --feed FEED\n";
  return false;
}

int Run(const cli::Command& command, const std::string& home, std::vector<std::string> words) {
  try {
    return command.run(cli::CliArgs(home, std::move(words)));
  } catch (const cli::UsageError& e) {
    std::cerr << "quorvane-cli " << command.name << ": " << e.what() << "\n"
              << cli::UsageLines(command) << "`quorvane-cli help " << command.name
              << "` tells more.\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "quorvane-cli " << command.name << ": " << e.what() << "\n";
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  platform::KeepFreedMemoryForReuse();
  std::vector<std::string> words(argv + 1, argv + argc);
  const auto default_home = app::DefaultProgramFolderFor(ExecutableFolder(argv[0]));
  std::string home = default_home ? default_home->string() : std::string();
  bool home_given = false;
  if (words.size() >= 2 && words[0] == "--home") {
    home = std::filesystem::absolute(words[1]).lexically_normal().string();
    if (home.size() > 1 && home.back() == '/') home.pop_back();
    words.erase(words.begin(), words.begin() + 2);
    home_given = true;
  }
  if (!words.empty() && words[0] == "--home") {
    std::cerr << "quorvane-cli: --home needs a folder: quorvane-cli --home DIR COMMAND\n";
    return 2;
  }
  if (words.empty()) {
    std::cerr << cli::OverviewHelp();
    return 2;
  }
  if (IsHelpWord(words[0])) return Help(words);
  const cli::Command* command = cli::FindCommand(words[0]);
  if (command == nullptr) {
    std::cerr << "quorvane-cli: unknown command \"" << words[0]
              << "\"; `quorvane-cli help` lists the commands\n";
    return 2;
  }
  words.erase(words.begin());
  for (const std::string& word : words) {
    if (word == "--help" || word == "-h") {
      std::cout << cli::CommandHelp(*command);
      return 0;
    }
  }
  if (!home_given && !DefaultHomeReady(default_home)) return 1;
  if (!HomeUsable(*command, home, home_given)) return 2;
  return Run(*command, home, std::move(words));
}
