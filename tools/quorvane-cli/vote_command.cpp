#include <iostream>

#include "commands.h"

namespace cli {

int RunVote(const CliArgs&) {
  std::cerr << "quorvane-cli vote: not built yet\n";
  return 1;
}

}  // namespace cli
