#include <iostream>

#include "commands.h"

namespace cli {

int RunFeed(const CliArgs&) {
  std::cerr << "quorvane-cli feed: not built yet\n";
  return 1;
}

}  // namespace cli
