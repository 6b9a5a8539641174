#include <iostream>

#include "commands.h"

namespace cli {

int RunPull(const CliArgs&) {
  std::cerr << "quorvane-cli pull: not built yet\n";
  return 1;
}

}  // namespace cli
