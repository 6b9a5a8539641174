#include "cli_run.h"

#include <sys/wait.h>

#include <cstdlib>

namespace testsupport {

CliRun RunCli(const TempDir& home, const std::string& words, const std::string& env,
              const std::string& input) {
  const std::string out = home.str() + "/stdout.txt", err = home.str() + "/stderr.txt";
  const std::string in = home.str() + "/stdin.txt";
  WriteFileBytes(in, input);
  const std::string command = env + " " + std::string(QUORVANE_CLI) + " --home '" + home.str() +
                              "/home' " + words + " <'" + in + "' >'" + out + "' 2>'" + err + "'";
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFileBytes(out);
  run.err = ReadFileBytes(err);
  return run;
}

}  // namespace testsupport
