#include <iostream>

#include "commands.h"

namespace cli {

int RunDays(const CliArgs&) {
  std::cerr << "quorvane-cli days: not built yet\n";
  return 1;
}

}  // namespace cli
