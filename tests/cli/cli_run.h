#pragma once

#include <string>

#include "support/temp_dir.h"

namespace testsupport {

/// What one run of the CLI printed and how it ended.
struct CliRun {
  int status = -1;
  std::string out, err;
};

/// Runs the CLI on the program folder `home`/home with the given words (shell-quoted by
/// the caller); standard output and error are captured in files of `home`. `env` is put
/// before the command ("QUORVANE_NOW='2024/05/18 09:00:00'"), `input` is fed to its
/// standard input (none when empty: /dev/null).
CliRun RunCli(const TempDir& home, const std::string& words, const std::string& env = "",
              const std::string& input = "");

}  // namespace testsupport
