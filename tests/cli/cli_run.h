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
/// the caller); standard output and error are captured in files of `home`.
CliRun RunCli(const TempDir& home, const std::string& words);

}  // namespace testsupport
