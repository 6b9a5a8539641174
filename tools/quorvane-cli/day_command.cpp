#include <iostream>

#include "commands.h"

namespace cli {

int RunDay(const CliArgs&) {
  std::cerr << "quorvane-cli day: not built yet\n";
  return 1;
}

}  // namespace cli
