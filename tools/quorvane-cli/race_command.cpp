#include <iostream>

#include "commands.h"

namespace cli {

int RunRace(const CliArgs&) {
  std::cerr << "quorvane-cli race: not built yet\n";
  return 1;
}

}  // namespace cli
