#include "wine_rig.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace testsupport {
namespace fs = std::filesystem;

void UseStandinPrefix(const fs::path& feed) {
  setenv("WINEPREFIX", QUORVANE_WINE_PREFIX, 1);
  setenv("WINEDEBUG", "-all", 1);
  setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  setenv("QUORVANE_STANDIN_FEED", feed.c_str(), 1);
}

jvlink::HostedOptions WineHostOptions() {
  jvlink::HostedOptions options;
  options.endpoint.argv = {"wine", QUORVANE_HOST_EXE};
  options.endpoint.environment = {{"WINEPREFIX", QUORVANE_WINE_PREFIX}};
  options.answer_limit = std::chrono::seconds(60);
  return options;
}

std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), folder).string()] = ReadFileBytes(entry.path());
    }
  }
  return files;
}

ListeningHost::ListeningHost(const fs::path& token_file, const fs::path& log) {
  std::vector<std::string> words{"wine", QUORVANE_HOST_EXE, "--listen", "127.0.0.1:0",
                                 "--token-file", token_file.string()};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  const int spawned = posix_spawnp(&pid_, "wine", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    pid_ = -1;
    return;
  }
  const std::string said = "listening on 127.0.0.1:";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string text = ReadFileBytes(log);
    if (const std::size_t at = text.find(said); at != std::string::npos) {
      port_ = std::atoi(text.c_str() + at + said.size());
      if (port_ > 0) return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

ListeningHost::~ListeningHost() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
}

}  // namespace testsupport
