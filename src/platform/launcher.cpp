#include "platform/launcher.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace platform {

bool ProcessLauncher::Open(const std::string& program, const std::string& parameter) {
  if (access(program.c_str(), X_OK) != 0) return false;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  if (!parameter.empty()) argv.push_back(const_cast<char*>(parameter.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    return false;
  }
  return true;
}

}  // namespace platform
